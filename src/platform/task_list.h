#pragma once
// The queue of task codes between the UI thread (appends) and the device
// worker (takes from the front). One lock guards every access.

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
    bool Empty() const;
    size_t Size() const;
    std::vector<int32_t> Snapshot() const;
    void Clear();

  private:
    mutable std::mutex mutex_;
    std::deque<int32_t> codes_;
};

}  // namespace tessaly
