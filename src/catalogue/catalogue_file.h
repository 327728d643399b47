#pragma once
// Reading config.xml's device section and the second read of its software
// section, without touching any control.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/device_description.h"

namespace tessaly {

// The software section's version and addresses; an element that is absent
// or out of order leaves its text empty.
struct SoftwareLinks {
    std::u16string version;
    std::u16string website;
    std::u16string feedback;
    std::u16string qa;
    std::u16string store;
    std::u16string upgrade;
    std::u16string copyright;
    bool operator==(const SoftwareLinks&) const = default;
};

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
