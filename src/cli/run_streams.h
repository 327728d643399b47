#pragma once
// Where a command's output and messages go: the process's stdout and stderr,
// or, for a command the running window takes for a client, the client's
// socket. Commands write through these, never to the process's streams.

#include <functional>
#include <string_view>

namespace tessaly::cli {

struct RunStreams {
    std::function<void(std::string_view)> out;
    std::function<void(std::string_view)> err;
};

RunStreams ProcessStreams();

// The streams of the command now running (UI thread).
const RunStreams& CurrentRunStreams();

// Installs streams for its lifetime, then puts the earlier ones back.
class ScopedRunStreams {
  public:
    explicit ScopedRunStreams(RunStreams streams);
    ~ScopedRunStreams();
    ScopedRunStreams(const ScopedRunStreams&) = delete;
    ScopedRunStreams& operator=(const ScopedRunStreams&) = delete;

  private:
    RunStreams previous_;
};

// A whole line for stderr, "tessalyctl: " in front.
void SayError(std::string_view line);
// Text for stderr as it is.
void WriteError(std::string_view text);

}  // namespace tessaly::cli
