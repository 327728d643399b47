#include "platform/thread_basic.h"

#include <chrono>

namespace tessaly {

CThreadBasic::~CThreadBasic() {
    JoinThread();
}

bool CThreadBasic::StartThread(bool looping) {
    std::lock_guard lock(mutex_);
    if (!done_) {
        return false;
    }
    if (thread_.joinable()) {
        thread_.join();  // ended earlier; its handle is still held
    }
    done_ = false;
    running_.store(true);
    thread_ = std::thread([this, looping] { ThreadProc(looping); });
    return true;
}

void CThreadBasic::ThreadProc(bool looping) {
    if (looping) {
        while (running_.load()) {
            Run();
            std::unique_lock lock(mutex_);
            // Woken early by StopThread so that a stop is not held up by the pause.
            done_cv_.wait_for(lock, std::chrono::milliseconds(interval_ms_.load()),
                              [this] { return !running_.load(); });
        }
    } else {
        Run();
    }
    std::lock_guard lock(mutex_);
    running_.store(false);
    done_ = true;
    done_cv_.notify_all();
}

bool CThreadBasic::StopThread(int timeout_ms) {
    running_.store(false);
    OnStopRequested();
    std::unique_lock lock(mutex_);
    done_cv_.notify_all();
    const bool ended =
        done_cv_.wait_for(lock, std::chrono::milliseconds(timeout_ms), [this] { return done_; });
    if (ended && thread_.joinable()) {
        std::thread finished = std::move(thread_);
        lock.unlock();
        finished.join();
    }
    return ended;
}

void CThreadBasic::JoinThread() {
    running_.store(false);
    std::unique_lock lock(mutex_);
    done_cv_.notify_all();
    std::thread worker = std::move(thread_);
    lock.unlock();
    if (worker.joinable()) {
        worker.join();
    }
}

bool CThreadBasic::IsAlive() const {
    std::lock_guard lock(mutex_);
    return !done_;
}

}  // namespace tessaly
