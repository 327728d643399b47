// Recorded evdev sequences go the way keys take while a capture is open
// (translator, raw keyboard records, handles) and are decoded.

#include <gtest/gtest.h>
#include <linux/input.h>

#include <vector>

#include "buttons/key_usage.h"
#include "buttons/raw_key_decoder.h"
#include "platform/evdev_keyboard_reader.h"
#include "platform/raw_keyboard_input.h"
#include "platform/raw_keyboard_keys.h"

namespace tessaly {
namespace {

struct Key {
    uint16_t code;
    int32_t value;  // 1 press, 0 release, 2 repeat
};

class KeyDecodingTest : public ::testing::Test {
  protected:
    KeyDecodingTest() {
        RegisterKeyboardInput([this](intptr_t handle) { handles_.push_back(handle); });
    }
    ~KeyDecodingTest() override { RegisterKeyboardInput({}); }

    // The decoded events of a recorded sequence from one keyboard whose
    // Num Lock LED is as given.
    std::vector<RawKeyEvent> Decode(std::initializer_list<Key> keys, bool num_lock = true) {
        KeyboardCapture capture(KeyboardSource::kWindow);
        EvdevKeyTranslator translator;
        input_event led{};
        led.type = EV_LED;
        led.code = LED_NUML;
        led.value = num_lock ? 1 : 0;
        translator.Feed(led, FeedCapturedKey);
        for (const Key& key : keys) {
            input_event event{};
            event.type = EV_KEY;
            event.code = key.code;
            event.value = key.value;
            translator.Feed(event, FeedCapturedKey);
            input_event sync{};
            sync.type = EV_SYN;
            translator.Feed(sync, FeedCapturedKey);
        }
        std::vector<RawKeyEvent> events;
        for (intptr_t handle : handles_) {
            if (auto record = ReadRawInput(handle)) {
                events.push_back(DecodeRawInput(*record, state_));
            }
        }
        handles_.clear();
        return events;
    }

