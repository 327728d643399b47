#include "base/imported_name.h"

namespace tessaly {

std::u16string ImportedName(std::u16string name) {
    if (name.size() <= kMaxImportedNameLength)
        return name;
    size_t length = kMaxImportedNameLength;
    const char16_t last = name[length - 1];
    if (last >= 0xD800 && last <= 0xDBFF)
        --length;
    name.resize(length);
    return name;
}

}  // namespace tessaly
