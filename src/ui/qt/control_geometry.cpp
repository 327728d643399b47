#include "ui/qt/control_geometry.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>

#include "ui/qt/theme.h"
#include "ui/toolkit/controls/device_list.h"
#include "ui/toolkit/controls/dpi_control.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/mouse_controls.h"
#include "ui/toolkit/controls/record_list.h"
#include "ui/toolkit/controls/report_ctrl.h"
#include "ui/toolkit/controls/tabs.h"

namespace tessaly::qt {
namespace {

std::vector<QRect> Rows(int count, int width, int height) {
    std::vector<QRect> rows;
    for (int i = 0; i < count; ++i) {
        rows.emplace_back(0, i * height, width, height);
    }
    return rows;
}

std::vector<QRect> Columns(int count, QSize size) {
    std::vector<QRect> columns;
    if (count <= 0) {
        return columns;
    }
    const int width = size.width() / count;
    for (int i = 0; i < count; ++i) {
        columns.emplace_back(i * width, 0, width, size.height());
    }
    return columns;
}

std::vector<QRect> TabRects(const DUI::MTabCtrl& tabs, QSize size) {
    std::vector<QRect> rects;
    const int height =
        tabs.GetMetrics().item_height[0] > 0 ? tabs.GetMetrics().item_height[0] : kTabItemHeight;
    int y = 0;
    for (int i = 0; i < tabs.GetItemCount(); ++i) {
        if (!tabs.IsItemVisible(i)) {
            rects.emplace_back();
            continue;
        }
        rects.emplace_back(0, y, size.width(), height);
        y += height;
    }
    return rects;
}

std::vector<QRect> DeviceCards(int count, QSize size) {
    std::vector<QRect> cards;
    const int gap = 24;
    const int per_row = std::max(1, (size.width() + gap) / (kDeviceCardWidth + gap));
    const int used = std::min(count, per_row);
    const int left = std::max(0, (size.width() - used * kDeviceCardWidth - (used - 1) * gap) / 2);
    for (int i = 0; i < count; ++i) {
        const int row = i / per_row;
        const int column = i % per_row;
        cards.emplace_back(left + column * (kDeviceCardWidth + gap),
                           row * (kDeviceCardHeight + gap), kDeviceCardWidth, kDeviceCardHeight);
    }
    return cards;
}

std::vector<QRect> MarkerLabels(const DUI::MouseCtrl& mouse, QSize size) {
    const QFontMetrics metrics(
        ControlFont(mouse.GetFontName(), mouse.GetFontWidth(), mouse.GetFontStyle()));
    std::vector<QRect> labels;
    for (const DUI::KeyMarker& marker : mouse.Items()) {
        const QString name = QString::fromStdU16String(marker.name).trimmed();
        const int width =
            std::max(150, metrics.horizontalAdvance(name) + 2 * kMarkerLabelPadding + 2);
        int left = marker.direction == 0 ? marker.to.x - width : marker.to.x;
        // A label past the control's edge would be cut: it slides back along
        // its line instead.
        left = std::clamp(left, 0, std::max(0, size.width() - width));
        labels.emplace_back(left, marker.to.y - 14, width, 28);
    }
    return labels;
}

}  // namespace

KeyRowTexts KeyRowTextRects(QRect row) {
    const QRect inner = row.adjusted(10, 5, -10, -5);
    const int half = inner.height() / 2;
    return {QRect(inner.left(), inner.top(), inner.width(), half),
            QRect(inner.left(), inner.top() + half, inner.width(), inner.height() - half)};
}

std::vector<QRect> ItemRects(const DUI::MControl& control, QSize size) {
    if (auto* tabs = dynamic_cast<const DUI::MTabCtrl*>(&control)) {
        return TabRects(*tabs, size);
    }
    if (auto* list = dynamic_cast<const DUI::ListControl*>(&control)) {
        return Rows(list->GetItemCount(), size.width(), kListRowHeight);
    }
    if (auto* records = dynamic_cast<const DUI::CRecordList*>(&control)) {
        return Rows(records->GetEventCount(), size.width(), kListRowHeight);
    }
    if (auto* keys = dynamic_cast<const DUI::MouseKeyCtrl*>(&control)) {
        return Rows(keys->GetItemCount(), size.width(), DUI::MouseKeyCtrl::kRowHeight);
    }
    if (auto* rates = dynamic_cast<const DUI::ReporteCtrl*>(&control)) {
        return Columns(rates->GetItemCount(), size);
    }
    if (auto* dpi = dynamic_cast<const DUI::DPIControl*>(&control)) {
        return Columns(dpi->GetItemCount(), size);
    }
    if (auto* devices = dynamic_cast<const DUI::CDeviceList*>(&control)) {
        return DeviceCards(static_cast<int>(devices->Devices().size()), size);
    }
    if (auto* mouse = dynamic_cast<const DUI::MouseCtrl*>(&control)) {
        return MarkerLabels(*mouse, size);
    }
    return {};
}

int HitItem(const DUI::MControl& control, QSize size, QPoint point) {
    const std::vector<QRect> rects = ItemRects(control, size);
    for (size_t i = 0; i < rects.size(); ++i) {
        if (rects[i].contains(point)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QRect SliderTrack(QSize size) {
    const int margin = 10;
    return QRect(margin, size.height() / 2 - 3, std::max(1, size.width() - 2 * margin), 6);
}

int SliderValueAt(int maximum, QSize size, QPoint point) {
    const QRect track = SliderTrack(size);
    const double share =
        std::clamp(static_cast<double>(point.x() - track.left()) / track.width(), 0.0, 1.0);
    return static_cast<int>(share * maximum + 0.5);
}

}  // namespace tessaly::qt
