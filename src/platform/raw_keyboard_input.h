#pragma once
// Raw keyboard input: what Windows' RegisterRawInputDevices and
// GetRawInputData give the program, built from Linux key events.
//
// Keys are read only while a KeyboardCapture is open. Each press or release
// becomes a RawInputRecord kept under a handle, and the handle is given to
// the registered sink (the main window posts itself WM_INPUT with it); the
// receiver reads the record once with ReadRawInput.
//
// Sources:
// - the program's own window: the GUI backend calls DeliverWindowKey for
//   every key event of its windows (evdev numbering: on X11 and Wayland
//   Qt's nativeScanCode() - 8). Used while a capture reads the window.
// - every keyboard of the machine (evdev, for macro recording): a capture
//   opened with KeyboardSource::kAllKeyboards reads the readable
//   /dev/input/event* keyboards; when there is none it reads the window
//   instead and says so (ReadsAllKeyboards() is false).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/raw_keyboard_record.h"

namespace tessaly {

using RawInputSink = std::function<void(intptr_t handle)>;

// The one receiver of records (RIDEV_INPUTSINK for one window); a later
// call replaces it, an empty sink removes it.
void RegisterKeyboardInput(RawInputSink sink);

// The record behind a handle, once; nothing for an unknown or read handle.
std::optional<RawInputRecord> ReadRawInput(intptr_t handle);

// A key of the program's own window: evdev code, press (true, also for
// auto-repeat) or release. num_lock is the keyboard's Num Lock state when
// the backend knows it; otherwise it is tracked from the Num Lock key.
// Any thread; ignored unless a capture reads the window.
void DeliverWindowKey(int linux_code, bool pressed, std::optional<bool> num_lock = std::nullopt);

enum class KeyboardSource { kWindow, kAllKeyboards };

class EvdevKeyboardReader;

// Keys are read while one exists (RAII).
class KeyboardCapture {
  public:
    // input_folder: where the evdev keyboards are looked for.
    explicit KeyboardCapture(KeyboardSource source, const std::string& input_folder = "/dev/input");
    ~KeyboardCapture();
    KeyboardCapture(const KeyboardCapture&) = delete;
    KeyboardCapture& operator=(const KeyboardCapture&) = delete;

    // False when all keyboards were asked for and none could be read.
    bool ReadsAllKeyboards() const { return reader_ != nullptr; }

  private:
    std::unique_ptr<EvdevKeyboardReader> reader_;
};

// Feeds one key event from any source into the open captures' stream (the
// evdev reader uses it; tests may too). Ignored when no capture is open.
void FeedCapturedKey(int linux_code, bool pressed, std::optional<bool> num_lock);

// The tracked Num Lock state (on until a Num Lock key or a keyboard says
// otherwise).
bool TrackedNumLock();

}  // namespace tessaly
