#include <filesystem>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "base/decimal.h"
#include "platform/ini_file.h"
#include "platform/ini_registry_store.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

using test::TempDir;

TEST(IniFile, ParsesSectionsCaseInsensitivelyAndKeepsTheFirstOfTwoNames) {
    const IniFile ini = IniFile::Parse(
        "; comment\n[SOFTWARE\\Tessaly]\r\nLCID = 2052 \r\nlcid=1033\n\n[Other]\nx=\n");
    EXPECT_TRUE(ini.HasSection(u"software\\tessaly"));
    EXPECT_EQ(ini.Get(u"SOFTWARE\\Tessaly", u"Lcid"), u"2052");
    EXPECT_EQ(ini.Get(u"Other", u"x"), u"");
    EXPECT_FALSE(ini.Get(u"Other", u"y").has_value());
    EXPECT_FALSE(ini.Get(u"Missing", u"x").has_value());
}

TEST(IniFile, ReadsUtf16WithMarkAndRoundTripsAsUtf8) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : std::u16string(u"[LAN]\r\n1=\u914d\u7f6e\r\n")) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    IniFile ini = IniFile::Parse(bytes);
    EXPECT_EQ(ini.Get(u"LAN", u"1"), u"\u914d\u7f6e");
    ini.Set(u"LAN", u"2", u"\u041f");
    const IniFile again = IniFile::Parse(ini.Serialise());
    EXPECT_EQ(again.Get(u"LAN", u"1"), u"\u914d\u7f6e");
    EXPECT_EQ(again.Get(u"LAN", u"2"), u"\u041f");
}

TEST(IniRegistryStore, KeyMustExistBeforeValuesAreWritten) {
    TempDir dir;
    IniRegistryStore store((dir.path() / "app" / "registry.ini").string());
    EXPECT_EQ(store.OpenKey(u"SOFTWARE\\T"), KeyOpen::kMissing);
    EXPECT_FALSE(store.WriteValue(u"SOFTWARE\\T", u"exit_mode", u"1"));
    EXPECT_TRUE(store.CreateKey(u"SOFTWARE\\T"));
    EXPECT_EQ(store.OpenKey(u"SOFTWARE\\T"), KeyOpen::kOpened);
    EXPECT_FALSE(store.ReadValue(u"SOFTWARE\\T", u"exit_mode").has_value());
    EXPECT_TRUE(store.WriteValue(u"SOFTWARE\\T", u"exit_mode", u"1"));
    EXPECT_EQ(store.ReadValue(u"SOFTWARE\\T", u"exit_mode"), u"1");
    // Another store on the same file sees the change: nothing is cached.
    IniRegistryStore other(store.file_path());
    EXPECT_EQ(other.ReadValue(u"SOFTWARE\\T", u"EXIT_MODE"), u"1");
}

TEST(IniRegistryStore, RefusesLineBreaksThatWouldCorruptTheFile) {
    TempDir dir;
    IniRegistryStore store((dir.path() / "registry.ini").string());
    ASSERT_TRUE(store.CreateKey(u"K"));
    EXPECT_FALSE(store.WriteValue(u"K", u"v", u"1\n[Injected]"));
    EXPECT_FALSE(store.OpenKey(u"Injected") == KeyOpen::kOpened);
}

TEST(IniRegistryStore, UnreadableFileFailsToOpen) {
    TempDir dir;
    // A folder where the file should be cannot be read as one, even by root.
    std::filesystem::create_directories(dir.path() / "registry.ini");
    IniRegistryStore store((dir.path() / "registry.ini").string());
    EXPECT_EQ(store.OpenKey(u"K"), KeyOpen::kFailed);
    EXPECT_FALSE(store.CreateKey(u"K"));
}

TEST(IniRegistryStoreConcurrency, ParallelWritersLoseNoValue) {
    TempDir dir;
    IniRegistryStore store((dir.path() / "registry.ini").string());
    ASSERT_TRUE(store.CreateKey(u"K"));
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([&store, t] {
            for (int i = 0; i < 25; ++i) {
                store.WriteValue(u"K", u"v" + IntToDecimal(t * 100 + i), IntToDecimal(i));
            }
        });
    }
    for (auto& w : writers)
        w.join();
    for (int t = 0; t < 4; ++t) {
        for (int i = 0; i < 25; ++i) {
            EXPECT_EQ(store.ReadValue(u"K", u"v" + IntToDecimal(t * 100 + i)), IntToDecimal(i));
        }
    }
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

}  // namespace
}  // namespace tessaly
