#include "stateful/program_under_test.h"

#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/language_state.h"
#include "app/registry_values.h"
#include "base/unicode.h"
#include "catalogue/device_catalogue.h"
#include "performance/performance_controls.h"
#include "platform/folders.h"
#include "platform/ini_registry_store.h"
#include "platform/process_exit.h"
#include "platform/registry_store.h"
#include "storage/settings_database.h"
#include "ui/ids/macro_page_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/toolkit/controls/device_list.h"
#include "ui/toolkit/controls/dpi_control.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/record_list.h"
#include "ui/toolkit/controls/report_ctrl.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly::stateful {
namespace {

// The shipped wireless model's identities.
constexpr uint16_t kVendor = 0x1A2B;
constexpr uint16_t kCableProduct = 0x7001;
constexpr uint16_t kReceiverProduct = 0x7002;

// A write behind the receiver and a full read take well under a second of
// real time on the manual clock; anything longer is a hang.
constexpr auto kSettleLimit = std::chrono::seconds(20);
// The mouse's link report is read within a few idle passes.
constexpr auto kReachLimit = std::chrono::seconds(3);
// Long enough for a re-read and the pages' refill on the manual clock.
// It is over when what the pages show stops changing for two of these.
constexpr auto kLinger = std::chrono::milliseconds(30);
constexpr int kMostLingers = 30;
// The queue must stay empty for two passes: what a task posts to the
// window is handled on the pass after the one that saw the worker idle.
constexpr int kQuietPasses = 2;

emulator::VirtualMouseConfig MouseConfig(int sensor) {
    emulator::VirtualMouseConfig config;
    config.cable = {kVendor, kCableProduct, 0x0105, false};
    config.receiver = {kVendor, kReceiverProduct, 0x0100, true};
    config.identity.device_id = {'T', 'X', '7', 'W'};
    config.identity.sensor_code = static_cast<uint8_t>(sensor);
    config.identity.report_flags = 0x40;
    return config;
}

}  // namespace

ProgramUnderTest::ProgramUnderTest(int sensor) : sensor_(sensor) {
    setenv("TESSALY_NO_UPDATE_CHECK", "1", 1);
    SetRegistryStore(std::make_shared<IniRegistryStore>((folder_.path() / "reg.ini").string()));
    ReadRegistryNumber(kValueExitMode);  // creates the program key, as start-up does
    SetUserDataFolderOverride(folder_.u16(true));
    SetProgramFolderOverride(FromUtf8(std::string(TESSALY_BINARY_DIR) + "/"));
    SetProcessExitInterceptor([](int) {});
    SetCurrentLcid(1033);
    ReloadLanguageFiles();
    std::filesystem::create_directories(folder_.path() / "db");
    mouse_ = std::make_unique<emulator::VirtualMouse>(backend_, MouseConfig(sensor));
}

ProgramUnderTest::~ProgramUnderTest() {
    Stop();
    mouse_.reset();
    SetProgramFolderOverride(u"");
    SetUserDataFolderOverride(u"");
    SetProcessExitInterceptor({});
    SetRegistryStore(nullptr);
}

bool ProgramUnderTest::Start() {
    DeviceCatalogue::Instance().Reset();
    devices_ = std::make_unique<DeviceManager>();
    controller_ = std::make_unique<Controller>(*devices_);
    // The worker's fixed waits (reconnect delay, identity retry, lighting
    // reset) cost no time here.
    controller_->SetWorkerSleeper([](int) {});
    window_ =
        std::make_unique<ui::DeviceMainDlg>(tray_, controller_->State(), controller_->Services());
    if (!window_->Create(nullptr, u"Tessaly", DUI::kDialogStyle, 0, {0, 0, 1300, 788}))
        return false;
    return Settle();
}

void ProgramUnderTest::Stop() {
    if (window_)
        window_->CloseWindow();
    controller_.reset();
    window_.reset();
    devices_.reset();
    SettingsDatabase::Instance().Close();
    DeviceCatalogue::Instance().Reset();
}

bool ProgramUnderTest::Settle() {
    const auto deadline = std::chrono::steady_clock::now() + kSettleLimit;
    int quiet = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        session_.ProcessPending();
        const bool idle =
            controller_->Tasks().Empty() && controller_->Worker() && !controller_->Worker()->Busy();
        quiet = idle ? quiet + 1 : 0;
        if (quiet >= kQuietPasses)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

bool ProgramUnderTest::SettleReachable() {
    const auto deadline = std::chrono::steady_clock::now() + kReachLimit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (!Settle())
            return false;
        if (window_->Device().device_online.load() &&
            controller_->Device().mouse_reachable.load() != 0) {
            // The re-read after the link report runs in the worker's
            // listening pass, which does not count as busy: give it time
            // to finish before settling.
            Linger();
            return Settle();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

// What a refill of the pages changes: the stage list, the rate list, the
// macro list and the event list.
std::vector<int> ProgramUnderTest::PagesFingerprint() {
    std::vector<int> print;
    const PerformanceControls controls(*window_);
    if (DUI::DPIControl* stages = controls.Stages())
        print.insert(print.end(), {stages->GetItemCount(), stages->GetSelectItem()});
    if (DUI::ReporteCtrl* rates = controls.ReportRates())
        print.insert(print.end(), {rates->GetItemCount(), rates->GetCurSel()});
    if (auto* macros = window_->GetControlAs<DUI::MacroList>(macro_id::kMacroList))
        print.insert(print.end(), {macros->GetItemCount(), macros->GetCurSel()});
    if (auto* events = window_->GetControlAs<DUI::CRecordList>(macro_id::kEventList))
        print.push_back(static_cast<int>(events->Records().size()));
    return print;
}

void ProgramUnderTest::Linger() {
    std::vector<int> before = PagesFingerprint();
    for (int i = 0; i < kMostLingers; ++i) {
        const auto until = std::chrono::steady_clock::now() + kLinger;
        while (std::chrono::steady_clock::now() < until) {
            session_.ProcessPending();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::vector<int> now = PagesFingerprint();
        if (i > 0 && now == before)
            return;
        before = std::move(now);
    }
}

bool ProgramUnderTest::WaitUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (std::chrono::steady_clock::now() < deadline) {
        session_.ProcessPending();
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

std::string ProgramUnderTest::DatabasePath() const {
    return (folder_.path() / "db" / "tx7w_data.db").string();
}

}  // namespace tessaly::stateful
