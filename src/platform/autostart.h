#pragma once
// The autorun entry: an XDG autostart desktop file,
// $XDG_CONFIG_HOME/autostart/<application name>.desktop, whose Exec line is
// the executable's path followed by " -autorun".

#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

// A command line longer than this many bytes, counted as the value it stands
// for ((characters + 1) x 2), does not count as an entry.
inline constexpr size_t kAutorunMaxBytes = 512;

std::string AutostartEntryPath();

// The command line as it stands in Exec: the path, quoted as the desktop
// entry format wants when it holds blanks or reserved characters, then
// " -autorun".
std::u16string AutorunCommandLine(std::u16string_view executable_path);

bool WriteAutorunEntry(std::u16string_view executable_path);
// The Exec command line of the entry, unescaped; nothing when absent.
std::optional<std::u16string> ReadAutorunCommandLine();
// Present only when the entry exists and its command line fits.
bool AutorunEntryPresent();
// True when no entry is left afterwards.
bool DeleteAutorunEntry();

// Splits an Exec value into its arguments, undoing the quoting.
std::optional<std::u16string> FirstExecArgument(std::u16string_view command_line);

}  // namespace tessaly
