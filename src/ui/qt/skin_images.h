#pragma once
// Skin images by the names controls give: loaded once, cut into frames
// (side by side, equal widths). A missing file gives a null pixmap, and the
// painter then draws the code look instead.

#include <QPixmap>
#include <string_view>

namespace tessaly::qt {

// Frame order of buttons and check boxes.
enum class Frame { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3 };

QPixmap SkinImage(std::u16string_view name);
// Frame `index` of `frames`; null when the file is missing or the index is
// out of range.
QPixmap SkinFrame(std::u16string_view name, int frames, int index);
// Forgets every loaded image (the theme changed).
void ClearSkinCache();

}  // namespace tessaly::qt
