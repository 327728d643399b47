#pragma once
// Colours travel as 0x00BBGGRR (store, wire, dialog results); toolkit
// controls take 0xAARRGGBB. These two conversions are the only crossing.

#include <cstdint>

#include "ui/toolkit/geometry.h"

namespace tessaly {

inline constexpr DUI::Color kWhite = 0xFFFFFFFF;
// A check that found the newest version.
inline constexpr DUI::Color kSuccessGreen = 0xFF00C800;

// Opaque ARGB of a 0x00BBGGRR value; the high byte of the input is ignored.
constexpr DUI::Color BgrToArgb(uint32_t bgr) {
    uint32_t red = bgr & 0xFF;
    uint32_t green = (bgr >> 8) & 0xFF;
    uint32_t blue = (bgr >> 16) & 0xFF;
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

// The 0x00BBGGRR value of an ARGB colour; alpha is dropped.
constexpr uint32_t ArgbToBgr(DUI::Color argb) {
    uint32_t red = (argb >> 16) & 0xFF;
    uint32_t green = (argb >> 8) & 0xFF;
    uint32_t blue = argb & 0xFF;
    return red | (green << 8) | (blue << 16);
}

constexpr uint32_t BgrFromComponents(int red, int green, int blue) {
    return static_cast<uint32_t>(red) + static_cast<uint32_t>(green) * 256u +
           static_cast<uint32_t>(blue) * 65536u;
}

}  // namespace tessaly
