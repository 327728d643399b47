// Macro files with values the macro page would never allow: the import keeps
// what is in range, says on stderr how many values it refused, and exits 0;
// a file with nothing usable imports nothing.

#include <gmock/gmock.h>

#include <fstream>

#include "cli_fixture.h"

namespace tessaly::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class CliMacroImportValuesTest : public CliTest {
  protected:
    std::string File(const std::string& name, const std::string& text) const {
        const std::string path = (dir.path() / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
};

TEST_F(CliMacroImportValuesTest, OutOfRangeValuesAreRefusedAndCounted) {
    const std::string file =
        File("odd.xml",
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro>\r\n"
             "<macroinfo macro_name=\"Odd\" macro_type=\"9\" play_times=\"3\" delay_type=\"1\" "
             "delay_time=\"0\"/>\r\n<macroitems>\r\n"
             "<item desc=\"a\" index=\"0\" type=\"2\" value=\"65\" timestamp=\"1\"/>\r\n"
             "<item desc=\"b\" index=\"1\" type=\"1\" value=\"2147483647\" timestamp=\"2\"/>\r\n"
             "<item desc=\"c\" index=\"2\" type=\"4\" value=\"64\" timestamp=\"3\"/>\r\n"
             "<item desc=\"d\" index=\"3\" type=\"3\" value=\"65\" timestamp=\"1\"/>\r\n"
             "</macroitems>\r\n</macro>\r\n");
    const CliResult result = Cli({"--json", "macro", "import", file});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_THAT(result.err,
                HasSubstr("2 of the 12 values in " + file + " were out of range and refused"));
    EXPECT_THAT(result.err, HasSubstr("1 delays in " + file + " were brought into 1-31000 ms"));
    // The refused play type becomes a new macro's 0, which the count 3 fits.
    EXPECT_THAT(Query("SELECT name, play_type, play_times FROM t_macro_data"),
                ElementsAre("Odd|0|3"));
    EXPECT_THAT(Query("SELECT type, value, desc FROM t_macrorecord ORDER BY record_index"),
                ElementsAre("2|65|a", "1|31000|31000 ms", "3|65|d"));
}

TEST_F(CliMacroImportValuesTest, NothingUsableImportsNothing) {
    const std::string file =
        File("none.xml",
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro>\r\n"
             "<macro_item macro_name=\"X\" macro_type=\"-1\" play_times=\"-1\" delay_type=\"-1\" "
             "delay_time=\"-1\"/>\r\n</macro>\r\n");
    Cli({"macro", "list"});
    const CliResult result = Cli({"macro", "import-all", file});
    EXPECT_EQ(result.code, 1);
    EXPECT_THAT(result.err, HasSubstr("every value in " + file + " is out of range"));
    EXPECT_THAT(Query("SELECT * FROM t_macro_data"), IsEmpty());
}

}  // namespace
}  // namespace tessaly::test