    std::vector<intptr_t> handles_;
    ModifierState state_;
};

RawKeyEvent Pressed(int code, std::u16string name) {
    return {kRawKindKeyboard, 0, code, std::move(name)};
}
RawKeyEvent Released(int code, std::u16string name) {
    return {kRawKindKeyboard, 1, code, std::move(name)};
}

TEST_F(KeyDecodingTest, LeftAndRightModifiersAreToldApart) {
    EXPECT_EQ(Decode({{KEY_LEFTSHIFT, 1}, {KEY_LEFTSHIFT, 0}}),
              (std::vector{Pressed(160, u"Shift"), Released(160, u"Shift")}));
    EXPECT_EQ(Decode({{KEY_RIGHTSHIFT, 1}, {KEY_RIGHTSHIFT, 0}}),
              (std::vector{Pressed(161, u"RShift"), Released(161, u"RShift")}));
    EXPECT_EQ(Decode({{KEY_RIGHTCTRL, 1}, {KEY_LEFTALT, 1}, {KEY_LEFTALT, 0}, {KEY_RIGHTCTRL, 0}}),
              (std::vector{Pressed(163, u"RCtrl"), Pressed(164, u"Alt"), Released(164, u"Alt"),
                           Released(163, u"RCtrl")}));
    EXPECT_EQ(state_.bits, 0);
}

TEST_F(KeyDecodingTest, BothShiftsHeldAreReleasedInEitherOrder) {
    EXPECT_EQ(
        Decode({{KEY_LEFTSHIFT, 1}, {KEY_RIGHTSHIFT, 1}, {KEY_LEFTSHIFT, 0}, {KEY_RIGHTSHIFT, 0}}),
        (std::vector{Pressed(160, u"Shift"), Pressed(160, u"Shift"), Released(160, u"Shift"),
                     Released(161, u"RShift")}));
}

TEST_F(KeyDecodingTest, AGenericShiftReleaseWithoutStateIsTheRightShift) {
    RawInputRecord release;
    release.keyboard = {0x2A, kRiKeyBreak, 16, kWmKeyUp};
    EXPECT_EQ(DecodeRawInput(release, state_), Released(161, u"RShift"));
}

TEST_F(KeyDecodingTest, WindowsKeysHaveTheirFixedNames) {
    EXPECT_EQ(
        Decode({{KEY_LEFTMETA, 1}, {KEY_LEFTMETA, 0}, {KEY_RIGHTMETA, 1}}),
        (std::vector{Pressed(91, u"Windows"), Released(91, u"Windows"), Pressed(92, u"RWindows")}));
    EXPECT_EQ(Decode({{KEY_PAUSE, 1}, {KEY_SYSRQ, 1}, {KEY_NUMLOCK, 1}, {KEY_COMPOSE, 1}}),
              (std::vector{Pressed(19, u"Pause"), Pressed(44, u"Print Screen"),
                           Pressed(144, u"Num Lock"), Pressed(93, u"Application")}));
}

TEST_F(KeyDecodingTest, KeypadKeysWithNumLockOffKeepTheNavigationName) {
    EXPECT_EQ(Decode({{KEY_KP8, 1}, {KEY_KP8, 0}, {KEY_KP5, 1}, {KEY_KPDOT, 1}}, false),
              (std::vector{Pressed(104, u"Up"), Released(104, u"Up"), Pressed(101, u"Num 5"),
                           Pressed(110, u"Delete")}));
    EXPECT_EQ(Decode({{KEY_KP8, 1}, {KEY_KP0, 1}}, true),
              (std::vector{Pressed(104, u"Num 8"), Pressed(96, u"Num 0")}));
}

TEST_F(KeyDecodingTest, NavigationBlockKeysStayNavigationKeys) {
    EXPECT_EQ(
        Decode({{KEY_HOME, 1}, {KEY_PAGEUP, 1}, {KEY_DELETE, 0}}),
        (std::vector{Pressed(36, u"Home"), Pressed(33, u"Page Up"), Released(46, u"Delete")}));
}

TEST_F(KeyDecodingTest, TheKeypadEnterIsNumEnterAndTheMainEnterIsNot) {
    EXPECT_EQ(Decode({{KEY_KPENTER, 1}, {KEY_KPENTER, 0}, {KEY_ENTER, 1}}),
              (std::vector{Pressed(108, u"Num Enter"), Released(108, u"Num Enter"),
                           Pressed(13, u"Enter")}));
}

TEST_F(KeyDecodingTest, PrintableKeysAreNamedByTheirCharacterAndRepeatsArePresses) {
    EXPECT_EQ(Decode({{KEY_A, 1}, {KEY_A, 2}, {KEY_A, 0}, {KEY_MINUS, 1}, {KEY_BACKSPACE, 1}}),
              (std::vector{Pressed(65, u"A"), Pressed(65, u"A"), Released(65, u"A"),
                           Pressed(189, u"-"), Pressed(8, u"Backspace")}));
}

TEST_F(KeyDecodingTest, TheYenKeyBecomesCode137) {
    EXPECT_EQ(Decode({{KEY_YEN, 1}}), (std::vector{Pressed(137, u"\uFFE5")}));
}

TEST_F(KeyDecodingTest, InputOfOtherDevicesHasNoName) {
    RawInputRecord hid;
    hid.type = RawInputType::kHid;
    EXPECT_EQ(DecodeRawInput(hid, state_), (RawKeyEvent{kRawKindHid, 0, 0, u""}));
    RawInputRecord mouse;
    mouse.type = RawInputType::kMouse;
    EXPECT_EQ(DecodeRawInput(mouse, state_), RawKeyEvent{});
    EXPECT_EQ(DecodeRawInput(intptr_t{-1}), RawKeyEvent{});
}

// A key looked up by the name its capture shows must be the key the capture
// gives: the press alone, decoded, for every key either Num Lock state maps.
TEST(KeyPressTest, ALookedUpPressIsWhatTheDecoderGives) {
    int mapped = 0;
    for (bool num_lock : {true, false}) {
        for (int linux_code = 1; linux_code < 0x300; ++linux_code) {
            const std::optional<LinuxKeyMapping> key = MapLinuxKey(linux_code, num_lock);
            if (!key)
                continue;
            ++mapped;
            RawInputRecord record{RawInputType::kKeyboard, MakeKeyboardRecord(*key, true), {}};
            record.keys.Set(key->state_vkey, true);
            ModifierState modifiers;
            EXPECT_EQ(DecodeKeyPress(*key), DecodeRawInput(record, modifiers))
                << "Linux key " << linux_code << (num_lock ? "" : " without Num Lock");
        }
    }
    EXPECT_GT(mapped, 200);
}

TEST(KeyUsageTest, VirtualKeysToUsages) {
    EXPECT_EQ(VirtualKeyToUsage(65), 0x04);
    EXPECT_EQ(VirtualKeyToUsage(90), 0x1D);
    EXPECT_EQ(VirtualKeyToUsage(48), 0x27);
    EXPECT_EQ(VirtualKeyToUsage(49), 0x1E);
    EXPECT_EQ(VirtualKeyToUsage(112), 0x3A);
    EXPECT_EQ(VirtualKeyToUsage(123), 0x45);
    EXPECT_EQ(VirtualKeyToUsage(124), 0x68);
    EXPECT_EQ(VirtualKeyToUsage(97), 0x59);
    EXPECT_EQ(VirtualKeyToUsage(96), 0x62);
    EXPECT_EQ(VirtualKeyToUsage(108), 0x58);
    EXPECT_EQ(VirtualKeyToUsage(162), 0xE0);
    EXPECT_EQ(VirtualKeyToUsage(666), 0x32);
    EXPECT_EQ(VirtualKeyToUsage(12), 0);
    EXPECT_EQ(VirtualKeyToUsage(16), 0);
}

TEST(KeyUsageTest, ModifierBitsFromEitherNumbering) {
    EXPECT_EQ(ModifierBit(0), 0);
    EXPECT_EQ(ModifierBit(162), 0x01);
    EXPECT_EQ(ModifierBit(0xE0), 0x01);
    EXPECT_EQ(ModifierBit(160), 0x02);
    EXPECT_EQ(ModifierBit(0xE5), 0x20);
    EXPECT_EQ(ModifierBit(92), 0x80);
    EXPECT_EQ(ModifierBit(0xE7), 0x80);
    EXPECT_EQ(ModifierBit(65), 65);
}

TEST(KeyUsageTest, CombinationTexts) {
    EXPECT_EQ(FormatKeyCombination(false, true, false, true, u"A"), u"Ctrl+ Alt + A");
    EXPECT_EQ(FormatKeyCombination(true, true, false, false, u""), u"Shift+ Ctrl");
    EXPECT_EQ(FormatKeyCombination(false, true, false, false, u"A"), u"Ctrl + A");
    EXPECT_EQ(FormatKeyCombination(true, true, true, true, u"F1"), u"Shift+ Ctrl+ Win+ Alt + F1");
    EXPECT_EQ(FormatKeyCombination(false, false, false, false, u"Num Enter"), u"Num Enter");
    EXPECT_EQ(FormatKeyCombination(false, false, false, false, u""), u"");
}

}  // namespace
}  // namespace tessaly
