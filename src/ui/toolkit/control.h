#pragma once
// The base of every control: where it is, whether it shows, its images,
// colours and texts. Every operation takes the toolkit lock and tells the
// backend what changed, so the device worker may call them directly.
//
// A control belongs to one dialog (which owns it until the dialog object is
// destructed) and optionally to a tab page (MTabLayout) of that dialog. It is
// on screen (IsShown) when it and every page above it are visible and its
// rectangle is not empty; user input reaches only controls on screen and
// enabled.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "ui/toolkit/backend.h"
#include "ui/toolkit/geometry.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly::DUI {

class MDialog;
class MTabLayout;

// Images a control draws besides its main one.
enum class ImageRole {
    kIcon,
    kBackground,
    kThumb,
    kBatteryBackground,
    kBatteryValue,
    kBatteryCharge,
    kMode,
    kEdit,
    kMore,
    kItem,
    kCount,
};

class MControl {
  public:
    virtual ~MControl() = default;
    MControl(const MControl&) = delete;
    MControl& operator=(const MControl&) = delete;

    std::string_view ClassName() const { return class_name_; }
    int GetId() const { return id_; }
    MDialog* GetOwner() const { return owner_; }
    MTabLayout* GetParentLayout() const { return parent_; }
    bool IsArea() const { return area_; }

    void SetVisible(bool visible);
    bool IsVisible() const;
    bool IsShown() const;
    void SetEnabled(bool enabled);
    bool IsEnabled() const;
    void SetRect(Rect rect);
    Rect GetRect() const;
    void SetTooltip(std::u16string_view text);
    std::u16string GetTooltip() const;
    // Asks for a repaint.
    void UpdateControl();
    // Whether the dialog's control timer (MDialog::SetMTimer) drives this control.
    void AddMTimer(bool on);
    bool HasMTimer() const;
    // Gives (1) or takes (0) the keyboard focus; the dialog then receives
    // event 30 or 29 for the control on the UI thread. One control of a
    // dialog has the focus at a time.
    void OnFocus(int focus);
    bool HasFocus() const;
    // Raw style number of the control (button property, link property).
    void SetStyle(int style);
    int GetStyle() const;
    void SetSubImage(ImageRole role, std::u16string_view file);
    std::u16string GetSubImage(ImageRole role) const;

    // Virtual operations, in slot order.
    virtual void SetTextColor(Color color);
    // The skin file and how many frames it holds (1 pictures, 4 buttons,
    // 8 check and radio boxes).
    virtual void SetImage(std::u16string_view file, int frames = 1);

    Color GetTextColor() const;
    std::u16string GetImage() const;
    int GetImageFrames() const;
    // Read from the image file; 0 x 0 when it is missing.
    Size GetImageSize() const;

  protected:
    explicit MControl(std::string_view class_name) : class_name_(class_name) {}
    // Lock held. Tells the backend.
    void Changed(ControlChange change) const;

    // Lock held: the state change a user's action implies, before the dialog
    // hears of it (a check box toggles, a list selects the clicked index).
    virtual void ApplyUserEvent(int event, intptr_t param);
    // Lock held: the user typed text; false when the control takes none.
    virtual bool ApplyUserText(std::u16string_view text);
    // Lock held: one tick of the control timer.
    virtual void OnControlTimer() {}

  private:
    friend class MDialog;
    friend class Toolkit;
    friend class MTabLayout;
    void Attach(MDialog& owner, MTabLayout* parent, int id, bool area);
    void SetFocusState(bool focus);  // lock held

    std::string_view class_name_;
    MDialog* owner_ = nullptr;
    MTabLayout* parent_ = nullptr;
    int id_ = 0;
    bool area_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    bool focus_ = false;
    bool mtimer_ = false;
    Rect rect_;
    std::u16string tooltip_;
    Color text_color_ = 0xFF000000;
    std::u16string image_;
    int image_frames_ = 1;
    int style_ = 0;
    std::array<std::u16string, static_cast<size_t>(ImageRole::kCount)> sub_images_;
};

// Controls with a title and a font.
class MControlFont : public MControl {
  public:
    void SetTitle(std::u16string_view text);
    std::u16string GetTitle() const;
    // Name, size and style (0 regular, 1 bold).
    void SetFont(std::u16string_view name, int size, int style);
    void SetFontName(std::u16string_view name);
    void SetFontWidth(int size);
    // Empty when the control uses the toolkit's default font.
    std::u16string GetFontName() const;
    int GetFontWidth() const;
    int GetFontStyle() const;
    // Flags of window_constants.h: kAlignLeft, kAlignCenter, kAlignRight.
    void SetAlignment(int alignment);
    int GetAlignment() const;
    // kAlignVCenter or 0.
    void SetVAlignment(int alignment);
    int GetVAlignment() const;
    void SetMultiLine(bool multi_line);
    bool IsMultiLine() const;

  protected:
    friend class MDialog;
    using MControl::MControl;
    // Lock held.
    void SetTitleLocked(std::u16string_view text);
    const std::u16string& TitleLocked() const { return title_; }

  private:
    std::u16string title_;
    std::u16string font_name_;
    int font_width_ = 12;
    int font_style_ = 0;
    int alignment_ = 0;
    int v_alignment_ = 0;
    bool multi_line_ = false;
};

}  // namespace tessaly::DUI
