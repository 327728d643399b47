// Device traffic of the worker against the virtual mouse, whose endpoints are
// polled every 1 ms (a 1000 Hz interrupt endpoint, emulator/endpoint_timing.h):
// a whole state read, the write of each setting, the write of everything and
// a firmware upgrade of a 64 KiB image, each against its floor from the same
// polls (an answer at the first poll after its request; an upgrade report
// taken at the first poll after it is written), and the worker's idle CPU
// with a mouse present and without one.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
#include "emulator/endpoint_timing.h"
#include "emulator/virtual_mouse.h"
#include "platform/folders.h"
#include "platform/ini_registry_store.h"
#include "platform/registry_store.h"
#include "storage/settings_database.h"
#include "ui/localisation/language_strings.h"
#include "ui/main/tray_icon.h"
#include "ui/toolkit/headless_backend.h"
#include "update/firmware_upgrade.h"

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

struct Run {
    double wall_ms = 0;
    double floor_ms = 0;
    size_t reports = 0;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Medians of the runs (the machine may be busy with other work); the ratio
// is the median of each run's wall time over its own floor.
void Report(const char* name, const std::vector<Run>& runs) {
    if (runs.back().reports == 0) {
        std::printf("%-22s sends nothing on this model\n", name);
        return;
    }
    std::vector<double> wall;
    std::vector<double> floor;
    std::vector<double> ratio;
    for (const Run& run : runs) {
        wall.push_back(run.wall_ms);
        floor.push_back(run.floor_ms);
        ratio.push_back(run.floor_ms > 0 ? run.wall_ms / run.floor_ms : 0);
    }
    std::printf("%-22s median %8.1f ms  floor %8.1f ms  ratio %.2f  reports %zu\n", name,
                Median(wall), Median(floor), Median(ratio), runs.back().reports);
}

void ReportIdle(const char* what, double cpu_seconds, int seconds) {
    if (seconds <= 0) {
        std::printf("idle CPU, %-14s not measured (0 s)\n", what);
        return;
    }
    std::printf("idle CPU, %-14s %.2f %% of one core over %d s\n", what,
                100.0 * cpu_seconds / seconds, seconds);
}

// Times `body` over `runs` runs; `written` counts the reports it sends, and
// the floor is `fixed_ms` of the program's own waits plus one poll each.
std::vector<Run> Measure(int runs, const emulator::EndpointTiming& timing,
                         const std::function<size_t()>& written, const std::function<void()>& body,
                         double fixed_ms = 0) {
    std::vector<Run> result;
    for (int i = 0; i < runs; ++i) {
        const size_t before = written();
        const auto start = Clock::now();
        body();
        Run run;
        run.wall_ms = Milliseconds(Clock::now() - start);
        run.reports = written() - before;
        run.floor_ms =
            Milliseconds(emulator::PollFloor(timing, start, static_cast<int>(run.reports))) +
            fixed_ms;
        result.push_back(run);
    }
    return result;
}

struct SettingWrite {
    const char* name;
    int task;
};

// The write task of each setting group, as the pages queue them.
constexpr SettingWrite kSettingWrites[] = {
    {"write buttons (6)", 6},       {"write lighting (8)", 8}, {"write DPI stages (9)", 9},
    {"write DPI colours (10)", 10}, {"write rate (11)", 11},   {"write lift-off (12)", 12},
    {"write sleep (13)", 13},
};

constexpr size_t kImageBytes = 64 * 1024;
// The upgrade waits 10 ms after each of the first two data reports.
constexpr double kUpgradePausesMs = 2 * 10.0;

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
        rig.dlg = std::make_unique<ui::DeviceMainDlg>(rig.tray, rig.controller->State(),
                                                      rig.controller->Services());
        rig.dlg->Create(nullptr, u"Tessaly", DUI::kDialogStyle, 0, {0, 0, 1300, 788});
        DeviceWorker* worker = rig.controller->Worker();
        if (!worker || !rig.WaitFor([&] {
                return rig.controller->Tasks().Empty() && !worker->Busy() &&
                       rig.controller->Device().WasRead(1007);
            })) {
            std::fprintf(stderr, "device_bench: the virtual mouse did not connect\n");
            status = 1;
        } else {
            // Idle first, with the worker's own thread listening.
            double cpu = CpuSeconds();
            std::this_thread::sleep_for(std::chrono::seconds(idle_seconds));
            ReportIdle("mouse present:", CpuSeconds() - cpu, idle_seconds);

            // The timed runs call the worker from here, so its thread stops.
            rig.dlg->Services().stop_worker();
            const emulator::EndpointTiming timing(config.poll_interval);
            const auto config_written = [&] { return rig.Written(); };
            constexpr int kRuns = 15;
            Report("FullRead", Measure(kRuns, timing, config_written, [&] {
                       rig.controller->Device().ClearReadSet();
                       worker->FullRead(FullReadKind::kConnect);
                   }));
            for (const SettingWrite& write : kSettingWrites) {
                Report(write.name, Measure(kRuns, timing, config_written,
                                           [&] { worker->RunTask(write.task); }));
            }
            Report("write everything (5)",
                   Measure(kRuns, timing, config_written, [&] { worker->RunTask(5); }));

            const fs::path image = folder / "firmware.bin";
            const auto upgrade_written = [&] {
                auto device =
                    rig.mouse->Device(emulator::MouseLink::kCable, emulator::kUpgradeInterface);
                return device ? device->WrittenReports().size() : 0;
            };
            UpgradeEnvironment environment;
            environment.sleep = [](int ms) {
                std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            };
            bool complete = true;
            const std::vector<Run> upgrades = Measure(
                3, timing, upgrade_written,
                [&] {
                    std::ofstream(image, std::ios::binary)
                        << std::string(kImageBytes, static_cast<char>(0x5A));
                    complete =
                        complete && UpgradeFirmware(rig.devices, image.string(), environment) ==
                                        UpgradeOutcome::kComplete;
                },
                kUpgradePausesMs);
            Report("upgrade 64 KiB", upgrades);
            if (!complete) {
                std::fprintf(stderr, "device_bench: the upgrade did not complete\n");
                status = 1;
            }

            rig.dlg->Services().start_worker();
            rig.mouse->Unplug(emulator::MouseLink::kCable);
            rig.WaitFor([&] {
                return !rig.controller->Device().device_present.load() &&
                       rig.controller->Tasks().Empty();
            });
            cpu = CpuSeconds();
            std::this_thread::sleep_for(std::chrono::seconds(idle_seconds));
            ReportIdle("no mouse:", CpuSeconds() - cpu, idle_seconds);
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
