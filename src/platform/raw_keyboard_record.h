#pragma once
// Keys as the rest of the program reads them: the shape of one Windows raw
// keyboard record (set-1 scan code, prefix flags, virtual-key code, key
// message), built here from Linux key codes, and the state of the keys at
// the moment the record was made (what GetAsyncKeyState answers there).

#include <bitset>
#include <cstdint>

namespace tessaly {

// Windows virtual-key codes the keyboard layer and its users name.
namespace vk {
inline constexpr int kBack = 8;
inline constexpr int kTab = 9;
inline constexpr int kClear = 12;
inline constexpr int kReturn = 13;
inline constexpr int kShift = 16;
inline constexpr int kControl = 17;
inline constexpr int kMenu = 18;
inline constexpr int kPause = 19;
inline constexpr int kCapital = 20;
inline constexpr int kEscape = 27;
inline constexpr int kSpace = 32;
inline constexpr int kPrior = 33;
inline constexpr int kNext = 34;
inline constexpr int kEnd = 35;
inline constexpr int kHome = 36;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kSnapshot = 44;
inline constexpr int kInsert = 45;
inline constexpr int kDelete = 46;
inline constexpr int kLWin = 91;
inline constexpr int kRWin = 92;
inline constexpr int kApps = 93;
inline constexpr int kNumpad0 = 96;
inline constexpr int kMultiply = 106;
inline constexpr int kAdd = 107;
inline constexpr int kSeparator = 108;
inline constexpr int kSubtract = 109;
inline constexpr int kDecimal = 110;
inline constexpr int kDivide = 111;
inline constexpr int kF1 = 112;
inline constexpr int kNumLock = 144;
inline constexpr int kScroll = 145;
inline constexpr int kLShift = 160;
inline constexpr int kRShift = 161;
inline constexpr int kLControl = 162;
inline constexpr int kRControl = 163;
inline constexpr int kLMenu = 164;
inline constexpr int kRMenu = 165;
inline constexpr int kOem102 = 226;
}  // namespace vk

// RAWKEYBOARD.Flags.
inline constexpr uint16_t kRiKeyBreak = 0x01;
inline constexpr uint16_t kRiKeyE0 = 0x02;
inline constexpr uint16_t kRiKeyE1 = 0x04;

// RAWKEYBOARD.Message.
inline constexpr uint32_t kWmKeyDown = 0x0100;
inline constexpr uint32_t kWmKeyUp = 0x0101;
inline constexpr uint32_t kWmSysKeyDown = 0x0104;
inline constexpr uint32_t kWmSysKeyUp = 0x0105;

struct RawKeyboardRecord {
    uint16_t make_code = 0;
    uint16_t flags = 0;
    uint16_t vkey = 0;
    uint32_t message = 0;
    bool operator==(const RawKeyboardRecord&) const = default;
};

// Which keys are down, by virtual-key code; the left and right modifier
// codes are kept apart and the generic ones answer for either side.
class KeyStateSnapshot {
  public:
    void Set(int vkey, bool down);
    bool IsKeyDown(int vkey) const;
    bool operator==(const KeyStateSnapshot&) const = default;

  private:
    std::bitset<256> down_;
};

// RAWINPUTHEADER.dwType.
enum class RawInputType : uint32_t { kMouse = 0, kKeyboard = 1, kHid = 2 };

struct RawInputRecord {
    RawInputType type = RawInputType::kKeyboard;
    RawKeyboardRecord keyboard;
    // The keys as they were right after this record's key changed.
    KeyStateSnapshot keys;
};

}  // namespace tessaly
