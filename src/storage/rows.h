#pragma once
// The rows of the settings tables as the rest of the system holds them: one
// field per column, texts in UTF-16. New rows are zeros and empty texts.

#include <array>
#include <string>

namespace tessaly {

// t_profile_data. app and type are stored and listed but carry nothing.
struct ProfileInfo {
    int id = 0;
    std::u16string name;
    std::u16string app;
    int type = 0;
    int status = 0;  // 1 for the active profile
    bool operator==(const ProfileInfo&) const = default;
};

// t_key_macro_data: one button's assignment in one profile and layer.
struct KeyAssignment {
    int key_id = 0;
    int profile = 0;
    int layer = 0;  // fn_layer
    int key_code = 0;
    int layout_value = 0;
    std::u16string layout_desc;
    int macro_type = 0;
    int macro_value = 0;
    int macro_value2 = 0;
    int macro_value3 = 0;
    std::u16string macro_desc;
    bool operator==(const KeyAssignment&) const = default;
};

// t_light_data: one lighting mode's parameters in one profile.
struct LightSetting {
    int light_id = 0;
    int profile = 0;
    std::u16string name;
    int mode = 0;
    int brightness = 0;
    int speed = 0;
    int direction = 0;
    int colorful = 0;
    int color_index = 0;
    std::array<int, 7> color_values{};  // color_value1 … color_value7
    int config_func = 0;
    int reserved = 0;
    int status = 0;  // 1 for the profile's active mode
    bool operator==(const LightSetting&) const = default;
};

// t_macro_data: a macro's header; macros belong to no profile.
struct MacroInfo {
    int macro_id = 0;
    std::u16string name;
    int play_type = 0;
    int play_times = 0;
    int delay_type = 0;
    int delay_time = 0;
    bool operator==(const MacroInfo&) const = default;
};

// t_macrorecord: one event of a macro.
struct MacroEvent {
    int record_id = 0;
    int macro_id = 0;
    int type = 0;
    int record_index = 0;
    int value = 0;
    int delay_time = 0;
    std::u16string desc;
    bool operator==(const MacroEvent&) const = default;
};

}  // namespace tessaly
