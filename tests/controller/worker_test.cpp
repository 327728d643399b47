#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/task.h"
#include "base/trace.h"
#include "catalogue/device_catalogue.h"
#include "device/commands/command_builders.h"
#include "device/commands/command_sender.h"
#include "performance/change_operations.h"
#include "performance/dpi_conversions.h"
#include "platform/shell_open.h"
#include "storage/key_table.h"
#include "storage/profile_table.h"
#include "storage/settings_database.h"
#include "storage/store_health.h"
#include "support/scoped_env.h"
#include "ui/ids/information_page_ids.h"
#include "ui/ids/main_window_ids.h"
#include "ui/ids/performance_page_ids.h"
#include "ui/localisation/text_ids.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/controls/device_list.h"
#include "ui/toolkit/controls/dpi_control.h"
#include "worker_fixture.h"

namespace tessaly::test {
namespace {

using emulator::MouseLink;

std::u16string Text(int number) {
    return LoadLanguageString(number);
}

TEST_F(WorkerTest, StartUpConnectsAndShowsTheMouseSettings) {
    Plug(true, false);
    Open();
    ASSERT_TRUE(Connected());

    EXPECT_TRUE(dlg->Device().device_present.load());
    EXPECT_EQ(dlg->Device().selected_device_type.load(), kWirelessType);
    EXPECT_EQ(Title(main_id::kDeviceState), Text(51));
    // The mouse's own settings reached the store: four stages of 800 … 6400.
    EXPECT_EQ(Stored(1, u"dpi_count"), u"4");
    EXPECT_EQ(Stored(1, u"dpi_group0_value"), u"800");
    EXPECT_EQ(Stored(1, u"dpi_group3_value"), u"6400");
    EXPECT_EQ(Stored(1, u"report_rate"), u"1");
    EXPECT_EQ(Stored(1, u"sleep_light"), u"6");
    // … and the pages show them.
    auto* stages = dynamic_cast<DUI::DPIControl*>(
        ui::FindInPage(*dlg, dlg->performance_page, performance_id::kStages));
    ASSERT_NE(stages, nullptr);
    EXPECT_TRUE(WaitFor([&] { return stages->GetDPIValue(1) == 1600; }));
    EXPECT_EQ(Title(information_id::kMouseName), Text(551) + u": V1.05");
    EXPECT_NE(Title(main_id::kProfile).find(Text(61)), std::u16string::npos);
    EXPECT_EQ(controller->Device().Limits().max_dpi, 24000);
    // The battery indicator draws the level first, then the charging flag.
    auto* battery =
        dynamic_cast<DUI::BatteryCtrl*>(DUI::HeadlessBackend::Find(*dlg, main_id::kBattery));
    ASSERT_NE(battery, nullptr);
    EXPECT_EQ(battery->GetBatteryValue(), 100);
    EXPECT_EQ(battery->GetChargeValue(), 0);
    // The device list's row shows the same level and flag.
    auto* list =
        dynamic_cast<DUI::CDeviceList*>(DUI::HeadlessBackend::Find(*dlg, main_id::kDeviceList));
    ASSERT_NE(list, nullptr);
    const auto rows = list->Devices();
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [](const DUI::DeviceRow& r) { return r.type == kWirelessType; });
    ASSERT_NE(row, rows.end());
    EXPECT_EQ(row->battery_value, 100);
    EXPECT_EQ(row->battery_charge, 0);
}

TEST_F(WorkerTest, NoMouseShowsTheHomePage) {
    Open();
    ASSERT_TRUE(Settled());
    EXPECT_TRUE(WaitFor([&] { return Title(main_id::kDeviceState) == Text(50); }));
    EXPECT_FALSE(dlg->Device().device_present.load());
    EXPECT_FALSE(dlg->Device().device_online.load());
}

// The catalogue is loaded into the program's window, a model selected by
// type reaches that window, and discovery forgets the identities with it.
TEST_F(WorkerTest, TheCatalogueBelongsToTheProgramsWindow) {
    Open();
    ASSERT_TRUE(Settled());
    auto* list = dlg->GetControlAs<DUI::CDeviceList>(main_id::kDeviceList);
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->Devices().empty());
    EXPECT_FALSE(DeviceCatalogue::Instance().DiscoveryIdentities().empty());

