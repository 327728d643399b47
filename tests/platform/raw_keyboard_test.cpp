#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/input.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <tuple>
#include <vector>

#include "platform/evdev_keyboard_reader.h"
#include "platform/raw_keyboard_input.h"
#include "platform/raw_keyboard_keys.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

input_event Event(uint16_t type, uint16_t code, int32_t value) {
    input_event event{};
    event.type = type;
    event.code = code;
    event.value = value;
    return event;
}

TEST(RawKeyboardKeysTest, LinuxKeysMapToWhatAUsKeyboardReportsUnderWindows) {
    struct Row {
        int linux_code;
        LinuxKeyMapping expected;
    };
    const Row rows[] = {
        {KEY_A, {'A', 0x1E, 0, 'A'}},
        {KEY_0, {'0', 0x0B, 0, '0'}},
        {KEY_ENTER, {vk::kReturn, 0x1C, 0, vk::kReturn}},
        {KEY_KPENTER, {vk::kReturn, 0x1C, kRiKeyE0, vk::kReturn}},
        {KEY_LEFTSHIFT, {vk::kShift, 0x2A, 0, vk::kLShift}},
        {KEY_RIGHTSHIFT, {vk::kShift, 0x36, 0, vk::kRShift}},
        {KEY_RIGHTCTRL, {vk::kControl, 0x1D, kRiKeyE0, vk::kRControl}},
        {KEY_RIGHTALT, {vk::kMenu, 0x38, kRiKeyE0, vk::kRMenu}},
        {KEY_HOME, {vk::kHome, 0x47, kRiKeyE0, vk::kHome}},
        {KEY_LEFTMETA, {vk::kLWin, 0x5B, kRiKeyE0, vk::kLWin}},
        {KEY_PAUSE, {vk::kPause, 0x1D, kRiKeyE1, vk::kPause}},
        {KEY_SLASH, {191, 0x35, 0, 191}},
        {KEY_KPSLASH, {vk::kDivide, 0x35, kRiKeyE0, vk::kDivide}},
        {KEY_F13, {124, 0x64, 0, 124}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(MapLinuxKey(row.linux_code, true), row.expected) << row.linux_code;
    }
    EXPECT_FALSE(MapLinuxKey(KEY_VOLUMEUP, true));
}

TEST(RawKeyboardKeysTest, KeypadKeysAreNavigationKeysWithoutPrefixWhileNumLockIsOff) {
    EXPECT_EQ(MapLinuxKey(KEY_KP8, true)->vkey, 104);
    const LinuxKeyMapping off = *MapLinuxKey(KEY_KP8, false);
    EXPECT_EQ(off.vkey, vk::kUp);
    EXPECT_EQ(off.prefix, 0);
    EXPECT_EQ(off.scan, 0x48);
    EXPECT_EQ(MapLinuxKey(KEY_KP5, false)->vkey, vk::kClear);
    EXPECT_EQ(MapLinuxKey(KEY_KPDOT, false)->vkey, vk::kDelete);
    // Keys without a navigation meaning stay what they are.
    EXPECT_EQ(MapLinuxKey(KEY_KPPLUS, false)->vkey, vk::kAdd);
}

TEST(RawKeyboardKeysTest, RecordsCarryBreakPrefixAndMessage) {
    const LinuxKeyMapping home = *MapLinuxKey(KEY_HOME, true);
    EXPECT_EQ(MakeKeyboardRecord(home, true),
              (RawKeyboardRecord{0x47, kRiKeyE0, vk::kHome, kWmKeyDown}));
    EXPECT_EQ(MakeKeyboardRecord(home, false),
              (RawKeyboardRecord{0x47, kRiKeyE0 | kRiKeyBreak, vk::kHome, kWmKeyUp}));
    const LinuxKeyMapping alt = *MapLinuxKey(KEY_LEFTALT, true);
    EXPECT_EQ(MakeKeyboardRecord(alt, true).message, kWmSysKeyDown);
    EXPECT_EQ(MakeKeyboardRecord(alt, false).message, kWmSysKeyUp);
}

TEST(RawKeyboardKeysTest, NamesAreTheUsLayoutsNames) {
    const std::tuple<int, std::u16string_view> rows[] = {
        {0x1C, u"Enter"},    {0x11C, u"Num Enter"}, {0x0E, u"Backspace"}, {0x3A, u"Caps Lock"},
        {0x149, u"Page Up"}, {0x47, u"Num 7"},      {0x147, u"Home"},     {0x1E, u"A"},
        {0x0B, u"0"},        {0x0C, u"-"},          {0x2B, u"\\"},        {0x39, u"Space"},
        {0x01, u"Esc"},      {0x153, u"Delete"},    {0x53, u"Num Del"},   {0x58, u"F12"},
    };
    for (const auto& [scan, name] : rows) {
        EXPECT_EQ(KeyNameText(scan), name) << std::hex << scan;
    }
    EXPECT_EQ(KeyNameText(0x7F), u"");
}

TEST(RawKeyboardKeysTest, VirtualKeysGiveTheScanCodesOfTheirKeys) {
    EXPECT_EQ(VirtualKeyToScanCode('A'), 0x1E);
    EXPECT_EQ(VirtualKeyToScanCode(vk::kUp), 0x48);
    EXPECT_EQ(VirtualKeyToScanCode(104), 0x48);
    EXPECT_EQ(VirtualKeyToScanCode(vk::kClear), 0x4C);
    EXPECT_EQ(VirtualKeyToScanCode(vk::kRShift), 0x36);
    EXPECT_EQ(VirtualKeyToScanCode(vk::kSeparator), 0);
}

// Collects the handles the registered sink receives.
class CaptureTest : public ::testing::Test {
  protected:
    CaptureTest() {
        RegisterKeyboardInput([this](intptr_t handle) {
            std::lock_guard lock(mutex_);
            handles_.push_back(handle);
            arrived_.notify_all();
        });
    }
    ~CaptureTest() override { RegisterKeyboardInput({}); }

    std::vector<RawInputRecord> Records() {
        std::vector<intptr_t> handles;
        {
            std::lock_guard lock(mutex_);
            handles.swap(handles_);
        }
        std::vector<RawInputRecord> records;
        for (intptr_t handle : handles) {
            if (auto record = ReadRawInput(handle)) {
                records.push_back(*record);
            }
        }
        return records;
    }
    bool WaitForHandles(size_t count) {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, std::chrono::seconds(5),
                                 [&] { return handles_.size() >= count; });
    }

    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<intptr_t> handles_;
};

