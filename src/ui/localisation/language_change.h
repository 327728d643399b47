#pragma once
// Changing the language while the program runs, and the font names that
// follow the language. The main window re-applies its texts through the
// handler it registers.

#include <functional>
#include <string>
#include <string_view>

namespace tessaly {

// The font of the state texts and of the buttons, and the toolkit's default
// after a change of language.
inline constexpr std::u16string_view kInterfaceFontName = u"Open Sans Semibold";
// The main window's title keeps this font in every language.
inline constexpr std::u16string_view kTitleFontName = u"黑体";
inline constexpr int kTitleFontSize = 18;

std::u16string StateFontName();
std::u16string ButtonFontName();
// Empty until the language is first changed: the toolkit keeps its own.
std::u16string ToolkitDefaultFontName();

// The main window's ApplyLanguage; an empty function removes it.
void SetApplyLanguageHandler(std::function<void()> handler);

// The settings page's choice: current language, stored choice, fonts, then
// the main window's texts. Called on the UI thread.
void ChangeLanguage(int lcid);

}  // namespace tessaly
