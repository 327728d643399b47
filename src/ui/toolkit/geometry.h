#pragma once
// Plain value types shared by every window and control of the toolkit.

#include <cstdint>

namespace tessaly::DUI {

// 0xAARRGGBB, as every control takes it.
using Color = uint32_t;

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const Rect&) const = default;
};

}  // namespace tessaly::DUI
