#include "cli/command_backend.h"

#include "ui/toolkit/toolkit.h"

namespace tessaly::cli {

CommandBackend::CommandBackend() : inner_(DUI::Toolkit::Get().ReplaceBackend(*this)) {}

CommandBackend::~CommandBackend() {
    DUI::Toolkit::Get().ReplaceBackend(inner_);
}

void CommandBackend::WindowCreated(const DUI::MWindow& window) {
    HeadlessBackend::WindowCreated(window);
    inner_.WindowCreated(window);
}

void CommandBackend::WindowChanged(const DUI::MWindow& window, DUI::WindowChange change) {
    HeadlessBackend::WindowChanged(window, change);
    inner_.WindowChanged(window, change);
}

void CommandBackend::WindowDestroyed(const DUI::MWindow& window) {
    HeadlessBackend::WindowDestroyed(window);
    inner_.WindowDestroyed(window);
}

void CommandBackend::ControlCreated(const DUI::MControl& control) {
    HeadlessBackend::ControlCreated(control);
    inner_.ControlCreated(control);
}

void CommandBackend::ControlChanged(const DUI::MControl& control, DUI::ControlChange change) {
    HeadlessBackend::ControlChanged(control, change);
    inner_.ControlChanged(control, change);
}

void CommandBackend::MenuOpened(const DUI::MenuWnd& menu) {
    HeadlessBackend::MenuOpened(menu);
    inner_.MenuOpened(menu);
}

void CommandBackend::Wake() {
    inner_.Wake();
}

DUI::Rect CommandBackend::WorkArea() const {
    return inner_.WorkArea();
}

DUI::Point CommandBackend::CursorPos() const {
    return inner_.CursorPos();
}

}  // namespace tessaly::cli
