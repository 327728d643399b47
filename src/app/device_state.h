#pragma once
// What the program knows of the selected mouse, set by discovery, when its
// state is read and by its notifications; the window and the pages read it.
// The worker writes and the window thread reads, so every field is atomic or
// behind the lock. The controller owns the one instance.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>

#include "app/sensor_limits.h"

namespace tessaly {

class DeviceState {
  public:
    // A mouse of the selected type is connected (by cable or receiver), and
    // it answers: a receiver can be there without its mouse.
    std::atomic<bool> device_present{false};
    std::atomic<bool> device_online{false};
    std::atomic<int> selected_device_type{0};
    std::atomic<int> current_profile{1};
    // 0 by cable, 1 through the receiver.
    std::atomic<int> connection_mode{0};

    std::atomic<uint16_t> sensor_code{0};
    std::atomic<uint8_t> report_capability{4};
    // Identity bytes A[12] (charging flag) and A[13] (charge level).
    std::atomic<uint8_t> battery_first{0};
    std::atomic<uint8_t> battery_second{0};
    // A[14]; 0 when the receiver has no mouse.
    std::atomic<uint8_t> mouse_reachable{0};
    // The stage count and stage the mouse is known to use.
    std::atomic<uint8_t> device_stage_count{0};
    std::atomic<uint8_t> device_stage{0};
    std::atomic<int> current_light_effect{0};

    SensorLimits Limits() const {
        std::lock_guard lock(mutex_);
        return limits_;
    }
    void SetLimits(const SensorLimits& limits) {
        std::lock_guard lock(mutex_);
        limits_ = limits;
    }

    std::u16string DeviceVersion() const {
        std::lock_guard lock(mutex_);
        return device_version_;
    }
    void SetDeviceVersion(std::u16string text) {
        std::lock_guard lock(mutex_);
        device_version_ = std::move(text);
    }
    std::u16string ReceiverVersion() const {
        std::lock_guard lock(mutex_);
        return receiver_version_;
    }
    void SetReceiverVersion(std::u16string text) {
        std::lock_guard lock(mutex_);
        receiver_version_ = std::move(text);
    }

    // Device types whose whole state was read in this run. True when the
    // type was not yet in the set (and is now).
    bool MarkRead(int device_type) {
        std::lock_guard lock(mutex_);
        return read_set_.insert(device_type).second;
    }
    bool WasRead(int device_type) const {
        std::lock_guard lock(mutex_);
        return read_set_.count(device_type) != 0;
    }
    void ClearReadSet() {
        std::lock_guard lock(mutex_);
        read_set_.clear();
    }

  private:
    mutable std::mutex mutex_;
    // 50 and 26000 until the first read.
    SensorLimits limits_{};
    std::u16string device_version_;
    std::u16string receiver_version_;
    std::set<int> read_set_;
};

}  // namespace tessaly
