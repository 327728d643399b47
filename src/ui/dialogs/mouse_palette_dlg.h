#pragma once
// The modal colour chooser of the DPI stage colours: a colour field, three
// component fields, eight presets and a preview. Colours are 0x00BBGGRR;
// 0 means cancelled, so black cannot be chosen.

#include <array>
#include <cstdint>
#include <string_view>

#include "ui/toolkit/dialog.h"

namespace tessaly {

class MousePaletteDlg : public DUI::MDialog {
  public:
    // The toolkit has no window classes; the class name becomes the title.
    static constexpr std::u16string_view kTitle = u"PaletteDlg";
    static constexpr int kWidth = 330;
    static constexpr int kHeight = 320;
    static constexpr std::array<uint32_t, 8> kPresets{0x0000FF, 0xFF0000, 0x00FF00, 0x00FFFF,
                                                      0xFF00FF, 0xFFFF00, 0xFF00FF, 0xFFFFFF};

    explicit MousePaletteDlg(uint32_t initial) : result_(initial) {}

    // UI thread. Runs the dialog centred on the parent; the chosen colour,
    // 0 when it was closed or could not run.
    static uint32_t Choose(DUI::MWindow* parent, uint32_t initial);

    bool Open(DUI::MWindow* parent);
    uint32_t Result() const { return result_; }

    void InitUI(DUI::Rect client) override;
    int OnMessage(int id, int event, intptr_t param, intptr_t extra) override;
    // As the close box: no colour chosen.
    bool OnEscapeKey() override;

  private:
    void ShowColour(uint32_t colour, bool update_fields, bool update_palette);
    void FieldChanged();

    uint32_t result_;
};

}  // namespace tessaly
