#include "ui/main/main_window_layout.h"

namespace tessaly::ui {

using DUI::Rect;

float LayoutScale(Rect client) {
    return static_cast<float>(client.bottom - client.top) / static_cast<float>(kDesignHeight);
}

int Scaled(float scale, int value) {
    return static_cast<int>(scale * static_cast<float>(value));
}

DUI::Size MainWindowSize(Rect work_area) {
    const int width = work_area.Width();
    const int height = work_area.Height();
    if (width <= 0 || height <= 0 || (width >= kDesignWidth && height >= kDesignHeight)) {
        // An unknown screen, or one with room for the design size.
        return {kDesignWidth, kDesignHeight};
    }
    // Integer products, so the height is exactly what the scale is computed
    // back from and the width never ends a pixel past the area.
    if (static_cast<long>(width) * kDesignHeight < static_cast<long>(height) * kDesignWidth) {
        return {width, static_cast<int>(static_cast<long>(width) * kDesignHeight / kDesignWidth)};
    }
    return {static_cast<int>(static_cast<long>(height) * kDesignWidth / kDesignHeight), height};
}

FrameLayout ComputeFrameLayout(Rect client) {
    const int w = client.right;
    const int h = client.bottom;
    const int left = client.left;
    const float s = LayoutScale(client);
    FrameLayout f;
    f.scale = s;
    f.background = client;
    f.caption = {1, 1, w - 1, 50};
    f.bottom_strip = {1, h - 50, w - 1, h - 1};
    f.close = {w - 50, 10, w - 20, 40};
    f.minimise = {w - 82, 10, w - 52, 40};
    f.settings = {w - 114, 10, w - 84, 40};
    const int title_left = (w - left - 260) / 2;
    f.title = {title_left, 10, title_left + 260, 40};
    f.version = {25, h - 38, 225, h - 12};
    const int middle = (w - left) / 2;
    f.website = {middle - 400, h - 38, middle + 400, h - 12};
    f.battery = {w - 130, 50, w - 35, 80};
    f.device_state = {25, 11, 125, 38};
    f.profile = {w - 170, h - 38, w - 20, h - 12};
    f.tab_background = {1, 50, 201, h - 50};
    f.tabs = {1, 120, 191, 480};
    f.feature_page = {200, 80, w - 20, h - 50};
    f.home_page = {20, 80, w - 20, h - 50};
    const int sub_left = 230 + Scaled(s, 250);
    f.custom_key_page = {sub_left, 80 + Scaled(s, 50), sub_left + 600, h - 50};
    f.settings_page = {1, 50, w - 1, h - 40};
    f.device_list = {200, 200, w - 200, h - 100};
    const auto centred = [&](int width, int height) {
        const int x = (w - width - left) / 2;
        const int y = Scaled(s, 200);
        return Rect{x, y, x + width, y + height};
    };
    f.notice = centred(Scaled(s, 500), Scaled(s, 80));
    f.centred_notice = centred(Scaled(s, 350), Scaled(s, 80));
    return f;
}

std::optional<Rect> MousePictureRect(Rect client, DUI::Size picture,
                                     bool beside_information_panel) {
    if (picture.width <= 1) {
        return std::nullopt;
    }
    const int w = client.right;
    const Rect placed{w - picture.width - 150, 135, w - 150, 135 + picture.height};
    // The information page's opaque panel is drawn over the picture: there
    // it moves right of the panel, and shrinks (keeping its shape) where the
    // page's right margin leaves too little room. Elsewhere the button
    // callouts are drawn for the design's place.
    const int clear = ComputeInformationLayout(LayoutScale(client)).background.right + 10;
    if (!beside_information_panel || placed.left >= clear) {
        return placed;
    }
    const int room = w - 20 - clear;
    if (room <= 0) {
        return placed;
    }
    if (picture.width <= room) {
        return Rect{clear, 135, clear + picture.width, 135 + picture.height};
    }
    const int height = static_cast<int>(static_cast<long>(picture.height) * room / picture.width);
    return Rect{clear, 135, clear + room, 135 + height};
}

std::optional<Rect> LogoRect(DUI::Size picture) {
    if (picture.width <= 1) {
        return std::nullopt;
    }
    return Rect{10, 70, 10 + picture.width, 70 + picture.height};
}

InformationLayout ComputeInformationLayout(float s) {
    constexpr int x = 230;
    const auto sc = [s](int value) { return Scaled(s, value); };
    InformationLayout info;
    info.background = {x, 80, x + sc(650), 80 + sc(658)};
    info.title = {x + sc(15), 80, x + sc(200), 80 + sc(40)};
    info.title_font_width = sc(18);
    int y = 80 + sc(50);
    for (InformationRow& row : info.rows) {
        // The name over its status, so the longer names and update messages
        // have the row's width up to a button wide enough for every language.
        row.box = {x + sc(15), y, x + sc(630), y + sc(60)};
        row.marker = {x + sc(30), y + sc(15), x + sc(40), y + sc(45)};
        row.name = {x + sc(50), y + sc(6), x + sc(395), y + sc(30)};
        row.status = {x + sc(50), y + sc(30), x + sc(395), y + sc(54)};
        row.button = {x + sc(405), y + sc(15), x + sc(620), y + sc(45)};
        y += sc(70);
    }
    return info;
}

}  // namespace tessaly::ui
