#include "ui/pages/settings_page.h"

#include "app/language_state.h"
#include "ui/dialogs/colour_values.h"
#include "ui/ids/settings_page_ids.h"
#include "ui/localisation/known_languages.h"
#include "ui/localisation/text_ids.h"
#include "ui/main/device_main_dlg.h"
#include "ui/pages/control_table.h"
#include "ui/pages/page_look.h"
#include "ui/settings/settings_operations.h"
#include "ui/toolkit/dui.h"

namespace tessaly::ui {

using namespace DUI;
namespace t = text;

namespace {

constexpr std::u16string_view kCheck = u"btn_checkbox.png";
constexpr std::u16string_view kExitGroup = u"IDC_SET_STC_EXITMODE";

constexpr ControlSpec kRows[] = {
    {.class_name = "MPicture",
     .id = settings_id::kBackground,
     .flags = ui::kArea,
     .image = u"img_area_bkg.png"},
    {.class_name = "CImageButton",
     .id = settings_id::kReturn,
     .image = u"img_return.png",
     .frames = 4,
     .tooltip = t::kBack},
    {.class_name = "MText", .id = settings_id::kVersion, .flags = ui::kArea},
    {.class_name = "MText",
     .id = settings_id::kVersionStatus,
     .flags = ui::kArea,
     .text = t::kNotCheckedYet},
    {.class_name = "MButton",
     .id = settings_id::kUpdateCheck,
     .image = kButtonImage,
     .frames = 4,
     .text = t::kCheckForUpdates},
    {.class_name = "MButton",
     .id = settings_id::kFactoryReset,
     .image = kButtonImage,
     .frames = 4,
     .text = t::kFactoryReset},
    {.class_name = "MText",
     .id = settings_id::kLanguageLabel,
     .flags = ui::kArea,
     .text = t::kLanguage},
    {.class_name = "MComboBox",
     .id = settings_id::kLanguage,
     .image = u"img_combobox.png",
     .frames = 4},
    {.class_name = "MText",
     .id = settings_id::kStartupLabel,
     .flags = ui::kArea,
     .text = t::kStartup},
    {.class_name = "CCheckButton",
     .id = settings_id::kStartWithSystem,
     .image = kCheck,
     .frames = 8,
     .text = t::kStartWithSystem},
    {.class_name = "CCheckButton",
     .id = settings_id::kStartMinimised,
     .flags = kDisabled,
     .image = kCheck,
     .frames = 8,
     .text = t::kStartMinimised},
    {.class_name = "CArea", .id = settings_id::kStartupArea, .flags = ui::kArea},
    {.class_name = "CArea", .id = settings_id::kCloseArea, .flags = ui::kArea},
    {.class_name = "MText",
     .id = settings_id::kCloseLabel,
     .flags = ui::kArea,
     .text = t::kCloseButtonAction},
    {.class_name = "CRadioButton",
     .id = settings_id::kCloseHidesToTray,
     .image = kRadioImage,
     .frames = 8,
     .text = t::kCloseHidesToTray,
     .group = kExitGroup},
    {.class_name = "CRadioButton",
     .id = settings_id::kCloseExits,
     .image = kRadioImage,
     .frames = 8,
     .text = t::kCloseExits,
     .group = kExitGroup},
    {.class_name = "MText",
     .id = settings_id::kCopyright,
     .flags = ui::kArea,
     .text = t::kCopyright},
    {.class_name = "CTextButton", .id = settings_id::kWebsiteLink, .text = t::kWebsite},
    {.class_name = "CTextButton", .id = settings_id::kFeedbackLink, .text = t::kFeedback},
    {.class_name = "CTextButton", .id = settings_id::kQaLink, .text = t::kFaq},
};

constexpr int kLinkProperty = 4;

template <typename T>
T* Get(const MDialog& dlg, const MTabLayout* page, int id) {
    return dynamic_cast<T*>(FindInPage(dlg, page, id));
}

void SetFonts(const MDialog& dlg, const MTabLayout* page, const PageStyle& style) {
    for (int id :
         {settings_id::kVersion, settings_id::kVersionStatus, settings_id::kUpdateCheck,
          settings_id::kFactoryReset, settings_id::kLanguageLabel, settings_id::kStartupLabel,
          settings_id::kStartWithSystem, settings_id::kStartMinimised, settings_id::kCloseLabel,
          settings_id::kCloseHidesToTray, settings_id::kCloseExits}) {
        if (auto* control = Get<MControlFont>(dlg, page, id)) {
            control->SetFontWidth(16);
        }
    }
    for (int id :
         {settings_id::kLanguageLabel, settings_id::kStartupLabel, settings_id::kStartWithSystem,
          settings_id::kStartMinimised, settings_id::kCloseLabel, settings_id::kCloseHidesToTray,
          settings_id::kCloseExits}) {
        Get<MControlFont>(dlg, page, id)->SetTextColor(kWhite);
    }
    // Green is for a check that found the newest version, not for "not
    // checked yet" or a failed check.
    Get<MControlFont>(dlg, page, settings_id::kVersionStatus)->SetTextColor(kWhite);
    for (int id : {settings_id::kStartupArea, settings_id::kCloseArea}) {
        Get<CArea>(dlg, page, id)->SetColor(0x00E6E6E6);  // transparent
    }
    auto* language = Get<MComboBox>(dlg, page, settings_id::kLanguage);
    language->SetFont(style.button_font, 14, 0);
    language->SetAlignment(kAlignCenter);
    for (int id : {settings_id::kWebsiteLink, settings_id::kFeedbackLink, settings_id::kQaLink}) {
        auto* link = Get<CTextButton>(dlg, page, id);
        link->SetFontWidth(16);  // the page's one size
        link->SetAlignment(kAlignCenter);
        link->SetStyle(kLinkProperty);
    }
}

void ReadInitialState(const MDialog& dlg, const MTabLayout* page) {
    auto* language = Get<MComboBox>(dlg, page, settings_id::kLanguage);
    for (const KnownLanguage& known : kKnownLanguages) {
        if (InLanguageSet(known.lcid)) {
            language->AddItem(known.display_name, known.lcid);
        }
    }
    language->SelectData(CurrentLcid());

    if (const Autostart autostart = StoredAutostart(); autostart.with_session) {
        Get<CCheckButton>(dlg, page, settings_id::kStartWithSystem)->SetCheck(true);
        auto* minimised = Get<CCheckButton>(dlg, page, settings_id::kStartMinimised);
        minimised->SetEnabled(true);
        minimised->SetCheck(autostart.minimised);
    }
    const bool hide = StoredCloseMode() == CloseMode::kHideToTray;
    Get<CRadioButton>(dlg, page, hide ? settings_id::kCloseHidesToTray : settings_id::kCloseExits)
        ->SetCheck(true);
}

// Wide enough for the longest language's texts at the page's one font size,
// within the panel (the background).
constexpr Placement kPlacements[] = {
    {settings_id::kReturn, 0, {100, 150, 180, 200}},
    {settings_id::kLanguageLabel, 0, {340, 200, 700, 236}},
    {settings_id::kLanguage, 0, {340, 236, 490, 266}},
    {settings_id::kStartupLabel, 0, {340, 296, 700, 332}},
    {settings_id::kStartWithSystem, 0, {340, 332, 760, 362}},
    {settings_id::kStartMinimised, 0, {400, 368, 820, 398}},
    {settings_id::kCloseLabel, 0, {340, 428, 760, 464}},
    {settings_id::kCloseHidesToTray, 0, {340, 464, 760, 494}},
    {settings_id::kCloseExits, 0, {340, 500, 760, 530}},
    {settings_id::kFactoryReset, 0, {340, 550, 760, 586}},
    {settings_id::kWebsiteLink, 0, {340, 600, 560, 630}},
    {settings_id::kFeedbackLink, 0, {570, 600, 790, 630}},
    {settings_id::kQaLink, 0, {800, 600, 1020, 630}},
};

void OnLanguageChosen(const MDialog& dlg, const MTabLayout* page) {
    auto* language = Get<MComboBox>(dlg, page, settings_id::kLanguage);
    if (language != nullptr && language->GetCurSel() >= 0) {
        SetLanguage(static_cast<int>(language->GetCurData()));
    }
}

void OnStartWithDesktop(const MDialog& dlg, const MTabLayout* page) {
    auto* start = Get<CCheckButton>(dlg, page, settings_id::kStartWithSystem);
    auto* minimised = Get<CCheckButton>(dlg, page, settings_id::kStartMinimised);
    if (start == nullptr || minimised == nullptr) {
        return;
    }
    const bool on = start->GetCheck();
    if (!on) {
        minimised->SetCheck(false);
    }
    minimised->SetEnabled(on);
    SetStartWithSession(on);
}

void OnStartMinimised(const MDialog& dlg, const MTabLayout* page) {
    if (auto* minimised = Get<CCheckButton>(dlg, page, settings_id::kStartMinimised)) {
        SetStartMinimised(minimised->GetCheck());
    }
}

void OnExitMode(const MDialog& dlg, const MTabLayout* page) {
    auto* hide = Get<CRadioButton>(dlg, page, settings_id::kCloseHidesToTray);
    SetCloseMode(hide != nullptr && hide->GetCheck() ? CloseMode::kHideToTray : CloseMode::kExit);
}

}  // namespace

int OnSettingsPageEvent(DeviceMainDlg& dlg, int id, const std::function<void()>& software_check) {
    const MTabLayout* page = dlg.settings_page;
    switch (id) {
        case settings_id::kReturn:
            dlg.ReturnFromSettings();
            return 1;
        case settings_id::kUpdateCheck:
            if (software_check) {
                software_check();
            }
            return 1;
        case settings_id::kLanguage:
            OnLanguageChosen(dlg, page);
            return 1;
        case settings_id::kStartWithSystem:
            OnStartWithDesktop(dlg, page);
            return 1;
        case settings_id::kStartMinimised:
            OnStartMinimised(dlg, page);
            return 1;
        case settings_id::kCloseHidesToTray:
        case settings_id::kCloseExits:
            OnExitMode(dlg, page);
            return 1;
        default:
            return 0;
    }
}

void InstallSettingsPageEvents(DeviceMainDlg& dlg, std::function<void()> software_check) {
    dlg.SetPageHandler(RouteSlot::kSettingsPage,
                       [&dlg, check = std::move(software_check)](int id, int, intptr_t) {
                           return OnSettingsPageEvent(dlg, id, check);
                       });
}

void BuildSettingsPage(MDialog& dlg, MTabLayout& page, const PageStyle& style) {
    CreateControls(dlg, &page, kRows, style);
    SetFonts(dlg, &page, style);
    ReadInitialState(dlg, &page);
}

void ReapplySettingsPageTexts(MDialog& dlg, const PageStyle& style) {
    const MTabLayout* page = FindPage(dlg, kSettingsPageId);
    ReapplyTexts(dlg, page, kRows, style);
    if (auto* language = Get<MComboBox>(dlg, page, settings_id::kLanguage)) {
        language->SetFontName(style.button_font);
    }
}

void LayoutSettingsPage(MDialog& dlg, Rect client, float s) {
    const MTabLayout* page = FindPage(dlg, kSettingsPageId);
    if (page == nullptr) {
        return;
    }
    auto scale = [s](int value) { return static_cast<int>(static_cast<float>(value) * s); };
    Place(dlg, page, {0, 0}, 1.0f, kPlacements);
    const Placement scaled[] = {
        {settings_id::kBackground, 0, {240, 80, client.right - 240, client.bottom - 50}},
        {settings_id::kVersion, 0, {340, 160, 340 + scale(260), 190}},
        {settings_id::kVersionStatus,
         0,
         {340 + scale(260), 160, 340 + scale(440), 160 + scale(30)}},
        {settings_id::kUpdateCheck, 0, {340 + scale(450), 160, 340 + scale(700), 160 + scale(30)}},
    };
    Place(dlg, page, {0, 0}, 1.0f, scaled);
}

}  // namespace tessaly::ui
