#include "ui/qt/control_painters.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <string_view>

#include "ui/qt/control_geometry.h"
#include "ui/qt/skin_images.h"
#include "ui/qt/theme.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/device_list.h"
#include "ui/toolkit/controls/dpi_control.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/mouse_controls.h"
#include "ui/toolkit/controls/palette.h"
#include "ui/toolkit/controls/progress.h"
#include "ui/toolkit/controls/record_list.h"
#include "ui/toolkit/controls/report_ctrl.h"
#include "ui/toolkit/controls/static_controls.h"
#include "ui/toolkit/controls/tabs.h"

namespace tessaly::qt {
namespace {

// A USB release number is binary-coded decimal: 0x0105 is "1.05".
QString UsbReleaseText(int version) {
    return QStringLiteral("%1.%2")
        .arg((version >> 8) & 0xFF, 0, 16)
        .arg(version & 0xFF, 2, 16, QLatin1Char('0'));
}

using DUI::MControl;
using DUI::MControlFont;

QRect Whole(const PaintState& s) {
    return QRect(QPoint(0, 0), s.size);
}

void UseFont(QPainter& p, const MControlFont& c) {
    p.setFont(ControlFont(c.GetFontName(), c.GetFontWidth(), c.GetFontStyle()));
}

int TextFlags(const MControlFont& c, int fallback_horizontal) {
    const int align = c.GetAlignment();
    int flags = (align & DUI::kAlignCenter)  ? Qt::AlignHCenter
                : (align & DUI::kAlignRight) ? Qt::AlignRight
                                             : fallback_horizontal;
    flags |= Qt::AlignVCenter;
    if (c.IsMultiLine()) {
        flags |= Qt::TextWordWrap;
    }
    return flags;
}

// Single-line texts shrink (down to 9 px) and then elide rather than being
// cut off at the control's edge.
void DrawFitted(QPainter& p, const QRect& r, int flags, const QString& text) {
    if ((flags & Qt::TextWordWrap) != 0 || text.isEmpty()) {
        p.drawText(r, flags, text);
        return;
    }
    QFont font = p.font();
    while (QFontMetrics(font).horizontalAdvance(text) > r.width() && font.pixelSize() > 9) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    p.setFont(font);
    p.drawText(r, flags, QFontMetrics(font).elidedText(text, Qt::ElideRight, r.width()));
}

QColor ControlText(const MControl& c) {
    return c.IsEnabled() ? TextColour(c.GetTextColor()) : Theme::Disabled();
}

// The control's own skin image, frame chosen by state; false when missing.
bool DrawSkin(QPainter& p, const MControl& c, const PaintState& s, int frame) {
    const int frames = std::max(1, c.GetImageFrames());
    QPixmap pixmap = SkinFrame(c.GetImage(), frames, std::min(frame, frames - 1));
    if (pixmap.isNull()) {
        return false;
    }
    p.drawPixmap(Whole(s), pixmap);
    return true;
}

int ButtonFrame(const MControl& c, const PaintState& s) {
    if (!c.IsEnabled()) {
        return static_cast<int>(Frame::kDisabled);
    }
    if (s.pressed) {
        return static_cast<int>(Frame::kPressed);
    }
    return static_cast<int>(s.hover ? Frame::kHover : Frame::kNormal);
}

void RoundedBox(QPainter& p, QRectF r, QColor fill, QColor border, qreal radius = 6) {
    p.setPen(border.alpha() == 0 ? Qt::NoPen : QPen(border, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

// Image buttons without a title whose image the skin lacks: a glyph for
// what the image shows.
struct Glyph {
    std::u16string_view image;
    const char16_t* text;
    bool caption;  // window buttons: flat, only the glyph
};
constexpr Glyph kGlyphs[] = {
    {u"sysbtn_close.png", u"\u2715", true},       {u"btn_close.png", u"\u2715", true},
    {u"sysbtn_min.png", u"\u2014", true},         {u"sysbtn_setting.png", u"\u2699", true},
    {u"sysbtn_maximize.png", u"\u25a1", true},    {u"sysbtn_restore.png", u"\u2750", true},
    {u"btn_reset.png", u"\u21ba", false},         {u"img_return.png", u"\u2190", false},
    {u"img_btn_pre.png", u"\u2039", false},       {u"img_btn_next.png", u"\u203a", false},
    {u"btn_more.png", u"\u22ef", false},          {u"img_help.png", u"?", false},
    {u"img_recorditem_up.png", u"\u25b2", false}, {u"img_recorditem_down.png", u"\u25bc", false},
};

const Glyph* GlyphFor(const MControlFont& c) {
    if (!c.GetTitle().empty()) {
        return nullptr;
    }
    const std::u16string image = c.GetImage();
    for (const Glyph& glyph : kGlyphs) {
        if (image == glyph.image) {
            return &glyph;
        }
    }
    return nullptr;
}

bool PaintGlyphButton(QPainter& p, const MControlFont& c, const PaintState& s) {
    const Glyph* glyph = GlyphFor(c);
    if (glyph == nullptr) {
        return false;
    }
    const bool close = glyph->image.find(u"close") != std::u16string_view::npos;
    if (s.hover && c.IsEnabled()) {
        const QColor hover =
            close && glyph->caption ? QColor(0xe5, 0x48, 0x4d) : Theme::PanelRaised();
        RoundedBox(p, Whole(s), s.pressed ? hover.darker(120) : hover, Qt::transparent, 4);
    } else if (!glyph->caption) {
        RoundedBox(p, Whole(s), Theme::PanelRaised(), Theme::Border(), 4);
    }
    QFont font = p.font();
    font.setPixelSize(std::max(10, std::min(s.size.width(), s.size.height()) / 2));
    p.setFont(font);
    p.setPen(c.IsEnabled() ? (s.hover && close ? QColor(Qt::white) : Theme::Text())
                           : Theme::Disabled());
    p.drawText(Whole(s), Qt::AlignCenter, QString::fromUtf16(glyph->text));
    return true;
}

void PaintPlainButton(QPainter& p, const MControlFont& c, const PaintState& s, bool on) {
    if (SkinImage(c.GetImage()).isNull() && PaintGlyphButton(p, c, s)) {
        return;
    }
    if (!DrawSkin(p, c, s, ButtonFrame(c, s))) {
        QColor fill = on ? Theme::Accent() : Theme::PanelRaised();
        if (s.hover && c.IsEnabled()) {
            fill = on ? Theme::AccentHover() : fill.lighter(125);
        }
        if (s.pressed) {
            fill = fill.darker(120);
        }
        if (!c.IsEnabled()) {
            fill = Theme::Panel();
        }
        const QColor border = s.hover && !on ? Theme::Accent() : Theme::Border();
        RoundedBox(p, Whole(s), fill, border);
    }
    UseFont(p, c);
    p.setPen(on ? QColor(Qt::white) : ControlText(c));
    DrawFitted(p, Whole(s).adjusted(6, 0, -6, 0), TextFlags(c, Qt::AlignHCenter),
               ToQString(c.GetTitle()));
}

void PaintButton(QPainter& p, const MControl& c, const PaintState& s) {
    const auto& f = static_cast<const MControlFont&>(c);
    bool on = false;
    if (auto* checkable = dynamic_cast<const DUI::CheckableButton*>(&c)) {
        on = checkable->GetCheck();
    }
    PaintPlainButton(p, f, s, on);
}

void PaintIconButton(QPainter& p, const MControl& c, const PaintState& s) {
    const auto& b = static_cast<const DUI::CIconButton&>(c);
    if (!DrawSkin(p, c, s, ButtonFrame(c, s)) && (s.hover || s.pressed)) {
        RoundedBox(p, Whole(s), Theme::PanelRaised(), Theme::Border());
    }
    const DUI::Rect icon_rect = b.GetIconRect();
    QPixmap icon = SkinFrame(b.GetSubImage(DUI::ImageRole::kIcon), b.GetIconFrames(),
                             std::min(ButtonFrame(c, s), b.GetIconFrames() - 1));
    if (!icon.isNull() && !icon_rect.IsEmpty()) {
        p.drawPixmap(ToQRect(icon_rect), icon);
    }
    const DUI::Rect text_rect = b.GetTextRect();
    UseFont(p, b);
    p.setPen(s.hover ? Theme::Accent() : ControlText(c));
    DrawFitted(p, text_rect.IsEmpty() ? Whole(s) : ToQRect(text_rect),
               TextFlags(b, Qt::AlignHCenter), ToQString(b.GetTitle()));
}

void PaintTextButton(QPainter& p, const MControl& c, const PaintState& s) {
    const auto& f = static_cast<const MControlFont&>(c);
    if (!DrawSkin(p, c, s, ButtonFrame(c, s))) {
        UseFont(p, f);
        QFont font = p.font();
        font.setUnderline(s.hover);
        p.setFont(font);
    } else {
        UseFont(p, f);
    }
    p.setPen(s.hover ? Theme::AccentHover() : Theme::Accent());
    DrawFitted(p, Whole(s), TextFlags(f, Qt::AlignLeft), ToQString(f.GetTitle()));
}

void PaintHelpButton(QPainter& p, const MControl& c, const PaintState& s) {
    if (DrawSkin(p, c, s, ButtonFrame(c, s))) {
        return;
    }
    const int d = std::min(s.size.width(), s.size.height()) - 2;
    const QRectF circle(1, 1, d, d);
    p.setPen(QPen(s.hover ? Theme::Accent() : Theme::TextDim(), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(circle);
    QFont font = p.font();
    font.setPixelSize(std::max(8, d * 2 / 3));
    font.setBold(true);
    p.setFont(font);
    p.drawText(circle, Qt::AlignCenter, QStringLiteral("?"));
}

void PaintCheckLike(QPainter& p, const MControl& c, const PaintState& s, bool radio) {
    const auto& b = static_cast<const DUI::CheckableButton&>(c);
    const bool on = b.GetCheck();
    const int frame = ButtonFrame(c, s) + (on ? 4 : 0);
    const int box = std::min(18, s.size.height() - 2);
    const QRectF mark(1, (s.size.height() - box) / 2.0, box, box);
    QPixmap skin = SkinFrame(c.GetImage(), std::max(1, c.GetImageFrames()),
                             std::min(frame, std::max(1, c.GetImageFrames()) - 1));
    if (!skin.isNull()) {
        p.drawPixmap(mark.toRect(), skin);
    } else {
        const QColor border = on || s.hover ? Theme::Accent() : Theme::Border();
        p.setPen(QPen(c.IsEnabled() ? border : Theme::Disabled(), 1.5));
        p.setBrush(Theme::Panel());
        if (radio) {
            p.drawEllipse(mark);
            if (on) {
                p.setPen(Qt::NoPen);
                p.setBrush(Theme::Accent());
                p.drawEllipse(mark.adjusted(4.5, 4.5, -4.5, -4.5));
            }
        } else {
            p.drawRoundedRect(mark, 3, 3);
            if (on) {
                p.setBrush(Theme::Accent());
                p.drawRoundedRect(mark, 3, 3);
                QPainterPath tick;
                tick.moveTo(mark.left() + box * 0.25, mark.top() + box * 0.52);
                tick.lineTo(mark.left() + box * 0.43, mark.top() + box * 0.70);
                tick.lineTo(mark.left() + box * 0.76, mark.top() + box * 0.32);
                p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p.setBrush(Qt::NoBrush);
                p.drawPath(tick);
            }
        }
    }
    UseFont(p, b);
    p.setPen(ControlText(c));
    DrawFitted(p, QRect(box + 8, 0, s.size.width() - box - 8, s.size.height()),
               Qt::AlignLeft | Qt::AlignVCenter, ToQString(b.GetTitle()));
}

void PaintCheck(QPainter& p, const MControl& c, const PaintState& s) {
    PaintCheckLike(p, c, s, false);
}
void PaintRadio(QPainter& p, const MControl& c, const PaintState& s) {
    PaintCheckLike(p, c, s, true);
}

void PaintColorButton(QPainter& p, const MControl& c, const PaintState& s) {
    const auto& b = static_cast<const DUI::CColorButton&>(c);
    const QRectF r = QRectF(Whole(s)).adjusted(2, 2, -2, -2);
    p.setPen(Qt::NoPen);
    p.setBrush(FromArgb(0xFF000000 | b.GetColor()));
    p.drawRoundedRect(r, 4, 4);
    if (b.GetCheck() || s.hover) {
        p.setPen(QPen(b.GetCheck() ? QColor(Qt::white) : Theme::Accent(), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(-1, -1, 1, 1), 5, 5);
    }
}

void PaintText(QPainter& p, const MControl& c, const PaintState& s) {
    const auto& f = static_cast<const MControlFont&>(c);
    UseFont(p, f);
    p.setPen(ControlText(c));
    DrawFitted(p, Whole(s), TextFlags(f, Qt::AlignLeft), ToQString(f.GetTitle()));
}

// An unlit zone is drawn in the colour of a dark mouse body.
const QColor kUnlitZone(0x3a, 0x3f, 0x48);

// The zone image's shape filled with a brush, at the picture's size.
QImage ZoneFill(const QPixmap& zone, QSize size, const QBrush& brush) {
    QImage fill(size, QImage::Format_ARGB32_Premultiplied);
    fill.fill(Qt::transparent);
    QPainter painter(&fill);
    painter.fillRect(fill.rect(), brush);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.drawPixmap(fill.rect(), zone);
    return fill;
}

void PaintLightZone(QPainter& p, const DUI::MPicture& picture, const PaintState& s) {
    const DUI::MPicture::LightZone zone = picture.GetLightZone();
    if (zone.image.empty()) {
        return;
    }
    const QPixmap shape = SkinImage(zone.image);
    if (shape.isNull()) {
        return;
    }
    p.drawImage(Whole(s), ZoneFill(shape, s.size, kUnlitZone));
    if (zone.colours.empty()) {
        return;
    }
    QLinearGradient colours(QPointF(0, 0), QPointF(0, s.size.height()));
    const size_t count = zone.colours.size();
    for (size_t i = 0; i < count; ++i) {
        const qreal at = count == 1 ? 0.0 : static_cast<qreal>(i) / static_cast<qreal>(count - 1);
        colours.setColorAt(at, FromArgb(zone.colours[i]));
    }
    if (count == 1) {
        colours.setColorAt(1.0, FromArgb(zone.colours[0]));
    }
    p.drawImage(Whole(s), ZoneFill(shape, s.size, colours));
}

void PaintPicture(QPainter& p, const MControl& c, const PaintState& s) {
    // Pictures the skin lacks are mostly panel backgrounds: a panel stands in.
    if (!DrawSkin(p, c, s, 0) && !c.GetImage().empty()) {
        RoundedBox(p, Whole(s), Theme::Panel(), Qt::transparent, 8);
    }
    PaintLightZone(p, static_cast<const DUI::MPicture&>(c), s);
    PaintText(p, c, s);
}

void PaintArea(QPainter& p, const MControl& c, const PaintState& s) {
    const auto& a = static_cast<const DUI::CArea&>(c);
    const QColor fill = a.GetColor() == 0 ? Theme::Panel() : FromArgb(a.GetColor());
    if (!DrawSkin(p, c, s, 0)) {
        const qreal radius = c.ClassName() == DUI::CRoundArea::kClassName ? 10 : 0;
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(Whole(s)), radius, radius);
    }
    PaintText(p, c, s);
}

void PaintProgress(QPainter& p, const MControl& c, const PaintState& s) {
    const auto& bar = static_cast<const DUI::MProgress&>(c);
    const QRectF track =
        QRectF(Whole(s)).adjusted(0, s.size.height() / 2.0 - 4, 0, -(s.size.height() / 2.0 - 4));
    RoundedBox(p, track, Theme::PanelRaised(), Qt::transparent, 4);
    const int maximum = std::max(1, bar.GetMaxValue());
    const double share = std::clamp(bar.GetProgress() / static_cast<double>(maximum), 0.0, 1.0);
    QRectF done = track;
    done.setWidth(track.width() * share);
    if (auto* running = dynamic_cast<const DUI::MProgress2*>(&c);
        running != nullptr && running->IsRunning()) {
        const qreal w = track.width() / 4;
        const qreal x = std::fmod(running->GetAnimationPhase() * 4.0, track.width() + w) - w;
        done = QRectF(track.left() + std::max<qreal>(0, x), track.top(),
                      std::min(w, track.right() - track.left() - x), track.height());
    }
    if (done.width() > 0) {
        RoundedBox(p, done, Theme::Accent(), Qt::transparent, 4);
    }
}

void PaintSlider(QPainter& p, const MControl& c, const PaintState& s) {
    const auto& slider = static_cast<const DUI::SliderBase&>(static_cast<const DUI::MProgress&>(c));
    const QRect track = SliderTrack(s.size);
    const int maximum = std::max(1, slider.GetMaxValue());
    const int value = s.drag_value >= 0 ? s.drag_value : slider.GetProgress();
    const double share = std::clamp(value / static_cast<double>(maximum), 0.0, 1.0);
    RoundedBox(p, track, Theme::PanelRaised(), Qt::transparent, 3);
    QRectF done = track;
    done.setWidth(track.width() * share);
    const QColor accent = c.IsEnabled() ? Theme::Accent() : Theme::Disabled();
    RoundedBox(p, done, accent, Qt::transparent, 3);
    const QPointF knob(track.left() + track.width() * share, track.center().y() + 0.5);
    p.setPen(QPen(accent, 2));
    p.setBrush(s.pressed ? accent : Theme::Text());
    p.drawEllipse(knob, 8, 8);
    if (auto* dpi = dynamic_cast<const DUI::DPISlider*>(&c)) {
        const auto [low, high] = dpi->GetDPIDesc();
        UseFont(p, *dpi);
        p.setPen(Theme::TextDim());
        const QRect labels(track.left(), track.bottom() + 8, track.width(), 16);
        p.drawText(labels, Qt::AlignLeft | Qt::AlignTop, ToQString(low));
        p.drawText(labels, Qt::AlignRight | Qt::AlignTop, ToQString(high));
    }
}

// The row's highlight, and the pen its texts are drawn with.
void PaintRowBackground(QPainter& p, const MControl& c, QRect row, bool on, bool hover) {
    if (on || hover) {
        RoundedBox(p, row.adjusted(2, 1, -2, -1), on ? Theme::Accent() : Theme::PanelRaised(),
                   Qt::transparent, 4);
    }
    p.setPen(on ? QColor(Qt::white) : ControlText(c));
}

void PaintListRows(QPainter& p, const MControl& c, const PaintState& s,
                   const std::vector<QString>& texts, int selected) {
    const auto& f = static_cast<const MControlFont&>(c);
    UseFont(p, f);
    const std::vector<QRect> rows = ItemRects(c, s.size);
    for (size_t i = 0; i < rows.size() && i < texts.size(); ++i) {
        const int index = static_cast<int>(i);
        PaintRowBackground(p, c, rows[i], index == selected, index == s.hover_item);
        p.drawText(rows[i].adjusted(12, 0, -12, 0), Qt::AlignLeft | Qt::AlignVCenter, texts[i]);
    }
}

// Under the page's column captions: the event's number, then its text.
void PaintRecordRows(QPainter& p, const DUI::CRecordList& list, const PaintState& s,
                     std::array<int, 2> columns) {
    UseFont(p, list);
    const std::vector<DUI::RecordInfo> records = list.Records();
    const std::vector<QRect> rows = ItemRects(list, s.size);
    const int selected = list.GetCurSel();
    for (size_t i = 0; i < rows.size() && i < records.size(); ++i) {
        const int index = static_cast<int>(i);
        PaintRowBackground(p, list, rows[i], index == selected, index == s.hover_item);
        const QRect number(rows[i].left(), rows[i].top(), columns[0], rows[i].height());
        p.drawText(number.adjusted(12, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::number(index + 1));
        const QRect text(number.right() + 1, rows[i].top(), columns[1], rows[i].height());
        const QRect inner = text.adjusted(0, 0, -4, 0);
        p.drawText(
            inner, Qt::AlignLeft | Qt::AlignVCenter,
            p.fontMetrics().elidedText(ToQString(records[i].text), Qt::ElideRight, inner.width()));
    }
}

void PaintList(QPainter& p, const MControl& c, const PaintState& s) {
    const auto& list = static_cast<const DUI::ListControl&>(c);
    RoundedBox(p, Whole(s), Theme::Panel(), Theme::Border());
    std::vector<QString> texts;
    for (const DUI::ListItem& item : list.Items()) {
        texts.push_back(ToQString(item.text));
    }
    PaintListRows(p, c, s, texts, list.GetCurSel());
}

void PaintRecordList(QPainter& p, const MControl& c, const PaintState& s) {
    const auto& list = static_cast<const DUI::CRecordList&>(c);
    RoundedBox(p, Whole(s), Theme::Panel(), Theme::Border());
    if (const std::array<int, 2> columns = list.GetColumns(); columns[0] > 0) {
        PaintRecordRows(p, list, s, columns);
    } else {
        std::vector<QString> texts;
        for (const DUI::RecordInfo& record : list.Records()) {
            texts.push_back(ToQString(record.text));
        }
        PaintListRows(p, c, s, texts, list.GetCurSel());
    }
    const QPixmap more = SkinImage(list.GetSubImage(DUI::ImageRole::kMore));
    const std::vector<QRect> rows = ItemRects(c, s.size);
    for (const QRect& row : rows) {
        const QRect dots(row.right() - 28, row.top(), 24, row.height());
        if (!more.isNull()) {
            p.drawPixmap(dots.center() - QPoint(more.width() / 2, more.height() / 2), more);
        } else {
            p.setPen(Theme::TextDim());
            p.drawText(dots, Qt::AlignCenter, QStringLiteral("\u22ef"));
        }
    }
}

void PaintKeyList(QPainter& p, const MControl& c, const PaintState& s) {
    const auto& keys = static_cast<const DUI::MouseKeyCtrl&>(c);
    const std::vector<DUI::KeyRow> rows = keys.Items();
    const std::vector<QRect> rects = ItemRects(c, s.size);
    UseFont(p, keys);
    for (size_t i = 0; i < rows.size() && i < rects.size(); ++i) {
        const bool on = static_cast<int>(i) == keys.GetCurSel();
        const QRect r = rects[i].adjusted(0, 3, 0, -3);
        RoundedBox(p, r, on ? Theme::Accent().darker(160) : Theme::Panel(),
                   on || static_cast<int>(i) == s.hover_item ? Theme::Accent() : Theme::Border());
        const KeyRowTexts texts = KeyRowTextRects(rects[i]);
        p.setPen(Theme::TextDim());
        p.drawText(texts.name, Qt::AlignLeft | Qt::AlignVCenter, ToQString(rows[i].name));
        p.setPen(Theme::Text());
        p.drawText(texts.function, Qt::AlignLeft | Qt::AlignVCenter, ToQString(rows[i].key_desc));
    }
}

void PaintMouse(QPainter& p, const MControl& c, const PaintState& s) {
    const auto& mouse = static_cast<const DUI::MouseCtrl&>(c);
    DrawSkin(p, c, s, 0);
    const std::vector<DUI::KeyMarker> markers = mouse.Items();
    const std::vector<QRect> labels = ItemRects(c, s.size);
    UseFont(p, mouse);
    for (size_t i = 0; i < markers.size() && i < labels.size(); ++i) {
        const bool on = static_cast<int>(i) == mouse.GetCurSel();
        const QColor line = on ? Theme::Accent() : Theme::TextDim();
        p.setPen(QPen(line, 1));
        p.drawLine(QPoint(markers[i].from.x, markers[i].from.y),
                   QPoint(markers[i].to.x, markers[i].to.y));
        p.setBrush(line);
        p.drawEllipse(QPoint(markers[i].from.x, markers[i].from.y), 3, 3);
        RoundedBox(p, labels[i], on ? Theme::Accent() : Theme::PanelRaised(),
                   static_cast<int>(i) == s.hover_item ? Theme::Accent() : Theme::Border(), 4);
        p.setPen(on ? QColor(Qt::white) : Theme::Text());
        p.drawText(labels[i].adjusted(kMarkerLabelPadding, 0, -kMarkerLabelPadding, 0),
                   Qt::AlignCenter, ToQString(markers[i].name));
    }
}

void PaintBattery(QPainter& p, const MControl& c, const PaintState& s) {
    const auto& battery = static_cast<const DUI::BatteryCtrl&>(c);
    const int value = std::clamp(battery.GetBatteryValue(), 0, 100);
    const QRectF body(1, s.size.height() / 2.0 - 7, std::min(34, s.size.width() - 6), 14);
    p.setPen(QPen(Theme::TextDim(), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body, 2, 2);
    p.fillRect(QRectF(body.right() + 1, body.center().y() - 3, 3, 6), Theme::TextDim());
    const QColor level = value <= 20 ? QColor(0xe5, 0x48, 0x4d) : QColor(0x3d, 0xd6, 0x8c);
    QRectF inner = body.adjusted(2.5, 2.5, -2.5, -2.5);
    inner.setWidth(inner.width() * value / 100.0);
    p.fillRect(inner, level);
    if (battery.GetChargeValue() != 0) {
        QPainterPath bolt;
        const QPointF m = body.center();
        bolt.moveTo(m + QPointF(1, -7));
        bolt.lineTo(m + QPointF(-4, 1));
        bolt.lineTo(m + QPointF(0, 1));
        bolt.lineTo(m + QPointF(-1, 7));
        bolt.lineTo(m + QPointF(4, -1));
        bolt.lineTo(m + QPointF(0, -1));
        bolt.closeSubpath();
        p.setPen(QPen(Theme::Window(), 1));
        p.setBrush(QColor(0xff, 0xd2, 0x4a));
        p.drawPath(bolt);
    }
    UseFont(p, battery);
    p.setPen(ControlText(c));
    p.drawText(QRectF(body.right() + 8, 0, s.size.width() - body.right() - 8, s.size.height()),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%1%").arg(value));
}

void PaintDeviceList(QPainter& p, const MControl& c, const PaintState& s) {
    const auto& list = static_cast<const DUI::CDeviceList&>(c);
    const std::vector<DUI::DeviceRow> rows = list.Devices();
    const std::vector<QRect> cards = ItemRects(c, s.size);
    for (size_t i = 0; i < rows.size() && i < cards.size(); ++i) {
        const DUI::DeviceRow& row = rows[i];
        const bool online = row.state[0] != 0 || row.state[1] != 0;
        const bool selected = row.type == list.GetSelectDevice();
        const bool hover = static_cast<int>(i) == s.hover_item;
        RoundedBox(p, cards[i], hover ? Theme::PanelRaised() : Theme::Panel(),
                   selected || hover ? Theme::Accent() : Theme::Border(), 10);
        const QRect picture = cards[i].adjusted(20, 16, -20, -90);
        const QPixmap image = SkinImage(row.image);
        if (!image.isNull()) {
            const QPixmap fitted =
                image.scaled(picture.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
            p.drawPixmap(picture.center() - QPoint(fitted.width() / 2, fitted.height() / 2),
                         fitted);
        }
        QFont name = ControlFont(list.GetFontName(), 16, 1);
        p.setFont(name);
        p.setPen(Theme::Text());
        p.drawText(QRect(cards[i].left(), cards[i].bottom() - 84, cards[i].width(), 24),
                   Qt::AlignCenter, ToQString(row.name));
        p.setFont(ControlFont(list.GetFontName(), 12, 0));
        const int mode = row.state[1] != 0 ? 1 : 0;
        QString state = online ? (mode == 1 ? QStringLiteral("2.4 GHz") : QStringLiteral("USB"))
                               : QStringLiteral("\u2014");
        p.setPen(online ? QColor(0x3d, 0xd6, 0x8c) : Theme::TextDim());
        p.drawEllipse(QPoint(cards[i].left() + 20, cards[i].bottom() - 48), 4, 4);
        p.drawText(QRect(cards[i].left() + 30, cards[i].bottom() - 58, 120, 20),
                   Qt::AlignLeft | Qt::AlignVCenter, state);
        if (row.version != 0) {
            p.setPen(Theme::TextDim());
            p.drawText(QRect(cards[i].left(), cards[i].bottom() - 58, cards[i].width() - 20, 20),
                       Qt::AlignRight | Qt::AlignVCenter,
                       ToQString(list.GetVersionDesc()) + QStringLiteral(" ") +
                           UsbReleaseText(row.version));
        }
        if (online && mode == 1) {
            p.setPen(Theme::Text());
            p.drawText(QRect(cards[i].left() + 20, cards[i].bottom() - 32, cards[i].width(), 20),
                       Qt::AlignLeft | Qt::AlignVCenter,
                       QStringLiteral("\u25ae %1%").arg(std::clamp(row.battery_value, 0, 100)) +
                           (row.battery_charge != 0 ? QStringLiteral(" \u26a1") : QString()));
        }
    }
}

void PaintDpiStages(QPainter& p, const MControl& c, const PaintState& s) {
    const auto& dpi = static_cast<const DUI::DPIControl&>(c);
    const std::vector<QRect> stages = ItemRects(c, s.size);
    UseFont(p, dpi);
    for (size_t i = 0; i < stages.size(); ++i) {
        const int index = static_cast<int>(i);
        const bool on = index == dpi.GetSelectItem();
        const QRect r = stages[i].adjusted(4, 4, -4, -4);
        RoundedBox(p, r, on ? Theme::PanelRaised() : Theme::Panel(),
                   on || index == s.hover_item ? Theme::Accent() : Theme::Border(), 8);
        const QColor stage = FromArgb(0xFF000000 | dpi.GetDPIColorValue(index));
        p.setPen(Qt::NoPen);
        p.setBrush(stage);
        p.drawRoundedRect(QRectF(r.left() + 10, r.top() + 10, r.width() - 20, 5), 2, 2);
        p.setPen(on ? Theme::Text() : Theme::TextDim());
        const QString value = on && !dpi.GetEditText().empty()
                                  ? ToQString(dpi.GetEditText())
                                  : QString::number(dpi.GetDPIValue(index));
        p.drawText(r.adjusted(0, 12, 0, 0), Qt::AlignCenter, value);
    }
}

void PaintRates(QPainter& p, const MControl& c, const PaintState& s) {
    const auto& rates = static_cast<const DUI::ReporteCtrl&>(c);
    const std::vector<DUI::RateItem> items = rates.Items();
    const std::vector<QRect> cells = ItemRects(c, s.size);
    UseFont(p, rates);
    for (size_t i = 0; i < items.size() && i < cells.size(); ++i) {
        const bool on = static_cast<int>(i) == rates.GetCurSel();
        const QColor colour =
            items[i].color == 0 ? Theme::Accent() : FromArgb(0xFF000000 | items[i].color);
        const QRect r = cells[i].adjusted(3, 3, -3, -3);
        RoundedBox(p, r, on ? colour : Theme::Panel(),
                   on || static_cast<int>(i) == s.hover_item ? colour : Theme::Border(), 6);
        p.setPen(on ? QColor(Qt::white) : Theme::Text());
        p.drawText(r, Qt::AlignCenter, ToQString(items[i].text));
    }
}

void PaintTabs(QPainter& p, const MControl& c, const PaintState& s) {
    const auto& tabs = static_cast<const DUI::MTabCtrl&>(c);
    const std::vector<QRect> rects = ItemRects(c, s.size);
    UseFont(p, tabs);
    for (size_t i = 0; i < rects.size(); ++i) {
        if (rects[i].isEmpty()) {
            continue;
        }
        const int index = static_cast<int>(i);
        const bool on = index == tabs.GetCurSel();
        if (on || index == s.hover_item) {
            p.fillRect(rects[i], on ? Theme::PanelRaised() : Theme::Panel().lighter(115));
        }
        if (on) {
            p.fillRect(QRect(rects[i].left(), rects[i].top(), 4, rects[i].height()),
                       Theme::Accent());
        }
        const int frames = std::max(1, tabs.GetItemIconFrames(index));
        const int frame = on ? 2 : index == s.hover_item ? 1 : 0;
        const QPixmap icon =
            SkinFrame(tabs.GetItemIcon(index), frames, std::min(frame, frames - 1));
        int text_left = 24;
        if (!icon.isNull()) {
            const QSize fit = icon.size().scaled(24, 24, Qt::KeepAspectRatio);
            p.drawPixmap(QRect(QPoint(24, rects[i].center().y() - fit.height() / 2), fit), icon);
            text_left = 60;
        }
        p.setPen(on ? Theme::Text() : Theme::TextDim());
        p.drawText(rects[i].adjusted(text_left, 0, -8, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   ToQString(tabs.GetItemText(index)));
    }
}

void PaintPalette(QPainter& p, const MControl& c, const PaintState& s) {
    const auto& palette = static_cast<const DUI::MPalette&>(c);
    const QRect field = Whole(s);
    QLinearGradient hue(field.topLeft(), field.topRight());
    for (int i = 0; i <= 6; ++i) {
        hue.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 255, 255));
    }
    p.fillRect(field, hue);
    QLinearGradient shade(field.topLeft(), field.bottomLeft());
    shade.setColorAt(0, QColor(255, 255, 255, 0));
    shade.setColorAt(1, QColor(255, 255, 255, 255));
    p.fillRect(field, shade);
    const QColor chosen = FromArgb(0xFF000000 | palette.GetSelectColor());
    const int x = field.width() * std::max(0, chosen.hsvHue()) / 360;
    const int y = field.height() * (255 - chosen.hsvSaturation()) / 255;
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPoint(x, y), 6, 6);
    p.setPen(QPen(Qt::white, 1));
    p.drawEllipse(QPoint(x, y), 5, 5);
}

void PaintDeviceState(QPainter& p, const MControl& c, const PaintState& s) {
    if (!DrawSkin(p, c, s, 0)) {
        PaintText(p, c, s);
    }
}

void PaintNothing(QPainter&, const MControl&, const PaintState&) {}

using Painter = void (*)(QPainter&, const MControl&, const PaintState&);
struct PainterRow {
    std::string_view class_name;
    Painter paint;
};
constexpr PainterRow kPainters[] = {
    {"MButton", PaintButton},
    {"MButton2", PaintButton},
    {"MButton3", PaintButton},
    {"CImageButton", PaintButton},
    {"CTextButton", PaintTextButton},
    {"CHelpButton", PaintHelpButton},
    {"CIconButton", PaintIconButton},
    {"CCheckButton", PaintCheck},
    {"CRadioButton", PaintRadio},
    {"CColorButton", PaintColorButton},
    {"MPicture", PaintPicture},
    {"MText", PaintText},
    {"CArea", PaintArea},
    {"CRoundArea", PaintArea},
    {"MProgress", PaintProgress},
    {"MProgress2", PaintProgress},
    {"DPISlider", PaintSlider},
    {"LightSlider", PaintSlider},
    {"DListBox", PaintList},
    {"MacroList", PaintList},
    {"CRecordList", PaintRecordList},
    {"MouseKeyCtrl", PaintKeyList},
    {"MouseCtrl", PaintMouse},
    {"BatteryCtrl", PaintBattery},
    {"CDeviceList", PaintDeviceList},
    {"DPIControl", PaintDpiStages},
    {"ReporteCtrl", PaintRates},
    {"MTabCtrl", PaintTabs},
    {"MPalette", PaintPalette},
    {"CDeviceState", PaintDeviceState},
    {"MTabLayout", PaintNothing},
};

}  // namespace

void PaintControl(QPainter& painter, const DUI::MControl& control, const PaintState& state) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const PainterRow& row : kPainters) {
        if (row.class_name == control.ClassName()) {
            row.paint(painter, control, state);
            return;
        }
    }
}

}  // namespace tessaly::qt
