#pragma once
// The report (polling) rates the mouse knows, their codes and list colours.

#include <cstdint>
#include <span>

namespace tessaly {

struct ReportRate {
    int code;
    int hertz;
    uint32_t colour;  // 0x00BBGGRR
};

// Capability from the mouse's maximum-rate byte: 0x10 → 5, 0x20 → 6,
// 0x40 → 7, anything else → 4.
uint8_t ReportCapability(uint8_t maximum_rate_byte);

// The rates offered, slowest first: all seven for capability 7, otherwise
// the four up to 1000 Hz.
std::span<const ReportRate> OfferedReportRates(uint8_t capability);

// The rate with the code, or nothing.
const ReportRate* FindReportRate(int code);

}  // namespace tessaly
