#include "ui/localisation/language_change.h"

#include <mutex>

#include "app/language_state.h"
#include "app/registry_values.h"
#include "ui/localisation/language_strings.h"
#include "ui/toolkit/manager.h"

namespace tessaly {
namespace {

struct LanguageFonts {
    std::mutex lock;
    std::u16string state{kInterfaceFontName};
    std::u16string button{kInterfaceFontName};
    std::u16string toolkit_default;
    std::function<void()> apply_language;
};

LanguageFonts& TheFonts() {
    static LanguageFonts fonts;
    return fonts;
}

}  // namespace

std::u16string StateFontName() {
    auto& fonts = TheFonts();
    std::lock_guard guard(fonts.lock);
    return fonts.state;
}

std::u16string ButtonFontName() {
    auto& fonts = TheFonts();
    std::lock_guard guard(fonts.lock);
    return fonts.button;
}

std::u16string ToolkitDefaultFontName() {
    auto& fonts = TheFonts();
    std::lock_guard guard(fonts.lock);
    return fonts.toolkit_default;
}

void SetApplyLanguageHandler(std::function<void()> handler) {
    auto& fonts = TheFonts();
    std::lock_guard guard(fonts.lock);
    fonts.apply_language = std::move(handler);
}

void ChangeLanguage(int lcid) {
    SetCurrentLcid(lcid);
    WriteStoredLanguage(lcid);
    // A file edited since it was last read is picked up by the change too.
    ReloadLanguageFiles();
    std::function<void()> apply;
    {
        auto& fonts = TheFonts();
        std::lock_guard guard(fonts.lock);
        fonts.toolkit_default = kInterfaceFontName;
        fonts.state = kInterfaceFontName;
        fonts.button = kInterfaceFontName;
        apply = fonts.apply_language;
    }
    DUI::Manager::SetFontName(kInterfaceFontName);
    // Outside the lock: the handler reads the font names itself.
    if (apply)
        apply();
}

}  // namespace tessaly
