#pragma once
// The queue of task codes between the UI thread (appends) and the device
// worker (takes from the front). One lock guards every access.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace tessaly {

class TaskList {
  public:
    void Append(int32_t code);
    // The front code, removed; nothing when the list is empty.
    std::optional<int32_t> TakeFront();
    // Waits until a code is queued, Wake is called or the time is up; true
    // when a code is queued.
    bool WaitNotEmpty(std::chrono::milliseconds timeout) const;
    // Ends the WaitNotEmpty under way, or else the next one, at once.
    void Wake();
    bool Empty() const;
    size_t Size() const;
    std::vector<int32_t> Snapshot() const;
    void Clear();
    // Called after every Append, on the appending thread, without the lock:
    // the worker may be blocked in a wait other than WaitNotEmpty.
    void SetAppendListener(std::function<void()> listener);

  private:
    mutable std::mutex mutex_;
    mutable std::condition_variable appended_;
    std::deque<int32_t> codes_;
    std::function<void()> listener_;
    mutable bool woken_ = false;
};

}  // namespace tessaly
