#include "platform/autostart.h"

#include <gtest/gtest.h>

#include "base/application_name.h"
#include "base/unicode.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

using test::ScopedEnv;
using test::TempDir;

class AutostartTest : public ::testing::Test {
  protected:
    TempDir dir_;
    ScopedEnv config_{"XDG_CONFIG_HOME", dir_.path().string()};
};

TEST_F(AutostartTest, EntryIsTheExecutableFollowedByAutorun) {
    EXPECT_FALSE(AutorunEntryPresent());
    ASSERT_TRUE(WriteAutorunEntry(u"/usr/bin/tessaly"));
    EXPECT_EQ(AutostartEntryPath(), dir_.path().string() + "/autostart/Tessaly.desktop");
    EXPECT_EQ(ReadAutorunCommandLine(), u"/usr/bin/tessaly -autorun");
    EXPECT_TRUE(AutorunEntryPresent());
    const std::string file = dir_.Read("autostart/Tessaly.desktop");
    EXPECT_NE(file.find("[Desktop Entry]\n"), std::string::npos);
    EXPECT_NE(file.find("\nExec=/usr/bin/tessaly -autorun\n"), std::string::npos);
    EXPECT_NE(file.find("\nType=Application\n"), std::string::npos);
    EXPECT_TRUE(DeleteAutorunEntry());
    EXPECT_FALSE(AutorunEntryPresent());
    EXPECT_TRUE(DeleteAutorunEntry());  // nothing left to delete is fine
}

TEST_F(AutostartTest, PathWithSpacesAndReservedCharactersIsQuoted) {
    const std::u16string path = u"/opt/My Mouse/$bin\\\"t%/tessaly";
    ASSERT_TRUE(WriteAutorunEntry(path));
    const auto command = ReadAutorunCommandLine();
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(*command, u"\"/opt/My Mouse/\\$bin\\\\\\\"t%/tessaly\" -autorun");
    // The desktop's own unquoting gives the path back.
    EXPECT_EQ(FirstExecArgument(*command), path);
    const std::string file = dir_.Read("autostart/Tessaly.desktop");
    EXPECT_NE(file.find("t%%/tessaly"), std::string::npos);  // '%' doubled for Exec
}

TEST_F(AutostartTest, CommandLineOver512BytesDoesNotCount) {
    // (characters + 1) x 2 bytes: 255 characters fit, 256 do not.
    const std::u16string fits = u"/" + std::u16string(255 - 1 - 9, u'a');
    ASSERT_EQ(AutorunCommandLine(fits).size(), 255u);
    ASSERT_TRUE(WriteAutorunEntry(fits));
    EXPECT_TRUE(AutorunEntryPresent());
    const std::u16string too_long = fits + u"a";
    ASSERT_TRUE(WriteAutorunEntry(too_long));
    EXPECT_TRUE(ReadAutorunCommandLine().has_value());
    EXPECT_FALSE(AutorunEntryPresent());
}

TEST_F(AutostartTest, EntryIsNamedAfterTheApplication) {
    SetApplicationName(u"Other Tool");
    ASSERT_TRUE(WriteAutorunEntry(u"/x"));
    EXPECT_EQ(AutostartEntryPath(), dir_.path().string() + "/autostart/Other Tool.desktop");
    SetApplicationName(u"../evil");
    EXPECT_EQ(AutostartEntryPath(), dir_.path().string() + "/autostart/.._evil.desktop");
    SetApplicationName(kDefaultApplicationName);
    EXPECT_FALSE(AutorunEntryPresent());
}

}  // namespace
}  // namespace tessaly
