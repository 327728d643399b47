#include "ui/localisation/button_function_items.h"

#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"

namespace tessaly::ui {
namespace {

namespace t = text;

constexpr ListItemSpec kMouseItems[] = {
    {t::kLeftButton, {}, 1}, {t::kRightButton, {}, 3}, {t::kMiddleButton, {}, 2},
    {t::kForward, {}, 5},    {t::kBack, {}, 6},        {t::kFireButton, {}, 4},
    {t::kScrollUp, {}, 7},   {t::kScrollDown, {}, 8},
};
constexpr ListItemSpec kMediaItems[] = {
    {t::kVolumeUp, {}, 6},    {t::kVolumeDown, {}, 7}, {t::kMute, {}, 8},
    {t::kMediaPlayer, {}, 1}, {t::kPlayPause, {}, 2},  {t::kPreviousTrack, {}, 4},
    {t::kNextTrack, {}, 5},   {t::kStop, {}, 3},
};
constexpr ListItemSpec kShortcutItems[] = {
    {t::kBrightnessUp, {}, 1}, {t::kBrightnessDown, {}, 2}, {t::kCalculator, {}, 3},
    {t::kFileManager, {}, 4},  {t::kBrowserHome, {}, 5},    {t::kEmail, {}, 6},
    {t::kShowDesktop, {}, 7},  {t::kSwitchWindows, {}, 8},  {t::kCopy, {}, 9},
    {t::kCut, {}, 11},         {t::kPaste, {}, 10},
};
constexpr ListItemSpec kDpiItems[] = {
    {t::kDpiCycle, {}, 3},
    {0, u"DPI +", 1},
    {0, u"DPI -", 2},
};
constexpr ListItemSpec kSpecialItems[] = {
    {t::kLightingSwitch, {}, 1},
    {t::kReportRateSwitch, {}, 2},
};

}  // namespace

std::u16string ItemText(const ListItemSpec& item) {
    return item.text != 0 ? LoadLanguageString(item.text) : std::u16string(item.literal);
}

std::span<const ListItemSpec> MouseFunctionItems() {
    return kMouseItems;
}
std::span<const ListItemSpec> MediaFunctionItems() {
    return kMediaItems;
}
std::span<const ListItemSpec> ShortcutFunctionItems() {
    return kShortcutItems;
}
std::span<const ListItemSpec> DpiFunctionItems() {
    return kDpiItems;
}
std::span<const ListItemSpec> SpecialFunctionItems() {
    return kSpecialItems;
}

}  // namespace tessaly::ui
