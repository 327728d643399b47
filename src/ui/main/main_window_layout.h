#pragma once
// Where the main window's frame and information page go for a client
// rectangle: pure functions, so the table of positions can be checked
// without a window. Products with the scale are truncated toward zero.

#include <array>
#include <optional>

#include "ui/toolkit/geometry.h"

namespace tessaly::ui {

// The size the window was drawn for; the scale is client height / height.
inline constexpr int kDesignWidth = 1300;
inline constexpr int kDesignHeight = 788;

// The rectangle controls are built with, before a layout places them.
inline constexpr DUI::Rect kEmpty{};

// The main window's size on a screen whose free area is `work_area`: the
// design size, or on a smaller screen both sides shrunk by one factor so the
// whole window fits and the pages are laid out at that scale.
DUI::Size MainWindowSize(DUI::Rect work_area);

float LayoutScale(DUI::Rect client);
// value × scale, truncated.
int Scaled(float scale, int value);

struct FrameLayout {
    float scale = 1.0f;
    DUI::Rect background;       // 30
    DUI::Rect caption;          // 32
    DUI::Rect bottom_strip;     // 33
    DUI::Rect close;            // 38
    DUI::Rect minimise;         // 39
    DUI::Rect settings;         // 40
    DUI::Rect title;            // 35
    DUI::Rect version;          // 36
    DUI::Rect website;          // 37
    DUI::Rect battery;          // 43
    DUI::Rect device_state;     // 44
    DUI::Rect profile;          // 45
    DUI::Rect tab_background;   // 47
    DUI::Rect tabs;             // 48
    DUI::Rect feature_page;     // 50, 52, 53, 54, 55
    DUI::Rect home_page;        // 49
    DUI::Rect custom_key_page;  // 51
    DUI::Rect settings_page;    // 56
    DUI::Rect device_list;      // 57
    DUI::Rect notice;           // 58, 59
    DUI::Rect centred_notice;   // kept for a narrower notice
};

FrameLayout ComputeFrameLayout(DUI::Rect client);
// Control 31, only for a picture wider than 1 pixel. Beside the information
// page's panel it moves (and, if need be, shrinks) clear of that panel.
std::optional<DUI::Rect> MousePictureRect(DUI::Rect client, DUI::Size picture,
                                          bool beside_information_panel = false);
// Control 34, only for a picture wider than 1 pixel.
std::optional<DUI::Rect> LogoRect(DUI::Size picture);

struct InformationRow {
    DUI::Rect box;     // 237 / 238 picture
    DUI::Rect marker;  // 237 / 238 round area
    DUI::Rect name;    // 243 / 244
    DUI::Rect status;  // 246 / 247
    DUI::Rect button;  // 248 / 249
};

struct InformationLayout {
    DUI::Rect background;  // 192
    DUI::Rect title;       // 194
    int title_font_width = 18;
    std::array<InformationRow, 2> rows;
};

InformationLayout ComputeInformationLayout(float scale);

}  // namespace tessaly::ui
