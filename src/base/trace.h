#pragma once
// Debug trace: off unless a destination is set (TESSALY_TRACE, or --trace FILE
// in the programs). Thread-safe; each call writes one timestamped line.

#include <string>

namespace tessaly {

// Device-side traces use this level.
inline constexpr int kTraceDevice = 2;

// The format is narrow printf; texts are written byte for byte (UTF-8).
void Trace(int level, const char* format, ...) __attribute__((format(printf, 2, 3)));

// An empty path turns the trace off. Returns false when the file cannot be opened.
bool SetTraceFile(const std::string& path);
bool TraceEnabled();

}  // namespace tessaly
