// Re-applying every text of the main window after a change of language.

#include "base/text_format.h"
#include "ui/ids/main_window_ids.h"
#include "ui/ids/settings_page_ids.h"
#include "ui/localisation/language_change.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/main/device_main_dlg.h"
#include "ui/main/page_builders.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/controls/device_list.h"
#include "ui/toolkit/controls/tabs.h"

namespace tessaly::ui {
namespace {

namespace t = text;

struct Numbered {
    int id;
    int text;
};
// Frame and home page controls (outside the page builders' tables).
constexpr Numbered kFrameTitles[] = {
    {main_id::kTitle, t::kMainTitle},
    {main_id::kWebsite, t::kCopyright},
    {main_id::kHiddenFactoryReset, t::kFactoryResetHidden},
    {main_id::kProfile, t::kProfile},
    {main_id::kNotice, t::kNoDeviceNotice},
};
constexpr Numbered kFrameTooltips[] = {
    {main_id::kClose, t::kClose},
    {main_id::kMaximise, t::kMaximise},
    {main_id::kMinimise, t::kMinimise},
    {main_id::kSettings, t::kSettings},
    {main_id::kPreviousDevice, t::kPreviousPage},
    {main_id::kNextDevice, t::kNextPage},
};
constexpr int kTabTexts[] = {t::kTabHome,   t::kTabButtons,  t::kTabPerformance,
                             t::kTabMacros, t::kTabLighting, t::kTabDeviceInfo};

std::u16string Text(int number) {
    return LoadLanguageString(number);
}

}  // namespace

void DeviceMainDlg::ApplyLanguage() {
    if (GetControl(main_id::kLogo) == nullptr) {
        return;  // not built yet
    }
    style.state_font = StateFontName();
    style.button_font = ButtonFontName();
    if (auto* state = GetControlAs<DUI::MControlFont>(main_id::kDeviceState)) {
        state->SetFontName(style.state_font);
    }
    for (int id : {main_id::kProfile, main_id::kTabs}) {
        if (auto* control = GetControlAs<DUI::MControlFont>(id)) {
            control->SetFontName(style.button_font);
        }
    }

    for (const Numbered& row : kFrameTitles) {
        if (auto* control = GetControlAs<DUI::MControlFont>(row.id)) {
            control->SetTitle(Text(row.text));
        }
    }
    for (const Numbered& row : kFrameTooltips) {
        if (DUI::MControl* control = GetControl(row.id)) {
            control->SetTooltip(Text(row.text));
        }
    }
    if (auto* state = GetControlAs<DUI::MControlFont>(main_id::kDeviceState)) {
        // An absent mouse shows "not connected" in the new language too.
        const std::optional<int> mode =
            services_.connected_mode ? services_.connected_mode(device_.selected_device_type.load())
                                     : std::nullopt;
        const int number = !mode ? t::kNotConnected : *mode == 1 ? t::kWireless : t::kWired;
        state->SetTitle(Text(number));
    }
    if (!update_.software_version.empty()) {
        const std::u16string line =
            Format(u"%s: v%s", Text(t::kSoftwareVersion), update_.software_version);
        GetControlAs<DUI::MControlFont>(main_id::kVersion)->SetTitle(line);
        if (auto* version = dynamic_cast<DUI::MControlFont*>(
                FindInPage(*this, settings_page, settings_id::kVersion))) {
            version->SetTitle(line);
        }
    }
    if (auto* list = GetControlAs<DUI::CDeviceList>(main_id::kDeviceList)) {
        list->SetVersionDesc(Text(t::kDeviceListVersion));
    }
    for (int i = 0; i < static_cast<int>(std::size(kTabTexts)); ++i) {
        tab_ctrl->SetItemText(i, Text(kTabTexts[i]));
    }

    const std::vector<std::u16string> names =
        services_.button_names ? services_.button_names() : std::vector<std::u16string>{};
    ReapplyButtonPageTexts(*this, style, names);
    ReapplyPerformancePageTexts(*this, style);
    ReapplyLightingPageTexts(*this, style);
    ReapplyMacroPageTexts(*this, style);
    ReapplyInformationPageTexts(*this, style);
    ReapplySettingsPageTexts(*this, style);

    localised_texts.Rebuild();
    CallMessageSlot(MessageSlot::kApplyLanguage, 0, 0, 0);
}

}  // namespace tessaly::ui
