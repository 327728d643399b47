#include "storage/store_health.h"

#include <sqlite3.h>

#include "base/trace.h"

namespace tessaly {
namespace {

thread_local bool last_write_failed = false;

std::string FailureText(int result) {
    if (result == SQLITE_OK || result == SQLITE_DONE) {
        return "the setting has no place in the store";
    }
    return sqlite3_errstr(result);
}

}  // namespace

StoreHealth& StoreHealth::Instance() {
    static StoreHealth health;
    return health;
}

void StoreHealth::NoteWrite(bool succeeded, int result) {
    last_write_failed = !succeeded;
    StoreNotice notice;
    {
        std::lock_guard lock(mutex_);
        if (succeeded) {
            in_failure_burst_ = false;
            return;
        }
        ++failed_writes_;
        last_failure_ = FailureText(result);
        Trace(kTraceDevice, "settings store write failed: %s", last_failure_.c_str());
        if (in_failure_burst_) {
            return;
        }
        in_failure_burst_ = true;
        notice = {StoreNoticeKind::kWriteFailed, last_failure_};
    }
    Notify(std::move(notice));
}

void StoreHealth::NoteUnusable(std::string reason) {
    Trace(kTraceDevice, "settings store not usable: %s", reason.c_str());
    {
        std::lock_guard lock(mutex_);
        last_failure_ = reason;
    }
    Notify({StoreNoticeKind::kUnusable, std::move(reason)});
}

void StoreHealth::NoteReplaced(std::string kept_path) {
    Notify({StoreNoticeKind::kReplaced, std::move(kept_path)});
}

uint64_t StoreHealth::FailedWrites() const {
    std::lock_guard lock(mutex_);
    return failed_writes_;
}

std::string StoreHealth::LastFailure() const {
    std::lock_guard lock(mutex_);
    return last_failure_;
}

bool StoreHealth::LastWriteOnThisThreadFailed() {
    return last_write_failed;
}

void StoreHealth::SetListener(std::function<void(const StoreNotice&)> listener) {
    std::lock_guard lock(mutex_);
    listener_ = std::move(listener);
}

std::vector<StoreNotice> StoreHealth::Notices() const {
    std::lock_guard lock(mutex_);
    return notices_;
}

void StoreHealth::Notify(StoreNotice notice) {
    std::function<void(const StoreNotice&)> listener;
    {
        std::lock_guard lock(mutex_);
        notices_.push_back(notice);
        listener = listener_;
    }
    if (listener) {
        listener(notice);
    }
}

}  // namespace tessaly