TEST_F(CaptureTest, KeysAreReadOnlyWhileACaptureIsOpen) {
    DeliverWindowKey(KEY_A, true);
    EXPECT_TRUE(Records().empty());
    {
        KeyboardCapture capture(KeyboardSource::kWindow);
        DeliverWindowKey(KEY_A, true);
        DeliverWindowKey(KEY_A, false);
        const std::vector<RawInputRecord> records = Records();
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0].keyboard.vkey, 'A');
        EXPECT_EQ(records[0].keyboard.message, kWmKeyDown);
        EXPECT_EQ(records[1].keyboard.flags, kRiKeyBreak);
    }
    DeliverWindowKey(KEY_A, true);
    EXPECT_TRUE(Records().empty());
}

TEST_F(CaptureTest, AHandleIsReadOnce) {
    KeyboardCapture capture(KeyboardSource::kWindow);
    DeliverWindowKey(KEY_B, true);
    ASSERT_TRUE(WaitForHandles(1));
    const intptr_t handle = handles_.front();
    EXPECT_TRUE(ReadRawInput(handle));
    EXPECT_FALSE(ReadRawInput(handle));
    EXPECT_FALSE(ReadRawInput(-5));
}

TEST_F(CaptureTest, RecordsCarryTheKeyStateAfterTheirKey) {
    KeyboardCapture capture(KeyboardSource::kWindow);
    DeliverWindowKey(KEY_RIGHTSHIFT, true);
    DeliverWindowKey(KEY_A, true);
    DeliverWindowKey(KEY_RIGHTSHIFT, false);
    const std::vector<RawInputRecord> records = Records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_TRUE(records[0].keys.IsKeyDown(vk::kRShift));
    EXPECT_TRUE(records[0].keys.IsKeyDown(vk::kShift));
    EXPECT_FALSE(records[0].keys.IsKeyDown(vk::kLShift));
    EXPECT_TRUE(records[1].keys.IsKeyDown('A'));
    EXPECT_FALSE(records[2].keys.IsKeyDown(vk::kShift));
}

