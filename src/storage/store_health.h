#pragma once
// Whether the settings store keeps what it is given. Every write of a table
// operation reports its result here, and the opening of a model's file what
// was wrong with it, so that a change the store did not keep is neither sent
// to the mouse nor passed over in silence. Any thread.

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace tessaly {

enum class StoreNoticeKind {
    kWriteFailed,  // the first failed write after one that succeeded
    kUnusable,     // the model's file cannot be used; detail says why
    kReplaced,     // a damaged file was kept aside; detail is its new name
};

struct StoreNotice {
    StoreNoticeKind kind = StoreNoticeKind::kWriteFailed;
    std::string detail;
};

class StoreHealth {
  public:
    static StoreHealth& Instance();

    // `result` is SQLite's code for the failure (0 for "no row changed").
    void NoteWrite(bool succeeded, int result = 0);
    void NoteUnusable(std::string reason);
    void NoteReplaced(std::string kept_path);

    // Failed writes since the process started.
    uint64_t FailedWrites() const;
    // Why the last write failed, for the user ("" when none did).
    std::string LastFailure() const;
    // True when the calling thread's last write failed: what it queues next
    // would send a value the store does not hold.
    static bool LastWriteOnThisThreadFailed();

    // Every notice since the process started, in order.
    std::vector<StoreNotice> Notices() const;

    // Called (outside this object's lock) for each notice; one listener.
    void SetListener(std::function<void(const StoreNotice&)> listener);

  private:
    StoreHealth() = default;
    void Notify(StoreNotice notice);

    mutable std::mutex mutex_;
    uint64_t failed_writes_ = 0;
    bool in_failure_burst_ = false;
    std::string last_failure_;
    std::vector<StoreNotice> notices_;
    std::function<void(const StoreNotice&)> listener_;
};

}  // namespace tessaly
