#pragma once
// What a screen reader learns of a painted control: a role from its class
// (button, check box, list, tab list, slider, colour chooser), its checked
// state, and as its value the current item or the slider's position. The
// name is the widget's accessible name (accessible_names.h).

#include <QAccessibleWidget>

namespace tessaly::qt {

class PaintedView;

class PaintedAccessible : public QAccessibleWidget {
  public:
    explicit PaintedAccessible(PaintedView& view);
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;

  private:
    const PaintedView& view() const;
};

// The role a painted control of the class has; NoRole for decorations.
QAccessible::Role PaintedRole(std::string_view class_name);
// Once per process: Qt asks this factory for painted controls.
void InstallPaintedAccessibility();

}  // namespace tessaly::qt
