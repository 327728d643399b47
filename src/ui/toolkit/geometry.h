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

// The part of `rect` inside `bounds` (empty where they do not meet).
inline Rect ClippedTo(Rect rect, Rect bounds) {
    const auto larger = [](int a, int b) { return a > b ? a : b; };
    const auto smaller = [](int a, int b) { return a < b ? a : b; };
    return {larger(rect.left, bounds.left), larger(rect.top, bounds.top),
            smaller(rect.right, bounds.right), smaller(rect.bottom, bounds.bottom)};
}

}  // namespace tessaly::DUI
