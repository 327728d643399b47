#include "macros/macro_event_texts.h"

#include <array>
#include <utility>

#include "ui/localisation/unit_texts.h"

namespace tessaly {
namespace {

constexpr std::u16string_view kPressArrow = u"\u2193  ";
constexpr std::u16string_view kReleaseArrow = u"\u2191  ";

constexpr std::array<std::pair<int, std::u16string_view>, 5> kButtonNames = {{
    {kMouseButtonLeft, u"LB"},
    {kMouseButtonRight, u"RB"},
    {kMouseButtonMiddle, u"MB"},
    {kMouseButtonBack, u"Backward"},
    {kMouseButtonForward, u"Forward"},
}};

std::u16string_view ButtonName(int bit) {
    for (const auto& [button, name] : kButtonNames) {
        if (button == bit) {
            return name;
        }
    }
    return {};
}

}  // namespace

std::u16string DelayText(int milliseconds) {
    return WithUnit(Unit::kMillisecond, milliseconds);
}

std::u16string KeyEventText(bool press, std::u16string_view key_name) {
    std::u16string text(press ? kPressArrow : kReleaseArrow);
    text += key_name;
    return text;
}

std::u16string MouseEventText(bool press, int button_bit) {
    return KeyEventText(press, ButtonName(button_bit));
}

}  // namespace tessaly
