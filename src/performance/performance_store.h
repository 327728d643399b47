#pragma once
// The performance keys of a profile's configuration, read and written as
// numbers.

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly {

inline constexpr int kStageSlots = 7;  // dpi_group0 … dpi_group6
inline constexpr int kMaxStageCount = 6;

// 0 when the key is missing or not a number.
int ReadConfigNumber(int profile, std::u16string_view key);
// The stored text as it stands ("" when missing).
std::u16string ReadConfigText(int profile, std::u16string_view key);
bool WriteConfigNumber(int profile, std::u16string_view key, int64_t value);

// "dpi_group%d_value" and "dpi_group%d_rgb".
std::u16string StageValueKey(int stage);
std::u16string StageColourKey(int stage);

int ReadStageValue(int profile, int stage);
uint32_t ReadStageColour(int profile, int stage);

}  // namespace tessaly
