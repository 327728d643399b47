#include "ui/pages/settings_page.h"

#include "app/language_state.h"
#include "ui/localisation/known_languages.h"
#include "ui/localisation/text_ids.h"
#include "ui/main/device_main_dlg.h"
#include "ui/pages/control_table.h"
#include "ui/settings/settings_operations.h"
#include "ui/toolkit/dui.h"

namespace tessaly::ui {

using namespace DUI;
namespace t = text;

namespace {

constexpr std::u16string_view kButton = u"img_button.png";
constexpr std::u16string_view kCheck = u"btn_checkbox.png";
constexpr std::u16string_view kRadio = u"btn_radiobox.png";
constexpr std::u16string_view kExitGroup = u"IDC_SET_STC_EXITMODE";

constexpr ControlSpec kRows[] = {
    {.class_name = "MPicture", .id = 272, .flags = ui::kArea, .image = u"img_area_bkg.png"},
    {.class_name = "CImageButton",
     .id = 273,
     .image = u"img_return.png",
     .frames = 4,
     .tooltip = t::kBack},
    {.class_name = "MText", .id = 274, .flags = ui::kArea},
    {.class_name = "MText", .id = 275, .flags = ui::kArea, .text = t::kNotCheckedYet},
    {.class_name = "MButton",
     .id = 276,
     .image = kButton,
     .frames = 4,
     .text = t::kCheckForUpdates},
    {.class_name = "MButton", .id = 277, .image = kButton, .frames = 4, .text = t::kFactoryReset},
    {.class_name = "MText", .id = 278, .flags = ui::kArea, .text = t::kLanguage},
    {.class_name = "MComboBox", .id = 279, .image = u"img_combobox.png", .frames = 4},
    {.class_name = "MText", .id = 280, .flags = ui::kArea, .text = t::kStartup},
    {.class_name = "CCheckButton",
     .id = 281,
     .image = kCheck,
     .frames = 8,
     .text = t::kStartWithSystem},
    {.class_name = "CCheckButton",
     .id = 282,
     .flags = kDisabled,
     .image = kCheck,
     .frames = 8,
     .text = t::kStartMinimised},
    {.class_name = "CArea", .id = 283, .flags = ui::kArea},
    {.class_name = "CArea", .id = 284, .flags = ui::kArea},
    {.class_name = "MText", .id = 285, .flags = ui::kArea, .text = t::kCloseButtonAction},
    {.class_name = "CRadioButton",
     .id = 286,
     .image = kRadio,
     .frames = 8,
     .text = t::kCloseHidesToTray,
     .group = kExitGroup},
    {.class_name = "CRadioButton",
     .id = 287,
     .image = kRadio,
     .frames = 8,
     .text = t::kCloseExits,
     .group = kExitGroup},
    {.class_name = "MText", .id = 288, .flags = ui::kArea, .text = t::kCopyright},
    {.class_name = "CTextButton", .id = 289, .text = t::kWebsite},
    {.class_name = "CTextButton", .id = 290, .text = t::kFeedback},
    {.class_name = "CTextButton", .id = 291, .text = t::kFaq},
};

constexpr Color kWhite = 0xFFFFFFFF;
constexpr int kLinkProperty = 4;

template <typename T>
T* Get(const MDialog& dlg, const MTabLayout* page, int id) {
    return dynamic_cast<T*>(FindInPage(dlg, page, id));
}

void SetFonts(const MDialog& dlg, const MTabLayout* page, const PageStyle& style) {
    for (int id : {274, 275, 276, 277, 278, 280, 281, 282, 285, 286, 287}) {
        if (auto* control = Get<MControlFont>(dlg, page, id)) {
            control->SetFontWidth(16);
        }
    }
    for (int id : {278, 280, 281, 282, 285, 286, 287}) {
        Get<MControlFont>(dlg, page, id)->SetTextColor(kWhite);
    }
    Get<MControlFont>(dlg, page, 275)->SetTextColor(0xFF00C800);
    for (int id : {283, 284}) {
        Get<CArea>(dlg, page, id)->SetColor(0x00E6E6E6);  // transparent
    }
    auto* language = Get<MComboBox>(dlg, page, 279);
    language->SetFont(style.button_font, 14, 0);
    language->SetAlignment(kAlignCenter);
    for (int id : {289, 290, 291}) {
        auto* link = Get<CTextButton>(dlg, page, id);
        link->SetFontWidth(16);  // the page's one size
        link->SetAlignment(kAlignCenter);
        link->SetStyle(kLinkProperty);
    }
}

void ReadInitialState(const MDialog& dlg, const MTabLayout* page) {
    auto* language = Get<MComboBox>(dlg, page, 279);
    for (const KnownLanguage& known : kKnownLanguages) {
        if (InLanguageSet(known.lcid)) {
            language->AddItem(known.display_name, known.lcid);
        }
    }
    language->SelectData(CurrentLcid());

    if (const Autostart autostart = StoredAutostart(); autostart.with_session) {
        Get<CCheckButton>(dlg, page, 281)->SetCheck(true);
        auto* minimised = Get<CCheckButton>(dlg, page, 282);
        minimised->SetEnabled(true);
        minimised->SetCheck(autostart.minimised);
    }
    const bool hide = StoredCloseMode() == CloseMode::kHideToTray;
    Get<CRadioButton>(dlg, page, hide ? 286 : 287)->SetCheck(true);
}

// Wide enough for the longest language's texts at the page's one font size,
// within the panel (272).
constexpr Placement kPlacements[] = {
    {273, 0, {100, 150, 180, 200}},  {278, 0, {340, 200, 700, 236}}, {279, 0, {340, 236, 490, 266}},
    {280, 0, {340, 296, 700, 332}},  {281, 0, {340, 332, 760, 362}}, {282, 0, {400, 368, 820, 398}},
    {285, 0, {340, 428, 760, 464}},  {286, 0, {340, 464, 760, 494}}, {287, 0, {340, 500, 760, 530}},
    {277, 0, {340, 550, 760, 586}},  {289, 0, {340, 600, 560, 630}}, {290, 0, {570, 600, 790, 630}},
    {291, 0, {800, 600, 1020, 630}},
};

void OnLanguageChosen(const MDialog& dlg, const MTabLayout* page) {
    auto* language = Get<MComboBox>(dlg, page, 279);
    if (language != nullptr && language->GetCurSel() >= 0) {
        SetLanguage(static_cast<int>(language->GetCurData()));
    }
}

void OnStartWithDesktop(const MDialog& dlg, const MTabLayout* page) {
    auto* start = Get<CCheckButton>(dlg, page, 281);
    auto* minimised = Get<CCheckButton>(dlg, page, 282);
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
    if (auto* minimised = Get<CCheckButton>(dlg, page, 282)) {
        SetStartMinimised(minimised->GetCheck());
    }
}

void OnExitMode(const MDialog& dlg, const MTabLayout* page) {
    auto* hide = Get<CRadioButton>(dlg, page, 286);
    SetCloseMode(hide != nullptr && hide->GetCheck() ? CloseMode::kHideToTray : CloseMode::kExit);
}

}  // namespace

int OnSettingsPageEvent(DeviceMainDlg& dlg, int id, const std::function<void()>& software_check) {
    const MTabLayout* page = dlg.settings_page;
    switch (id) {
        case 273:
            dlg.ReturnFromSettings();
            return 1;
        case 276:
            if (software_check) {
                software_check();
            }
            return 1;
        case 279:
            OnLanguageChosen(dlg, page);
            return 1;
        case 281:
            OnStartWithDesktop(dlg, page);
            return 1;
        case 282:
            OnStartMinimised(dlg, page);
            return 1;
        case 286:
        case 287:
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
    if (auto* language = Get<MComboBox>(dlg, page, 279)) {
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
        {272, 0, {240, 80, client.right - 240, client.bottom - 50}},
        {274, 0, {340, 160, 340 + scale(260), 190}},
        {275, 0, {340 + scale(260), 160, 340 + scale(440), 160 + scale(30)}},
        {276, 0, {340 + scale(450), 160, 340 + scale(700), 160 + scale(30)}},
    };
    Place(dlg, page, {0, 0}, 1.0f, scaled);
}

}  // namespace tessaly::ui
