#include "macros/macro_operations.h"

#include <gmock/gmock.h>

#include <fstream>

#include "base/unicode.h"
#include "buttons/assignment_model.h"
#include "macros/macro_event_texts.h"
#include "storage/key_table.h"
#include "storage/macro_table.h"
#include "storage/storage_fixture.h"
#include "ui/dialogs/numbered_language.h"
#include "ui/localisation/text_ids.h"

namespace tessaly::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class FakeMacroHost : public MacroHost {
  public:
    int CurrentProfile() const override { return profile; }
    int CurrentDeviceId() const override { return device_id; }
    void ShowMessage(std::u16string_view, std::u16string_view) override {}
    uint32_t Now() const override { return now; }

    int profile = 1;
    int device_id = 5;
    uint32_t now = 5000;
};

class MacroOperationsTest : public StorageTest {
  protected:
    void TearDown() override {
        SetMacroEventWriteProbe(nullptr);
        StorageTest::TearDown();
    }
    int NewMacro() {
        const MacroChange change = CreateMacro();
        EXPECT_TRUE(change.ok);
        return change.macro.macro_id;
    }
    static MacroInfo Stored(int macro_id) {
        MacroInfo macro;
        EXPECT_TRUE(GetMacro(macro_id, macro));
        return macro;
    }
    // type|value|desc|stamp of each stored event in order.
    static std::vector<std::string> Events(int macro_id) {
        std::vector<MacroEvent> events;
        ListMacroEvents(macro_id, events);
        std::vector<std::string> rows;
        for (const MacroEvent& event : events) {
            rows.push_back(std::to_string(event.type) + "|" + std::to_string(event.value) + "|" +
                           ToUtf8(event.desc) + "|" + std::to_string(event.delay_time));
        }
        return rows;
    }
    static std::string Settings(const MacroInfo& macro) {
        return std::to_string(macro.play_type) + "|" + std::to_string(macro.play_times) + "|" +
               std::to_string(macro.delay_type) + "|" + std::to_string(macro.delay_time);
    }
    void AssignMacro(int profile, int key_code, int macro_id, std::u16string_view text) {
        ASSERT_GT(
            SaveKeyAssignment(MakeAssignment(profile, key_code, kCategoryMacro, macro_id, 0, text)),
            0);
    }
    static std::u16string ButtonText(int profile, int key_code) {
        KeyAssignment key;
        EXPECT_TRUE(GetKeyAssignment(profile, key_code, key));
        return key.macro_desc;
    }
    MacroChange Insert(int macro_id, int selected, const MacroInsertion& insertion) {
        host_.now += 100;
        return InsertIntoMacro(host_, macro_id, selected, insertion);
    }

    FakeMacroHost host_;
};

TEST_F(MacroOperationsTest, NewMacrosAreNumberedAndDeletingRemovesTheirEvents) {
    NumberedLanguage language;
    const int first = NewMacro();
    const int second = NewMacro();
    EXPECT_EQ(Stored(second).name, NumberedLanguage::T(351) + u" 2");
    // A new macro plays once, with the recorded delays.
    EXPECT_EQ(Settings(Stored(first)), "0|1|1|0");
    ASSERT_TRUE(Insert(second, -1, MacroInsertion::Delay()).ok);

    const std::vector<MacroEntry> entries = ListMacroEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].macro.macro_id, second);
    EXPECT_EQ(entries[1].event_count, 1);
    EXPECT_EQ(entries[0].shown, NumberedLanguage::T(351) + u" 1");

    EXPECT_EQ(EraseMacro(99).reason, MacroRefusal::kNoMacro);
    const MacroChange erased = EraseMacro(second);
    EXPECT_TRUE(erased.ok);
    MacroInfo gone;
    EXPECT_FALSE(GetMacro(second, gone));
    EXPECT_THAT(Events(second), IsEmpty());
    // The next new macro counts the macros that are left.
    EXPECT_EQ(Stored(NewMacro()).name, NumberedLanguage::T(351) + u" 2");
}

