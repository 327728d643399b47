#include "macros/macro_files.h"

#include <gmock/gmock.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "base/unicode.h"
#include "macros/macro_event_list.h"
#include "storage/macro_table.h"
#include "storage/storage_fixture.h"

namespace tessaly::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char kJumpFile[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<macro>\r\n"
    "<macroinfo macro_name=\"Jump\" macro_type=\"0\" play_times=\"3\" delay_type=\"1\" "
    "delay_time=\"0\"/>\r\n"
    "<macroitems>\r\n"
    "<item desc=\"\xE2\x86\x93  A\" index=\"0\" type=\"2\" value=\"65\" timestamp=\"51000\"/>\r\n"
    "<item desc=\"10 ms\" index=\"1\" type=\"1\" value=\"10\" timestamp=\"51001\"/>\r\n"
    "<item desc=\"\xE2\x86\x91  A\" index=\"2\" type=\"3\" value=\"65\" timestamp=\"51000\"/>\r\n"
    "<item desc=\"10 ms\" index=\"3\" type=\"1\" value=\"10\" timestamp=\"51002\"/>\r\n"
    "</macroitems>\r\n"
    "</macro>\r\n";

constexpr char kCollectionFile[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<macro>\r\n"
    "<macro_item macro_name=\"Jump\" macro_type=\"0\" play_times=\"3\" delay_type=\"1\" "
    "delay_time=\"0\">\r\n"
    "<record_item>\r\n"
    "<item desc=\"\xE2\x86\x93  A\" index=\"0\" type=\"2\" value=\"65\" timestamp=\"51000\"/>\r\n"
    "<item desc=\"10 ms\" index=\"1\" type=\"1\" value=\"10\" timestamp=\"51001\"/>\r\n"
    "<item desc=\"\xE2\x86\x91  A\" index=\"2\" type=\"3\" value=\"65\" timestamp=\"51000\"/>\r\n"
    "<item desc=\"10 ms\" index=\"3\" type=\"1\" value=\"10\" timestamp=\"51002\"/>\r\n"
    "</record_item>\r\n"
    "</macro_item>\r\n"
    "<macro_item macro_name=\"Idle\" macro_type=\"0\" play_times=\"1\" delay_type=\"1\" "
    "delay_time=\"0\"/>\r\n"
    "</macro>\r\n";

class MacroFilesTest : public StorageTest {
  protected:
    std::u16string Path(const std::string& name) const {
        return FromUtf8((dir_.path() / name).string());
    }
    std::string Read(const std::u16string& path) const {
        std::ifstream in(ToUtf8(path), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::u16string Write(const std::string& name, const std::string& text) const {
        const std::u16string path = Path(name);
        std::ofstream(ToUtf8(path), std::ios::binary) << text;
        return path;
    }
    // The Jump macro: press A, 10 ms, release A, 10 ms, three times.
    MacroInfo AddJump(std::u16string name = u"Jump") {
        MacroInfo macro;
        macro.name = std::move(name);
        macro.play_type = 0;
        macro.play_times = 3;
        macro.delay_type = 1;
        macro.macro_id = AddMacroFull(macro);
        MacroEventList list;
        list.InsertKeyEvents(0, 65, u"A", 51000);
        SaveEventList(macro.macro_id, list.events());
        return macro;
    }
    MacroInfo AddIdle() {
        MacroInfo macro;
        macro.name = u"Idle";
        macro.play_times = 1;
        macro.delay_type = 1;
        macro.macro_id = AddMacroFull(macro);
        return macro;
    }
    // A device in the list whose id keeps the play count's bound at 999.
    static constexpr int kDeviceId = 101;
    static std::vector<MacroInfo> ImportOne(const std::u16string& path) {
        return ReadMacroFile(path, kDeviceId).macros;
    }
    static std::vector<MacroInfo> ImportAll(const std::u16string& path) {
        return ReadMacroCollection(path, kDeviceId).macros;
    }
    static std::vector<MacroInfo> Macros() {
        std::vector<MacroInfo> macros;
        ListMacros(macros);
        return macros;
    }
    static std::vector<MacroEvent> Events(int macro_id) {
        std::vector<MacroEvent> events;
        ListMacroEvents(macro_id, events);
        return events;
    }
    static bool PassesXmllint(const std::u16string& path) {
        const std::string command = "xmllint --noout '" + ToUtf8(path) + "' 2>/dev/null";
        return std::system(command.c_str()) == 0;
    }
};

TEST_F(MacroFilesTest, OneMacroIsWrittenAsTheTenLines) {
    const MacroInfo jump = AddJump();
    const std::u16string path = Path("jump.xml");
    ASSERT_TRUE(WriteMacroFile(path, jump, u"Jump"));
    EXPECT_EQ(Read(path), kJumpFile);
    EXPECT_TRUE(PassesXmllint(path));
}

TEST_F(MacroFilesTest, CollectionIsWrittenAsItsLines) {
    AddJump();
    AddIdle();
    const std::u16string path = Path("all.xml");
    ASSERT_TRUE(WriteMacroCollection(path));
    EXPECT_EQ(Read(path), kCollectionFile);
    EXPECT_TRUE(PassesXmllint(path));
}

TEST_F(MacroFilesTest, MacroWithoutEventsHasAnEmptyItemList) {
    const MacroInfo idle = AddIdle();
    const std::u16string path = Path("idle.xml");
    ASSERT_TRUE(WriteMacroFile(path, idle, u"Idle"));
    EXPECT_NE(Read(path).find("<macroitems/>\r\n</macro>"), std::string::npos);
    EXPECT_TRUE(PassesXmllint(path));
}

TEST_F(MacroFilesTest, ExportedMacrosImportUnchangedWithEscapedTexts) {
    MacroInfo odd = AddJump(u"Tom & \"Jerry\" <1>");
    MacroEventList list(Events(odd.macro_id));
    list.InsertDelay(list.size(), 9);
    list.SetEventKey(51000, 66, u"& \"B\"");
    SaveEventList(odd.macro_id, list.events());

    const std::u16string one = Path("one.xml");
    ASSERT_TRUE(WriteMacroFile(one, odd, odd.name));
    EXPECT_NE(Read(one).find("macro_name=\"Tom &amp; &quot;Jerry&quot;"), std::string::npos);
    EXPECT_TRUE(PassesXmllint(one));
    const std::vector<MacroInfo> imported = ImportOne(one);
    ASSERT_EQ(imported.size(), 1u);

    MacroInfo stored;
    ASSERT_TRUE(GetMacro(imported[0].macro_id, stored));
    EXPECT_EQ(stored.name, odd.name);
    EXPECT_EQ(stored.play_times, 3);
    EXPECT_EQ(stored.delay_type, 1);
    const std::vector<MacroEvent> source = Events(odd.macro_id);
    const std::vector<MacroEvent> copy = Events(stored.macro_id);
    ASSERT_EQ(copy.size(), source.size());
    for (size_t i = 0; i < source.size(); ++i) {
        EXPECT_EQ(copy[i].type, source[i].type);
        EXPECT_EQ(copy[i].value, source[i].value);
        EXPECT_EQ(copy[i].record_index, source[i].record_index);
        EXPECT_EQ(copy[i].delay_time, source[i].delay_time);
        EXPECT_EQ(copy[i].desc, source[i].desc);
    }

    const std::u16string all = Path("all.xml");
    ASSERT_TRUE(WriteMacroCollection(all));
    const size_t before = Macros().size();
    const std::vector<MacroInfo> again = ImportAll(all);
    ASSERT_EQ(again.size(), before);
    EXPECT_EQ(Macros().size(), 2 * before);
    EXPECT_EQ(again[0].name, odd.name);
    EXPECT_EQ(Events(again[0].macro_id).size(), source.size());
}

TEST_F(MacroFilesTest, EventsAreReadInIndexOrder) {
    const std::u16string path =
        Write("shuffled.xml",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro>\r\n"
              "<macroinfo macro_name=\"M\" macro_type=\"0\" play_times=\"1\" "
              "delay_type=\"1\" delay_time=\"0\"/>\r\n<macroitems>\r\n"
              "<item desc=\"c\" index=\"2\" type=\"3\" value=\"65\" timestamp=\"1\"/>\r\n"
              "<item desc=\"a\" index=\"0\" type=\"2\" value=\"65\" timestamp=\"1\"/>\r\n"
              "<item desc=\"b\" index=\"1\" type=\"1\" value=\"20\"/>\r\n"
              "</macroitems>\r\n</macro>\r\n");
    const std::vector<MacroInfo> imported = ImportOne(path);
    ASSERT_EQ(imported.size(), 1u);
    const std::vector<MacroEvent> events = Events(imported[0].macro_id);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].desc, u"a");
    EXPECT_EQ(events[1].desc, u"b");
    EXPECT_EQ(events[1].delay_time, 0) << "a missing timestamp reads as 0";
    EXPECT_EQ(events[2].desc, u"c");
}

TEST_F(MacroFilesTest, ItemsBeforeTheHeaderAreNotRead) {
    const std::u16string path =
        Write("late.xml",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro>\r\n<macroitems>\r\n"
              "<item desc=\"a\" index=\"0\" type=\"1\" value=\"1\" timestamp=\"1\"/>\r\n"
              "</macroitems>\r\n<macroinfo macro_name=\"Late\" macro_type=\"0\" "
              "play_times=\"4\" delay_type=\"2\" delay_time=\"30\"/>\r\n</macro>\r\n");
    const std::vector<MacroInfo> imported = ImportOne(path);
    ASSERT_EQ(imported.size(), 1u);
    EXPECT_EQ(imported[0].name, u"Late");
    EXPECT_EQ(imported[0].play_times, 4);
    EXPECT_EQ(imported[0].delay_time, 30);
    EXPECT_THAT(Events(imported[0].macro_id), IsEmpty());
}

TEST_F(MacroFilesTest, LongNamesAreCutWhenImported) {
    // 254 letters and a character outside the BMP: the cut keeps the pair
    // whole by dropping it, so the name stays valid UTF-16.
    const std::string long_name = std::string(254, 'n') + "\xF0\x9F\x98\x80" + "tail";
    const std::string item_text = std::string(300, 'd');
    const std::u16string one =
        Write("long.xml",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro>\r\n<macroinfo macro_name=\"" +
                  long_name +
                  "\" macro_type=\"0\" play_times=\"1\" delay_type=\"1\" delay_time=\"0\"/>\r\n"
                  "<macroitems>\r\n<item desc=\"" +
                  item_text +
                  "\" index=\"0\" type=\"1\" value=\"4\" timestamp=\"10\"/>\r\n"
                  "</macroitems>\r\n</macro>\r\n");
    const std::u16string all =
        Write("all.xml",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro>\r\n<macro_item macro_name=\"" +
                  std::string(1000, 'c') +
                  "\" macro_type=\"0\" play_times=\"1\" delay_type=\"1\" "
                  "delay_time=\"0\"/>\r\n</macro>\r\n");

    const std::vector<MacroInfo> imported = ImportOne(one);
    ASSERT_EQ(imported.size(), 1u);
    EXPECT_EQ(imported[0].name, std::u16string(254, u'n'));
    const std::vector<MacroEvent> events = Events(imported[0].macro_id);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].desc, std::u16string(255, u'd'));

    const std::vector<MacroInfo> collection = ImportAll(all);
    ASSERT_EQ(collection.size(), 1u);
    EXPECT_EQ(collection[0].name, std::u16string(255, u'c'));
    EXPECT_EQ(Macros().back().name, std::u16string(255, u'c'));
}

