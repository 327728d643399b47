#include "buttons/key_capture.h"

#include <map>
#include <mutex>

#include "ui/toolkit/toolkit.h"

namespace tessaly {
namespace {

struct Consumers {
    std::mutex mutex;
    std::map<int, CaptureConsumer> by_mode;
};

Consumers& TheConsumers() {
    static Consumers consumers;
    return consumers;
}

}  // namespace

CaptureSet::CaptureSet(ui::DeviceMainDlg& window, int mode, KeyboardSource source)
    : window_(window), keys_(source) {
    window_.capture_mode = mode;
    window_.capture_armed = true;
    const DUI::WindowHandle target = window_.GetSafeHwnd();
    RegisterKeyboardInput([target](intptr_t handle) {
        DUI::Toolkit::Get().PostMessage(target, ui::kWmInput, 0, handle);
    });
}

CaptureSet::~CaptureSet() {
    window_.capture_armed = false;
}

void SetCaptureConsumer(int mode, CaptureConsumer consumer) {
    Consumers& consumers = TheConsumers();
    std::lock_guard lock(consumers.mutex);
    consumers.by_mode[mode] = std::move(consumer);
}

intptr_t RouteRawInput(int mode, intptr_t handle) {
    const RawKeyEvent key = DecodeRawInput(handle);
    if (key.name.empty()) {
        return 1;
    }
    if (mode != kCaptureRecording && key.kind != kRawKindKeyboard) {
        return 1;
    }
    CaptureConsumer consumer;
    {
        Consumers& consumers = TheConsumers();
        std::lock_guard lock(consumers.mutex);
        auto found = consumers.by_mode.find(mode);
        if (found == consumers.by_mode.end()) {
            return 1;
        }
        consumer = found->second;
    }
    return consumer ? consumer(key) : 1;
}

}  // namespace tessaly
