// Settings the user set stay as set through writes to the mouse, reads back
// from it and a factory reset.

#include <set>
#include <vector>

#include "performance/carried_dpi.h"
#include "performance/change_operations.h"
#include "performance/dpi_conversions.h"
#include "performance/performance_store.h"
#include "profiles/profile_names.h"
#include "storage/light_table.h"
#include "storage/profile_table.h"
#include "ui/main/device_main_dlg.h"
#include "ui/toolkit/toolkit.h"
#include "worker_fixture.h"

namespace tessaly::test {
namespace {

class SettingsSurvive : public WorkerTest {
  protected:
    void PlugSensor(uint8_t sensor) {
        emulator::VirtualMouseConfig config = WirelessMouse(true, false);
        config.identity.sensor_code = sensor;
        mouse = std::make_unique<emulator::VirtualMouse>(backend, config);
    }
    // The mouse's state is read again, as at the next start.
    bool ReadBack() {
        controller->Device().ClearReadSet();
        dlg->QueueTask(kTaskActivateSelected);
        return Settled();
    }
    int MouseStageCode(int stage) {
        const auto stages = mouse->State().settings.at(0x03);
        const size_t at = 1 + 4 * static_cast<size_t>(stage);
        return stages[at] | (stages[at + 1] << 8);
    }
};

// Every DPI value the page offers: each slider position's, and each typed
// number's (every 50 across the range and beyond it).
std::vector<int> OfferedValues(Controller& controller, uint16_t sensor) {
    const SensorLimits limits = controller.Device().Limits();
    std::set<int> values;
    for (int position = 0; position <= limits.slider_positions; ++position) {
        values.insert(SetStageValueSlider(controller.Performance(), 0,
                                          position + limits.slider_offset, false));
    }
    for (int typed = -100; typed <= limits.max_dpi + 1000; typed += 50) {
        values.insert(NearestCarriedDpi(sensor, NormaliseTypedDpi(sensor, typed), limits.min_dpi,
                                        limits.max_dpi));
    }
    return {values.begin(), values.end()};
}

class DpiValuesSurvive : public SettingsSurvive, public ::testing::WithParamInterface<int> {};

TEST_P(DpiValuesSurvive, WriteReadWriteRead) {
    const uint16_t sensor = static_cast<uint16_t>(GetParam());
    PlugSensor(static_cast<uint8_t>(sensor));
    Open();
    ASSERT_TRUE(Connected());
    const SensorLimits limits = controller->Device().Limits();
    const std::vector<int> offered = OfferedValues(*controller, sensor);
    ASSERT_GE(offered.size(), static_cast<size_t>(limits.slider_positions / 2));
    for (size_t first = 0; first < offered.size(); first += kMaxStageCount) {
        std::vector<int> batch;
        for (size_t i = first; i < offered.size() && batch.size() < kMaxStageCount; ++i) {
            batch.push_back(offered[i]);
        }
        for (size_t stage = 0; stage < batch.size(); ++stage) {
            ASSERT_TRUE(WriteConfigNumber(1, StageValueKey(static_cast<int>(stage)), batch[stage]));
        }
        for (int cycle = 0; cycle < 2; ++cycle) {
            SendDpiStages(controller->Performance());
            ASSERT_TRUE(Settled());
            ASSERT_TRUE(ReadBack());
            for (size_t stage = 0; stage < batch.size(); ++stage) {
                const int i = static_cast<int>(stage);
                ASSERT_EQ(ReadStageValue(1, i), batch[stage])
                    << "sensor " << sensor << " cycle " << cycle;
                ASSERT_EQ(MouseStageCode(i),
                          StageDeviceCode(sensor, batch[stage], limits.min_dpi, limits.max_dpi));
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EverySensorTable, DpiValuesSurvive,
                         ::testing::Values(17, 4, 5, 18, 37, 38, 53, 16, 25, 149, 150, 1));

TEST_F(SettingsSurvive, TheReadKeepsTheSensorOptionsTheMouseDoesNotReport) {
    Plug(true, false);
    Open();
    ASSERT_TRUE(Connected());
    SetSensorOptions(controller->Performance(), true, true, true);
    ASSERT_TRUE(Settled());
    ASSERT_TRUE(ReadBack());
    EXPECT_EQ(Stored(1, u"sensor_flag"), u"28");

    // What the mouse reports still wins for its own two bits.
    SetSensorOptions(controller->Performance(), false, true, true);
    ASSERT_TRUE(Settled());
    SetConfigValue(1, u"sensor_flag", u"4");
    ASSERT_TRUE(ReadBack());
    EXPECT_EQ(Stored(1, u"sensor_flag"), u"8");
}

TEST_F(SettingsSurvive, AFactoryResetLeavesStoreButtonAndMouseAgreeingOnProfileOne) {
    Plug(true, false);
    Open();
    ASSERT_TRUE(Connected());
    DUI::Toolkit::Get().PostMessage(dlg->GetSafeHwnd(), ui::kWmProfile, 0, 3);
    ASSERT_TRUE(WaitFor([&] { return GetActiveProfile() == 3; }));
    ASSERT_TRUE(Settled());
    SetStageCount(controller->Performance(), 2);
    SetReportRate(controller->Performance(), 2);
    ASSERT_TRUE(Settled());

    controller->Device().ClearReadSet();
    dlg->QueueTask(kTaskRestoreFactorySettings);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(dlg->Device().current_profile.load(), 1);
    EXPECT_EQ(GetActiveProfile(), 1);
    std::u16string name;
    ASSERT_TRUE(GetProfileName(1, name));
    EXPECT_TRUE(WaitFor([&] { return Title(45) == DisplayProfileName(name); }))
        << ToUtf8(Title(45));
    // The store holds the model's factory values (data/device/tx7w.xml) …
    EXPECT_EQ(Stored(1, u"dpi_count"), u"6");
    EXPECT_EQ(Stored(1, u"dpi_group0_value"), u"400");
    EXPECT_EQ(Stored(1, u"dpi_group5_value"), u"4800");
    EXPECT_EQ(Stored(1, u"report_rate"), u"1");
    EXPECT_EQ(Stored(1, u"report_rate_wireless"), u"1");
    // … and so does the mouse.
    const auto state = mouse->State();
    EXPECT_EQ(state.settings.at(0x03)[0], 0x16);
    EXPECT_EQ(MouseStageCode(0), StageDeviceCode(kSensor, 400, 50, 24000));
    EXPECT_EQ(MouseStageCode(5), StageDeviceCode(kSensor, 4800, 50, 24000));
    EXPECT_EQ(state.settings.at(0x02)[0], 1);
    // Reading the mouse back changes nothing.
    ASSERT_TRUE(ReadBack());
    EXPECT_EQ(Stored(1, u"dpi_count"), u"6");
    EXPECT_EQ(Stored(1, u"dpi_group5_value"), u"4800");
    EXPECT_EQ(Stored(1, u"report_rate"), u"1");
}

// The effect the profile has active and its levels, as command 0x05's first
// two bytes carry them.
std::vector<uint8_t> StoredLighting(int profile) {
    const int effect = GetActiveLightMode(profile);
    LightSetting light;
    if (!GetLight(profile, effect, light))
        return {};
    return {static_cast<uint8_t>(effect),
            static_cast<uint8_t>(light.brightness * 16 + light.speed)};
}

std::vector<uint8_t> MouseLighting(const emulator::VirtualMouse& mouse) {
    const auto held = mouse.State().settings.at(0x05);
    return {held.begin(), held.begin() + std::min<size_t>(2, held.size())};
}

TEST_F(SettingsSurvive, BothLightingResetsStoreWhatTheMouseThenHolds) {
    Plug(true, false);
    Open();
    ASSERT_TRUE(Connected());
    // The reset of everything asks the mouse for effect 4 at the levels it
    // restored; the rows were just made with the program's own levels.
    dlg->QueueTask(kTaskRestoreFactorySettings);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(MouseLighting(*mouse), (std::vector<uint8_t>{4, 0x32}));
    EXPECT_EQ(StoredLighting(1), MouseLighting(*mouse));
    ASSERT_TRUE(ReadBack());
    EXPECT_EQ(StoredLighting(1), (std::vector<uint8_t>{4, 0x32}));

    // The lighting reset: the mouse's factory lighting comes back.
    dlg->QueueTask(kTaskRestoreLighting);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(MouseLighting(*mouse), (std::vector<uint8_t>{1, 0x32}));
    EXPECT_EQ(StoredLighting(1), MouseLighting(*mouse));
}

}  // namespace
}  // namespace tessaly::test
