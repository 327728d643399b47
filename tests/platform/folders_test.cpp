#include "platform/folders.h"

#include <filesystem>

#include <pwd.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "base/application_name.h"
#include "base/unicode.h"
#include "platform/home_folder.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using test::ScopedEnv;
using test::TempDir;

TEST(CreateFolderPath, CreatesEveryMissingLevel) {
    TempDir dir;
    const std::u16string path = dir.u16() + u"/one/two/three";
    EXPECT_TRUE(CreateFolderPath(path));
    EXPECT_TRUE(fs::is_directory(dir.path() / "one" / "two" / "three"));
    // A trailing separator names the same folder.
    EXPECT_TRUE(CreateFolderPath(dir.u16() + u"/one/two/four/"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "one" / "two" / "four"));
}

TEST(CreateFolderPath, ExistingFolderIsTrueAndAFileIsFalse) {
    TempDir dir;
    EXPECT_TRUE(CreateFolderPath(dir.u16()));
    dir.Write("plain", "x");
    EXPECT_FALSE(CreateFolderPath(dir.u16() + u"/plain"));
    EXPECT_FALSE(CreateFolderPath(dir.u16() + u"/plain/below"));
    EXPECT_FALSE(CreateFolderPath(u""));
}

TEST(CreateFolderPath, NonAsciiNames) {
    TempDir dir;
    EXPECT_TRUE(CreateFolderPath(dir.u16() + u"/\u914d\u7f6e/\u041f"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "\xe9\x85\x8d\xe7\xbd\xae" / "\xd0\x9f"));
}

TEST(UserDataFolder, FollowsXdgDataHomeAndTheApplicationName) {
    SetUserDataFolderOverride(u"");
    ScopedEnv data_dir("TESSALY_DATA_DIR", std::nullopt);
    ScopedEnv xdg("XDG_DATA_HOME", "/srv/data");
    SetApplicationName(u"Mouse Tool");
    EXPECT_EQ(UserDataFolder(), u"/srv/data/Mouse Tool Files/");
    {
        ScopedEnv no_xdg("XDG_DATA_HOME", std::nullopt);
        ScopedEnv home("HOME", "/home/u");
        EXPECT_EQ(UserDataFolder(), u"/home/u/.local/share/Mouse Tool Files/");
    }
    SetApplicationName(kDefaultApplicationName);
}

TEST(UserDataFolder, WithoutHomeTheUsersOwnFolderFromThePasswordDatabase) {
    SetUserDataFolderOverride(u"");
    ScopedEnv data_dir("TESSALY_DATA_DIR", std::nullopt);
    ScopedEnv xdg("XDG_DATA_HOME", std::nullopt);
    ScopedEnv home("HOME", std::nullopt);
    const passwd* entry = ::getpwuid(::getuid());
    ASSERT_NE(entry, nullptr) << "the test runs as a user with an entry";
    ASSERT_EQ(HomeFolderPath(), std::string(entry->pw_dir));
    const std::u16string folder = UserDataFolder();
    EXPECT_EQ(folder.rfind(FromUtf8(entry->pw_dir) + u"/.local/share/", 0), 0u) << ToUtf8(folder);
    EXPECT_EQ(folder.find(u"/tmp/"), std::u16string::npos);
}

TEST(UserDataFolder, OptionBeatsEnvironment) {
    ScopedEnv data_dir("TESSALY_DATA_DIR", "/from/env");
    SetUserDataFolderOverride(u"");
    EXPECT_EQ(UserDataFolder(), u"/from/env/");
    SetUserDataFolderOverride(u"/from/option/");
    EXPECT_EQ(UserDataFolder(), u"/from/option/");
    SetUserDataFolderOverride(u"");
}

TEST(ProgramFolder, BuildTreeHoldsConfigAndOverridesWin) {
    ScopedEnv program_dir("TESSALY_PROGRAM_DIR", std::nullopt);
    SetProgramFolderOverride(u"");
    const std::u16string exe = ExecutablePath();
    const fs::path folder = fs::path(ToUtf8(exe)).parent_path();
    const std::u16string expected =
        fs::exists(folder / "config.xml")
            ? FromUtf8(folder.string()) + u"/"
            : FromUtf8((folder.parent_path() / "share" / "tessaly").string()) + u"/";
    EXPECT_EQ(ProgramFolder(), expected);
    {
        ScopedEnv env("TESSALY_PROGRAM_DIR", "/opt/t");
        EXPECT_EQ(ProgramFolder(), u"/opt/t/");
        SetProgramFolderOverride(u"/cli/dir");
        EXPECT_EQ(ProgramFolder(), u"/cli/dir/");
        SetProgramFolderOverride(u"");
    }
}

TEST(ProgramFolder, BesideTheExecutableInABuildTreeElseTheInstalledShareFolder) {
    TempDir tree;
    fs::create_directories(tree.path() / "bin");
    fs::create_directories(tree.path() / "share" / "tessaly");
    tree.Write("share/tessaly/config.xml", "<config/>");
    const std::string root = tree.path().string();
    // An installed bin/ holds no config.xml: the program folder is share/tessaly.
    EXPECT_EQ(ProgramFolderBeside(FromUtf8(root + "/bin/tessaly")),
              FromUtf8(root + "/share/tessaly/"));
    // A build tree keeps the data beside the executables.
    tree.Write("bin/config.xml", "<config/>");
    EXPECT_EQ(ProgramFolderBeside(FromUtf8(root + "/bin/tessalyctl")), FromUtf8(root + "/bin/"));
}

}  // namespace
}  // namespace tessaly