TEST_F(CaptureTest, NumLockIsTrackedFromItsKeyOrTakenFromTheBackend) {
    KeyboardCapture capture(KeyboardSource::kWindow);
    DeliverWindowKey(KEY_KP8, true, true);
    DeliverWindowKey(KEY_NUMLOCK, true);
    DeliverWindowKey(KEY_NUMLOCK, true);  // auto-repeat does not toggle again
    DeliverWindowKey(KEY_NUMLOCK, false);
    DeliverWindowKey(KEY_KP8, true);
    DeliverWindowKey(KEY_KP8, true, true);
    const std::vector<RawInputRecord> records = Records();
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[0].keyboard.vkey, 104);
    EXPECT_EQ(records[4].keyboard.vkey, vk::kUp);
    EXPECT_EQ(records[5].keyboard.vkey, 104);
    EXPECT_TRUE(TrackedNumLock());
}

TEST_F(CaptureTest, WithoutReadableKeyboardsRecordingFallsBackToTheWindow) {
    test::TempDir empty;
    KeyboardCapture capture(KeyboardSource::kAllKeyboards, empty.path().string());
    EXPECT_FALSE(capture.ReadsAllKeyboards());
    DeliverWindowKey(KEY_C, true);
    EXPECT_EQ(Records().size(), 1u);
}

TEST(EvdevKeyTranslatorTest, PressesRepeatsReleasesAndTheNumLockLed) {
    std::vector<std::tuple<int, bool, std::optional<bool>>> keys;
    const EvdevKeySink sink = [&](int code, bool pressed, std::optional<bool> num_lock) {
        keys.emplace_back(code, pressed, num_lock);
    };
    EvdevKeyTranslator translator;
    const input_event recorded[] = {
        Event(EV_MSC, MSC_SCAN, 0x70004), Event(EV_KEY, KEY_A, 1),     Event(EV_SYN, SYN_REPORT, 0),
        Event(EV_KEY, KEY_A, 2),          Event(EV_KEY, KEY_A, 0),     Event(EV_LED, LED_NUML, 0),
        Event(EV_KEY, KEY_KP8, 1),        Event(EV_LED, LED_CAPSL, 1),
    };
    for (const input_event& event : recorded) {
        translator.Feed(event, sink);
    }
    using K = std::tuple<int, bool, std::optional<bool>>;
    EXPECT_EQ(keys, (std::vector<K>{{KEY_A, true, std::nullopt},
                                    {KEY_A, true, std::nullopt},
                                    {KEY_A, false, std::nullopt},
                                    {KEY_KP8, true, false}}));
}

TEST(EvdevKeyboardReaderTest, ReadsInputEventsFromDescriptorsUntilStopped) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<int> codes;
    EvdevKeyboardReader reader;
    ASSERT_TRUE(
        reader.StartOnDescriptors({fds[0]}, [&](int code, bool pressed, std::optional<bool>) {
            std::lock_guard lock(mutex);
            codes.push_back(pressed ? code : -code);
            arrived.notify_all();
        }));
    const input_event sequence[] = {Event(EV_KEY, KEY_LEFTCTRL, 1), Event(EV_KEY, KEY_A, 1),
                                    Event(EV_SYN, SYN_REPORT, 0), Event(EV_KEY, KEY_A, 0),
                                    Event(EV_KEY, KEY_LEFTCTRL, 0)};
    ASSERT_EQ(write(fds[1], sequence, sizeof sequence), static_cast<ssize_t>(sizeof sequence));
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(
            arrived.wait_for(lock, std::chrono::seconds(5), [&] { return codes.size() == 4; }));
    }
    reader.Stop();
    EXPECT_EQ(codes, (std::vector<int>{KEY_LEFTCTRL, KEY_A, -KEY_A, -KEY_LEFTCTRL}));
    close(fds[1]);
}

TEST(EvdevKeyboardReaderTest, AFolderWithoutKeyboardsStartsNothing) {
    test::TempDir folder;
    EvdevKeyboardReader reader;
    EXPECT_FALSE(reader.Start(folder.path().string(), [](int, bool, std::optional<bool>) {}));
    EXPECT_EQ(reader.DeviceCount(), 0u);
}

}  // namespace
}  // namespace tessaly
