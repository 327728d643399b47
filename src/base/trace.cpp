#include "base/trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <mutex>

#include <sys/time.h>

namespace tessaly {
namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

struct TraceSink {
    std::mutex lock;
    std::unique_ptr<FILE, FileCloser> file;

    TraceSink() {
        if (const char* path = std::getenv("TESSALY_TRACE"); path != nullptr && *path != '\0') {
            file.reset(std::fopen(path, "a"));
        }
    }
};

TraceSink& Sink() {
    static TraceSink sink;
    return sink;
}

}  // namespace

bool SetTraceFile(const std::string& path) {
    auto& sink = Sink();
    std::lock_guard guard(sink.lock);
    sink.file.reset(path.empty() ? nullptr : std::fopen(path.c_str(), "a"));
    return path.empty() || sink.file != nullptr;
}

bool TraceEnabled() {
    auto& sink = Sink();
    std::lock_guard guard(sink.lock);
    return sink.file != nullptr;
}

void Trace(int level, const char* format, ...) {
    auto& sink = Sink();
    std::lock_guard guard(sink.lock);
    if (!sink.file)
        return;
    timeval now{};
    gettimeofday(&now, nullptr);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    std::fprintf(sink.file.get(), "%s.%03ld [%d] ", stamp, static_cast<long>(now.tv_usec / 1000),
                 level);
    va_list args;
    va_start(args, format);
    std::vfprintf(sink.file.get(), format, args);
    va_end(args);
    std::fputc('\n', sink.file.get());
    std::fflush(sink.file.get());
}

}  // namespace tessaly