    dlg->Services().select_model(kWirelessType);
    EXPECT_EQ(DeviceCatalogue::Instance().Selected().device_type, kWirelessType);
    EXPECT_FALSE(dlg->Update().firmware_address.empty())
        << "the model's description reached the window";

    dlg->CloseWindow();
    EXPECT_TRUE(DeviceCatalogue::Instance().DiscoveryIdentities().empty());
}

// Nothing is kept for a mouse that is not known yet: the start makes no
// database of its own, and the first mouse gets its own with four profiles.
TEST_F(WorkerTest, NoDatabaseIsMadeBeforeAMouseIsKnown) {
    const uint64_t failed_writes = StoreHealth::Instance().FailedWrites();
    Plug(false, false);
    Open();
    ASSERT_TRUE(Settled());
    const std::filesystem::path db = user.path() / "db";
    EXPECT_FALSE(std::filesystem::exists(db / "_data.db"));
    EXPECT_FALSE(SettingsDatabase::Instance().IsOpened());
    EXPECT_EQ(StoreHealth::Instance().FailedWrites(), failed_writes);

    ASSERT_TRUE(mouse->Plug(MouseLink::kCable));
    ASSERT_TRUE(Connected());
    EXPECT_FALSE(std::filesystem::exists(db / "_data.db"));
    ASSERT_TRUE(SettingsDatabase::Instance().IsOpened());
    EXPECT_EQ(std::filesystem::path(SettingsDatabase::Instance().Path()).parent_path(), db);
    std::vector<ProfileInfo> profiles;
    ListProfiles(profiles);
    EXPECT_EQ(profiles.size(), 4u);
    EXPECT_EQ(StoreHealth::Instance().FailedWrites(), failed_writes);
}

// The window queues through the controller; a closed window may outlive it
// (the command-line tool lets the controller go first).
TEST_F(WorkerTest, TasksQueuedAfterTheControllerIsGoneReachNoWorker) {
    Plug(false, true);
    Open();
    ASSERT_TRUE(Connected());
    dlg->CloseWindow();
    controller.reset();
    const auto written = [&] {
        return mouse->Device(emulator::MouseLink::kReceiver, emulator::kConfigInterface)
            ->WrittenReports()
            .size();
    };
    const size_t before = written();
    dlg->QueueTask(kTaskWriteDpiStages);
    dlg->Services().start_worker();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(written(), before);
    dlg.reset();  // closed already, and its services' controller is gone
}

// Closing the window stops the worker: what is queued then stays queued.
TEST_F(WorkerTest, ClosingTheWindowStopsTheWorker) {
    Plug(false, true);
    Open();
    ASSERT_TRUE(Connected());
    dlg->CloseWindow();
    controller->QueueTask(kTaskWriteDpiStages);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(controller->Tasks().Snapshot(), std::vector<int32_t>{kTaskWriteDpiStages});
    EXPECT_FALSE(controller->WorkerIdle());
    dlg.reset();
}

TEST_F(WorkerTest, ASecondConnectionReadsOnlyTheIdentity) {
    Plug(true, false);
    Open();
    ASSERT_TRUE(Connected());
    SetConfigValue(1, u"dpi_group0_value", u"1234");
    mouse->SetBattery(40, true);
    dlg->QueueTask(kTaskDeviceArrived);
    auto* battery =
        dynamic_cast<DUI::BatteryCtrl*>(DUI::HeadlessBackend::Find(*dlg, main_id::kBattery));
    ASSERT_TRUE(WaitFor([&] { return battery->GetBatteryValue() == 40; }));
    ASSERT_TRUE(Settled());
    EXPECT_EQ(battery->GetChargeValue(), 1);
    EXPECT_EQ(Stored(1, u"dpi_group0_value"), u"1234");
}

TEST_F(WorkerTest, TheTrayTellsTheMouseItsBatteryAndALowBattery) {
    Plug(true, false);
    Open();
    ASSERT_TRUE(Connected());
    mouse->SetBattery(12, false);
    dlg->QueueTask(kTaskDeviceArrived);
    ASSERT_TRUE(WaitFor([&] {
        session.ProcessPending();
        return tray.Tip().find(u"12 %") != std::u16string::npos;
    }));
    ASSERT_TRUE(Settled());
    session.ProcessPending();
    const std::u16string name = DeviceCatalogue::Instance().Selected().name;
    ASSERT_FALSE(name.empty());
    EXPECT_NE(tray.Tip().find(name), std::u16string::npos);
    EXPECT_NE(tray.Tip().find(dynamic_cast<DUI::MControlFont*>(
                                  DUI::HeadlessBackend::Find(*dlg, main_id::kProfile))
                                  ->GetTitle()),
              std::u16string::npos)
        << "the profile";
    EXPECT_EQ(tray.Notices().size(), 1u);
}

