#pragma once
// Reads key events from evdev keyboards (or any descriptors that deliver
// struct input_event, such as pipes in tests) on a thread of its own and
// hands each key press, repeat and release to a sink.

#include <linux/input.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tessaly {

using EvdevKeySink = std::function<void(int code, bool pressed, std::optional<bool> num_lock)>;

// One device's events in order: EV_KEY values 1 and 2 are presses, 0 a
// release; EV_LED LED_NUML keeps the device's Num Lock state, passed with
// every key after it. Everything else is skipped.
class EvdevKeyTranslator {
  public:
    explicit EvdevKeyTranslator(std::optional<bool> num_lock = std::nullopt)
        : num_lock_(num_lock) {}
    void Feed(const input_event& event, const EvdevKeySink& sink);

  private:
    std::optional<bool> num_lock_;
};

class EvdevKeyboardReader {
  public:
    EvdevKeyboardReader();
    ~EvdevKeyboardReader();
    EvdevKeyboardReader(const EvdevKeyboardReader&) = delete;
    EvdevKeyboardReader& operator=(const EvdevKeyboardReader&) = delete;

    // Opens every event* node of the folder that libevdev takes for a
    // keyboard and that this user may read; false (nothing runs) when none.
    bool Start(const std::string& folder, EvdevKeySink sink);
    // Reads these descriptors (the reader owns and closes them).
    bool StartOnDescriptors(std::vector<int> descriptors, EvdevKeySink sink);
    // Ends the thread; the sink is not called after it returns.
    void Stop();
    size_t DeviceCount() const { return devices_.size(); }

  private:
    struct Device;
    void Run();

    std::vector<std::unique_ptr<Device>> devices_;
    EvdevKeySink sink_;
    int stop_pipe_[2] = {-1, -1};
    std::thread thread_;
};

}  // namespace tessaly
