#pragma once
// Reading config.xml's device section and the second read of its software
// section, without touching any control.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/device_description.h"
#include "catalogue/software_links.h"

namespace tessaly {

struct CatalogueFile {
    // The file was read and well-formed.
    bool loaded = false;
    std::vector<DeviceDescription> models;
    std::vector<DeviceDescription> identities;
    // Absent when config or software was not found.
    std::optional<SoftwareLinks> software;
};

// Base 16 with an optional "0x"/"0X", up to the first non-hex character.
int32_t HexToInt(std::u16string_view text);

// image_folder is prefixed to every mouse's image attribute.
CatalogueFile ReadCatalogueFile(std::u16string_view path, std::u16string_view image_folder);

}  // namespace tessaly
