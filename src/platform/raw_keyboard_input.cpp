#include "platform/raw_keyboard_input.h"

#include <linux/input-event-codes.h>

#include <map>
#include <mutex>

#include "platform/evdev_keyboard_reader.h"
#include "platform/raw_keyboard_keys.h"

namespace tessaly {
namespace {

// Records nobody read are dropped beyond this many, oldest first.
constexpr size_t kMaxPendingRecords = 256;

class RawKeyboardHub {
  public:
    static RawKeyboardHub& Instance() {
        static RawKeyboardHub hub;
        return hub;
    }

    void Register(RawInputSink sink) {
        std::lock_guard lock(mutex_);
        sink_ = std::move(sink);
    }

    void Open(bool all_keyboards) {
        std::lock_guard lock(mutex_);
        ++captures_;
        if (all_keyboards) {
            ++device_captures_;
        }
    }

    void Close(bool all_keyboards) {
        std::lock_guard lock(mutex_);
        --captures_;
        if (all_keyboards) {
            --device_captures_;
        }
        if (captures_ == 0) {
            // Keys held when the capture ended are not known to be held later.
            keys_ = {};
        }
    }

    // From the window only while no capture reads the devices themselves,
    // so that no key arrives twice.
    void FromWindow(int code, bool pressed, std::optional<bool> num_lock) {
        std::unique_lock lock(mutex_);
        if (device_captures_ > 0) {
            return;
        }
        Feed(lock, code, pressed, num_lock);
    }

    void FromAnySource(int code, bool pressed, std::optional<bool> num_lock) {
        std::unique_lock lock(mutex_);
        Feed(lock, code, pressed, num_lock);
    }

    std::optional<RawInputRecord> Read(intptr_t handle) {
        std::lock_guard lock(mutex_);
        auto found = pending_.find(handle);
        if (found == pending_.end()) {
            return std::nullopt;
        }
        RawInputRecord record = found->second;
        pending_.erase(found);
        return record;
    }

    bool NumLock() const {
        std::lock_guard lock(mutex_);
        return num_lock_;
    }

  private:
    void Feed(std::unique_lock<std::mutex>& lock, int code, bool pressed,
              std::optional<bool> num_lock) {
        if (captures_ == 0) {
            return;
        }
        if (num_lock) {
            num_lock_ = *num_lock;
        } else if (code == KEY_NUMLOCK && pressed && !keys_.IsKeyDown(vk::kNumLock)) {
            num_lock_ = !num_lock_;
        }
        const std::optional<LinuxKeyMapping> key = MapLinuxKey(code, num_lock_);
        if (!key) {
            return;
        }
        keys_.Set(key->state_vkey, pressed);
        RawInputRecord record{RawInputType::kKeyboard, MakeKeyboardRecord(*key, pressed), keys_};
        const intptr_t handle = next_handle_++;
        pending_.emplace(handle, record);
        if (pending_.size() > kMaxPendingRecords) {
            pending_.erase(pending_.begin());
        }
        RawInputSink sink = sink_;
        lock.unlock();
        if (sink) {
            sink(handle);
        }
    }

    mutable std::mutex mutex_;
    RawInputSink sink_;
    int captures_ = 0;
    int device_captures_ = 0;
    bool num_lock_ = true;
    KeyStateSnapshot keys_;
    std::map<intptr_t, RawInputRecord> pending_;
    intptr_t next_handle_ = 1;
};

}  // namespace

void RegisterKeyboardInput(RawInputSink sink) {
    RawKeyboardHub::Instance().Register(std::move(sink));
}

std::optional<RawInputRecord> ReadRawInput(intptr_t handle) {
    return RawKeyboardHub::Instance().Read(handle);
}

void DeliverWindowKey(int linux_code, bool pressed, std::optional<bool> num_lock) {
    RawKeyboardHub::Instance().FromWindow(linux_code, pressed, num_lock);
}

void FeedCapturedKey(int linux_code, bool pressed, std::optional<bool> num_lock) {
    RawKeyboardHub::Instance().FromAnySource(linux_code, pressed, num_lock);
}

bool TrackedNumLock() {
    return RawKeyboardHub::Instance().NumLock();
}

KeyboardCapture::KeyboardCapture(KeyboardSource source, const std::string& input_folder) {
    if (source == KeyboardSource::kAllKeyboards) {
        auto reader = std::make_unique<EvdevKeyboardReader>();
        if (reader->Start(input_folder, FeedCapturedKey)) {
            reader_ = std::move(reader);
        }
    }
    RawKeyboardHub::Instance().Open(reader_ != nullptr);
}

KeyboardCapture::~KeyboardCapture() {
    if (reader_) {
        reader_->Stop();
    }
    RawKeyboardHub::Instance().Close(reader_ != nullptr);
}

}  // namespace tessaly
