#pragma once
// The dark look drawn by code: the palette every painter uses, the fonts
// with their fallbacks, and the conversions between model and Qt values.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string>
#include <string_view>

#include "ui/toolkit/geometry.h"

namespace tessaly::qt {

struct Theme {
    static QColor Window() { return QColor(0x16, 0x18, 0x1d); }
    static QColor Panel() { return QColor(0x1f, 0x22, 0x29); }
    static QColor PanelRaised() { return QColor(0x2a, 0x2e, 0x37); }
    static QColor Border() { return QColor(0x38, 0x3d, 0x48); }
    static QColor Text() { return QColor(0xe8, 0xea, 0xee); }
    static QColor TextDim() { return QColor(0x8d, 0x93, 0xa0); }
    static QColor Disabled() { return QColor(0x55, 0x5a, 0x64); }
    static QColor Accent();
    static QColor AccentHover() { return Accent().lighter(120); }
};

QColor FromArgb(DUI::Color argb);
// The model's default text colour is black, unreadable on the dark theme:
// it stands for the theme's text colour.
QColor TextColour(DUI::Color argb);
QString ToQString(std::u16string_view text);
std::u16string FromQString(const QString& text);
QRect ToQRect(DUI::Rect rect);

// The named family when installed, else fonts that cover Latin, Cyrillic and
// CJK; size is the model's pixel size.
QFont ControlFont(std::u16string_view name, int pixel_size, int style);
// Installs the family fallbacks once the application exists.
void InstallFontFallbacks();
// The style sheet of the native widgets (edits, combo boxes, menus, dialogs).
QString StyleSheet();

}  // namespace tessaly::qt
