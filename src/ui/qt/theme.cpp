#include "ui/qt/theme.h"

#include <QFontDatabase>

#include "ui/toolkit/manager.h"

namespace tessaly::qt {
namespace {

// Tried in order after the named family; DejaVu covers Cyrillic, Noto CJK
// and WenQuanYi the Chinese, Japanese and Korean texts.
constexpr const char* kFallbacks[] = {"Open Sans",           "Noto Sans",
                                      "DejaVu Sans",         "Noto Sans CJK SC",
                                      "WenQuanYi Micro Hei", "Droid Sans Fallback"};

// Font names the skin asks for that fontconfig knows under another name.
struct Alias {
    const char16_t* name;
    const char* family;
};
constexpr Alias kAliases[] = {
    {u"\u9ed1\u4f53", "Noto Sans CJK SC"},  // "Hei" body
    {u"Open Sans Semibold", "Open Sans"},
};

}  // namespace

QColor Theme::Accent() {
    return FromArgb(DUI::Manager::m_select_color);
}

QColor FromArgb(DUI::Color argb) {
    return QColor::fromRgba(argb);
}

QColor TextColour(DUI::Color argb) {
    if ((argb & 0x00FFFFFF) == 0) {
        return Theme::Text();
    }
    return FromArgb(argb);
}

QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string FromQString(const QString& text) {
    return text.toStdU16String();
}

QRect ToQRect(DUI::Rect rect) {
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

QFont ControlFont(std::u16string_view name, int pixel_size, int style) {
    QString family = ToQString(name.empty() ? DUI::Manager::GetFontName() : name);
    for (const Alias& alias : kAliases) {
        if (name == alias.name) {
            family = QString::fromUtf8(alias.family);
        }
    }
    QFont font;
    QStringList families{family};
    for (const char* fallback : kFallbacks) {
        families << QString::fromUtf8(fallback);
    }
    font.setFamilies(families);
    font.setPixelSize(pixel_size > 0 ? pixel_size : 12);
    if (style == 1 || name == u"Open Sans Semibold") {
        font.setWeight(style == 1 ? QFont::Bold : QFont::DemiBold);
    }
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

void InstallFontFallbacks() {
    QStringList fallbacks;
    for (const char* fallback : kFallbacks) {
        fallbacks << QString::fromUtf8(fallback);
    }
    for (const QString& family : fallbacks) {
        QFont::insertSubstitutions(family, fallbacks);
    }
}

QString StyleSheet() {
    const QString accent = Theme::Accent().name();
    return QStringLiteral(
               "QLineEdit { background: #101216; color: #e8eaee; border: 1px solid #383d48;"
               " border-radius: 4px; padding: 2px 6px; selection-background-color: %1; }"
               "QLineEdit:focus { border-color: %1; }"
               "QLineEdit:disabled { color: #555a64; }"
               "QComboBox { background: #2a2e37; color: #e8eaee; border: 1px solid #383d48;"
               " border-radius: 4px; padding: 2px 8px; }"
               "QComboBox:hover, QComboBox:focus { border-color: %1; }"
               "QComboBox:disabled { color: #555a64; }"
               "QComboBox QAbstractItemView { background: #1f2229; color: #e8eaee;"
               " selection-background-color: %1; border: 1px solid #383d48; }"
               "QMenu { background: #1f2229; color: #e8eaee; border: 1px solid #383d48; }"
               "QMenu::item { padding: 6px 24px; }"
               "QMenu::item:selected { background: %1; }"
               "QToolTip { background: #2a2e37; color: #e8eaee; border: 1px solid %1; }"
               "QFileDialog, QFileDialog QWidget { background: #1f2229; color: #e8eaee; }")
        .arg(accent);
}

}  // namespace tessaly::qt
