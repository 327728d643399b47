#include "update/http_client.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>

#include "base/unicode.h"

namespace tessaly {
namespace {

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using Easy = std::unique_ptr<CURL, EasyDeleter>;
using HeaderList = std::unique_ptr<curl_slist, ListDeleter>;
using File = std::unique_ptr<std::FILE, FileCloser>;

// One session with the options every request shares; null when libcurl
// cannot make one.
struct Session {
    Easy easy;
    HeaderList headers;
};

Session OpenSession(std::u16string_view address) {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    Session session;
    session.easy.reset(curl_easy_init());
    if (!session.easy) {
        return session;
    }
    CURL* easy = session.easy.get();
    for (const char* header : {"Accept: */*", "Cache-Control: no-cache", "Pragma: no-cache"}) {
        session.headers.reset(curl_slist_append(session.headers.release(), header));
    }
    const std::string url = ToUtf8(address);
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, session.headers.get());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, static_cast<long>(kConnectTimeoutSeconds));
    return session;
}

// The final answer's status (after redirects) is a success.
bool Answered2xx(CURL* easy) {
    long status = 0;
    return curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status >= 200 &&
           status <= 299;
}

size_t KeepText(char* data, size_t size, size_t count, void* user) {
    auto* body = static_cast<std::string*>(user);
    const size_t bytes = size * count;
    if (body->size() < kMaxTextBytes) {
        body->append(data, std::min(bytes, kMaxTextBytes - body->size()));
    }
    return bytes;
}

// Gathers libcurl's deliveries into pieces of kPieceBytes, so the progress
// formula sees the piece size it assumes.
class PieceWriter {
  public:
    PieceWriter(CURL* easy, const std::string& path, const ProgressSink& progress,
                uint64_t max_bytes)
        : easy_(easy), path_(path), progress_(progress), max_bytes_(max_bytes) {}

    static size_t Deliver(char* data, size_t size, size_t count, void* user) {
        auto* self = static_cast<PieceWriter*>(user);
        const size_t bytes = size * count;
        return self->Take(data, bytes) ? bytes : 0;
    }

    // The address answered: the file is made and the length learnt.
    bool Begin() {
        if (file_) {
            return true;
        }
        // An error page is no file, however it is delivered.
        if (failed_ || !Answered2xx(easy_)) {
            failed_ = true;
            return false;
        }
        Post(8);
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
        file_.reset(std::fopen(path_.c_str(), "wb"));
        if (!file_) {
            failed_ = true;
            return false;
        }
        created_ = true;
        curl_off_t length = 0;
        if (curl_easy_getinfo(easy_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK ||
            length < 0) {
            length = 0;
        }
        pieces_expected_ = static_cast<int64_t>(length) / static_cast<int64_t>(kPieceBytes);
        Post(10);
        return true;
    }

    bool Finish() {
        if (!Begin()) {
            return false;
        }
        if (!pending_.empty() && !WritePiece(pending_.data(), pending_.size())) {
            return false;
        }
        pending_.clear();
        if (std::fclose(file_.release()) != 0) {
            failed_ = true;
            return false;
        }
        Post(100);
        return true;
    }

    // Whatever was written of a download that failed.
    void Discard() {
        const bool made = file_ != nullptr || created_;
        file_.reset();
        if (made) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
    }

    bool Failed() const { return failed_; }
    void Post(int percent) {
        if (percent != last_posted_) {
            last_posted_ = percent;
            if (progress_) {
                progress_(percent);
            }
        }
    }

  private:
    bool Take(const char* data, size_t bytes) {
        if (!Begin()) {
            return false;
        }
        received_ += bytes;
        if (received_ > max_bytes_) {
            failed_ = true;
            return false;
        }
        pending_.append(data, bytes);
        size_t offset = 0;
        while (pending_.size() - offset >= kPieceBytes) {
            if (!WritePiece(pending_.data() + offset, kPieceBytes)) {
                return false;
            }
            offset += kPieceBytes;
        }
        pending_.erase(0, offset);
        return true;
    }

    // A write that fails ends the transfer: the file could only be damaged.
    bool WritePiece(const char* data, size_t bytes) {
        if (std::fwrite(data, 1, bytes, file_.get()) != bytes) {
            failed_ = true;
            return false;
        }
        total_ += 90;
        if (pieces_expected_ != 0) {
            Post(static_cast<int>(std::min<int64_t>(100, 10 + total_ / pieces_expected_)));
        }
        return true;
    }

    CURL* easy_;
    const std::string& path_;
    const ProgressSink& progress_;
    File file_;
    std::string pending_;
    uint64_t max_bytes_;
    uint64_t received_ = 0;
    bool created_ = false;
    int64_t pieces_expected_ = 0;
    int64_t total_ = 0;
    int last_posted_ = -1;
    bool failed_ = false;
};

}  // namespace

FetchResult FetchText(std::u16string_view address) {
    FetchResult result;
    Session session = OpenSession(address);
    if (!session.easy) {
        return result;
    }
    std::string body;
    CURL* easy = session.easy.get();
    curl_easy_setopt(easy, CURLOPT_TIMEOUT, static_cast<long>(kTextTimeoutSeconds));
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, KeepText);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
    if (curl_easy_perform(easy) != CURLE_OK || !Answered2xx(easy)) {
        result.code = -1;
        return result;
    }
    result.code = 1;
    result.text = FromUtf8(body);
    return result;
}

int DownloadToFile(std::u16string_view address, const std::string& path,
                   const ProgressSink& progress, uint64_t max_bytes) {
    Session session = OpenSession(address);
    if (!session.easy) {
        if (progress) {
            progress(0);
        }
        return 0;
    }
    CURL* easy = session.easy.get();
    PieceWriter writer(easy, path, progress, max_bytes);
    writer.Post(0);
    writer.Post(2);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, static_cast<long>(kLowSpeedBytes));
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, static_cast<long>(kLowSpeedSeconds));
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(max_bytes));
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, PieceWriter::Deliver);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &writer);
    if (curl_easy_perform(easy) != CURLE_OK || writer.Failed() || !writer.Finish()) {
        writer.Discard();
        return -1;
    }
    return 1;
}

}  // namespace tessaly
