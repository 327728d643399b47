// Values read from macro files are held to the macro page's ranges.

#include <gmock/gmock.h>

#include <string>

#include "buttons/key_usage.h"
#include "buttons/raw_key_decoder.h"
#include "macros/macro_event_texts.h"
#include "macros/macro_files.h"
#include "platform/raw_keyboard_keys.h"
#include "storage/macro_table.h"
#include "storage/storage_fixture.h"

namespace tessaly::test {
namespace {

using ::testing::IsEmpty;

constexpr int kLowDeviceId = 101;
constexpr int kHighDeviceId = 201;

std::string OneMacro(const std::string& settings, const std::string& items) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro>\r\n<macroinfo macro_name=\"M\" " +
           settings + "/>\r\n<macroitems>\r\n" + items + "</macroitems>\r\n</macro>\r\n";
}

std::string Settings(const std::string& type, const std::string& times, const std::string& delay,
                     const std::string& time) {
    return "macro_type=\"" + type + "\" play_times=\"" + times + "\" delay_type=\"" + delay +
           "\" delay_time=\"" + time + "\"";
}

std::string Item(int index, int type, const std::string& value) {
    return "<item desc=\"d" + std::to_string(index) + "\" index=\"" + std::to_string(index) +
           "\" type=\"" + std::to_string(type) + "\" value=\"" + value + "\" timestamp=\"5\"/>\r\n";
}

const std::string kPlainSettings = Settings("0", "1", "1", "0");

class MacroFileValuesTest : public StorageTest {
  protected:
    std::u16string File(const std::string& text) {
        return FromUtf8(dir_.Write("m" + std::to_string(++files_) + ".xml", text).string());
    }
    MacroImport Import(const std::string& text, int device_id = kLowDeviceId) {
        return ReadMacroFile(File(text), device_id);
    }
    static MacroInfo Stored(const MacroImport& imported) {
        MacroInfo macro;
        EXPECT_EQ(imported.macros.size(), 1u);
        if (!imported.macros.empty())
            GetMacro(imported.macros[0].macro_id, macro);
        return macro;
    }
    static std::vector<MacroEvent> StoredEvents(const MacroImport& imported) {
        std::vector<MacroEvent> events;
        if (!imported.macros.empty())
            ListMacroEvents(imported.macros[0].macro_id, events);
        return events;
    }

    int files_ = 0;
};

TEST_F(MacroFileValuesTest, SettingsInRangeAreStoredAsRead) {
    const MacroImport counted = Import(OneMacro(Settings("0", "999", "2", "10000"), ""));
    const MacroInfo macro = Stored(counted);
    EXPECT_EQ(macro.play_type, 0);
    EXPECT_EQ(macro.play_times, 999);
    EXPECT_EQ(macro.delay_type, 2);
    EXPECT_EQ(macro.delay_time, 10000);
    EXPECT_EQ(counted.counts.values, 4);
    EXPECT_EQ(counted.counts.refused, 0);
    // Type 3 comes only from files and is kept.
    EXPECT_EQ(Stored(Import(OneMacro(Settings("3", "1", "0", "0"), ""))).play_type, 3);
}

TEST_F(MacroFileValuesTest, SettingsOutOfRangeTakeANewMacrosValues) {
    const MacroImport imported =
        Import(OneMacro(Settings("7", "5000", " -2", "12abc"), Item(0, 2, "65")));
    const MacroInfo macro = Stored(imported);
    EXPECT_EQ(macro.play_type, 0);
    EXPECT_EQ(macro.play_times, 1);
    EXPECT_EQ(macro.delay_type, 1);
    EXPECT_EQ(macro.delay_time, 0);
    EXPECT_EQ(imported.counts.refused, 4);
    EXPECT_FALSE(imported.counts.AllRefused()) << "its event came in";
    EXPECT_EQ(StoredEvents(imported).size(), 1u);
}

TEST_F(MacroFileValuesTest, SettingsFollowThePagesRulesBetweenFields) {
    // Another play type has no count, another delay type no fixed time.
    const MacroInfo uncounted = Stored(Import(OneMacro(Settings("1", "5", "1", "300"), "")));
    EXPECT_EQ(uncounted.play_times, 1);
    EXPECT_EQ(uncounted.delay_time, 0);
    // A fixed delay outside 1-10000 ms becomes the page's 10.
    const MacroImport fixed = Import(OneMacro(Settings("0", "0", "2", "10001"), ""));
    EXPECT_EQ(Stored(fixed).delay_time, 10);
    EXPECT_EQ(Stored(fixed).play_times, 1);
    EXPECT_EQ(fixed.counts.refused, 2);
}

TEST_F(MacroFileValuesTest, PlayCountBoundDependsOnTheDevice) {
    const std::string text = OneMacro(Settings("0", "300", "1", "0"), "");
    EXPECT_EQ(Stored(Import(text, kLowDeviceId)).play_times, 300);
    const MacroImport high = Import(text, kHighDeviceId);
    EXPECT_EQ(Stored(high).play_times, 1);
    EXPECT_EQ(high.counts.refused, 1);
    EXPECT_EQ(
        Stored(Import(OneMacro(Settings("0", "255", "1", "0"), ""), kHighDeviceId)).play_times,
        255);
}

TEST_F(MacroFileValuesTest, EventsOutOfRangeAreLeftOut) {
    const std::string items = Item(0, 2, "65") +      // A down
                              Item(1, 0, "65") +      // no such type
                              Item(2, 6, "65") +      // no such type
                              Item(3, 2, "7") +       // a code without a key
                              Item(4, 3, "100000") +  // not a key code
                              Item(5, 4, "2") +       // right button
                              Item(6, 4, "32") +      // no such button
                              Item(7, 5, "3") +       // two buttons at once
                              Item(8, 5, "16") +      // forward
                              Item(9, 3, "65");       // A up
    const MacroImport imported = Import(OneMacro(kPlainSettings, items));
    const std::vector<MacroEvent> events = StoredEvents(imported);
    std::vector<std::u16string> kept;
    for (const MacroEvent& event : events)
        kept.push_back(event.desc);
    EXPECT_THAT(kept, ::testing::ElementsAre(u"d0", u"d5", u"d8", u"d9"));
    EXPECT_EQ(imported.counts.refused, 6);
    // Four settings, ten types, and the values of the eight events of a known type.
    EXPECT_EQ(imported.counts.values, 4 + 10 + 8);
}

TEST_F(MacroFileValuesTest, DelaysAreBroughtIntoOneTo31000Ms) {
    const std::string items = Item(0, 1, "2147483647") + Item(1, 1, "-5") + Item(2, 1, "x") +
                              Item(3, 1, "31000") + Item(4, 1, "1");
    const MacroImport imported = Import(OneMacro(kPlainSettings, items));
    const std::vector<MacroEvent> events = StoredEvents(imported);
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].value, 31000);
    EXPECT_EQ(events[0].desc, DelayText(31000)) << "the list shows the stored delay";
    EXPECT_EQ(events[1].value, 1);
    EXPECT_EQ(events[2].value, 1);
    EXPECT_EQ(events[3].value, 31000);
    EXPECT_EQ(events[3].desc, u"d3");
    EXPECT_EQ(events[4].value, 1);
    EXPECT_EQ(imported.counts.clamped, 3);
    EXPECT_EQ(imported.counts.refused, 0);
}

