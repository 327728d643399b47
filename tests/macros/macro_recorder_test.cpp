#include "macros/macro_recorder.h"

#include <gmock/gmock.h>

#include "macros/macro_event_texts.h"

namespace tessaly {
namespace {

using ::testing::ElementsAre;

constexpr int kKeyA = 65;

std::vector<int> Values(const MacroEventList& list) {
    std::vector<int> values;
    for (const MacroEvent& event : list.events()) {
        values.push_back(event.value);
    }
    return values;
}

std::vector<int> Types(const MacroEventList& list) {
    std::vector<int> types;
    for (const MacroEvent& event : list.events()) {
        types.push_back(event.type);
    }
    return types;
}

TEST(MacroRecorderTest, MeasuredDelaysSeparateKeysButDoNotPrecedeTheFirst) {
    MacroEventList list;
    MacroRecorder recorder;
    recorder.Start(kDelayModeMeasured, 0, 1000);
    EXPECT_EQ(recorder.OnKey(list, false, kKeyA, u"A", 5000), RecordResult::kRecorded);
    EXPECT_EQ(recorder.OnKey(list, true, kKeyA, u"A", 5203), RecordResult::kRecorded);
    recorder.Stop(list, 5203);
    EXPECT_FALSE(recorder.recording());
    EXPECT_THAT(Types(list), ElementsAre(kEventKeyPress, kEventDelay, kEventKeyRelease));
    EXPECT_THAT(Values(list), ElementsAre(kKeyA, 203, kKeyA));
    EXPECT_EQ(list.events()[1].desc, u"203 ms");
    EXPECT_EQ(list.events()[2].desc, u"\u2191  A");
    // Every item takes the next stamp after the start time.
    EXPECT_EQ(list.events()[0].delay_time, 1001);
    EXPECT_EQ(list.events()[2].delay_time, 1003);
}

TEST(MacroRecorderTest, LongPausesAreCappedAndAPauseBeforeStopIsKept) {
    MacroEventList list;
    MacroRecorder recorder;
    recorder.Start(kDelayModeMeasured, 0, 0);
    recorder.OnKey(list, false, kKeyA, u"A", 0);  // a tick count of 0 still counts
    recorder.OnKey(list, true, kKeyA, u"A", 40000);
    recorder.Stop(list, 41500);
    EXPECT_THAT(Values(list), ElementsAre(kKeyA, 31000, kKeyA, 1500));
}

TEST(MacroRecorderTest, FixedDelaysFollowTheFirstKeyOfAnEmptyList) {
    MacroEventList list;
    MacroRecorder recorder;
    recorder.Start(kDelayModeFixed, 10, 0);
    recorder.OnKey(list, false, kKeyA, u"A", 100);
    recorder.OnKey(list, true, kKeyA, u"A", 5000);
    recorder.Stop(list, 9000);
    EXPECT_THAT(Values(list), ElementsAre(kKeyA, 10, kKeyA, 10));
}

TEST(MacroRecorderTest, NoDelaysInModeZeroAndUnnamedKeysAreSkipped) {
    MacroEventList list;
    MacroRecorder recorder;
    EXPECT_EQ(recorder.OnKey(list, false, kKeyA, u"A", 0), RecordResult::kIgnored);
    recorder.Start(kDelayModeNone, 0, 0);
    EXPECT_EQ(recorder.OnKey(list, false, 255, u"", 10), RecordResult::kIgnored);
    recorder.OnKey(list, false, kKeyA, u"A", 100);
    recorder.OnKey(list, true, kKeyA, u"A", 900);
    recorder.Stop(list, 2000);
    EXPECT_THAT(Types(list), ElementsAre(kEventKeyPress, kEventKeyRelease));
}

TEST(MacroRecorderTest, FiftyEightEventsStopAfterTwoMoreItems) {
    MacroEventList list;
    for (int i = 0; i < 58; ++i) {
        list.Append(kEventDelay, 10, u"10 ms", i);
    }
    MacroRecorder recorder;
    recorder.Start(kDelayModeMeasured, 0, 0);
    EXPECT_EQ(recorder.OnKey(list, false, kKeyA, u"A", 100), RecordResult::kRecorded);
    // Its delay is the 60th item: the key itself is not recorded.
    EXPECT_EQ(recorder.OnKey(list, true, kKeyA, u"A", 300), RecordResult::kLimit);
    EXPECT_FALSE(recorder.recording());
    EXPECT_EQ(list.size(), kRecordingEventLimit);
    EXPECT_EQ(list.events()[58].type, kEventKeyPress);
    EXPECT_EQ(list.events()[59].value, 200);
    EXPECT_EQ(recorder.OnKey(list, true, kKeyA, u"A", 400), RecordResult::kIgnored);
}

TEST(MacroRecorderTest, TheKeyThatFillsTheListStopsTheRecording) {
    MacroEventList list;
    for (int i = 0; i < 59; ++i) {
        list.Append(kEventDelay, 10, u"10 ms", i);
    }
    MacroRecorder recorder;
    recorder.Start(kDelayModeNone, 0, 0);
    EXPECT_EQ(recorder.OnKey(list, false, kKeyA, u"A", 100), RecordResult::kLimit);
    EXPECT_EQ(list.size(), 60);
    EXPECT_EQ(list.events().back().type, kEventKeyPress);
}

}  // namespace
}  // namespace tessaly
