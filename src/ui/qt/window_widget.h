#pragma once
// A toolkit window as a top-level QWidget: frameless for popup styles, its
// background drawn from the window's colours or image, dragged by its
// caption strip, and its close box, Escape, resizes and activation fed back
// to the model.

#include <QWidget>

#include "ui/toolkit/toolkit.h"

namespace tessaly::qt {

class WindowWidget : public QWidget {
  public:
    // Height of the strip that moves the window when dragged.
    static constexpr int kCaptionHeight = 64;

    WindowWidget(DUI::WindowHandle window, QWidget* parent);
    DUI::WindowHandle handle() const { return window_; }
    // The window is gone: input stops reaching the model.
    void Detach() { window_ = 0; }
    // UI thread; reads the model.
    void Refresh(DUI::WindowChange change);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape reaches the window when no control took it.
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    DUI::MWindow* Model() const;
    void ApplyGeometry(const DUI::MWindow& model);
    void ApplyIcon();

    DUI::WindowHandle window_;
    bool applying_ = false;  // geometry set from the model, not by the user
    bool dragging_ = false;
    QPoint drag_offset_;
    // Decoding the icon file costs more than the rest of the window; it is
    // set once the window has been painted.
    QString icon_path_;
    bool icon_set_ = false;
    bool icon_posted_ = false;
};

}  // namespace tessaly::qt