TEST_F(MacroFileValuesTest, EveryKeyTheCaptureNamesComesBackFromAFile) {
    // A recorded macro exported and imported again loses no key.
    ModifierState state;
    for (int linux_code = 0; linux_code < 768; ++linux_code) {
        for (bool num_lock : {false, true}) {
            const auto key = MapLinuxKey(linux_code, num_lock);
            if (!key)
                continue;
            // As the capture builds it: the key down in the state after it.
            RawInputRecord input;
            input.type = RawInputType::kKeyboard;
            input.keyboard = MakeKeyboardRecord(*key, true);
            input.keys.Set(key->state_vkey, true);
            const RawKeyEvent decoded = DecodeRawInput(input, state);
            if (decoded.name.empty())
                continue;
            MacroFileValueCheck check(kLowDeviceId);
            MacroEvent event;
            event.type = kEventKeyPress;
            event.value = decoded.code;
            EXPECT_TRUE(check.CheckEvent(event))
                << "linux key " << linux_code << " gives code " << decoded.code;
        }
    }
}

TEST_F(MacroFileValuesTest, AFileOfNothingButRefusedValuesImportsNothing) {
    const std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro>\r\n"
        "<macro_item macro_name=\"A\" " +
        Settings("9", "0", "4", "-1") + ">\r\n<record_item>\r\n" + Item(0, 8, "1") +
        Item(1, 0, "0") +
        "</record_item>\r\n</macro_item>\r\n"
        "<macro_item macro_name=\"B\" " +
        Settings("-1", "-1", "-1", "-1") + "/>\r\n</macro>\r\n";
    const std::u16string path = File(text);
    const MacroImport imported = ReadMacroCollection(path, kLowDeviceId);
    EXPECT_TRUE(imported.counts.AllRefused());
    EXPECT_EQ(imported.counts.refused, 10);
    EXPECT_THAT(imported.macros, IsEmpty());
    std::vector<MacroInfo> stored;
    EXPECT_EQ(ListMacros(stored), 0);

    const MacroValueCounts checked = CheckMacroFileValues(path, true, kLowDeviceId);
    EXPECT_EQ(checked.values, imported.counts.values);
    EXPECT_EQ(checked.refused, imported.counts.refused);
    EXPECT_EQ(ListMacros(stored), 0) << "the check stores nothing";
}

}  // namespace
}  // namespace tessaly::test