TEST_F(WorkerTest, TenDpiEditsLeaveTheMouseWithTheLastValue) {
    Plug(true, false);
    Open();
    ASSERT_TRUE(Connected());
    for (int i = 1; i <= 10; ++i) {
        SetStageValueTyped(controller->Performance(), 0, IntToDecimal(1000 + 100 * i));
    }
    ASSERT_TRUE(Settled());
    EXPECT_EQ(Stored(1, u"dpi_group0_value"), u"2000");
    ASSERT_TRUE(WaitFor([&] {
        const auto stages = mouse->State().settings.at(0x03);
        const int code = stages[1] | (stages[2] << 8);
        return code == DpiToDeviceCode(kSensor, 2000);
    }));
}

TEST_F(WorkerTest, StageNotificationsUpdateStoreAndPage) {
    Plug(true, false);
    Open();
    ASSERT_TRUE(Connected());
    const auto notify = [&](uint8_t stage_and_count) {
        std::vector<uint8_t> report(65, 0);
        report[1] = 0xC2;
        report[2] = stage_and_count;
        mouse->Device(MouseLink::kCable, emulator::kConfigInterface)->QueueInput(report);
    };
    // Count 3, stage 2: both differ from what is known, each is taken.
    notify(0x23);
    ASSERT_TRUE(WaitFor([&] { return controller->Device().device_stage.load() == 2; }));
    EXPECT_EQ(controller->Device().device_stage_count.load(), 3);
    EXPECT_EQ(Stored(1, u"dpi_count"), u"3");
    EXPECT_EQ(Stored(1, u"dpi_index"), u"2");

    // Stage 4 of 2, seven stages, none: no state the pages could show. A
    // report of no kind follows; once its trace is written the worker has
    // handled the others.
    const std::string trace = (user.path() / "trace.txt").string();
    ASSERT_TRUE(SetTraceFile(trace));
    for (uint8_t refused : {0x42, 0x07, 0x00})
        notify(refused);
    std::vector<uint8_t> marker(65, 0);
    marker[1] = 0xC5;
    mouse->Device(MouseLink::kCable, emulator::kConfigInterface)->QueueInput(marker);
    EXPECT_TRUE(WaitFor([&] {
        std::ifstream in(trace);
        std::stringstream text;
        text << in.rdbuf();
        return text.str().find("mouse notify data: C5") != std::string::npos;
    }));
    SetTraceFile("");
    EXPECT_EQ(controller->Device().device_stage_count.load(), 3);
    EXPECT_EQ(controller->Device().device_stage.load(), 2);
    EXPECT_EQ(Stored(1, u"dpi_count"), u"3");
    EXPECT_EQ(Stored(1, u"dpi_index"), u"2");

    // The mouse's own button: the next stage of its four.
    mouse->PressDpiButton();
    EXPECT_TRUE(WaitFor(
        [&] { return Stored(1, u"dpi_count") == u"4" && Stored(1, u"dpi_index") == u"1"; }));
}

TEST_F(WorkerTest, TheReceiverLosesAndRegainsTheMouse) {
    Plug(false, true);
    Open();
    ASSERT_TRUE(Connected());
    EXPECT_EQ(Title(main_id::kDeviceState), Text(52));
    EXPECT_EQ(Stored(1, u"dpi_count"), u"4");

    mouse->SwitchMouse(false);
    ASSERT_TRUE(WaitFor([&] { return !dlg->Device().device_online.load(); }));
    EXPECT_TRUE(WaitFor([&] { return Title(main_id::kDeviceState) == Text(50); }));
    EXPECT_FALSE(DUI::HeadlessBackend::Find(*dlg, main_id::kTabBackground)->IsVisible());

    mouse->SwitchMouse(true);
    ASSERT_TRUE(WaitFor([&] {
        return dlg->Device().device_online.load() && Title(main_id::kDeviceState) == Text(52);
    }));
    EXPECT_TRUE(DUI::HeadlessBackend::Find(*dlg, main_id::kTabBackground)->IsVisible());
}