TEST_F(MacroOperationsTest, RenamingChangesTheButtonsOfTheCurrentProfileOnly) {
    const int macro = NewMacro();
    const int other = NewMacro();
    AssignMacro(1, 3, macro, u"old");
    AssignMacro(1, 4, other, u"other");
    AssignMacro(2, 3, macro, u"old");

    const MacroChange empty = RenameMacroTo(host_, macro, u"");
    EXPECT_FALSE(empty.ok);
    EXPECT_EQ(empty.reason, MacroRefusal::kEmptyName);
    EXPECT_EQ(empty.macro.name, Stored(macro).name);
    EXPECT_EQ(ButtonText(1, 3), u"old");

    const MacroChange renamed = RenameMacroTo(host_, macro, u"Dash");
    ASSERT_TRUE(renamed.ok);
    EXPECT_EQ(Stored(macro).name, u"Dash");
    ASSERT_EQ(renamed.renamed_buttons.size(), 1u);
    EXPECT_EQ(renamed.renamed_buttons[0].key_code, 3);
    EXPECT_EQ(renamed.renamed_buttons[0].macro_desc, u"Dash");
    EXPECT_EQ(ButtonText(1, 3), u"Dash");
    EXPECT_EQ(ButtonText(1, 4), u"other");
    EXPECT_EQ(ButtonText(2, 3), u"old");
    EXPECT_EQ(RenameMacroTo(host_, 99, u"x").reason, MacroRefusal::kNoMacro);
}

TEST_F(MacroOperationsTest, SettingsAreLimitedAsThePageLimitsThem) {
    const int macro = NewMacro();
    const auto change = [&](MacroSettings settings) {
        return ChangeMacroSettings(host_, macro, settings);
    };
    EXPECT_EQ(Settings(change({0, 5000, 2, 20000}).macro), "0|999|2|10000");
    EXPECT_EQ(Settings(Stored(macro)), "0|999|2|10000");
    // Devices above 200 in the device list count to 255.
    host_.device_id = 201;
    EXPECT_EQ(Settings(change({0, 256, 2, 0}).macro), "0|255|2|1");
    EXPECT_EQ(Settings(change({0, -4, 2, 10000}).macro), "0|1|2|10000");
    host_.device_id = 200;
    EXPECT_EQ(Settings(change({0, 999, 1, 0}).macro), "0|999|1|0");
    // Only a counted play keeps a count, only a fixed delay its time.
    EXPECT_EQ(Settings(change({1, 50, 0, 300}).macro), "1|1|0|0");
    EXPECT_EQ(Settings(change({3, 50, 1, 300}).macro), "3|1|1|0");

    for (const MacroSettings& bad : {MacroSettings{4, 1, 1, 0}, MacroSettings{-1, 1, 1, 0},
                                     MacroSettings{0, 1, 3, 0}, MacroSettings{0, 1, -1, 0}}) {
        const MacroChange refused = change(bad);
        EXPECT_EQ(refused.reason, MacroRefusal::kOutOfRange);
        EXPECT_EQ(Settings(Stored(macro)), "3|1|1|0");
    }
    EXPECT_EQ(ChangeMacroSettings(host_, 99, {}).reason, MacroRefusal::kNoMacro);
}

TEST_F(MacroOperationsTest, InsertionsLandAfterTheSelectedEventWithSharedStamps) {
    const int macro = NewMacro();
    const MacroChange key = Insert(macro, -1, MacroInsertion::Key(65, u"A"));
    ASSERT_TRUE(key.ok);
    EXPECT_THAT(Events(macro), ElementsAre("2|65|\u2193  A|5100", "1|10|10 ms|5101",
                                           "3|65|\u2191  A|5100", "1|10|10 ms|5102"));
    EXPECT_EQ(key.events.size(), 4u);

    // After the first event; the selection stays where it was.
    const MacroChange click = Insert(macro, 0, MacroInsertion::Click(kMouseButtonMiddle));
    ASSERT_TRUE(click.ok);
    EXPECT_EQ(click.selected, 0);
    ASSERT_TRUE(Insert(macro, 99, MacroInsertion::Delay()).ok);  // past the end: at the end
    EXPECT_THAT(Events(macro),
                ElementsAre("2|65|\u2193  A|5100", "4|4|\u2193  MB|5200", "1|10|10 ms|5201",
                            "5|4|\u2191  MB|5200", "1|10|10 ms|5202", "1|10|10 ms|5101",
                            "3|65|\u2191  A|5100", "1|10|10 ms|5102", "1|10|10 ms|5300"));

    const std::vector<std::string> before = Events(macro);
    for (const MacroInsertion& bad : {MacroInsertion::Click(0x20), MacroInsertion::Click(0),
                                      MacroInsertion::Key(0, u"A"), MacroInsertion::Key(65, u"")}) {
        EXPECT_EQ(Insert(macro, -1, bad).reason, MacroRefusal::kOutOfRange);
    }
    EXPECT_EQ(Insert(99, -1, MacroInsertion::Delay()).reason, MacroRefusal::kNoMacro);
    EXPECT_EQ(Events(macro), before);
}

