// The floor of the GUI's start-up figure: an empty Qt Widgets window of the
// main window's size that ends the process once it has been painted, the
// way `tessaly --first-frame` does (bench/startup.sh runs both in turns).
// With --stay it stays open, for timing the window's appearance from outside
// (bench/peers_visible.py). With --text it also draws one line of text, so
// the cost of bringing up fonts (fontconfig, freetype) is measured apart.

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <string_view>

namespace {

class FirstPaintExit : public QWidget {
  public:
    FirstPaintExit(bool stay, bool text) : stay_(stay), text_(text) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        if (!text_)
            return;
        QPainter painter(this);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Performance  Buttons  Macros"));
    }

    bool event(QEvent* event) override {
        const bool handled = QWidget::event(event);
        if (event->type() == QEvent::Paint && !seen_ && !stay_) {
            seen_ = true;
            // As the GUI: the next turn of the loop ends the process at once.
            QTimer::singleShot(0, [] { std::_Exit(0); });
        }
        return handled;
    }

  private:
    bool stay_;
    bool text_;
    bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication application(argc, argv);
    bool stay = false;
    bool text = false;
    for (int i = 1; i < argc; ++i) {
        stay = stay || std::string_view(argv[i]) == "--stay";
        text = text || std::string_view(argv[i]) == "--text";
    }
    FirstPaintExit window(stay, text);
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window.resize(1300, 788);
    window.show();
    return application.exec();
}
