// The main window's frame: building, layout and navigation between pages.

#include "app/registry_values.h"
#include "ui/localisation/language_change.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/main/device_main_dlg.h"
#include "ui/main/main_window_layout.h"
#include "ui/main/page_builders.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/device_list.h"
#include "ui/toolkit/controls/static_controls.h"

#include "base/task.h"

namespace tessaly::ui {
namespace {

constexpr DUI::Rect kEmpty{};

std::u16string Text(int number) {
    return LoadLanguageString(number);
}

void Place(DUI::MControl* control, DUI::Rect rect) {
    if (control != nullptr) {
        control->SetRect(rect);
    }
}

struct TabEntry {
    int item_id;
    int text;
    const char16_t* icon;
};
constexpr TabEntry kTabs[] = {
    {1, text::kTabHome, u"icon\\tab_home.png"},
    {2, text::kTabButtons, u"icon\\tab_key.png"},
    {3, text::kTabPerformance, u"icon\\tab_dpi.png"},
    {4, text::kTabMacros, u"icon\\tab_macro.png"},
    {5, text::kTabLighting, u"icon\\tab_light.png"},
    {7, text::kTabDeviceInfo, u"icon\\tab_set.png"},
};

}  // namespace

void DeviceMainDlg::Show(int id, bool visible) {
    if (DUI::MControl* control = GetControl(id)) {
        control->SetVisible(visible);
    }
}

void DeviceMainDlg::InitUI(DUI::Rect client) {
    style.state_font = StateFontName();
    style.button_font = ButtonFontName();
    CreateFrame();
    CreateHomePage();
    BuildPages();
    UISize(client);
    // The settings page changes the language on the UI thread.
    SetApplyLanguageHandler([this] { ApplyLanguage(); });
}

void DeviceMainDlg::CreateFrame() {
    auto picture = [this](int id, std::u16string_view image, int h, int v) {
        auto* p = CreateArea<DUI::MPicture>(id, kEmpty);
        if (!image.empty()) {
            p->SetImage(image, 1);
        }
        p->SetShowMode(h, v);
        return p;
    };
    picture(30, u"main_bkg.png", 3, 6);
    picture(31, u"", 2, 4)->SetVisible(false);
    picture(32, u"img_area_caption.png", 3, 10);
    picture(33, u"img_area_caption.png", 3, 10);

    auto* title = CreateArea<DUI::MText>(35, kEmpty, Text(text::kMainTitle));
    title->SetTextColor(style.frame_text_color);
    title->SetAlignment(DUI::kAlignCenter);
    title->SetFont(kTitleFontName, kTitleFontSize, 1);
    CreateArea<DUI::MText>(36, kEmpty)->SetTextColor(style.accent_text_color);
    auto image_button = [this](int id, std::u16string_view image, int tooltip) {
        auto* b = CreateControl<DUI::CImageButton>(id, kEmpty);
        b->SetImage(image, 4);
        b->SetTooltip(Text(tooltip));
    };
    image_button(38, u"sysbtn_close.png", text::kClose);
    image_button(41, u"sysbtn_maximize.png", text::kMaximise);
    image_button(39, u"sysbtn_min.png", text::kMinimise);
    image_button(40, u"sysbtn_setting.png", text::kSettings);

    auto* battery = CreateControl<DUI::BatteryCtrl>(43, kEmpty);
    battery->SetImage(u"icon\\icon_battery_bkg.png", 1);
    battery->SetSubImage(DUI::ImageRole::kBatteryValue, u"icon\\icon_batteryvalue.png");
    battery->SetSubImage(DUI::ImageRole::kBatteryCharge, u"icon\\icon_charge.png");
    battery->SetTextColor(0xFF3E556D);
    battery->AddMTimer(true);

    auto* state = CreateControl<DUI::CDeviceState>(44, kEmpty, Text(text::kNotConnected));
    state->SetImage(u"img_area.png", 4);
    state->SetTextColor(style.frame_text_color);
    state->SetFont(style.state_font, 14, 0);

    auto* profile = CreateControl<DUI::CIconButton>(45, kEmpty, Text(text::kProfile));
    profile->SetImage(u"img_button.png", 4);
    profile->SetIcon(u"icon\\icon_arrow_up.png", 1);
    profile->SetTextRect({0, 0, 130, 26});
    profile->SetIconRect({110, 12, 124, 24});
    profile->SetFont(style.button_font, 14, 0);
    // After the profile button: Tab crosses the bottom bar in one go.
    auto* link = CreateControl<DUI::CTextButton>(37, kEmpty, Text(text::kCopyright));
    link->SetTextColor(style.accent_text_color);
    link->SetAlignment(DUI::kAlignCenter);

    auto* hidden_reset = CreateControl<DUI::MButton>(46, kEmpty, Text(text::kFactoryResetHidden));
    hidden_reset->SetImage(u"img_button.png", 4);
    hidden_reset->SetFontWidth(14);
    hidden_reset->SetTextColor(style.frame_text_color);

    auto page = [this](int id, bool visible) {
        auto* p = CreateControl<DUI::MTabLayout>(id, kEmpty);
        p->SetVisible(visible);
        return p;
    };
    performance_page = page(52, false);
    lighting_page = page(54, false);
    button_page = page(50, true);
    macro_page = page(53, false);
    information_page = page(55, false);
    settings_page = page(56, false);
    home_page = page(49, true);
    custom_key_page = button_page->CreateChildControl<DUI::MTabLayout>(51, kEmpty);
    custom_key_page->SetVisible(false);

    picture(47, u"img_tab_bkg.png", 3, 12);
    tab_ctrl = CreateControl<DUI::MTabCtrl>(48, kEmpty);
    tab_ctrl->SetImage(u"img_tabitem_bkg.png", 4);
    DUI::TabMetrics metrics;
    metrics.control = {190, 60};
    metrics.horizontal_padding = {0, 190};
    metrics.vertical_padding = {0, 300};
    metrics.item_width = {190, 190, 1};
    metrics.item_height = {60, 60, 1};
    tab_ctrl->SetMetrics(metrics);
    DUI::MTabLayout* const pages[] = {home_page,  button_page,   performance_page,
                                      macro_page, lighting_page, information_page};
    for (size_t i = 0; i < std::size(kTabs); ++i) {
        tab_ctrl->InsertItem(kTabs[i].item_id, Text(kTabs[i].text), kTabs[i].icon, pages[i], 4, 0);
    }
    tab_ctrl->SelectItem(0);

    picture(34, u"logo.png", 0, 0);
}

void DeviceMainDlg::CreateHomePage() {
    auto* list = home_page->CreateChildControl<DUI::CDeviceList>(57, kEmpty);
    list->SetImage(u"area_device.png", 1);
    list->SetSubImage(DUI::ImageRole::kBatteryBackground, u"icon\\icon_battery_bkg.png");
    list->SetSubImage(DUI::ImageRole::kBatteryValue, u"icon\\icon_batteryvalue.png");
    list->SetSubImage(DUI::ImageRole::kBatteryCharge, u"icon\\icon_charge.png");
    list->SetSubImage(DUI::ImageRole::kMode, u"device_mode.png");
    list->SetVersionDesc(Text(text::kDeviceListVersion));

    auto* previous = home_page->CreateChildControl<DUI::CImageButton>(60, kEmpty);
    previous->SetImage(u"img_btn_pre.png", 4);
    previous->SetTooltip(Text(text::kPreviousPage));
    auto* next = home_page->CreateChildControl<DUI::CImageButton>(61, kEmpty);
    next->SetImage(u"img_btn_next.png", 4);
    next->SetTooltip(Text(text::kNextPage));

    auto* panel = home_page->CreateChildArea<DUI::MPicture>(58, kEmpty);
    panel->SetImage(u"img_area3.png", 1);
    panel->SetShowMode(3, 10);
    panel->SetVisible(false);
    auto* notice = home_page->CreateChildArea<DUI::MText>(59, kEmpty, Text(text::kNoDeviceNotice));
    notice->SetTextColor(style.frame_text_color);
    notice->SetMultiLine(true);
    notice->SetFontWidth(20);
    notice->SetAlignment(DUI::kAlignCenter);
    notice->SetVisible(false);
}

void DeviceMainDlg::UISize(DUI::Rect client) {
    if (GetControl(34) == nullptr) {
        return;
    }
    GetControl(41)->SetImage(IsZoomed() ? u"sysbtn_restore.png" : u"sysbtn_maximize.png", 4);
    const FrameLayout f = ComputeFrameLayout(client);
    scale = f.scale;
    Place(GetControl(30), f.background);
    layout_client_ = client;
    PlaceMousePicture();
    if (auto* logo = GetControl(34)) {
        if (auto rect = LogoRect(logo->GetImageSize())) {
            logo->SetRect(*rect);
        }
    }
    Place(GetControl(32), f.caption);
    Place(GetControl(33), f.bottom_strip);
    Place(GetControl(38), f.close);
    Place(GetControl(39), f.minimise);
    Place(GetControl(40), f.settings);
    Place(GetControl(35), f.title);
    Place(GetControl(36), f.version);
    Place(GetControl(37), f.website);
    Place(GetControl(43), f.battery);
    Place(GetControl(44), f.device_state);
    Place(GetControl(45), f.profile);
    Place(GetControl(47), f.tab_background);
    Place(GetControl(48), f.tabs);
    for (int id : {50, 52, 53, 54, 55}) {
        Place(GetControl(id), f.feature_page);
    }
    Place(GetControl(49), f.home_page);
    Place(GetControl(51), f.custom_key_page);
    Place(GetControl(56), f.settings_page);
    Place(GetControl(57), f.device_list);
    Place(GetControl(58), f.notice);
    Place(GetControl(59), f.notice);
    centred_notice = f.centred_notice;
    LayoutPages(client);
}

void DeviceMainDlg::PlaceMousePicture() {
    DUI::MControl* picture = GetControl(31);
    if (picture == nullptr) {
        return;
    }
    const bool information = information_page != nullptr && information_page->IsVisible();
    if (auto rect = MousePictureRect(layout_client_, picture->GetImageSize(), information)) {
        picture->SetRect(*rect);
    }
}

int DeviceMainDlg::OnTabClick(int index) {
    if (settings_page->IsVisible()) {
        settings_page->SetVisible(false);
        for (int id : {38, 39, 40, 41}) {
            Show(id, true);
        }
    }
    const int item_id = tab_ctrl->GetItemID(index);
    if (current_tab_id == 1) {
        Show(31, true);
    }
    Show(43, true);
    if (item_id == 1) {
        for (int id : {31, 47, 48, 44, 45, 46, 43}) {
            Show(id, false);
        }
    }
    current_tab_id = item_id;
    PlaceMousePicture();
    return 1;
}

int DeviceMainDlg::OnOpenSettings() {
    Show(47, false);
    tab_ctrl->SetTabCtrlVisible(false);
    // The settings page covers the device pages; hidden, their controls are
    // not reached with Tab behind it. Selecting a tab shows one again.
    for (DUI::MTabLayout* page :
         {home_page, button_page, performance_page, macro_page, lighting_page, information_page}) {
        page->SetVisible(false);
    }
    for (int id : {31, 43, 40, 41}) {
        Show(id, false);
    }
    // The page under the settings would stay live behind it: its texts and
    // buttons overlap the settings' own. The return selects a page again.
    for (DUI::MTabLayout* page :
         {home_page, button_page, performance_page, macro_page, lighting_page, information_page}) {
        page->SetVisible(false);
    }
    settings_page->SetVisible(true);
    return 1;
}

void DeviceMainDlg::ReturnFromSettings() {
    settings_page->SetVisible(false);
    Show(40, true);
    Show(41, true);
    if (device_present.load() && current_tab_id != 1) {
        Show(47, true);
        tab_ctrl->SetTabCtrlVisible(true);
        tab_ctrl->SelectItem(return_tab_index);
        Show(31, true);
        Show(43, true);
    } else {
        tab_ctrl->SelectItem(0);
        home_page->SetVisible(true);
    }
    PlaceMousePicture();
}

void DeviceMainDlg::ShowDevicePages() {
    Show(47, true);
    tab_ctrl->SetTabCtrlVisible(true);
    tab_ctrl->SelectItem(1);
    // Without this a later return from the settings page would go home.
    current_tab_id = tab_ctrl->GetItemID(1);
    for (int id : {31, 44, 45, 46}) {
        Show(id, true);
    }
    PlaceMousePicture();
}

void DeviceMainDlg::ShowNoDevice() {
    tab_ctrl->SelectItem(0);
    for (int id : {47, 48, 31}) {
        Show(id, false);
    }
    home_page->SetVisible(true);
    Show(58, true);
    Show(59, true);
}

int DeviceMainDlg::OnActivateDevice() {
    auto* list = GetControlAs<DUI::CDeviceList>(57);
    const int type = list->GetSelectDevice();
    const std::optional<int> mode =
        services_.connected_mode ? services_.connected_mode(type) : std::nullopt;
    if (!mode) {
        MessageBox(text::kDeviceNotConnected, text::kNoDeviceNotice, 0);
        return 0;
    }
    const bool other_model = type != selected_device_type.load();
    if (other_model) {
        selected_device_type.store(type);
        WriteDeviceType(type);
        if (services_.select_model) {
            services_.select_model(type);
        }
    }
    connection_mode.store(*mode);
    auto* state = GetControlAs<DUI::CDeviceState>(44);
    state->SetTitle(Text(*mode == 1 ? text::kWireless : text::kWired));
    // Another model's pages, sensor and state come from its own mouse and
    // store, over the cable too.
    if (*mode == 1 || other_model) {
        QueueTask(kTaskActivateSelected);
    }
    ShowDevicePages();
    return 1;
}

}  // namespace tessaly::ui