// Row 1 is the mouse's firmware (its version answer over the receiver, the
// cable's release over the cable), row 2 the receiver's, each in one form.
TEST_F(WorkerTest, TheInformationRowsNameTheMouseAndTheReceiverFirmware) {
    Plug(false, true);
    Open();
    ASSERT_TRUE(Connected());
    EXPECT_EQ(Title(information_id::kMouseName), Text(551) + u": V1.05");
    EXPECT_EQ(Title(information_id::kReceiverName), Text(552) + u": V1.00");
    // No check has answered yet, so no row claims the firmware is the latest.
    EXPECT_NE(Title(information_id::kReceiverStatus), Text(580));

    // The link comes back without a second full read: row 1 keeps the version.
    mouse->SwitchMouse(false);
    ASSERT_TRUE(WaitFor([&] { return !dlg->Device().device_online.load(); }));
    mouse->SwitchMouse(true);
    ASSERT_TRUE(WaitFor([&] { return dlg->Device().device_online.load(); }));
    ASSERT_TRUE(Settled());
    EXPECT_EQ(Title(information_id::kMouseName), Text(551) + u": V1.05");
}

TEST_F(WorkerTest, OverTheCableTheReceiverRowIsItsCaptionAlone) {
    Plug(true, false);
    Open();
    ASSERT_TRUE(Connected());
    EXPECT_EQ(Title(information_id::kMouseName), Text(551) + u": V1.05");
    EXPECT_EQ(Title(information_id::kReceiverName), Text(552));
}

// A mouse whose node this user may not open: the home page names the udev
// rule and the commands that apply it, and no battery is drawn for it.
TEST_F(WorkerTest, AMouseThatCannotBeOpenedIsExplainedNotCalledMissing) {
    backend->SetOpenDenied(true);
    Plug(true, false);
    Open();
    ASSERT_TRUE(Settled());
    EXPECT_FALSE(dlg->Device().device_present.load());
    ASSERT_TRUE(WaitFor([&] { return Title(main_id::kNotice) != Text(56); }));
    const std::u16string notice = Title(main_id::kNotice);
    EXPECT_NE(notice.find(u"70-tessaly.rules"), std::u16string::npos);
    EXPECT_NE(notice.find(u"sudo udevadm control --reload && sudo udevadm trigger"),
              std::u16string::npos);
    EXPECT_FALSE(DUI::HeadlessBackend::Find(*dlg, main_id::kBattery)->IsVisible());
}

TEST_F(WorkerTest, WithNoMouseAtAllTheNoticeAsksForOne) {
    Open();
    ASSERT_TRUE(Settled());
    EXPECT_EQ(Title(main_id::kNotice), Text(56));
}

// "System mouse settings → Open": the desktop's program is started when one
// is installed; without any the user is told so instead of nothing happening.
TEST_F(WorkerTest, TheSystemMouseSettingsOpenOrSayWhyNot) {
    TempDir bin;
    const std::filesystem::path program = bin.path() / "xfce4-mouse-settings";
    std::ofstream(program) << "#!/bin/sh\n";
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    std::vector<std::vector<std::string>> started;
    SetShellOpenInterceptor(
        [&started](const std::vector<std::string>& command) { started.push_back(command); });
    ScopedEnv desktop("XDG_CURRENT_DESKTOP", "XFCE");
    session.backend().SetModalPolicy([](DUI::MWindow&) { return DUI::ModalAnswer::FirstButton(); });
    Plug(true, false);
    Open();
    ASSERT_TRUE(Connected());
    dlg->ShowDevicePages();
    dlg->tab_ctrl->SelectItem(2);  // the performance page
    session.ProcessPending();
    DUI::MControl* open =
        ui::FindInPage(*dlg, dlg->performance_page, performance_id::kSystemMouseSettings);
    ASSERT_NE(open, nullptr);
    const auto boxes_saying = [&](int number) {
        const auto runs = session.backend().ModalRuns();
        return std::ranges::count_if(runs, [&](const DUI::ModalRecord& run) {
            return run.title == u"MessageBox" &&
                   std::ranges::find(run.texts, Text(number)) != run.texts.end();
        });
    };
    {
        ScopedEnv path("PATH", bin.path().string());
        ASSERT_TRUE(DUI::Toolkit::Get().DeliverControlEvent(*open, DUI::kEventActivated, 0));
        session.ProcessPending();
        EXPECT_EQ(started, (std::vector<std::vector<std::string>>{{"xfce4-mouse-settings"}}));
        EXPECT_EQ(boxes_saying(text::kNoMouseSettingsProgram), 0);
    }
    {
        TempDir empty;
        ScopedEnv path("PATH", empty.path().string());
        ASSERT_TRUE(DUI::Toolkit::Get().DeliverControlEvent(*open, DUI::kEventActivated, 0));
        session.ProcessPending();
        EXPECT_EQ(started.size(), 1u);
        EXPECT_EQ(boxes_saying(text::kNoMouseSettingsProgram), 1);
    }
    SetShellOpenInterceptor({});
}

