#pragma once
// The queue of task codes between the UI thread (appends) and the device
// worker (takes from the front). One lock guards every access.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

namespace tessaly {

class TaskList {
  public:
    void Append(int32_t code);
    // The front code, removed; nothing when the list is empty.
    std::optional<int32_t> TakeFront();
    // Waits until a code is queued or the time is up; true when one is.
    bool WaitNotEmpty(std::chrono::milliseconds timeout) const;
    bool Empty() const;
    size_t Size() const;
    std::vector<int32_t> Snapshot() const;
    void Clear();

  private:
    mutable std::mutex mutex_;
    mutable std::condition_variable appended_;
    std::deque<int32_t> codes_;
};

}  // namespace tessaly