TEST_F(MacroOperationsTest, AFullListRefusesInsertionWithTheListFullText) {
    const int macro = NewMacro();
    std::vector<MacroEvent> events(kMaxEditedEvents - 1);
    for (MacroEvent& event : events) {
        event.type = kEventDelay;
        event.value = 10;
        event.desc = u"10 ms";
    }
    ASSERT_TRUE(SaveEventList(macro, events));
    // One short of the limit: the whole insertion goes in, past it.
    ASSERT_TRUE(Insert(macro, -1, MacroInsertion::Click(kMouseButtonLeft)).ok);
    ASSERT_EQ(Events(macro).size(), 203u);

    const MacroChange full = Insert(macro, 5, MacroInsertion::Key(66, u"B"));
    EXPECT_FALSE(full.ok);
    EXPECT_EQ(full.reason, MacroRefusal::kListFull);
    EXPECT_EQ(full.refusal, text::kEventListFull);
    EXPECT_EQ(Events(macro).size(), 203u);
}

TEST_F(MacroOperationsTest, EventsAreMovedDeletedAndEditedInTheStore) {
    const int macro = NewMacro();
    ASSERT_TRUE(Insert(macro, -1, MacroInsertion::Key(65, u"A")).ok);
    ASSERT_TRUE(Insert(macro, -1, MacroInsertion::Click(kMouseButtonLeft)).ok);

    const MacroChange top = MoveMacroEvent(macro, 4, MoveDirection::kTop);
    ASSERT_TRUE(top.ok);
    EXPECT_EQ(top.selected, 0);
    EXPECT_EQ(Events(macro).front(), "4|1|\u2193  LB|5200");
    const MacroChange down = MoveMacroEvent(macro, 0, MoveDirection::kDown);
    EXPECT_EQ(down.selected, 1);
    EXPECT_EQ(Events(macro)[1], "4|1|\u2193  LB|5200");
    EXPECT_EQ(MoveMacroEvent(macro, 8, MoveDirection::kUp).reason, MacroRefusal::kNoEvent);

    // The pair of the event's stamp changes together.
    ASSERT_TRUE(SetMacroEventButton(macro, 1, kMouseButtonForward).ok);
    ASSERT_TRUE(SetMacroEventKey(macro, 0, 66, u"B").ok);
    EXPECT_THAT(Events(macro),
                ElementsAre("2|66|\u2193  B|5100", "4|16|\u2193  Forward|5200", "1|10|10 ms|5101",
                            "3|66|\u2191  B|5100", "1|10|10 ms|5102", "1|10|10 ms|5201",
                            "5|16|\u2191  Forward|5200", "1|10|10 ms|5202"));
    EXPECT_EQ(SetMacroEventButton(macro, 1, 0x40).reason, MacroRefusal::kNoEvent);
    EXPECT_EQ(SetMacroEventKey(macro, 1, 67, u"C").reason, MacroRefusal::kNoEvent);
    EXPECT_EQ(SetMacroEventKey(macro, 0, 67, u"").reason, MacroRefusal::kNoEvent);

    // Delays are limited to 1-10000; an event that is no delay is left alone.
    EXPECT_EQ(SetMacroDelay(macro, 2, 20000).events[2].value, 10000);
    EXPECT_EQ(SetMacroDelay(macro, 4, 0).events[4].desc, u"1 ms");
    EXPECT_EQ(SetMacroDelay(macro, 0, 50).reason, MacroRefusal::kNoEvent);
    EXPECT_EQ(Events(macro)[2], "1|10000|10000 ms|5101");

    const MacroChange deleted = DeleteMacroEvent(macro, 0);
    ASSERT_TRUE(deleted.ok);
    EXPECT_EQ(deleted.selected, -1);
    EXPECT_EQ(Events(macro).size(), 7u);
    EXPECT_EQ(DeleteMacroEvent(macro, 7).reason, MacroRefusal::kNoEvent);
    EXPECT_TRUE(ClearMacroEvents(macro).ok);
    EXPECT_THAT(Events(macro), IsEmpty());
    EXPECT_EQ(ClearMacroEvents(99).reason, MacroRefusal::kNoMacro);
}

