#include "controller/worker_thread_runner.h"

#include <utility>

namespace tessaly {

WorkerThreadRunner::WorkerThreadRunner(std::function<void()> pass, std::function<void()> interrupt)
    : pass_(std::move(pass)), interrupt_(std::move(interrupt)) {}

WorkerThreadRunner::~WorkerThreadRunner() {
    // Run is this class's: the thread must end before the members it uses go.
    if (IsAlive()) {
        StopThread(0);
    }
    JoinThread();
}

void WorkerThreadRunner::Hold(std::function<bool()> ready) {
    ready_ = std::move(ready);
}

bool WorkerThreadRunner::Start() {
    return StartThread();
}

bool WorkerThreadRunner::Stop(int timeout_ms) {
    return StopThread(timeout_ms);
}

void WorkerThreadRunner::Join() {
    JoinThread();
}

void WorkerThreadRunner::Run() {
    if (ready_ && !ready_()) {
        return;
    }
    if (pass_) {
        pass_();
    }
}

void WorkerThreadRunner::OnStopRequested() {
    tasks_.Wake();
    if (interrupt_) {
        interrupt_();
    }
}

}  // namespace tessaly
