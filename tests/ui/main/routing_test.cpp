#include <gtest/gtest.h>

#include <map>

#include "controller_fixture.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/main/message_routing.h"

namespace tessaly::ui::test {
namespace {

using Routing = ControllerFixture;

struct Hit {
    RouteSlot slot;
    int id;
    int event;
};

TEST_F(Routing, EveryTableIdReachesItsSlot) {
    Open();
    std::vector<Hit> hits;
    for (size_t i = 0; i < static_cast<size_t>(RouteSlot::kCount); ++i) {
        const auto slot = static_cast<RouteSlot>(i);
        dlg->SetPageHandler(slot, [&hits, slot](int id, int event, intptr_t) {
            hits.push_back({slot, id, event});
            return 1;
        });
    }
    for (const Route& route : RoutingTable()) {
        for (int id = route.first_id; id <= route.last_id; ++id) {
            hits.clear();
            EXPECT_EQ(dlg->OnMessage(id, 2, 0, 0), 1) << id;
            ASSERT_EQ(hits.size(), 1u) << id;
            EXPECT_EQ(hits[0].slot, route.slot) << id;
            hits.clear();
            EXPECT_EQ(dlg->OnMessage(id, 7, 0, 0), route.any_event ? 1 : 0) << id;
            EXPECT_EQ(hits.size(), route.any_event ? 1u : 0u) << id;
        }
    }
    for (int id : {0, 42, 47, 92, 99, 300}) {
        hits.clear();
        EXPECT_EQ(dlg->OnMessage(id, 2, 0, 0), 0) << id;
        EXPECT_TRUE(hits.empty()) << id;
    }
}

TEST(RoutingTable, NamesTheOwners) {
    const std::map<int, RouteSlot> expected = {
        {48, RouteSlot::kTabSwitch},
        {102, RouteSlot::kCustomKeyEdit},
        {139, RouteSlot::kPerformanceEdit},
        {166, RouteSlot::kMacroLists},
        {187, RouteSlot::kMacroEdit},
        {232, RouteSlot::kLightingEdit},
        {38, RouteSlot::kClose},
        {289, RouteSlot::kWebsite},
        {149, RouteSlot::kSystemMouse},
        {57, RouteSlot::kActivateDevice},
        {108, RouteSlot::kButtonPage},
        {96, RouteSlot::kAccepted},
        {135, RouteSlot::kPerformancePage},
        {222, RouteSlot::kAccepted},
        {169, RouteSlot::kMacroPage},
        {250, RouteSlot::kFactoryRestore},
        {46, RouteSlot::kFactoryRestore},
        {287, RouteSlot::kSettingsPage},
    };
    for (const auto& [id, slot] : expected) {
        ASSERT_TRUE(FindRoute(id)) << id;
        EXPECT_EQ(FindRoute(id)->slot, slot) << id;
    }
    EXPECT_FALSE(FindRoute(92));
    EXPECT_FALSE(FindRoute(170));
}

TEST_F(Routing, OwnHandlersAct) {
    Open();
    EXPECT_EQ(dlg->OnMessage(96, 2, 0, 0), 1) << "accepted, nothing done";
    EXPECT_EQ(dlg->OnMessage(115, 2, 0, 0), 0) << "unregistered page handler";
    std::vector<std::u16string> opened;
    dlg->Services().shell_open = [&](std::u16string_view t, std::u16string_view) {
        opened.emplace_back(t);
    };
    EXPECT_EQ(dlg->OnMessage(37, 2, 0, 0), 0) << "no website address";
    dlg->Update().website_address = u"https://example.org";
    EXPECT_EQ(dlg->OnMessage(37, 2, 0, 0), 1);
    EXPECT_EQ(opened, (std::vector<std::u16string>{u"https://example.org"}));

    tasks.Clear();
    boxes.clear();
    dlg->OnMessage(277, 2, 0, 0);
    ASSERT_EQ(boxes.size(), 1u) << "offline: notice only";
    EXPECT_EQ(boxes[0].title, LoadLanguageString(576));
    EXPECT_TRUE(tasks.Empty());
    dlg->Device().device_online = true;
    box_answer = 2;
    dlg->OnMessage(277, 2, 0, 0);
    EXPECT_TRUE(tasks.Empty());
    box_answer = 1;
    dlg->OnMessage(277, 2, 0, 0);
    EXPECT_EQ(tasks.Snapshot(), (std::vector<int32_t>{20}));
}

using WindowMessages = ControllerFixture;

TEST_F(WindowMessages, ResultsFollowTheTable) {
    Open();
    std::map<MessageSlot, int> calls;
    for (size_t i = 0; i < static_cast<size_t>(MessageSlot::kCount); ++i) {
        const auto slot = static_cast<MessageSlot>(i);
        dlg->SetMessageHandler(slot, [&calls, slot](uintptr_t, intptr_t) {
            ++calls[slot];
            return 77;
        });
    }
    EXPECT_EQ(dlg->OnWindowMessage(kWmInput, 0, 0), 1) << "nothing armed";
    EXPECT_EQ(calls[MessageSlot::kRawInput], 0);
    dlg->key_capture.armed = true;
    EXPECT_EQ(dlg->OnWindowMessage(kWmInput, 0, 0), 77);
    EXPECT_EQ(dlg->OnWindowMessage(kWmDeviceChange, 0x8000, 0), 0);
    EXPECT_EQ(calls[MessageSlot::kDeviceChange], 1);
    EXPECT_EQ(dlg->OnWindowMessage(kWmDownloadProgress, 0, 50), 1);
    EXPECT_EQ(calls[MessageSlot::kDownloadProgress], 0) << "no progress dialog";
    tasks.Clear();
    EXPECT_EQ(dlg->OnWindowMessage(kWmProfile, 0, 3), 1);
    EXPECT_EQ(dlg->Device().current_profile, 3);
    EXPECT_EQ(tasks.Snapshot(), (std::vector<int32_t>{5}));
    EXPECT_EQ(dlg->OnWindowMessage(kWmProfile, 2, 3), 1);
    EXPECT_EQ(calls[MessageSlot::kProfileFile], 1);
    for (uint32_t m : {kWmMacroMenu1, kWmMacroMenu2, kWmMacroMenu3}) {
        EXPECT_EQ(dlg->OnWindowMessage(m, 0, 5), 1);
    }
    EXPECT_EQ(calls[MessageSlot::kMacroMenu], 3);
    EXPECT_EQ(dlg->OnWindowMessage(kWmApplyLanguage, 0, 0), 0);
    EXPECT_EQ(calls[MessageSlot::kApplyLanguage], 1);
    EXPECT_EQ(dlg->OnWindowMessage(0x0400, 0, 0), 0) << "base handling";
}

TEST_F(WindowMessages, ExitRequestsAndTray) {
    Open();
    EXPECT_EQ(dlg->OnWindowMessage(kWmExitRequest, 0, 611), 0);
    EXPECT_TRUE(exit_codes.empty());
    EXPECT_TRUE(tray.IsShown());

    dlg->OnWindowMessage(kTrayMessage, kTrayIconId, kTrayRightUp);
    // Without a mouse: exit first, then open.
    ASSERT_EQ(tray.MenuItems().size(), 2u);
    EXPECT_EQ(tray.MenuItems()[0].id, 100);
    EXPECT_EQ(tray.MenuItems()[0].text, LoadLanguageString(12));
    EXPECT_EQ(tray.MenuItems()[1].text, LoadLanguageString(text::kTrayOpen));
    dlg->ShowWindow(DUI::kSwHide);
    ASSERT_TRUE(tray.ChooseMenuItem(tray.MenuItems()[1].id));
    session.ProcessPending();
    EXPECT_TRUE(dlg->IsVisible());
    dlg->ShowWindow(DUI::kSwHide);
    dlg->OnWindowMessage(kTrayMessage, kTrayIconId, kTrayLeftDoubleClick);
    EXPECT_TRUE(dlg->IsVisible());

    dlg->OnWindowMessage(kTrayMessage, kTrayIconId, kTrayRightUp);

    ASSERT_TRUE(tray.ChooseMenuItem(100));
    session.ProcessPending();
    EXPECT_EQ(exit_codes, (std::vector<int>{0}));
    EXPECT_FALSE(tray.IsShown());
}

TEST_F(WindowMessages, TrayMenuSwitchesProfiles) {
    dlg->Services().tray_profiles = [] {
        return std::vector<std::pair<int, std::u16string>>{{1, u"Work"}, {2, u"Games"}};
    };
    Open();
    dlg->Device().current_profile.store(1);
    dlg->OnWindowMessage(kTrayMessage, kTrayIconId, kTrayRightUp);
    const std::vector<DUI::MenuItem> items = tray.MenuItems();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].id, kCommandTrayExit);
    EXPECT_NE(items[2].text.find(u"Work"), std::u16string::npos);
    EXPECT_NE(items[2].text.find(u"\u2713"), std::u16string::npos) << "the current one";
    EXPECT_EQ(items[3].text.find(u"\u2713"), std::u16string::npos);
    tasks.Clear();  // the start's own
    ASSERT_TRUE(tray.ChooseMenuItem(items[3].id));
    session.ProcessPending();
    // As a choice in the profile dialog: current, and everything is sent.
    EXPECT_EQ(dlg->Device().current_profile, 2);
    EXPECT_EQ(tasks.Snapshot(), (std::vector<int32_t>{5}));
    // A stale item (the list changed since) does nothing.
    tasks.Clear();
    dlg->OnWindowMessage(DUI::kWmCommand, kCommandTrayProfile + 7, 0);
    EXPECT_TRUE(tasks.Empty());
}

