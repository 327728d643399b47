#pragma once
// The folders every subsystem uses. Paths are UTF-16 and end with '/'.

#include <string>
#include <string_view>

namespace tessaly {

// The folder holding config.xml, language/, device/ and skins/: the
// executable's folder when it holds config.xml (a build tree), else
// <prefix>/share/tessaly/ (an installed tree). Overridden by
// SetProgramFolderOverride (--program-dir) and then TESSALY_PROGRAM_DIR.
std::u16string ProgramFolder();
// The folder ProgramFolder picks for an executable at this path when nothing
// overrides it.
std::u16string ProgramFolderBeside(std::u16string_view executable_path);

// $XDG_DATA_HOME (default ~/.local/share), then "<application name> Files/".
// Overridden by SetUserDataFolderOverride (--data-dir) and then
// TESSALY_DATA_DIR. The folder is not created.
std::u16string UserDataFolder();

// The folder that stands for $XDG_CONFIG_HOME (registry.ini, the autostart
// entry): SetConfigFolderOverride (--config-dir), then TESSALY_CONFIG_DIR;
// empty when neither is set.
std::u16string ConfigFolderOverride();

// An empty path removes the override.
void SetProgramFolderOverride(std::u16string_view path);
void SetUserDataFolderOverride(std::u16string_view path);
void SetConfigFolderOverride(std::u16string_view path);

// Creates every missing level; true when the folder exists afterwards.
bool CreateFolderPath(std::u16string_view path);

// The running executable's full path.
std::u16string ExecutablePath();

}  // namespace tessaly
