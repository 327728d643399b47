#pragma once
// The about box: logo, the software version, the connected mouse's and
// receiver's firmware versions and the copyright line. One modal run per
// instance.

#include <string>
#include <utility>

#include "ui/toolkit/dialog.h"

namespace tessaly {

// Firmware versions as the mouse gives them ("105"); empty when unknown.
struct AboutVersions {
    std::u16string software;
    std::u16string mouse_firmware;
    std::u16string receiver_firmware;
};

class AboutDlg : public DUI::MDialog {
  public:
    static constexpr std::u16string_view kTitle = u"About Window";
    static constexpr DUI::Rect kRect{0, 0, 500, 300};

    explicit AboutDlg(AboutVersions versions = {}) : versions_(std::move(versions)) {}
    // Before the box is created.
    void SetVersions(AboutVersions versions) { versions_ = std::move(versions); }

    // Creates the box over the parent and centres it; ShowModal(5) runs it.
    bool Open(DUI::MWindow* parent);

    bool OnInitDialog() override;
    void InitUI(DUI::Rect client) override;
    void UISize(DUI::Rect) override {}
    int OnMessage(int id, int event, intptr_t param, intptr_t extra) override;

  private:
    AboutVersions versions_;
};

// "<caption>: V1.05" of a firmware version; "<caption>: -" when unknown.
std::u16string FirmwareVersionLine(int caption, std::u16string_view hex);

}  // namespace tessaly
