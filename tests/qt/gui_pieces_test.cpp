// The pure pieces of the GUI start-up and the file dialog.

#include <gtest/gtest.h>

#include "qt/qt_test_app.h"
#include "ui/qt/file_chooser.h"
#include "ui/qt/gui_host.h"
#include "ui/qt/qt_tray_icon.h"

namespace tessaly::qt {
namespace {

TEST(FileChooserTest, SaveNamesWithoutExtensionGetThePatterns) {
    const QString xml = QStringLiteral("*.xml");
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/home/a/macro"), xml),
              QStringLiteral("/home/a/macro.xml"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/home/a/macro.xml"), xml),
              QStringLiteral("/home/a/macro.xml"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/home/a/macro.txt"), xml),
              QStringLiteral("/home/a/macro.txt"));
    // A dot in a folder name is not an extension of the file.
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/home/a.b/macro"), xml),
              QStringLiteral("/home/a.b/macro.xml"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/home/a/macro"), QStringLiteral("*.*")),
              QStringLiteral("/home/a/macro"));
    EXPECT_EQ(WithDefaultExtension(QString(), xml), QString());
}

TEST(GuiOptionsTest, ScreenshotPageAndLanguage) {
    std::string error;
    auto options = ParseGuiOptions(
        {"--screenshot", "/tmp/a.png", "--page", "settings", "--lang", "2052", "-hide"}, &error);
    ASSERT_TRUE(options.has_value()) << error;
    EXPECT_EQ(options->screenshot, "/tmp/a.png");
    EXPECT_EQ(options->page, "settings");
    EXPECT_EQ(options->lcid, 2052);

    EXPECT_FALSE(ParseGuiOptions({"--page", "nowhere"}, &error).has_value());
    EXPECT_NE(error.find("nowhere"), std::string::npos);
    EXPECT_FALSE(ParseGuiOptions({"--lang", "12x"}, &error).has_value());
    EXPECT_FALSE(ParseGuiOptions({"--lang", "0"}, &error).has_value());
}

TEST(GuiOptionsTest, OnlyTheAutostartWordsAndQtsOwnOptionsPassUnknown) {
    std::string error;
    EXPECT_TRUE(ParseGuiOptions({"-autorun", "x-hidey", "-platform", "offscreen"}, &error))
        << error;
    EXPECT_FALSE(ParseGuiOptions({"--frobnicate"}, &error).has_value());
    EXPECT_NE(error.find("--frobnicate"), std::string::npos);
    EXPECT_FALSE(ParseGuiOptions({"word"}, &error).has_value());
    EXPECT_FALSE(ParseGuiOptions({"--page"}, &error).has_value());
    EXPECT_NE(error.find("needs a value"), std::string::npos);
}

TEST(TrayTest, WithoutANotifierHostTheIconIsNotAdded) {
    test::App();
    QtTrayIcon tray;
    ui::TrayIconRecord record;
    record.tip = u"Tessaly";
    EXPECT_EQ(tray.Add(record), QtTrayIcon::Available());
    EXPECT_EQ(tray.IsShown(), QtTrayIcon::Available());
    tray.Remove();
    EXPECT_FALSE(tray.IsShown());
}

}  // namespace
}  // namespace tessaly::qt
