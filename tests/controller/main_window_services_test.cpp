#include "controller/main_window_services.h"

#include <gtest/gtest.h>

#include "platform/desktop_mouse_settings.h"
#include "platform/shell_open.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/dpi_msg_dlg.h"
#include "ui/dialogs/update_process_dlg.h"
#include "ui/dialogs/update_tip_dlg.h"
#include "ui/toolkit/headless_backend.h"

namespace tessaly {
namespace {

TEST(MainWindowServices, PopupsAreTheCommonDialogsByTitle) {
    ui::MainWindowServices services = MakeMainWindowServices();
    ASSERT_TRUE(services.make_popup);
    EXPECT_NE(dynamic_cast<AboutDlg*>(services.make_popup(u"AboutDlg").get()), nullptr);
    EXPECT_NE(dynamic_cast<DPIMsgDlg*>(services.make_popup(u"DPIMsgDlg").get()), nullptr);
    EXPECT_NE(dynamic_cast<UpdateProcessDlg*>(services.make_popup(u"UpdateProcessDlg").get()),
              nullptr);
    EXPECT_NE(dynamic_cast<UpdateTipDlg*>(services.make_popup(u"UpdateTipDlg").get()), nullptr);
    EXPECT_EQ(services.make_popup(u"Unknown"), nullptr);
}

TEST(MainWindowServices, MessageBoxAnswersWithTheChosenButton) {
    DUI::HeadlessSession session;
    ui::MainWindowServices services = MakeMainWindowServices();
    DUI::MDialog parent;
    ASSERT_TRUE(parent.Create(nullptr, u"Parent", DUI::kDialogStyle, 0, {0, 0, 400, 300}));
    session.backend().SetModalPolicy(
        [](DUI::MWindow&) { return DUI::ModalAnswer::SecondButton(); });
    EXPECT_EQ(services.message_box(parent, u"Title", u"Message", 4), 2);
    const auto runs = session.backend().ModalRuns();
    ASSERT_EQ(runs.size(), 1u);
    parent.DestroyWindow();
}

TEST(ShellOpen, CommandsForAddressesAndPrograms) {
    using Words = std::vector<std::string>;
    EXPECT_EQ(ShellOpenCommand(u"https://example.invalid/", u""),
              (Words{"xdg-open", "https://example.invalid/"}));
    EXPECT_EQ(ShellOpenCommand(u"/opt/setup", u"-autorun  \"two words\" x"),
              (Words{"/opt/setup", "-autorun", "two words", "x"}));
    EXPECT_EQ(ShellOpenCommand(u"/opt/setup", u"\"\""), (Words{"/opt/setup", ""}));
}

TEST(ShellOpen, InterceptedAndEmptyTargets) {
    std::vector<std::string> seen;
    SetShellOpenInterceptor([&seen](const std::vector<std::string>& command) { seen = command; });
    EXPECT_FALSE(ShellOpen(u"", u""));
    EXPECT_TRUE(seen.empty());
    MakeMainWindowServices().shell_open(u"file:///tmp/x", u"");
    EXPECT_EQ(seen, (std::vector<std::string>{"xdg-open", "file:///tmp/x"}));
    SetShellOpenInterceptor({});
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

TEST(DesktopMouseSettings, TheRunningDesktopsOwnProgramComesFirst) {
    using Words = std::vector<std::string>;
    const auto all = [](const std::string&) { return true; };
    EXPECT_EQ(DesktopMouseSettingsCommand(all, "KDE"), (Words{"systemsettings", "kcm_mouse"}));
    EXPECT_EQ(DesktopMouseSettingsCommand(all, "ubuntu:GNOME"),
              (Words{"gnome-control-center", "mouse"}));
    EXPECT_EQ(DesktopMouseSettingsCommand(all, "XFCE"), (Words{"xfce4-mouse-settings"}));
    // The desktop's program missing: any other that is installed.
    EXPECT_EQ(DesktopMouseSettingsCommand(
                  [](const std::string& p) { return p == "systemsettings"; }, "GNOME"),
              (Words{"systemsettings", "kcm_mouse"}));
}

TEST(DesktopMouseSettings, FirstInstalledProgramWins) {
    using Words = std::vector<std::string>;
    EXPECT_EQ(DesktopMouseSettingsCommand([](const std::string&) { return false; }), Words{});
    EXPECT_EQ(
        DesktopMouseSettingsCommand([](const std::string& p) { return p == "systemsettings"; }),
        (Words{"systemsettings", "kcm_mouse"}));
    EXPECT_EQ(DesktopMouseSettingsCommand([](const std::string& p) {
                  return p == "xfce4-mouse-settings" || p == "lxqt-config-input";
              }),
              (Words{"xfce4-mouse-settings"}));
    EXPECT_EQ(DesktopMouseSettingsCommand([](const std::string&) { return true; }),
              (Words{"gnome-control-center", "mouse"}));
}

}  // namespace
}  // namespace tessaly
