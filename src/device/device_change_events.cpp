#include "device/device_change_events.h"

#include <mutex>
#include <utility>

#include "platform/device_notifications.h"

namespace tessaly {
namespace {

std::mutex& HandlerLock() {
    static std::mutex lock;
    return lock;
}

std::shared_ptr<DeviceChangeHandler>& CurrentHandler() {
    static std::shared_ptr<DeviceChangeHandler> handler;
    return handler;
}

}  // namespace

DeviceChangeHandler SetDeviceChangeHandler(DeviceChangeHandler handler) {
    auto next = handler ? std::make_shared<DeviceChangeHandler>(std::move(handler)) : nullptr;
    std::lock_guard guard(HandlerLock());
    auto previous = std::exchange(CurrentHandler(), std::move(next));
    return previous ? *previous : DeviceChangeHandler{};
}

void RaiseDeviceChange(DeviceChangeKind kind, const std::string& interface_name) {
    std::shared_ptr<DeviceChangeHandler> handler;
    {
        std::lock_guard guard(HandlerLock());
        handler = CurrentHandler();
    }
    if (handler)
        (*handler)(kind, interface_name);
}

SystemDeviceChanges::SystemDeviceChanges()
    : monitor_(DeviceNotificationMonitor::Start([](HidChange change, const std::string& name) {
          RaiseDeviceChange(change == HidChange::kArrival ? DeviceChangeKind::kArrival
                                                          : DeviceChangeKind::kRemoval,
                            name);
      })) {}

SystemDeviceChanges::~SystemDeviceChanges() = default;

}  // namespace tessaly
