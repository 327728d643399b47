#pragma once
// The numbered texts of the current language. Safe to call from the UI
// thread and the device worker at once.

#include <string>
#include <string_view>

namespace tessaly {

// The text of the current language's file (CurrentLcid), or empty when the
// file, the section or the number is missing. There is no fallback to
// another language.
std::u16string LoadLanguageString(std::u16string_view section, int number);
// The same in the section every text lives in, "LAN".
std::u16string LoadLanguageString(int number);

// Makes the next lookup read the file again, even for the same language.
void ReloadLanguageFiles();

// "<text 17>: v<version>", the version line of the frame and settings page.
std::u16string SoftwareVersionLine(std::u16string_view version);

}  // namespace tessaly
