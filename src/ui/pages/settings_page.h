#pragma once
// The settings page (page 56): version and update check, language, start
// with the system, the close button's behaviour, factory reset and links.
// Its state is read once, when it is built.

#include "ui/main/page_builders.h"

namespace tessaly::ui {

inline constexpr int kSettingsPageId = 56;

}  // namespace tessaly::ui
