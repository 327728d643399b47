#pragma once
// A dialog that remembers what reached its virtual operations.

#include <functional>
#include <vector>

#include "ui/toolkit/dui.h"

namespace tessaly::DUI::test {

struct ControlEvent {
    int id;
    int event;
    intptr_t param;
    bool operator==(const ControlEvent&) const = default;
};

struct WindowMessage {
    uint32_t message;
    uintptr_t wparam;
    intptr_t lparam;
    bool operator==(const WindowMessage&) const = default;
};

class RecordingDialog : public MDialog {
  public:
    std::function<void(RecordingDialog&, Rect)> build;
    std::vector<ControlEvent> events;
    std::vector<WindowMessage> messages;
    std::vector<uint32_t> timers;
    std::vector<Rect> layouts;
    std::vector<bool> activations;
    int init_ui_calls = 0;
    int destroy_calls = 0;

    bool Open(Rect rect = {0, 0, 400, 300}, std::u16string_view title = u"TestDlg") {
        return Create(nullptr, title, kDialogStyle, 0, rect);
    }

    intptr_t OnWindowMessage(uint32_t message, uintptr_t wparam, intptr_t lparam) override {
        messages.push_back({message, wparam, lparam});
        return MDialog::OnWindowMessage(message, wparam, lparam);
    }
    void InitUI(Rect client) override {
        ++init_ui_calls;
        if (build) {
            build(*this, client);
        }
    }
    void UISize(Rect client) override { layouts.push_back(client); }
    int OnMessage(int id, int event, intptr_t param, intptr_t) override {
        events.push_back({id, event, param});
        return 1;
    }
    int OnNcActivate(bool active) override {
        activations.push_back(active);
        return 0;
    }
    void OnTimer(uint32_t id) override { timers.push_back(id); }
    int OnDestroy() override {
        ++destroy_calls;
        return 0;
    }
};

}  // namespace tessaly::DUI::test
