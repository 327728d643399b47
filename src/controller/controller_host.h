#pragma once
// What every feature host asks of the controller the same way: the profile
// being worked on, a task for the worker, a message box. The wiring files
// derive their hosts from this and add what their feature needs.

#include <cstdint>
#include <string_view>

#include "controller/controller.h"

namespace tessaly {

template <typename Host>
class ControllerHost : public Host {
  public:
    explicit ControllerHost(Controller& controller) : controller_(controller) {}

    int CurrentProfile() const override { return controller_.CurrentProfile(); }
    void QueueTask(int32_t code) override { controller_.QueueTask(code); }
    int ShowMessageBox(std::u16string_view message, std::u16string_view title,
                       uint32_t buttons) override {
        return controller_.ShowMessageBox(message, title, buttons);
    }

  protected:
    Controller& controller_;
};

}  // namespace tessaly