TEST_F(MacroFilesTest, SameFileTwiceGivesTwoMacros) {
    const std::u16string path = Write("jump.xml", kJumpFile);
    ASSERT_EQ(ImportOne(path).size(), 1u);
    ASSERT_EQ(ImportOne(path).size(), 1u);
    const std::vector<MacroInfo> macros = Macros();
    ASSERT_EQ(macros.size(), 2u);
    EXPECT_EQ(macros[0].name, u"Jump");
    EXPECT_EQ(macros[1].name, u"Jump");
    EXPECT_NE(macros[0].macro_id, macros[1].macro_id);
    EXPECT_EQ(Events(macros[1].macro_id).size(), 4u);
}

TEST_F(MacroFilesTest, Utf16FileWithByteOrderMarkReadsLikeUtf8) {
    std::string utf8 = kJumpFile;
    const size_t declaration = utf8.find("UTF-8");
    utf8.replace(declaration, 5, "UTF-16");
    const std::u16string text = FromUtf8(utf8);
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    const std::vector<MacroInfo> imported = ImportOne(Write("utf16.xml", bytes));
    ASSERT_EQ(imported.size(), 1u);
    EXPECT_EQ(imported[0].name, u"Jump");
    const std::vector<MacroEvent> events = Events(imported[0].macro_id);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].desc, u"\u2193  A");
}

