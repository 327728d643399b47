#include "buttons/key_capture.h"

#include <map>
#include <mutex>

#include "ui/main/window_messages.h"
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

CaptureSet::CaptureSet(ui::KeyCapture& capture, const DUI::MWindow& window, int mode,
                       KeyboardSource source)
    : capture_(capture), keys_(source) {
    capture_.mode = mode;
    capture_.armed = true;
    const DUI::WindowHandle target = window.GetSafeHwnd();
    RegisterKeyboardInput([target](intptr_t handle) {
        DUI::Toolkit::Get().PostMessage(target, ui::kWmInput, 0, handle);
    });
}

CaptureSet::~CaptureSet() {
    capture_.armed = false;
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
