#pragma once
// A model's description file device/<device attribute>.xml as far as model
// selection reads it: image_file to light_info. Each section is optional;
// what is absent leaves the previous model's value in force.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/button_description.h"
#include "catalogue/device_options.h"
#include "storage/rows.h"

namespace tessaly {

struct CustomSection {
    bool show_dpi_tips = false;
    bool show_save_tips = false;
    bool show_lift_off = false;
    bool show_sensor = false;
};

struct DescriptionFile {
    std::optional<std::u16string> mouse_img;
    std::optional<bool> lighting_page;
    std::optional<CustomSection> custom;
    std::optional<std::u16string> firmware_address;
    // Bytes, 1 … kDefaultFlashBytes; nothing when absent or not such a number.
    std::optional<uint32_t> flash_size;
    // Present with the mouse_key section, even when it holds no key.
    std::optional<std::vector<ButtonDescription>> buttons;
    std::vector<KeyAssignment> default_assignments;
    // By element: light_1 … light_6.
    std::array<std::optional<bool>, 6> lights;
};

// Nothing when the file cannot be loaded, is not well-formed or has no mouse
// root.
std::optional<DescriptionFile> ReadDescriptionFile(std::u16string_view path);

}  // namespace tessaly
