#pragma once
// The application's own values under the program key "SOFTWARE\<name>":
// decimal texts, read with their defaults when anything fails.

#include <string>
#include <string_view>

namespace tessaly {

inline constexpr std::u16string_view kValueLcid = u"LCID";
inline constexpr std::u16string_view kValueDeviceType = u"DeviceType";
inline constexpr std::u16string_view kValueAutorunMinimize = u"autorun_minimize";
inline constexpr std::u16string_view kValueExitMode = u"exit_mode";

// "SOFTWARE\<application name>".
std::u16string ProgramKey();

// Creates the key (empty) when missing and gives 0; any failure gives 0.
int ReadRegistryNumber(std::u16string_view name);
// Nothing happens when the key cannot be opened.
void WriteRegistryText(std::u16string_view name, std::u16string_view text);

// 0 when the key cannot be opened; the key is not created.
int ReadDeviceType();
void WriteDeviceType(int device_type);

// 0 when the key was missing (it is created), 2052 when it exists but cannot
// be opened or cannot be created.
int ReadStoredLanguage();
void WriteStoredLanguage(int lcid);

}  // namespace tessaly
