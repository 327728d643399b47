// Reports the mouse or the receiver sends by themselves, fed one by one to
// the device worker of a whole headless window (the shipped catalogue, a
// virtual wireless mouse on a manual clock). The window's own worker thread
// is stopped once the mouse is connected, so the fuzzer's thread is the
// worker's: it queues a report and runs one notification pass.
//
// Input: reports, each [length][length bytes] (the report ID 0 is added).
//
// What must hold after every report:
// - the stage count and stage, stored and remembered, are ones the pages can
//   show;
// - a report of no notification kind neither writes to the mouse nor queues
//   a task, and a stage report writes nothing either.

#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/language_state.h"
#include "app/registry_values.h"
#include "base/decimal.h"
#include "base/unicode.h"
#include "catalogue/device_catalogue.h"
#include "controller/controller.h"
#include "device/commands/answer_decoders.h"
#include "device/hid_backend.h"
#include "device/hid_backend_memory.h"
#include "emulator/virtual_mouse.h"
#include "performance/setting_ranges.h"
#include "platform/folders.h"
#include "platform/ini_registry_store.h"
#include "platform/process_exit.h"
#include "platform/registry_store.h"
#include "storage/config_store.h"
#include "support/temp_folder.h"
#include "ui/localisation/language_strings.h"
#include "ui/main/tray_icon.h"
#include "ui/toolkit/headless_backend.h"

namespace {

using namespace tessaly;

constexpr size_t kReportBytes = 65;
constexpr int kStopWaitMs = 5000;

std::string ProgramFolder() {
    std::vector<char> path(4096);
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0)
        abort();
    std::string folder(path.data(), static_cast<size_t>(length));
    return folder.substr(0, folder.rfind('/') + 1);
}

emulator::VirtualMouseConfig WirelessMouse() {
    emulator::VirtualMouseConfig config;
    config.cable = {0x1A2B, 0x7001, 0x0105, false};
    config.receiver = {0x1A2B, 0x7002, 0x0100, true};
    config.identity.device_id = {'T', 'X', '7', 'W'};
    config.identity.sensor_code = 17;
    return config;
}

// The window and its mouse, made once: a start costs far more than a report.
struct Window {
    Window() {
        const std::string folder = fuzz::TempFolder();
        SetRegistryStore(std::make_shared<IniRegistryStore>(folder + "reg.ini"));
        ReadRegistryNumber(kValueExitMode);
        SetUserDataFolderOverride(FromUtf8(folder));
        SetProgramFolderOverride(FromUtf8(ProgramFolder()));
        SetProcessExitInterceptor([](int) {});
        SetCurrentLcid(1033);
        ReloadLanguageFiles();
        DeviceCatalogue::Instance().Reset();

        controller.SetWorkerSleeper([](int) {});
        dlg = std::make_unique<ui::DeviceMainDlg>(tray, controller.Services());
        if (!dlg->Create(nullptr, u"Tessaly", DUI::kDialogStyle, 0, {0, 0, 1300, 788}))
            abort();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!Connected()) {
            if (std::chrono::steady_clock::now() > deadline)
                abort();
            session.ProcessPending();
        }
        if (!dlg->StopThread(kStopWaitMs))
            abort();
        worker = controller.Worker();
        // The stop interrupted a wait, perhaps both the worker's and the
        // device's: two passes on an empty queue spend them.
        worker->NotificationPoll();
        worker->NotificationPoll();
        device = mouse.Device(emulator::MouseLink::kReceiver, emulator::kConfigInterface);
    }

    bool Connected() {
        DeviceWorker* running = controller.Worker();
        return running && dlg->tasks.Empty() && !running->Busy() && dlg->device_online.load() &&
               controller.Device().WasRead(dlg->selected_device_type.load());
    }

    DUI::HeadlessSession session;
    std::shared_ptr<ManualHidClock> clock = std::make_shared<ManualHidClock>();
    std::shared_ptr<MemoryHidBackend> backend = std::make_shared<MemoryHidBackend>(clock);
    ScopedHidBackend scoped_backend{backend};
    emulator::VirtualMouse mouse{backend, WirelessMouse()};
    DeviceManager devices;
    ui::MemoryTrayIcon tray;
    Controller controller{devices};
    std::unique_ptr<ui::DeviceMainDlg> dlg;
    DeviceWorker* worker = nullptr;
    std::shared_ptr<MemoryHidDevice> device;
};

// Never destroyed: the window's teardown is no part of what is fuzzed.
Window& TheWindow() {
    static Window& window = *new Window;
    return window;
}

int StoredNumber(std::u16string_view key, int fallback) {
    std::u16string text;
    if (!GetConfigValue(TheWindow().controller.CurrentProfile(), key, text))
        return fallback;
    return DecimalToInt(text);
}

void CheckStages() {
    Window& window = TheWindow();
    const int count = window.controller.Device().device_stage_count.load();
    const int index = window.controller.Device().device_stage.load();
    if (!IsStageCount(count) || !IsStageIndex(index, count))
        __builtin_trap();
    const int stored_count = StoredNumber(u"dpi_count", 1);
    if (!IsStageCount(stored_count) || !IsStageIndex(StoredNumber(u"dpi_index", 0), stored_count))
        __builtin_trap();
}

void Feed(const std::vector<uint8_t>& report) {
    Window& window = TheWindow();
    // A wait interrupted earlier (the thread's stop, a task queued during a
    // pass) makes the next read return at once: spend it on an empty queue,
    // so that the pass below reads this report and no other.
    window.worker->NotificationPoll();
    window.device->ClearWrittenReports();
    window.device->QueueInput(report);
    window.worker->NotificationPoll();
    window.session.ProcessPending();
    const uint8_t kind = report.size() > 1 ? report[1] : 0;
    const bool link = kind == kLinkNotification;
    if (!link) {
        if (!window.device->WrittenReports().empty())
            __builtin_trap();
        if (kind != kDpiStageNotification && !window.dlg->tasks.Empty())
            __builtin_trap();
    }
    // What a pass left queued (a link change may queue work) runs before the
    // next report, as the worker loop would.
    while (std::optional<int32_t> code = window.dlg->tasks.TakeFront()) {
        window.worker->RunTask(*code);
        window.session.ProcessPending();
    }
    CheckStages();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TheWindow();
    size_t at = 0;
    while (at < size) {
        const size_t length = std::min<size_t>(data[at] % kReportBytes, size - at - 1);
        std::vector<uint8_t> report{0x00};
        report.insert(report.end(), data + at + 1, data + at + 1 + length);
        Feed(report);
        at += 1 + length;
    }
    return 0;
}
