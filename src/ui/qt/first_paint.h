#pragma once
// What waits for the main window's first paint: the device worker's first
// pass (discovery and the first read need not compete with the first
// frame), and the start-up measurements of bench/startup.sh.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

#include "ui/main/device_main_dlg.h"

namespace tessaly::qt {

class QtBackend;

// Closed until Open; the worker's passes wait in it meanwhile.
class WorkerGate {
  public:
    void Open();
    // True once open; false when `limit` passed first.
    bool WaitOpen(std::chrono::milliseconds limit);

  private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = false;
};

// Runs `then` on the UI thread in the loop's turn after the main window's
// first paint (the paint itself is done by then).
void AfterFirstPaint(QtBackend& backend, ui::DeviceMainDlg& window, std::function<void()> then);

// Calls `done` on the UI thread once the worker has nothing to do two
// polls in a row and the window shows all it was told.
void WhenSettled(QtBackend& backend, ui::DeviceMainDlg& window, std::function<bool()> worker_idle,
                 std::function<void()> done);

}  // namespace tessaly::qt
