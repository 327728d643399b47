#pragma once
// The lighting page (page 54): the effect list, then the brightness, speed,
// single-colour and colour-slot groups one under the other. Which groups show
// depends on the effect; a hidden group gives its place to the ones below and
// the page's background shrinks with them.

#include <cstdint>

#include "ui/ids/main_window_ids.h"
#include "ui/main/page_builders.h"

namespace tessaly::ui {

// The brightness and speed sliders run from 0 to this.
inline constexpr int kLightSliderSteps = 4;

// The language number of an effect's name by its mode; 0 for an unknown mode.
int LightEffectText(int mode);

// Shows the groups of a parameter mask (0x1 brightness, 0x2 speed, 0x10
// single colour, 0x800 colour slots); the next layout closes the gaps.
void SetLightingGroupsVisible(DUI::MDialog& dlg, uint32_t mask);

// The value texts beside the sliders, from their positions.
void RefreshLightingValueTexts(DUI::MDialog& dlg);

}  // namespace tessaly::ui
