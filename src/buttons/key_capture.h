#pragma once
// A capture set: while one exists the main window receives raw keyboard
// input (WM_INPUT) and hands it to the consumer of the capture mode; the
// consumers are set per mode. Macro recording (mode 1) and the event
// editor (mode 12) use the same pieces as the key page (mode 10).

#include <cstdint>
#include <functional>
#include <memory>

#include "buttons/raw_key_decoder.h"
#include "platform/raw_keyboard_input.h"
#include "ui/main/page_context.h"
#include "ui/toolkit/window.h"

namespace tessaly {

inline constexpr int kCaptureRecording = 1;
inline constexpr int kCaptureCustomKey = 10;
inline constexpr int kCaptureMacroKey = 12;

class CaptureSet {
  public:
    // Arms the capture with the mode and registers for raw keyboard input
    // from the source; the input is posted to the window as WM_INPUT.
    CaptureSet(ui::KeyCapture& capture, const DUI::MWindow& window, int mode,
               KeyboardSource source = KeyboardSource::kWindow);
    // Disarms; keys are no longer read.
    ~CaptureSet();
    CaptureSet(const CaptureSet&) = delete;
    CaptureSet& operator=(const CaptureSet&) = delete;

    // False when all keyboards were asked for and only the window is read.
    bool ReadsAllKeyboards() const { return keys_.ReadsAllKeyboards(); }

  private:
    ui::KeyCapture& capture_;
    KeyboardCapture keys_;
};

// What a mode does with a decoded key that has a name; its result is the
// message's.
using CaptureConsumer = std::function<intptr_t(const RawKeyEvent& key)>;
void SetCaptureConsumer(int mode, CaptureConsumer consumer);

// WM_INPUT with the handle under the mode: decoded, then handed on when it
// has a name (mode 1 takes every kind, modes 10 and 12 keyboard keys).
// 1 when nothing consumed it.
intptr_t RouteRawInput(int mode, intptr_t handle);

}  // namespace tessaly
