#pragma once
// Process-wide toolkit settings: the application name, the skin theme and
// folder images are looked up in, the default font and the accent colour.

#include <string>
#include <string_view>

#include "ui/toolkit/geometry.h"

namespace tessaly::DUI {

class Manager {
  public:
    // Kept for the start-up sequence; there is no instance handle here.
    static void SetInstance(const void* instance);

    // The application name (base/application_name.h).
    static void SetDeviceName(std::u16string_view name);
    static std::u16string GetDeviceName();

    static std::u16string GetTheme();
    // Where relative image names resolve: by default the program folder,
    // "skins/", the theme and '/'. An empty path restores the default.
    static void SetSkinFolder(std::u16string_view folder);
    static std::u16string SkinFolder();
    // An image name as a file path: '\' becomes '/', a relative name is taken
    // inside the skin folder.
    static std::u16string ResolveImage(std::u16string_view name);

    // The font of controls that set none of their own.
    static void SetFontName(std::u16string_view name);
    static std::u16string GetFontName();

    static constexpr Color m_select_color = 0xFF1E90FF;
};

// A window or tray icon loaded from a file.
struct Icon {
    std::u16string path;
    bool IsValid() const { return !path.empty(); }
    bool operator==(const Icon&) const = default;
};

class MRender {
  public:
    // An invalid icon when the file does not exist.
    static Icon LoadIconFromFile(std::u16string_view path);
};

}  // namespace tessaly::DUI
