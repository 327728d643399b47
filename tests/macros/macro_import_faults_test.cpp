// An import that fails or is killed half-way keeps whole macros only.

#include <gmock/gmock.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "macros/macro_files.h"
#include "storage/macro_table.h"
#include "storage/storage_fixture.h"

namespace tessaly::test {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;

constexpr int kMacros = 6;
constexpr int kEventsPerMacro = 50;
// The write the fault hits: the 21st event of the fourth macro.
constexpr int kFaultyWrite = 3 * kEventsPerMacro + 21;

// Press A, 10 ms, release A, 10 ms, over and over.
std::string CollectionText(int macros = kMacros, int events_per_macro = kEventsPerMacro) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro>\r\n";
    for (int m = 0; m < macros; ++m) {
        text += "<macro_item macro_name=\"M" + std::to_string(m) +
                "\" macro_type=\"0\" play_times=\"1\" delay_type=\"1\" delay_time=\"0\">\r\n"
                "<record_item>\r\n";
        for (int e = 0; e < events_per_macro; ++e) {
            constexpr const char* kTypes[] = {"2", "1", "3", "1"};
            const bool delay = e % 2 == 1;
            text += "<item desc=\"e\" index=\"" + std::to_string(e) + "\" type=\"" + kTypes[e % 4] +
                    "\" value=\"" + (delay ? "10" : "65") + "\" timestamp=\"7\"/>\r\n";
        }
        text += "</record_item>\r\n</macro_item>\r\n";
    }
    return text + "</macro>\r\n";
}

class MacroImportFaultTest : public StorageTest {
  protected:
    void SetUp() override {
        StorageTest::SetUp();
        path_ = FromUtf8(dir_.Write("all.xml", CollectionText()).string());
    }
    void TearDown() override {
        SetMacroEventWriteProbe(nullptr);
        StorageTest::TearDown();
    }
    // The probe stops the write with the given number (1 for the first).
    void FaultAt(int write, std::function<bool()> fault) {
        SetMacroEventWriteProbe(
            [count = 0, write, fault]() mutable { return ++count == write ? fault() : true; });
    }
    static std::vector<std::u16string> StoredNames() {
        std::vector<MacroInfo> macros;
        ListMacros(macros);
        std::vector<std::u16string> names;
        for (const MacroInfo& macro : macros)
            names.push_back(macro.name);
        return names;
    }
    static std::vector<int> StoredEventCounts() {
        std::vector<MacroInfo> macros;
        ListMacros(macros);
        std::vector<int> counts;
        for (const MacroInfo& macro : macros) {
            std::vector<MacroEvent> events;
            counts.push_back(ListMacroEvents(macro.macro_id, events));
        }
        return counts;
    }

    std::u16string path_;
};

TEST_F(MacroImportFaultTest, FailedWriteDropsThatMacroWholeAndTheRestComeIn) {
    FaultAt(kFaultyWrite, [] { return false; });
    const MacroImport imported = ReadMacroCollection(path_, 1);

    ASSERT_EQ(imported.macros.size(), 5u);
    EXPECT_EQ(imported.macros[3].name, u"M4");
    EXPECT_THAT(StoredNames(), ElementsAre(u"M0", u"M1", u"M2", u"M4", u"M5"));
    EXPECT_THAT(StoredEventCounts(), Each(kEventsPerMacro));
    // The journal kept during the import is gone with it.
    std::filesystem::path journal = DatabaseFile("M100");
    journal += "-journal";
    EXPECT_FALSE(std::filesystem::exists(journal));
}

TEST_F(MacroImportFaultTest, FailedWriteOfTheOneMacroFileStoresNothing) {
    const std::u16string one = FromUtf8(
        dir_.Write("one.xml",
                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro>\r\n"
                   "<macroinfo macro_name=\"Jump\" macro_type=\"0\" play_times=\"1\" "
                   "delay_type=\"1\" delay_time=\"0\"/>\r\n<macroitems>\r\n"
                   "<item desc=\"a\" index=\"0\" type=\"2\" value=\"65\" timestamp=\"1\"/>\r\n"
                   "<item desc=\"b\" index=\"1\" type=\"3\" value=\"65\" timestamp=\"1\"/>\r\n"
                   "</macroitems>\r\n</macro>\r\n")
            .string());
    FaultAt(2, [] { return false; });
    EXPECT_TRUE(ReadMacroFile(one, 1).macros.empty());
    EXPECT_TRUE(StoredNames().empty());
}

TEST_F(MacroImportFaultTest, KilledImportLeavesOnlyWholeMacros) {
    // More macros than one commit holds, so some are stored before the kill.
    constexpr int kMany = 300;
    constexpr int kEvents = 4;
    constexpr int kKilledIn = 250;
    const std::u16string many =
        FromUtf8(dir_.Write("many.xml", CollectionText(kMany, kEvents)).string());
    // The child opens the file itself: a connection must not cross a fork.
    SettingsDatabase::Instance().Close();
    EXPECT_EXIT(
        {
            Select(u"M100");
            FaultAt(kKilledIn * kEvents + 2, [] {
                std::raise(SIGKILL);
                return true;
            });
            ReadMacroCollection(many, 1);
        },
        ::testing::KilledBySignal(SIGKILL), "");

    ASSERT_TRUE(Select(u"M100"));
    const std::vector<std::u16string> names = StoredNames();
    ASSERT_FALSE(names.empty());
    ASSERT_LE(names.size(), static_cast<size_t>(kKilledIn));
    for (size_t m = 0; m < names.size(); ++m)
        EXPECT_EQ(names[m], u"M" + FromUtf8(std::to_string(m)));
    EXPECT_THAT(StoredEventCounts(), Each(kEvents));
}

}  // namespace
}  // namespace tessaly::test