TEST_F(WorkerTest, AReceiverWithoutItsMouseFailsTheRead) {
    const std::string trace = (user.path() / "trace.txt").string();
    ASSERT_TRUE(SetTraceFile(trace));
    Plug(false, true);
    mouse->SwitchMouse(false);
    Open();
    ASSERT_TRUE(Settled());
    // The failure handling still shows the receiver as connected.
    EXPECT_TRUE(WaitFor([&] { return Title(main_id::kDeviceState) == Text(52); }));
    EXPECT_FALSE(controller->Device().WasRead(kWirelessType));
    SetTraceFile("");
    std::ifstream in(trace);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("无线设备未连接"), std::string::npos);
}

TEST_F(WorkerTest, StartedWithoutItsMouseTheReceiverReachesItWhenItComes) {
    Plug(false, true);
    mouse->SwitchMouse(false);
    Open();
    ASSERT_TRUE(Settled());
    // The start's failed read is over (its failure handling shows the
    // receiver), so the mouse's link report comes to a listening worker.
    ASSERT_TRUE(WaitFor([&] { return Title(main_id::kDeviceState) == Text(52); }));
    ASSERT_FALSE(controller->Device().WasRead(kWirelessType));

    mouse->SwitchMouse(true);
    ASSERT_TRUE(WaitFor([&] { return controller->Device().mouse_reachable.load() != 0; }));
    // The re-read runs while the worker listens, which is not busy.
    EXPECT_TRUE(WaitFor([&] { return Stored(1, u"dpi_count") == u"4"; }));
    // The pages are refilled after the reads: a change typed before that
    // would race the re-read.
    auto* stages = dynamic_cast<DUI::DPIControl*>(
        ui::FindInPage(*dlg, dlg->performance_page, performance_id::kStages));
    ASSERT_NE(stages, nullptr);
    ASSERT_TRUE(WaitFor([&] { return stages->GetDPIValue(3) == 6400; }));
    ASSERT_TRUE(Settled());
    // And a change now reaches the mouse.
    SetStageValueTyped(controller->Performance(), 0, u"2000");
    ASSERT_TRUE(Settled());
    EXPECT_TRUE(WaitFor([&] {
        const auto stages = mouse->State().settings.at(0x03);
        return (stages[1] | (stages[2] << 8)) == DpiToDeviceCode(kSensor, 2000);
    }));
}

TEST_F(WorkerTest, AStageCodedZeroKeepsItsStoredValue) {
    Plug(true, false);
    Open();
    ASSERT_TRUE(Connected());
    // Another program leaves the mouse with a third stage coded 0.
    const std::string path = mouse->Path(MouseLink::kCable, emulator::kConfigInterface);
    HidInterface other(backend, backend->Open(path), path);
    DpiStagesValues values;
    values.count = 4;
    values.codes = {16, 32, 0, 128, 0, 0};
    ASSERT_TRUE(SendCommand(&other, BuildDpiStages(values)).ok());

    SetConfigValue(1, u"dpi_group0_value", u"999");
    SetConfigValue(1, u"dpi_group2_value", u"777");
    controller->Device().ClearReadSet();
    dlg->QueueTask(kTaskDeviceArrived);
    ASSERT_TRUE(Connected());
    EXPECT_EQ(Stored(1, u"dpi_group0_value"), u"800");
    EXPECT_EQ(Stored(1, u"dpi_group2_value"), u"777");
    EXPECT_EQ(Stored(1, u"dpi_group3_value"), u"6400");
}

