#pragma once
// Which language the program starts in: the stored choice, else the user's
// own language, and English whenever the choice is not offered.

#include <string_view>

namespace tessaly {

inline constexpr int kLcidEnglish = 1033;

// The user's UI language from a locale name such as "zh_CN.UTF-8".
int LcidFromLocaleName(std::string_view locale);
// From LC_ALL, LC_MESSAGES or LANG, the first that is set.
int UserDefaultUILanguage();

// Sets the current language and writes the stored choice back as needed.
void ChooseLanguageAtStart();

}  // namespace tessaly
