#pragma once
// Reads a picture's pixel size from its file header, for layouts that place a
// picture at its own size. Only the header is read.

#include <string_view>

#include "ui/toolkit/geometry.h"

namespace tessaly::DUI {

// PNG, BMP and JPEG; 0 x 0 for a missing, unreadable or unknown file.
Size ReadImageSize(std::u16string_view path);

}  // namespace tessaly::DUI