TEST_F(WorkerTest, ValuesNoPageAllowsAreNotTakenFromTheMouse) {
    Plug(true, false);
    Open();
    ASSERT_TRUE(Connected());
    const std::u16string count = Stored(1, u"dpi_count");
    const std::u16string index = Stored(1, u"dpi_index");
    const std::u16string liftoff = Stored(1, u"liftoff_height");
    const std::u16string sleep = Stored(1, u"sleep_light");
    // Another program leaves the mouse with a stage byte of FF, a lift-off
    // height of 9 and a sleep time no page offers.
    const std::string path = mouse->Path(MouseLink::kCable, emulator::kConfigInterface);
    HidInterface other(backend, backend->Open(path), path);
    DpiStagesValues values;
    values.count = 15;
    values.index = 15;
    values.codes = {16, 32, 64, 128, 0, 0};
    ASSERT_TRUE(SendCommand(&other, BuildDpiStages(values)).ok());
    ASSERT_TRUE(SendCommand(&other, BuildLiftOffSensor(9, 0)).ok());
    ASSERT_TRUE(SendCommand(&other, BuildSleepResponse({7, 1, 1, 4})).ok());

    SetConfigValue(1, u"dpi_group0_value", u"999");
    controller->Device().ClearReadSet();
    dlg->QueueTask(2);
    ASSERT_TRUE(Connected());
    EXPECT_EQ(Stored(1, u"dpi_count"), count);
    EXPECT_EQ(Stored(1, u"dpi_flag"), count);
    EXPECT_EQ(Stored(1, u"dpi_index"), index);
    EXPECT_EQ(Stored(1, u"liftoff_height"), liftoff);
    EXPECT_EQ(Stored(1, u"sleep_light"), sleep);
    // The stages' values in the same answer are still taken.
    EXPECT_EQ(Stored(1, u"dpi_group0_value"), u"800");
}

TEST_F(WorkerTest, FactoryResetRestoresProfilesAndDeletesAssignments) {
    Plug(true, false);
    Open();
    ASSERT_TRUE(Connected());
    const std::u16string factory = Stored(2, u"dpi_group0_value");
    for (int profile = 1; profile <= 4; ++profile) {
        SetConfigValue(profile, u"dpi_group0_value", u"4321");
    }
    KeyAssignment assignment;
    assignment.profile = 3;
    assignment.key_code = 2;
    assignment.macro_type = 1;
    assignment.macro_value = 0x10;
    SaveKeyAssignment(assignment);
    std::vector<KeyAssignment> assignments;
    ASSERT_EQ(ListKeyAssignments(3, assignments), 1);

    dlg->QueueTask(kTaskRestoreFactorySettings);
    ASSERT_TRUE(Settled());
    for (int profile = 1; profile <= 4; ++profile) {
        EXPECT_EQ(Stored(profile, u"dpi_group0_value"), factory) << profile;
    }
    assignments.clear();
    EXPECT_EQ(ListKeyAssignments(3, assignments), 0);
    EXPECT_EQ(dlg->Device().current_profile.load(), 1);
}

TEST_F(WorkerTest, PluggingTheCableConnectsAndUnpluggingDisconnects) {
    Plug(false, false);
    Open();
    ASSERT_TRUE(Settled());
    EXPECT_FALSE(dlg->Device().device_present.load());

    ASSERT_TRUE(mouse->Plug(MouseLink::kCable));
    ASSERT_TRUE(Connected());
    EXPECT_EQ(Title(main_id::kDeviceState), Text(51));

    ASSERT_TRUE(mouse->Unplug(MouseLink::kCable));
    EXPECT_TRUE(WaitFor([&] {
        return !dlg->Device().device_present.load() && Title(main_id::kDeviceState) == Text(50);
    }));
}

TEST_F(WorkerTest, TasksWithoutBodiesAreConsumed) {
    Plug(true, false);
    Open();
    ASSERT_TRUE(Connected());
    for (int code : {7, 15, 16, 19, 21, 22, 25, 99}) {
        dlg->QueueTask(code);
    }
    EXPECT_TRUE(Settled());
    EXPECT_TRUE(dlg->Device().device_online.load());
}

}  // namespace
}  // namespace tessaly::test
