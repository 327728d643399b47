#include "device/hid_trace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>

namespace tessaly {
namespace {

// Set during static initialisation, so the times count from the program's start.
const auto kStart = std::chrono::steady_clock::now();

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

struct HidTraceSink {
    std::mutex lock;
    std::unique_ptr<FILE, FileCloser> file;

    HidTraceSink() {
        if (const char* path = std::getenv("TESSALY_HID_TRACE"); path != nullptr && *path != '\0')
            file.reset(std::fopen(path, "a"));
    }
};

HidTraceSink& Sink() {
    static HidTraceSink sink;
    return sink;
}

void WriteLine(char kind, std::string_view path, const std::string* hex) {
    auto& sink = Sink();
    std::lock_guard guard(sink.lock);
    if (!sink.file)
        return;
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - kStart;
    std::fprintf(sink.file.get(), "%.3f %c %.*s", elapsed.count(), kind,
                 static_cast<int>(path.size()), path.data());
    if (hex != nullptr)
        std::fprintf(sink.file.get(), " %s", hex->c_str());
    std::fputc('\n', sink.file.get());
    std::fflush(sink.file.get());
}

}  // namespace

bool SetHidTraceFile(const std::string& path) {
    auto& sink = Sink();
    std::lock_guard guard(sink.lock);
    sink.file.reset(path.empty() ? nullptr : std::fopen(path.c_str(), "a"));
    return path.empty() || sink.file != nullptr;
}

bool HidTraceEnabled() {
    auto& sink = Sink();
    std::lock_guard guard(sink.lock);
    return sink.file != nullptr;
}

std::string HexBytes(std::span<const uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 3);
    for (uint8_t b : bytes) {
        if (!hex.empty())
            hex.push_back(' ');
        hex.push_back(kDigits[b >> 4]);
        hex.push_back(kDigits[b & 0xF]);
    }
    return hex;
}

void TraceHidWrite(std::string_view path, std::span<const uint8_t> report) {
    if (!HidTraceEnabled())
        return;
    const std::string hex = HexBytes(report);
    WriteLine('W', path, &hex);
}

void TraceHidRead(std::string_view path, std::span<const uint8_t> report) {
    if (!HidTraceEnabled())
        return;
    const std::string hex = HexBytes(report);
    WriteLine('R', path, &hex);
}

void TraceHidTimeout(std::string_view path) {
    WriteLine('T', path, nullptr);
}

}  // namespace tessaly
