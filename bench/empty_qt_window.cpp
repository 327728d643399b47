// The floor of the GUI's start-up figure: an empty Qt Widgets window of the
// main window's size that ends the process once it has been painted, the
// way `tessaly --first-frame` does (bench/startup.sh runs both in turns).
// With --stay it stays open, for timing the window's appearance from outside
// (bench/peers_visible.py).

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <string_view>

namespace {

class FirstPaintExit : public QWidget {
  public:
    explicit FirstPaintExit(bool stay) : stay_(stay) {}

  protected:
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
    bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication application(argc, argv);
    const bool stay = argc > 1 && std::string_view(argv[1]) == "--stay";
    FirstPaintExit window(stay);
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window.resize(1300, 788);
    window.show();
    return application.exec();
}
