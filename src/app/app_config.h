#pragma once
// config.xml's language and software sections: the offered languages, the
// initial language and the application name.

#include <string>
#include <string_view>

namespace tessaly {

// "<program folder>config.xml".
std::u16string ConfigFilePath();

// Empties the language set, then reads the file: language.info sets the
// current language and the language set, software's caption the application
// name. A missing or ill-formed file changes nothing more.
void ReadAppConfig(std::u16string_view config_path);
void ReadAppConfig();

}  // namespace tessaly
