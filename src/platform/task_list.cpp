#include "platform/task_list.h"

namespace tessaly {

void TaskList::Append(int32_t code) {
    {
        std::lock_guard lock(mutex_);
        codes_.push_back(code);
    }
    appended_.notify_all();
}

bool TaskList::WaitNotEmpty(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return appended_.wait_for(lock, timeout, [this] { return !codes_.empty(); });
}

std::optional<int32_t> TaskList::TakeFront() {
    std::lock_guard lock(mutex_);
    if (codes_.empty()) {
        return std::nullopt;
    }
    const int32_t code = codes_.front();
    codes_.pop_front();
    return code;
}

bool TaskList::Empty() const {
    std::lock_guard lock(mutex_);
    return codes_.empty();
}

size_t TaskList::Size() const {
    std::lock_guard lock(mutex_);
    return codes_.size();
}

std::vector<int32_t> TaskList::Snapshot() const {
    std::lock_guard lock(mutex_);
    return {codes_.begin(), codes_.end()};
}

void TaskList::Clear() {
    std::lock_guard lock(mutex_);
    codes_.clear();
}

}  // namespace tessaly