TEST_F(MacroOperationsTest, AFailingStoreKeepsTheEventsItHad) {
    const int macro = NewMacro();
    ASSERT_TRUE(Insert(macro, -1, MacroInsertion::Key(65, u"A")).ok);
    const std::vector<std::string> before = Events(macro);
    // The third row of the rewrite fails, as on a full disk.
    SetMacroEventWriteProbe([count = 0]() mutable { return ++count != 3; });
    const MacroChange failed = Insert(macro, -1, MacroInsertion::Delay());
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.reason, MacroRefusal::kStoreFailed);
    EXPECT_EQ(Events(macro), before);
    // The caller is given what is stored, to show it.
    EXPECT_EQ(failed.events.size(), before.size());

    SetMacroEventWriteProbe([] { return false; });
    EXPECT_EQ(MoveMacroEvent(macro, 0, MoveDirection::kBottom).reason, MacroRefusal::kStoreFailed);
    EXPECT_EQ(SetMacroDelay(macro, 1, 30).reason, MacroRefusal::kStoreFailed);
    EXPECT_EQ(Events(macro), before);
}

TEST_F(MacroOperationsTest, ExportedMacrosImportWithTheirSettingsAndEvents) {
    const int macro = NewMacro();
    ASSERT_TRUE(ChangeMacroSettings(host_, macro, {0, 3, 2, 40}).ok);
    ASSERT_TRUE(Insert(macro, -1, MacroInsertion::Key(65, u"A")).ok);
    const int empty = NewMacro();
    const std::u16string one = FromUtf8((dir_.path() / "one.xml").string());
    const std::u16string all = FromUtf8((dir_.path() / "all.xml").string());

    ASSERT_TRUE(ExportOneMacro(macro, one, u"Shown").ok);
    ASSERT_TRUE(ExportAllMacros(all).ok);
    EXPECT_EQ(ExportOneMacro(99, one, u"x").reason, MacroRefusal::kNoMacro);
    EXPECT_EQ(ExportOneMacro(macro, u"/proc/version", u"x").reason, MacroRefusal::kNotWritten);

    const MacroFileImport single = ImportMacros(host_, one, MacroFileFormat::kOne);
    ASSERT_TRUE(single.ok);
    ASSERT_EQ(single.macros.size(), 1u);
    const int copy = single.macros[0].macro_id;
    EXPECT_EQ(Stored(copy).name, u"Shown");
    EXPECT_EQ(Settings(Stored(copy)), "0|3|2|40");
    EXPECT_EQ(Events(copy), Events(macro));

    const MacroFileImport both = ImportMacros(host_, all, MacroFileFormat::kAll);
    ASSERT_TRUE(both.ok);
    ASSERT_EQ(both.macros.size(), 2u);
    EXPECT_EQ(Events(both.macros[0].macro_id), Events(macro));
    EXPECT_EQ(both.macros[1].name, Stored(empty).name);
    EXPECT_THAT(Events(both.macros[1].macro_id), IsEmpty());

    // A one-macro file read as a collection gives nothing.
    const MacroFileImport wrong = ImportMacros(host_, one, MacroFileFormat::kAll);
    EXPECT_FALSE(wrong.ok);
    EXPECT_EQ(wrong.reason, MacroRefusal::kNothingRead);
    EXPECT_EQ(wrong.refusal, 0);
}

TEST_F(MacroOperationsTest, AFileWithNothingUsableIsRefusedWithItsText) {
    const std::filesystem::path file = dir_.path() / "bad.xml";
    std::ofstream(file) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro>\r\n"
                           "<macroinfo macro_name=\"Bad\" macro_type=\"9\" play_times=\"0\" "
                           "delay_type=\"7\" delay_time=\"-5\"/>\r\n</macro>\r\n";
    const MacroFileImport refused =
        ImportMacros(host_, FromUtf8(file.string()), MacroFileFormat::kOne);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.refusal, text::kMacroFileAllRefused);
    EXPECT_TRUE(refused.counts.AllRefused());
    EXPECT_THAT(ListMacroEntries(), IsEmpty());

    EXPECT_EQ(ExportAllMacros(FromUtf8((dir_.path() / "none.xml").string())).reason,
              MacroRefusal::kNoMacro);
    EXPECT_FALSE(std::filesystem::exists(dir_.path() / "none.xml"));
}

}  // namespace
}  // namespace tessaly::test