TEST_F(WindowMessages, ExitCodeAndCloseButtonModes) {
    Open();
    dlg->OnWindowMessage(kWmExitRequest, 0, kExitRequestCode);
    EXPECT_EQ(exit_codes, (std::vector<int>{0}));
    exit_codes.clear();
    WriteRegistryText(kValueExitMode, u"1");
    ASSERT_TRUE(DUI::HeadlessBackend::Click(*dlg, 38));
    EXPECT_FALSE(dlg->IsVisible());
    EXPECT_TRUE(exit_codes.empty());
    dlg->ShowWindow(DUI::kSwShow);
    WriteRegistryText(kValueExitMode, u"0");
    ASSERT_TRUE(DUI::HeadlessBackend::Click(*dlg, 38));
    EXPECT_EQ(exit_codes, (std::vector<int>{0}));
}

TEST_F(WindowMessages, AboutBoxAndPopupClosing) {
    Open();
    dlg->OnWindowMessage(DUI::kWmCommand, kCommandAbout, 0);
    const auto runs = session.backend().ModalRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].title, u"About Window");
    EXPECT_EQ(DUI::Toolkit::Get().FindWindow("MWindow", u"About Window"), 0u);

    DUI::MDialog box;
    ASSERT_TRUE(box.Create(dlg.get(), u"MessageBox", DUI::kDialogStyle, 0, {0, 0, 10, 10}));
    DUI::MDialog palette;
    ASSERT_TRUE(palette.Create(dlg.get(), u"PaletteDlg", DUI::kDialogStyle, 0, {0, 0, 10, 10}));
    dlg->ClosePopups();
    EXPECT_FALSE(palette.IsVisible());
    session.ProcessPending();
    EXPECT_FALSE(box.IsCreated()) << "WM_CLOSE with 2 closes it";
}

}  // namespace
}  // namespace tessaly::ui::test
