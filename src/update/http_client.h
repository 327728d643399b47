#pragma once
// The update server's HTTP: a short text or a file, with the user agent and
// headers the server expects, no caching, and the proxy of the environment
// (http_proxy, https_proxy, no_proxy). Time-outs keep a dead or unreachable
// server from holding the worker: resolving and connecting give up after
// kConnectTimeoutSeconds, a text fetch ends after kTextTimeoutSeconds in
// all, and a download slower than kLowSpeedBytes a second for
// kLowSpeedSeconds is dropped. Only a 2xx answer counts: anything else is
// a failure, whatever its body.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tessaly {

inline constexpr int kConnectTimeoutSeconds = 3;
inline constexpr int kLowSpeedBytes = 1024;
inline constexpr int kLowSpeedSeconds = 15;
inline constexpr int kTextTimeoutSeconds = 5;
// Body bytes a text fetch keeps; the checks want a few characters.
inline constexpr size_t kMaxTextBytes = 64 * 1024;
// What the server is fed in: pieces of this size, the last one shorter.
inline constexpr size_t kPieceBytes = 10240;

inline constexpr char kUserAgent[] = "IIC2.0/PC 5.5.0000";

// 1 with the body as text; -1 when the address cannot be opened, answers
// with a status outside 2xx or the body cannot be read; 0 when no HTTP
// session can be made. The text is empty
// unless the result is 1.
struct FetchResult {
    int code = 0;
    std::u16string text;
};

FetchResult FetchText(std::u16string_view address);

// Download progress, in percent; called on the downloading thread.
using ProgressSink = std::function<void(int percent)>;

// Saves the body at `path` (an existing file is replaced): 1 when the whole
// body arrived, -1 when the address cannot be opened, answers with a status
// outside 2xx, the body is longer than `max_bytes`, the file cannot be
// created or written or the transfer breaks off, 0 when no session can be
// made. A download that fails leaves no file at `path`.
// Progress: 0, 2, 8, 10, then 10 + 90 x pieces / (length / 10240) per piece
// (capped at 100; nothing when the length is unknown), and 100 at the end;
// each only when it differs from the last one given.
int DownloadToFile(std::u16string_view address, const std::string& path,
                   const ProgressSink& progress, uint64_t max_bytes);

}  // namespace tessaly
