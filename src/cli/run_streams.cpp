#include "cli/run_streams.h"

#include <cstdio>
#include <string>

namespace tessaly::cli {
namespace {

RunStreams& Current() {
    static RunStreams streams = ProcessStreams();
    return streams;
}

}  // namespace

RunStreams ProcessStreams() {
    return {[](std::string_view text) {
                std::fwrite(text.data(), 1, text.size(), stdout);
                std::fflush(stdout);
            },
            [](std::string_view text) {
                std::fwrite(text.data(), 1, text.size(), stderr);
                std::fflush(stderr);
            }};
}

const RunStreams& CurrentRunStreams() {
    return Current();
}

ScopedRunStreams::ScopedRunStreams(RunStreams streams) : previous_(std::move(Current())) {
    Current() = std::move(streams);
}

ScopedRunStreams::~ScopedRunStreams() {
    Current() = std::move(previous_);
}

void SayError(std::string_view line) {
    std::string text = "tessalyctl: ";
    text += line;
    text += '\n';
    WriteError(text);
}

void WriteError(std::string_view text) {
    Current().err(text);
}

}  // namespace tessaly::cli