TEST_F(MacroFilesTest, RejectedFilesImportNothing) {
    const std::u16string two_roots = Write(
        "two.xml",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro>\r\n<macroinfo macro_name=\"A\"/>\r\n"
        "</macro>\r\n<macro>\r\n<macroinfo macro_name=\"B\"/>\r\n</macro>\r\n");
    EXPECT_THAT(ImportOne(two_roots), IsEmpty());
    EXPECT_THAT(ImportAll(two_roots), IsEmpty());
    EXPECT_THAT(ImportOne(Path("missing.xml")), IsEmpty());
    EXPECT_THAT(ImportOne(Write("profile.xml", "<?xml version=\"1.0\"?>\r\n<profile/>\r\n")),
                IsEmpty());
    EXPECT_THAT(ImportOne(Path("")), IsEmpty());
    EXPECT_THAT(Macros(), IsEmpty());
}

TEST_F(MacroFilesTest, FileOfTheOtherFormat) {
    // A collection read as one macro: the root matches, nothing else does.
    const std::vector<MacroInfo> one = ImportOne(Write("all.xml", kCollectionFile));
    ASSERT_EQ(one.size(), 1u);
    MacroInfo stored;
    ASSERT_TRUE(GetMacro(one[0].macro_id, stored));
    EXPECT_EQ(stored.name, u"");
    EXPECT_EQ(stored.play_type, 0);
    EXPECT_EQ(stored.play_times, 1) << "a missing count reads as 0, which the page never allows";
    EXPECT_EQ(stored.delay_type, 0);
    EXPECT_THAT(Events(stored.macro_id), IsEmpty());
    // One macro read as a collection gives nothing.
    EXPECT_THAT(ImportAll(Write("jump.xml", kJumpFile)), IsEmpty());
    EXPECT_EQ(Macros().size(), 1u);
}

TEST_F(MacroFilesTest, CollectionImportKeepsEmptyMacrosAndOrder) {
    const std::vector<MacroInfo> imported = ImportAll(Write("all.xml", kCollectionFile));
    ASSERT_EQ(imported.size(), 2u);
    EXPECT_EQ(imported[0].name, u"Jump");
    EXPECT_EQ(imported[1].name, u"Idle");
    EXPECT_EQ(Events(imported[0].macro_id).size(), 4u);
    EXPECT_THAT(Events(imported[1].macro_id), IsEmpty());
}

}  // namespace
}  // namespace tessaly::test
