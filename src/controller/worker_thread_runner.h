#pragma once
// The device worker's thread and the task list it consumes. Passes run one
// after another until the thread is stopped; a stop wakes a pass that waits
// for a task or for the mouse, so that it does not wait for its time-out.

#include <functional>

#include "platform/task_list.h"
#include "platform/worker_thread.h"

namespace tessaly {

class WorkerThreadRunner : private WorkerThread {
  public:
    // pass: one pass of the worker. interrupt: from any thread, the pass
    // under way stops waiting for reports.
    WorkerThreadRunner(std::function<void()> pass, std::function<void()> interrupt);
    ~WorkerThreadRunner() override;

    // Any thread.
    TaskList& Tasks() { return tasks_; }
    // Before Start: every pass first asks ready(), and does nothing on no.
    void Hold(std::function<bool()> ready);
    // False when the thread already runs.
    bool Start();
    // Waits at most timeout_ms for the pass under way; a thread that did not
    // end by then is joined by Join or the destructor.
    bool Stop(int timeout_ms);
    void Join();
    bool Running() const { return IsAlive(); }

  private:
    void Run() override;
    void OnStopRequested() override;

    TaskList tasks_;
    std::function<void()> pass_;
    std::function<void()> interrupt_;
    std::function<bool()> ready_;
};

}  // namespace tessaly
