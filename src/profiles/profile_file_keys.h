#pragma once
// The configuration keys a profile file carries, in the file's order.

#include <string_view>

namespace tessaly {

inline constexpr int kProfileFileStages = 6;

inline constexpr std::u16string_view kProfileStageKeys[] = {u"dpi_flag", u"dpi_index",
                                                            u"dpi_count"};
inline constexpr std::u16string_view kProfileMouseKeys[] = {
    u"button_respondtime", u"report_rate", u"sensor_flag", u"liftoff_height",  u"scroll_flag",
    u"e-sports_flag",      u"sleep_light", u"move_wakeup", u"move_closelight",
};

}  // namespace tessaly
