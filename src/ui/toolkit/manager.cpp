#include "ui/toolkit/manager.h"

#include <filesystem>

#include "base/application_name.h"
#include "base/unicode.h"
#include "platform/folders.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly::DUI {
namespace {

constexpr std::u16string_view kTheme = u"default";
constexpr std::u16string_view kDefaultFont = u"Open Sans";

std::u16string& SkinFolderOverride() {
    static std::u16string folder;
    return folder;
}

std::u16string& FontName() {
    static std::u16string name(kDefaultFont);
    return name;
}

}  // namespace

void Manager::SetInstance(const void*) {}

void Manager::SetDeviceName(std::u16string_view name) {
    SetApplicationName(name);
}

std::u16string Manager::GetDeviceName() {
    return ApplicationName();
}

std::u16string Manager::GetTheme() {
    return std::u16string(kTheme);
}

void Manager::SetSkinFolder(std::u16string_view folder) {
    auto lock = LockToolkit();
    SkinFolderOverride() = folder;
    if (!SkinFolderOverride().empty() && SkinFolderOverride().back() != u'/') {
        SkinFolderOverride() += u'/';
    }
}

std::u16string Manager::SkinFolder() {
    {
        auto lock = LockToolkit();
        if (!SkinFolderOverride().empty()) {
            return SkinFolderOverride();
        }
    }
    return ProgramFolder() + u"skins/" + GetTheme() + u"/";
}

std::u16string Manager::ResolveImage(std::u16string_view name) {
    std::u16string path(name);
    for (char16_t& c : path) {
        if (c == u'\\') {
            c = u'/';
        }
    }
    if (path.empty() || path.front() == u'/') {
        return path;
    }
    // "a//b" as written in some tables is the same file as "a/b".
    std::u16string collapsed;
    for (char16_t c : path) {
        if (c == u'/' && !collapsed.empty() && collapsed.back() == u'/') {
            continue;
        }
        collapsed += c;
    }
    return SkinFolder() + collapsed;
}

void Manager::SetFontName(std::u16string_view name) {
    auto lock = LockToolkit();
    FontName() = name;
}

std::u16string Manager::GetFontName() {
    auto lock = LockToolkit();
    return FontName();
}

Icon MRender::LoadIconFromFile(std::u16string_view path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(ToUtf8(path), error)) {
        return {};
    }
    return Icon{std::u16string(path)};
}

}  // namespace tessaly::DUI
