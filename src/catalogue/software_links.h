#pragma once
// The software section's version and addresses, as the catalogue's second
// read of config.xml keeps them.

#include <string>

namespace tessaly {

// An element that is absent or out of order leaves its text empty.
struct SoftwareLinks {
    std::u16string version;
    std::u16string website;
    std::u16string feedback;
    std::u16string qa;
    std::u16string store;
    std::u16string upgrade;
    std::u16string copyright;  // the copyright element's info
    bool operator==(const SoftwareLinks&) const = default;
};

}  // namespace tessaly
