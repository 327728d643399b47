#include "ui/qt/painted_accessible.h"

#include <array>
#include <utility>

#include "ui/qt/item_navigation.h"
#include "ui/qt/painted_view.h"
#include "ui/qt/theme.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/progress.h"

namespace tessaly::qt {
namespace {

constexpr std::array<std::pair<std::string_view, QAccessible::Role>, 22> kRoles{{
    {"MButton", QAccessible::Button},
    {"MButton2", QAccessible::Button},
    {"MButton3", QAccessible::Button},
    {"CImageButton", QAccessible::Button},
    {"CTextButton", QAccessible::Link},
    {"CHelpButton", QAccessible::HelpBalloon},
    {"CIconButton", QAccessible::Button},
    {"CCheckButton", QAccessible::CheckBox},
    {"CRadioButton", QAccessible::RadioButton},
    {"CColorButton", QAccessible::RadioButton},
    {"DListBox", QAccessible::List},
    {"MacroList", QAccessible::List},
    {"CRecordList", QAccessible::List},
    {"CDeviceList", QAccessible::List},
    {"MouseKeyCtrl", QAccessible::List},
    {"MouseCtrl", QAccessible::List},
    {"DPIControl", QAccessible::List},
    {"ReporteCtrl", QAccessible::List},
    {"MTabCtrl", QAccessible::PageTabList},
    {"DPISlider", QAccessible::Slider},
    {"LightSlider", QAccessible::Slider},
    {"MPalette", QAccessible::ColorChooser},
}};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    auto* view = dynamic_cast<PaintedView*>(object);
    if (view == nullptr || view->control() == nullptr ||
        PaintedRole(view->control()->ClassName()) == QAccessible::NoRole) {
        return nullptr;
    }
    return new PaintedAccessible(*view);
}

}  // namespace

QAccessible::Role PaintedRole(std::string_view class_name) {
    for (const auto& [name, role] : kRoles) {
        if (name == class_name) {
            return role;
        }
    }
    return QAccessible::NoRole;
}

void InstallPaintedAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&Factory);
        return true;
    }();
    (void)installed;
}

PaintedAccessible::PaintedAccessible(PaintedView& view)
    : QAccessibleWidget(&view, PaintedRole(view.control() ? view.control()->ClassName() : "")) {}

const PaintedView& PaintedAccessible::view() const {
    return *static_cast<const PaintedView*>(widget());
}

QAccessible::State PaintedAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    if (auto* button = dynamic_cast<const DUI::CheckableButton*>(view().control())) {
        state.checkable = true;
        state.checked = button->GetCheck();
    }
    return state;
}

QString PaintedAccessible::text(QAccessible::Text kind) const {
    const DUI::MControl* c = view().control();
    if (c == nullptr || kind != QAccessible::Value) {
        return QAccessibleWidget::text(kind);
    }
    if (auto* slider = dynamic_cast<const DUI::MProgress*>(c)) {
        return QString::number(slider->GetProgress());
    }
    return ToQString(ItemText(*c, CurrentItem(*c)));
}

}  // namespace tessaly::qt
