#include "ui/qt/gui_host.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <string_view>

#include "app/dpi_awareness.h"
#include "app/language_state.h"
#include "base/application_name.h"
#include "base/trace.h"
#include "base/unicode.h"
#include "ui/ids/main_window_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/main/device_main_dlg.h"
#include "ui/main/main_window_layout.h"
#include "ui/qt/desktop_links.h"
#include "ui/qt/first_paint.h"
#include "ui/qt/key_forwarder.h"
#include "ui/qt/qt_backend.h"
#include "ui/qt/qt_tray_icon.h"
#include "ui/qt/theme.h"
#include "ui/toolkit/controls/tabs.h"
#include "ui/toolkit/manager.h"

namespace tessaly::qt {
namespace {

constexpr int kScreenshotSettleMs = 400;
// A window that never paints (minimised at once, say) still finds its mouse.
constexpr int kWorkerGateLimitMs = 1000;
constexpr std::chrono::milliseconds kGatePollWait{100};

struct PageRow {
    const char* name;
    int tab;  // -1: the settings page
};
constexpr PageRow kPages[] = {
    {"home", 0},     {"buttons", 1}, {"performance", 2}, {"macros", 3},
    {"lighting", 4}, {"info", 5},    {"settings", -1},
};

// The start decides from the screen whether to draw at device pixels
// ("DPI-aware") or at its own size, stretched by the system. Qt 6 always draws every
// window at the screen's device pixel ratio, crisply, and passes fractional
// desktop scales through (the rounding policy set before the application
// exists); a stretched bitmap would only blur, so both outcomes draw through
// Qt's scaling, and the decision, taken from the real screen, is traced.
void ApplyDpiDecision(QApplication& application) {
    const QScreen* screen = application.primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const qreal ratio = screen->devicePixelRatio();
    const QSize pixels = screen->geometry().size() * ratio;
    const int dpi = static_cast<int>(screen->logicalDotsPerInchX() * ratio + 0.5);
    const bool aware = ShouldBeDpiAware(pixels.width(), pixels.height(), dpi);
    Trace(2, "screen %dx%d at %d dpi: %s", pixels.width(), pixels.height(), dpi,
          aware ? "drawn at device pixels" : "scaled by the desktop");
}

void PrintLine(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

void Navigate(ui::DeviceMainDlg& window, const std::string& page) {
    for (const PageRow& row : kPages) {
        if (page != row.name) {
            continue;
        }
        auto& toolkit = DUI::Toolkit::Get();
        if (row.tab < 0) {
            if (DUI::MControl* settings = window.GetControl(main_id::kSettings)) {
                toolkit.DeliverControlEvent(*settings, DUI::kEventActivated, 0);
            }
        } else if (row.tab > 0) {
            window.ShowDevicePages();
            if (auto* tabs = window.GetControlAs<DUI::MTabCtrl>(main_id::kTabs)) {
                toolkit.DeliverControlEvent(*tabs, DUI::kEventActivated, row.tab);
            }
        }
    }
}

// Waits until the window is shown and nothing changed for a while, then
// saves it and ends the process.
class ScreenshotTaker : public QObject {
  public:
    ScreenshotTaker(QtBackend& backend, ui::DeviceMainDlg& window, GuiOptions options)
        : QObject(qApp), backend_(backend), window_(window), options_(std::move(options)) {
        connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start(50);
    }

  private:
    void Poll() {
        QWidget* widget = backend_.WindowWidgetOf(window_.GetSafeHwnd());
        if (widget == nullptr || !widget->isVisible()) {
            return;
        }
        if (!navigated_) {
            navigated_ = true;
            Navigate(window_, options_.page);
            settle_.start();
            return;
        }
        if (settle_.elapsed() < kScreenshotSettleMs) {
            return;
        }
        backend_.Flush();
        timer_.stop();
        const bool saved = widget->grab().save(QString::fromStdString(options_.screenshot), "PNG");
        PrintLine(saved ? options_.screenshot : "tessaly: cannot write " + options_.screenshot);
        window_.ExitNow();
    }

    QtBackend& backend_;
    ui::DeviceMainDlg& window_;
    GuiOptions options_;
    QTimer timer_;
    QElapsedTimer settle_;
    bool navigated_ = false;
};

void ForwardRequest(DUI::WindowHandle main, InstanceRequest request) {
    auto& toolkit = DUI::Toolkit::Get();
    switch (request) {
        case InstanceRequest::kActivate:
            // Also from the tray: shown normally and brought to the front.
            toolkit.PostToWindow(main, [](DUI::MWindow& window) {
                window.ShowWindow(DUI::kSwShowNormal);
                window.SetWindowPos(DUI::kHwndTop, 0, 0, 0, 0, DUI::kSwpNoMove | DUI::kSwpNoSize);
            });
            break;
        case InstanceRequest::kExit:
            toolkit.PostMessage(main, ui::kWmExitRequest, 0, ui::kExitRequestCode);
            break;
        case InstanceRequest::kAbout:
            toolkit.PostMessage(main, DUI::kWmCommand, ui::kCommandAbout, 0);
            break;
        case InstanceRequest::kLanguage:
            toolkit.PostMessage(main, ui::kWmApplyLanguage, 0, 0);
            break;
    }
}

}  // namespace

namespace {

// Qt's own options, which QApplication takes out of the line itself.
constexpr std::string_view kQtValueOptions[] = {
    "-platform",   "-platformpluginpath", "-platformtheme", "-plugin",      "-style",
    "-stylesheet", "-qwindowgeometry",    "-qwindowtitle",  "-qwindowicon", "-display",
    "-session"};
constexpr std::string_view kQtFlags[] = {"-reverse", "-nograb", "-dograb", "-sync"};

bool InTable(std::span<const std::string_view> table, std::string_view word) {
    return std::find(table.begin(), table.end(), word) != table.end();
}

}  // namespace

std::optional<GuiOptions> ParseGuiOptions(const std::vector<std::string>& rest,
                                          std::string* error) {
    GuiOptions options;
    for (size_t i = 0; i < rest.size(); ++i) {
        const std::string& word = rest[i];
        const bool has_value = i + 1 < rest.size();
        const bool takes_value = word == "--screenshot" || word == "--page" || word == "--lang" ||
                                 InTable(kQtValueOptions, word);
        if (takes_value && !has_value) {
            *error = word + " needs a value";
            return std::nullopt;
        }
        if (word == "--screenshot") {
            options.screenshot = rest[++i];
        } else if (word == "--first-frame") {
            options.first_frame = true;
        } else if (word == "--until-settled") {
            options.until_settled = true;
        } else if (word == "--page") {
            options.page = rest[++i];
            bool known = false;
            for (const PageRow& row : kPages) {
                known = known || options.page == row.name;
            }
            if (!known) {
                *error = "unknown page " + options.page;
                return std::nullopt;
            }
        } else if (word == "--lang") {
            char* end = nullptr;
            const long lcid = std::strtol(rest[i + 1].c_str(), &end, 10);
            if (end == rest[i + 1].c_str() || *end != '\0' || lcid <= 0 || lcid > 0xFFFF) {
                *error = "bad language " + rest[i + 1];
                return std::nullopt;
            }
            options.lcid = static_cast<int>(lcid);
            ++i;
        } else if (InTable(kQtValueOptions, word)) {
            ++i;
        } else if (word == "-autorun" || StartsHidden(FromUtf8(word)) || InTable(kQtFlags, word)) {
            // The autostart entry's word, and "-hide" anywhere in a word.
        } else {
            *error = "unknown option " + word + " (see --help)";
            return std::nullopt;
        }
    }
    return options;
}

std::string GuiHelp() {
    return "tessaly - configure the mouse\n\n"
           "usage: tessaly [options]\n\n"
           "Options:\n"
           "  --program-dir DIR       the program folder (config.xml, device/, language/)\n"
           "  --data-dir DIR          the per-user data folder (db/ and its files)\n"
           "  --config-dir DIR        the settings folder (registry.ini, the autostart entry)\n"
           "  --emulate               the virtual mouse instead of real devices\n"
           "  --emulator-state FILE   the virtual mouse keeps its settings in FILE\n"
           "  --hid-trace FILE        one line per HID report\n"
           "  --trace FILE            the debug trace\n"
           "  --lang LCID             texts in this language for this run\n"
           "  --page NAME             open on this page (home, buttons, performance, macros,\n"
           "                          lighting, info, settings)\n"
           "  --screenshot FILE       save a PNG of the window, then exit\n"
           "  --first-frame           exit once the window was first painted\n"
           "  --until-settled         exit once the start's tasks have run\n"
           "  --send activate|exit|about|language\n"
           "                          ask the running window, then exit\n"
           "  -hide                   start in the tray\n"
           "  -autorun                started by the autostart entry\n"
           "  --help                  this text\n"
           "  --version               the version\n";
}

void ChooseQtPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

GuiHost::GuiHost(int& argc, char** argv, GuiOptions options, PartsFactory make_parts)
    : argc_(argc), argv_(argv), options_(std::move(options)), make_parts_(std::move(make_parts)) {}

int GuiHost::Run(bool start_hidden, SingleInstance& instance) {
    ChooseQtPlatform();
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication application(argc_, argv_);
    application.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    application.setQuitOnLastWindowClosed(false);
    ApplyDpiDecision(application);
    InstallFontFallbacks();
    if (options_.lcid) {
        SetCurrentLcid(*options_.lcid);
        ReloadLanguageFiles();
    }

    KeyForwarder keys;
    application.installEventFilter(&keys);

    QtBackend backend;
    backend.Start();
    QtTrayIcon tray;
    WindowParts parts = make_parts_();
    ui::MainWindowServices& services = parts.services;
    services.shell_open = OpenTarget;
    // Discovery and the first read wait for the first frame.
    auto gate = std::make_shared<WorkerGate>();
    if (services.hold_worker) {
        services.hold_worker([gate] { return gate->WaitOpen(kGatePollWait); });
    }
    const std::function<bool()> worker_idle = services.worker_idle;
    auto window = std::make_unique<ui::DeviceMainDlg>(tray, parts.state, std::move(services));

    // Hidden in a tray nobody can see, the window could never come back.
    const bool tray_available = QtTrayIcon::Available();
    const bool hidden = start_hidden && tray_available && options_.screenshot.empty();
    // A screen smaller than the window gets the layout at a smaller scale.
    const DUI::Size size = ui::MainWindowSize(backend.WorkArea());
    window->Create(nullptr, ApplicationName(), DUI::kDialogStyle, 0,
                   {0, 0, size.width, size.height});
    window->CenterWindow();
    const DUI::WindowHandle main = window->GetSafeHwnd();
    backend.SetHiddenHandler([&window, main](DUI::WindowHandle hidden_window) {
        if (hidden_window == main && !window->tray_added) {
            // Closing to a tray that does not exist: exit instead.
            DUI::Toolkit::Get().PostMessage(main, DUI::kWmCommand, ui::kCommandTrayExit, 0);
        }
    });
    const std::function<void()> unhook = window_hook_ ? window_hook_(*window, instance) : nullptr;
    if (!instance.Listen([main](InstanceRequest request) {
            PrintLine(std::string(InstanceRequestWord(request)));
            ForwardRequest(main, request);
        })) {
        std::fprintf(stderr, "tessaly: cannot open the instance socket\n");
    }
    // Once printed, other processes can reach this one.
    PrintLine(ToUtf8(ApplicationName()) + " running" + (start_hidden ? ", hidden" : "") +
              (start_hidden && !hidden ? " (no tray: window shown)" : "") +
              " (stop it with: tessaly --send exit)");

    if (hidden) {
        gate->Open();
    }
    QTimer::singleShot(kWorkerGateLimitMs, qApp, [gate] { gate->Open(); });
    AfterFirstPaint(backend, *window, [this, gate, &backend, &window, worker_idle] {
        if (options_.first_frame) {
            window->ExitNow();
            return;
        }
        gate->Open();
        // The worker waits for the first paint, so the picture waits for the
        // start's tasks: a connected mouse shows its tabs and profile.
        if (!options_.screenshot.empty()) {
            WhenSettled(backend, *window, worker_idle, [this, &backend, &window] {
                new ScreenshotTaker(backend, *window, options_);  // owned by the application
            });
        }
        if (options_.until_settled) {
            WhenSettled(backend, *window, worker_idle, [&window] { window->ExitNow(); });
        }
    });
    window->ShowModal(hidden ? DUI::kSwHide : DUI::kSwShowNormal);
    if (unhook) {
        unhook();
    }

    // The window was closed: the worker stops (within its time-out) and the
    // window goes before the toolkit returns to its own backend.
    window.reset();
    backend.Flush();
    backend.Stop();
    return 1;
}

}  // namespace tessaly::qt
