#include "platform/task_list.h"

namespace tessaly {

void TaskList::Append(int32_t code) {
    std::function<void()> listener;
    {
        std::lock_guard lock(mutex_);
        codes_.push_back(code);
        listener = listener_;
    }
    appended_.notify_all();
    if (listener) {
        listener();
    }
}

void TaskList::SetAppendListener(std::function<void()> listener) {
    std::lock_guard lock(mutex_);
    listener_ = std::move(listener);
}

bool TaskList::WaitNotEmpty(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    appended_.wait_for(lock, timeout, [this] { return woken_ || !codes_.empty(); });
    woken_ = false;
    return !codes_.empty();
}

void TaskList::Wake() {
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    appended_.notify_all();
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
