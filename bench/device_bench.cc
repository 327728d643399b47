// Device traffic of the worker against the virtual mouse at 1 ms per report
// (a 1000 Hz interrupt endpoint): a whole state read and a write of
// everything, each against its floor of 2 ms per exchange (request and
// answer), and the worker's idle CPU with a mouse present and without one.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "app/language_state.h"
#include "app/registry_values.h"
#include "base/unicode.h"
#include "catalogue/device_catalogue.h"
#include "controller/controller.h"
#include "device/hid_backend.h"
#include "device/hid_backend_memory.h"
#include "emulator/virtual_mouse.h"
#include "platform/folders.h"
#include "platform/ini_registry_store.h"
#include "platform/registry_store.h"
#include "storage/settings_database.h"
#include "ui/localisation/language_strings.h"
#include "ui/main/tray_icon.h"
#include "ui/toolkit/headless_backend.h"

namespace {

using namespace tessaly;
using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Rig {
    DUI::HeadlessSession session;
    std::shared_ptr<MemoryHidBackend> backend = std::make_shared<MemoryHidBackend>();
    ScopedHidBackend scoped{backend};
    std::unique_ptr<emulator::VirtualMouse> mouse;
    DeviceManager devices;
    ui::MemoryTrayIcon tray;
    std::unique_ptr<Controller> controller;
    std::unique_ptr<ui::DeviceMainDlg> dlg;

    bool WaitFor(const std::function<bool()>& condition, int seconds = 20) {
        const auto deadline = Clock::now() + std::chrono::seconds(seconds);
        while (Clock::now() < deadline) {
            session.ProcessPending();
            if (condition()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }
    size_t Written() {
        return mouse->Device(emulator::MouseLink::kCable, emulator::kConfigInterface)
            ->WrittenReports()
            .size();
    }
};

// Best and median of the runs: the machine may be busy with other work.
void Report(const char* name, std::vector<double> wall_ms, size_t exchanges) {
    std::sort(wall_ms.begin(), wall_ms.end());
    const double floor = static_cast<double>(exchanges) * 2.0;
    const double best = wall_ms.front();
    const double median = wall_ms[wall_ms.size() / 2];
    std::printf(
        "%-18s best %6.1f ms  median %6.1f ms  floor %5.1f ms  ratio %.2f / %.2f  "
        "reports sent %zu\n",
        name, best, median, floor, best / floor, median / floor, exchanges);
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("tessaly-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    setenv("TESSALY_NO_UPDATE_CHECK", "1", 1);
    SetRegistryStore(std::make_shared<IniRegistryStore>((folder / "reg.ini").string()));
    ReadRegistryNumber(kValueExitMode);
    SetUserDataFolderOverride(FromUtf8(folder.string() + "/"));
    const fs::path program = fs::absolute(fs::path(argv[0])).parent_path();
    SetProgramFolderOverride(FromUtf8(program.string() + "/"));
    SetCurrentLcid(1033);
    ReloadLanguageFiles();
    const int idle_seconds = argc > 1 ? std::atoi(argv[1]) : 10;

    int status = 0;
    {
        Rig rig;
        emulator::VirtualMouseConfig config;
        config.cable = {0x1A2B, 0x7001, 0x0105, true};
        config.receiver = {0x1A2B, 0x7002, 0x0100, false};
        config.identity.device_id = {'T', 'X', '7', 'W'};
        config.identity.sensor_code = 17;
        rig.mouse = std::make_unique<emulator::VirtualMouse>(rig.backend, config);
        rig.controller = std::make_unique<Controller>(rig.devices);
        rig.dlg = std::make_unique<ui::DeviceMainDlg>(rig.tray, rig.controller->Services());
        rig.dlg->Create(nullptr, u"Tessaly", DUI::kDialogStyle, 0, {0, 0, 1300, 788});
        DeviceWorker* worker = rig.controller->Worker();
        if (!worker || !rig.WaitFor([&] {
                return rig.dlg->tasks.Empty() && !worker->Busy() &&
                       rig.controller->Device().WasRead(1007);
            })) {
            std::fprintf(stderr, "device_bench: the virtual mouse did not connect\n");
            status = 1;
        } else {
            // Idle first, with the worker's own thread listening.
            double cpu = CpuSeconds();
            std::this_thread::sleep_for(std::chrono::seconds(idle_seconds));
            std::printf("idle CPU, mouse present: %.2f %% of one core over %d s\n",
                        100.0 * (CpuSeconds() - cpu) / idle_seconds, idle_seconds);

            // The timed runs call the worker from here, so its thread stops.
            rig.dlg->StopThread(1000);
            constexpr int kRuns = 15;
            std::vector<double> read_ms;
            std::vector<double> write_ms;
            size_t read_reports = 0;
            size_t write_reports = 0;
            for (int run = 0; run < kRuns; ++run) {
                rig.controller->Device().ClearReadSet();
                const size_t before = rig.Written();
                const auto start = Clock::now();
                worker->FullRead(FullReadKind::kConnect);
                read_ms.push_back(Milliseconds(Clock::now() - start));
                read_reports = rig.Written() - before;
            }
            for (int run = 0; run < kRuns; ++run) {
                const size_t before = rig.Written();
                const auto start = Clock::now();
                worker->RunTask(5);
                write_ms.push_back(Milliseconds(Clock::now() - start));
                write_reports = rig.Written() - before;
            }
            Report("FullRead", read_ms, read_reports);
            Report("write everything", write_ms, write_reports);
            rig.dlg->StartThread();
            rig.mouse->Unplug(emulator::MouseLink::kCable);
            rig.WaitFor([&] { return !rig.dlg->device_present.load() && rig.dlg->tasks.Empty(); });
            cpu = CpuSeconds();
            std::this_thread::sleep_for(std::chrono::seconds(idle_seconds));
            std::printf("idle CPU, no mouse:      %.2f %% of one core over %d s\n",
                        100.0 * (CpuSeconds() - cpu) / idle_seconds, idle_seconds);
        }
        rig.dlg->CloseWindow();
        rig.dlg.reset();
        rig.controller.reset();
    }
    SettingsDatabase::Instance().Close();
    SetRegistryStore(nullptr);
    fs::remove_all(folder);
    return status;
}
