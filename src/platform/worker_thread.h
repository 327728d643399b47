#pragma once
// A periodic worker thread: Run is called again and again, with a pause of
// the interval between passes, until the running flag is cleared.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace tessaly {

class WorkerThread {
  public:
    WorkerThread() = default;
    // Joins a thread still running; a subclass must stop it first, since Run
    // is its own.
    virtual ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // False when the thread already runs. looping false runs one pass only.
    bool StartThread(bool looping = true);
    // Clears the running flag and waits at most timeout_ms for the thread to
    // end; true when it ended. A thread that did not end is joined later (by
    // JoinThread or the destructor), never abandoned.
    bool StopThread(int timeout_ms);
    // Blocks until the thread has ended.
    void JoinThread();
    bool IsRunning() const { return running_.load(); }
    // Whether the thread procedure is still executing.
    bool IsAlive() const;
    uint32_t GetInterval() const { return interval_ms_.load(); }

  protected:
    // One pass of work, on the worker thread.
    virtual void Run() = 0;
    // Called by StopThread and JoinThread once the running flag is cleared,
    // before they wait: a pass blocked in a wait of its own can be woken.
    virtual void OnStopRequested() {}

  private:
    void ThreadProc(bool looping);

    std::atomic<bool> running_{false};
    std::atomic<uint32_t> interval_ms_{2};
    mutable std::mutex mutex_;
    std::condition_variable done_cv_;
    bool done_ = true;
    std::thread thread_;
};

}  // namespace tessaly
