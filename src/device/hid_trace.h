#pragma once
// The HID traffic trace: one line per report, for bug reports and tests.
//   <ms since start> W <path> <hex bytes>   a report as written, padded, report ID first
//   <ms since start> R <path> <hex bytes>   a report as delivered, report ID 0 removed
//   <ms since start> T <path>               a read that timed out
// Off unless a file is set, or TESSALY_HID_TRACE names one. Thread-safe.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tessaly {

// An empty path turns the trace off. False when the file cannot be opened.
bool SetHidTraceFile(const std::string& path);
bool HidTraceEnabled();

void TraceHidWrite(std::string_view path, std::span<const uint8_t> report);
void TraceHidRead(std::string_view path, std::span<const uint8_t> report);
void TraceHidTimeout(std::string_view path);

// "0A FF 00": two upper-case digits per byte, single spaces between.
std::string HexBytes(std::span<const uint8_t> bytes);

}  // namespace tessaly
