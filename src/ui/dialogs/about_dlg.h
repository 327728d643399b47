#pragma once
// The about box: logo, the firmware version of the first cable-connected
// mouse and the copyright line. One modal run per instance.

#include <string>

#include "ui/toolkit/dialog.h"

namespace tessaly {

class AboutDlg : public DUI::MDialog {
  public:
    static constexpr std::u16string_view kTitle = u"About Window";
    static constexpr DUI::Rect kRect{0, 0, 500, 300};

    // firmware_version: the mouse's version number, 0 when none is connected.
    explicit AboutDlg(int firmware_version = 0) : firmware_version_(firmware_version) {}

    // Creates the box over the parent and centres it; ShowModal(5) runs it.
    bool Open(DUI::MWindow* parent);

    bool OnInitDialog() override;
    void InitUI(DUI::Rect client) override;
    void UISize(DUI::Rect) override {}
    int OnMessage(int id, int event, intptr_t param, intptr_t extra) override;

  private:
    int firmware_version_;
};

// "<text 16>: v<major>.<minor>" from the version's hexadecimal text: its
// first digit, then its last two (the whole text when it is shorter).
std::u16string FirmwareVersionLine(int version);

}  // namespace tessaly
