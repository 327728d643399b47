#pragma once
// The application name: set once from config.xml's caption, it names the
// single-instance lock, the settings store, the autostart entry and the
// per-user data folder. The toolkit's SetDeviceName/GetDeviceName wrap it.

#include <string>
#include <string_view>

namespace tessaly {

inline constexpr std::u16string_view kDefaultApplicationName = u"Tessaly";

void SetApplicationName(std::u16string_view name);
std::u16string ApplicationName();
// The name as one file-name component (UTF-8, '/' replaced).
std::string ApplicationFileName();

}  // namespace tessaly
