#include "lighting/lighting_page_behaviour.h"

#include <algorithm>
#include <array>
#include <vector>

#include "base/decimal.h"
#include "base/text_format.h"
#include "catalogue/device_catalogue.h"
#include "lighting/light_defaults.h"
#include "lighting/light_zone.h"
#include "lighting/lighting_operations.h"
#include "storage/light_table.h"
#include "ui/dialogs/colour_values.h"
#include "ui/dialogs/message_box.h"
#include "ui/ids/lighting_page_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/pages/control_table.h"
#include "ui/pages/lighting_page.h"
#include "ui/toolkit/control_events.h"
#include "ui/toolkit/dui.h"

namespace tessaly {
namespace {

constexpr int kSlotCount = lighting_id::kLastSlot - lighting_id::kFirstSlot + 1;
constexpr int kComponentMax = 255;
constexpr int kMousePicture = 31;

int Component(uint32_t colour, int index) {
    return static_cast<int>((colour >> (8 * index)) & 0xFF);
}

}  // namespace

void LightingPage::Refresh() {
    const int profile = host_.CurrentProfile();
    CreateDefaultLights(profile, DeviceCatalogue::Instance().Options());
    auto* list = context_.page.FindAs<DUI::MComboBox>(lighting_id::kEffectList);
    if (list == nullptr) {
        return;
    }
    list->DeleteAllItems();
    std::vector<LightSetting> lights;
    ListLights(profile, lights);
    for (const LightSetting& light : lights) {
        list->AddItem(LoadLanguageString(light.reserved), light.mode);
    }
    const int effect = GetActiveLightMode(profile);
    host_.Device().current_light_effect.store(effect);
    list->SelectData(effect);
    ShowEffect();
}

bool LightingPage::ShowEffect() {
    auto* list = context_.page.FindAs<DUI::MComboBox>(lighting_id::kEffectList);
    if (list == nullptr) {
        return false;
    }
    const int profile = host_.CurrentProfile();
    const int mode = static_cast<int>(list->GetCurData());
    LightSetting light;
    if (!GetLight(profile, mode, light)) {
        return false;
    }
    shown_mode_.store(mode);
    SetActiveLight(profile, mode);
    const auto mask = static_cast<uint32_t>(light.config_func);
    mask_.store(mask);
    ui::SetLightingGroupsVisible(context_.page.Window(), mask);
    if ((mask & kLightBrightness) != 0) {
        context_.page.FindAs<DUI::LightSlider>(lighting_id::kBrightnessSlider)
            ->SetProgress(light.brightness);
    }
    if ((mask & kLightSpeed) != 0) {
        context_.page.FindAs<DUI::LightSlider>(lighting_id::kSpeedSlider)->SetProgress(light.speed);
    }
    ui::RefreshLightingValueTexts(context_.page.Window());
    if ((mask & kLightColourSlots) != 0) {
        context_.page.FindAs<DUI::CColorButton>(lighting_id::kFirstSlot)->SetCheck(true);
        for (int i = 0; i < kSlotCount; ++i) {
            context_.page.FindAs<DUI::CColorButton>(lighting_id::kFirstSlot + i)
                ->SetColor(BgrToArgb(static_cast<uint32_t>(light.color_values[i])));
        }
    }
    if ((mask & kLightSingleColour) != 0) {
        ShowColour(static_cast<uint32_t>(light.color_values[0]));
    }
    ShowLightZone(light);
    Relayout();
    return true;
}

// The fields, the palette's marker, the preview and the preset of the
// colour all show the one colour the effect has.
void LightingPage::ShowColour(uint32_t colour) {
    ShowComponents(colour);
    if (auto* palette = context_.page.FindAs<DUI::MPalette>(lighting_id::kPalette)) {
        palette->SetSelectColor(BgrToArgb(colour));
    }
    if (auto* preview = context_.page.FindAs<DUI::CArea>(lighting_id::kPreview)) {
        preview->SetColor(BgrToArgb(colour));
    }
    for (int id = lighting_id::kFirstPreset; id <= lighting_id::kLastPreset; ++id) {
        if (auto* preset = context_.page.FindAs<DUI::CColorButton>(id)) {
            preset->SetCheck(ArgbToBgr(preset->GetColor()) == colour);
        }
    }
}

void LightingPage::ShowLightZone(const LightSetting& light) {
    auto* picture = dynamic_cast<DUI::MPicture*>(context_.page.Window().GetControl(kMousePicture));
    if (picture == nullptr) {
        return;
    }
    picture->SetLightZone({LightZoneImage(DeviceCatalogue::Instance().Options().mouse_picture),
                           LightZoneColours(light)});
}

void LightingPage::ShowStoredLightZone() {
    LightSetting light;
    if (GetLight(host_.CurrentProfile(), shown_mode_.load(), light)) {
        ShowLightZone(light);
    }
}

void LightingPage::Relayout() {
    DUI::MDialog& window = context_.page.Window();
    ui::LayoutLightingPage(window, window.GetClientRect(), context_.scale);
}

void LightingPage::SelectEffect() {
    auto* list = context_.page.FindAs<DUI::MComboBox>(lighting_id::kEffectList);
    if (list == nullptr || list->GetCurSel() < 0) {
        return;
    }
    if (SelectLightEffect(host_, static_cast<int>(list->GetCurData())).ok()) {
        ShowEffect();
    }
}

void LightingPage::OnSlider(int control_id, int event) {
    auto* slider = context_.page.FindAs<DUI::LightSlider>(control_id);
    if (slider == nullptr) {
        return;
    }
    if (event != DUI::kEventActivated) {
        if (control_id == lighting_id::kSpeedSlider) {
            context_.page.FindAs<DUI::MText>(lighting_id::kSpeedValue)
                ->SetTitle(Format(u"%s：%d", LoadLanguageString(text::kSpeedValue),
                                  slider->GetProgress()));
        } else {
            ui::RefreshLightingValueTexts(context_.page.Window());
        }
        return;
    }
    ui::RefreshLightingValueTexts(context_.page.Window());
    if (control_id == lighting_id::kSpeedSlider) {
        SetLightSpeed(host_, shown_mode_.load(), slider->GetProgress());
    } else {
        SetLightBrightness(host_, shown_mode_.load(), slider->GetProgress());
        ShowStoredLightZone();
    }
}

void LightingPage::ShowComponents(uint32_t colour) {
    for (int i = 0; i < 3; ++i) {
        if (auto* field = context_.page.FindAs<DUI::MEdit>(lighting_id::kRedField + i)) {
            field->SetTitle(IntToDecimal(Component(colour, i)));
        }
    }
}

void LightingPage::OnPreset(int control_id) {
    auto* preset = context_.page.FindAs<DUI::CColorButton>(control_id);
    if (preset == nullptr) {
        return;
    }
    const uint32_t colour = ArgbToBgr(preset->GetColor());
    ShowComponents(colour);
    ApplyLightColour(colour);
}

void LightingPage::OnPalette(int event) {
    auto* palette = context_.page.FindAs<DUI::MPalette>(lighting_id::kPalette);
    if (palette == nullptr) {
        return;
    }
    for (int id = lighting_id::kFirstPreset; id <= lighting_id::kLastPreset; ++id) {
        context_.page.FindAs<DUI::CColorButton>(id)->SetCheck(false);
    }
    const uint32_t colour = ArgbToBgr(palette->GetSelectColor());
    ShowComponents(colour);
    // Only the end of a drag is sent, not every colour on the way.
    if (event == DUI::kEventActivated) {
        ApplyLightColour(colour);
    }
}

void LightingPage::OnColourField(int control_id) {
    auto* field = context_.page.FindAs<DUI::MEdit>(control_id);
    if (field == nullptr) {
        return;
    }
    const int typed = DecimalToInt(field->GetTitle());
    const int limited = std::clamp(typed, 0, kComponentMax);
    if (limited != typed) {
        field->SetTitle(IntToDecimal(limited));
    }
    std::array<int, 3> parts{};
    for (int i = 0; i < 3; ++i) {
        parts[i] = std::clamp(
            DecimalToInt(context_.page.FindAs<DUI::MEdit>(lighting_id::kRedField + i)->GetTitle()),
            0, kComponentMax);
    }
    ApplyLightColour(BgrFromComponents(parts[0], parts[1], parts[2]));
}

void LightingPage::ApplyLightColour(uint32_t colour) {
    if (auto* preview = context_.page.FindAs<DUI::CArea>(lighting_id::kPreview)) {
        preview->SetColor(BgrToArgb(colour));
    }
    if (auto* palette = context_.page.FindAs<DUI::MPalette>(lighting_id::kPalette)) {
        palette->SetSelectColor(BgrToArgb(colour));
    }
    int checked = -1;
    if ((mask_.load() & kLightColourSlots) != 0) {
        for (int i = 0; i < kSlotCount; ++i) {
            auto* slot = context_.page.FindAs<DUI::CColorButton>(lighting_id::kFirstSlot + i);
            if (slot->GetCheck()) {
                slot->SetColor(BgrToArgb(colour));
                checked = i;
                break;
            }
        }
    }
    SetLightColour(host_, shown_mode_.load(), colour, checked);
    ShowStoredLightZone();
}

void LightingPage::ResetLighting() {
    if (host_.ShowMessageBox(LoadLanguageString(text::kResetLightingQuestion),
                             LoadLanguageString(text::kResetLightingTitle),
                             kMessageBoxConfirm) == kMessageBoxSecond) {
        return;
    }
    ResetLights(host_);
}

int LightingPage::OnEdit(int control_id, int event) {
    switch (control_id) {
        case lighting_id::kBrightnessSlider:
        case lighting_id::kSpeedSlider:
            OnSlider(control_id, event);
            return 1;
        case lighting_id::kPalette:
            if (event == DUI::kEventDragged || event == DUI::kEventActivated) {
                OnPalette(event);
            }
            return 1;
        default:
            if (control_id >= lighting_id::kRedField && control_id <= lighting_id::kBlueField) {
                if (event == DUI::kEventTextChanged) {
                    OnColourField(control_id);
                }
                return 1;
            }
            return 0;
    }
}

int LightingPage::OnButton(int control_id) {
    if (control_id == lighting_id::kEffectList) {
        SelectEffect();
        return 1;
    }
    if (control_id == lighting_id::kReset) {
        ResetLighting();
        return 1;
    }
    if (control_id >= lighting_id::kFirstPreset && control_id <= lighting_id::kLastPreset) {
        OnPreset(control_id);
        return 1;
    }
    return 0;
}

std::shared_ptr<LightingPage> InstallLightingPage(const ui::LightingPageContext& context,
                                                  LightingHost& host) {
    auto page = std::make_shared<LightingPage>(context, host);
    ui::PageRouter& router = context.router;
    router.SetPageHandler(
        ui::RouteSlot::kLightingEdit,
        [page](int control_id, int event, intptr_t) { return page->OnEdit(control_id, event); });
    router.SetPageHandler(ui::RouteSlot::kLightingPage, [page](int control_id, int, intptr_t) {
        return page->OnButton(control_id);
    });
    return page;
}

}  // namespace tessaly
