#pragma once
// The toolkit backend while the running window takes a command: every change
// still reaches the window's own backend, so the pages show it at once, but
// the command's questions and file dialogs are answered as a headless run
// answers them, never put in front of the user.

#include "ui/toolkit/headless_backend.h"

namespace tessaly::cli {

class CommandBackend : public DUI::HeadlessBackend {
  public:
    // Installs itself in front of the toolkit's backend until destroyed.
    CommandBackend();
    ~CommandBackend() override;
    CommandBackend(const CommandBackend&) = delete;
    CommandBackend& operator=(const CommandBackend&) = delete;

    void WindowCreated(const DUI::MWindow& window) override;
    void WindowChanged(const DUI::MWindow& window, DUI::WindowChange change) override;
    void WindowDestroyed(const DUI::MWindow& window) override;
    void ControlCreated(const DUI::MControl& control) override;
    void ControlChanged(const DUI::MControl& control, DUI::ControlChange change) override;
    void MenuOpened(const DUI::MenuWnd& menu) override;
    void Wake() override;
    DUI::Rect WorkArea() const override;
    DUI::Point CursorPos() const override;

  private:
    DUI::Backend& inner_;
};

}  // namespace tessaly::cli
