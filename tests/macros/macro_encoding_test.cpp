#include "macros/macro_encoding.h"

#include <gmock/gmock.h>

#include <vector>

#include "macros/macro_event_texts.h"

namespace tessaly {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kKeyA = 65;
constexpr int kLeftShift = 160;
constexpr int kLeftWin = 91;
constexpr int kApplication = 93;

MacroEvent Ev(int type, int value) {
    MacroEvent event;
    event.type = type;
    event.value = value;
    return event;
}
MacroEvent Delay(int ms) {
    return Ev(kEventDelay, ms);
}
MacroEvent Down(int code) {
    return Ev(kEventKeyPress, code);
}
MacroEvent Up(int code) {
    return Ev(kEventKeyRelease, code);
}

std::vector<MacroEventBytes> Encode(const std::vector<MacroEvent>& events) {
    return EncodeMacroEvents(events);
}

TEST(MacroEncodingTest, ModifierThenKeyFoldsBothDelaysIntoTheModifier) {
    EXPECT_THAT(Encode({Down(kLeftShift), Delay(10), Delay(20), Down(kKeyA)}),
                ElementsAre(MacroEventBytes{0x20, 0x1E, 0x00, 0x02},
                            MacroEventBytes{0x30, 0x01, 0x00, 0x04}));
}

TEST(MacroEncodingTest, TrailingDelayBecomesTheLastRecordsDelay) {
    EXPECT_THAT(Encode({Down(kKeyA), Delay(100), Up(kKeyA), Delay(50)}),
                ElementsAre(MacroEventBytes{0x30, 0x64, 0x00, 0x04},
                            MacroEventBytes{0xB0, 0x32, 0x00, 0x04}));
}

TEST(MacroEncodingTest, DelaysInARowAddUp) {
    EXPECT_THAT(Encode({Down(kKeyA), Delay(30), Delay(20), Up(kKeyA)}),
                ElementsAre(MacroEventBytes{0x30, 50, 0x00, 0x04},
                            MacroEventBytes{0xB0, 0x01, 0x00, 0x04}));
}

TEST(MacroEncodingTest, LeadingDelayIsAddedToTheDelayAfterTheFirstRecord) {
    EXPECT_THAT(Encode({Delay(40), Down(kKeyA), Delay(10), Up(kKeyA)}),
                ElementsAre(MacroEventBytes{0x30, 0x32, 0x00, 0x04},
                            MacroEventBytes{0xB0, 0x01, 0x00, 0x04}));
}

TEST(MacroEncodingTest, WindowsKeyIsAModifierAndTheApplicationKeyIsNot) {
    const auto win = Encode({Down(kLeftWin), Up(kLeftWin)});
    ASSERT_EQ(win.size(), 2u);
    EXPECT_EQ(win[0][0], 0x20);
    EXPECT_EQ(win[0][3], 0x08);
    EXPECT_EQ(win[1][0], 0xA0);
    EXPECT_EQ(win[1][3], 0x08);

    EXPECT_THAT(Encode({Down(kApplication), Up(kApplication)}),
                ElementsAre(MacroEventBytes{0x30, 0x01, 0x00, 0x65},
                            MacroEventBytes{0xB0, 0x01, 0x00, 0x65}));
}

TEST(MacroEncodingTest, MouseButtonsAndLongDelays) {
    // 70000 ms keeps only its low 16 bits.
    EXPECT_THAT(Encode({Ev(kEventMousePress, kMouseButtonRight), Delay(70000),
                        Ev(kEventMouseRelease, kMouseButtonRight)}),
                ElementsAre(MacroEventBytes{0x10, 0x70, 0x11, 0x02},
                            MacroEventBytes{0x90, 0x01, 0x00, 0x02}));
    EXPECT_THAT(Encode({Down(kKeyA), Delay(300)}),
                ElementsAre(MacroEventBytes{0x30, 0x2C, 0x01, 0x04}));
}

TEST(MacroEncodingTest, HugeDelaysSumWithoutOverflow) {
    // Stored macros may predate the import's clamp: 2 x INT_MAX is
    // 0x1_FFFF_FFFE, of which the mouse gets 0xFFFE.
    constexpr int kMaxInt = 2147483647;
    EXPECT_THAT(Encode({Down(kKeyA), Delay(kMaxInt), Delay(kMaxInt), Up(kKeyA), Delay(kMaxInt),
                        Delay(kMaxInt)}),
                ElementsAre(MacroEventBytes{0x30, 0xFE, 0xFF, 0x04},
                            MacroEventBytes{0xB0, 0xFE, 0xFF, 0x04}));
}

TEST(MacroEncodingTest, DelaysAndUnknownTypesAloneGiveNoRecords) {
    EXPECT_THAT(Encode({Delay(10), Ev(7, 65), Delay(20)}), IsEmpty());
    EXPECT_THAT(Encode({}), IsEmpty());
}

}  // namespace
}  // namespace tessaly
