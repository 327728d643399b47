#pragma once
// The function slot table of a profile: 65 bytes in which button k owns bytes
// 3k, 3k + 1 and 3k + 2, so buttons 0 to 20 have a slot and no other button
// does.

#include <array>
#include <cstdint>
#include <span>

namespace tessaly {

class ButtonFunctionTable {
  public:
    static constexpr int kBytes = 65;
    static constexpr int kSlots = kBytes / 3;  // 21
    using Slot = std::array<uint8_t, 3>;

    // False, and nothing written, for a button without a slot.
    bool SetSlot(int button, const Slot& slot);
    // Zeros for a button without a slot.
    Slot GetSlot(int button) const;
    std::span<const uint8_t, kBytes> bytes() const { return bytes_; }

  private:
    std::array<uint8_t, kBytes> bytes_{};
};

}  // namespace tessaly
