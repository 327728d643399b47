#include "ui/qt/first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "ui/qt/qt_backend.h"

namespace tessaly::qt {
namespace {

constexpr int kSettlePollMs = 5;
constexpr int kQuietPolls = 2;

class PaintWatch : public QObject {
  public:
    explicit PaintWatch(std::function<void()> then) : then_(std::move(then)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && then_) {
            // Queued: the paint this event starts comes first.
            QTimer::singleShot(0, qApp, std::move(then_));
            then_ = nullptr;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> then_;
};

}  // namespace

void WorkerGate::Open() {
    {
        std::lock_guard lock(mutex_);
        open_ = true;
    }
    opened_.notify_all();
}

bool WorkerGate::WaitOpen(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return opened_.wait_for(lock, limit, [this] { return open_; });
}

void AfterFirstPaint(QtBackend& backend, ui::DeviceMainDlg& window, std::function<void()> then) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [&backend, &window, poll, then = std::move(then)] {
        if (QWidget* widget = backend.WindowWidgetOf(window.GetSafeHwnd())) {
            auto* watch = new PaintWatch(then);
            watch->setParent(widget);
            widget->installEventFilter(watch);
            widget->update();
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(0);
}

void WhenSettled(QtBackend& backend, ui::DeviceMainDlg& window, std::function<bool()> worker_idle,
                 std::function<void()> done) {
    auto* poll = new QTimer(qApp);
    auto quiet = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [&backend, &window, poll, quiet, worker_idle, done] {
        const bool idle = !worker_idle || worker_idle();
        *quiet = idle ? *quiet + 1 : 0;
        if (*quiet < kQuietPolls) {
            return;
        }
        poll->stop();
        backend.Flush();
        if (QWidget* widget = backend.WindowWidgetOf(window.GetSafeHwnd())) {
            widget->repaint();
        }
        done();
    });
    poll->start(kSettlePollMs);
}

}  // namespace tessaly::qt
