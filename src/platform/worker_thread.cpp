#include "platform/worker_thread.h"

#include <chrono>

namespace tessaly {

WorkerThread::~WorkerThread() {
    JoinThread();
}

bool WorkerThread::StartThread(bool looping) {
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

void WorkerThread::ThreadProc(bool looping) {
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

bool WorkerThread::StopThread(int timeout_ms) {
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

void WorkerThread::JoinThread() {
    running_.store(false);
    std::unique_lock lock(mutex_);
    done_cv_.notify_all();
    std::thread worker = std::move(thread_);
    lock.unlock();
    if (worker.joinable()) {
        worker.join();
    }
}

bool WorkerThread::IsAlive() const {
    std::lock_guard lock(mutex_);
    return !done_;
}

}  // namespace tessaly
