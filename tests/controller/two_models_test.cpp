// Two catalogue models connected at once, each behind its own cable: the
// mouse activated in the device list is the one commands reach, and each
// model's store holds what its own mouse holds.

#include "emulator/virtual_mouse_state.h"
#include "performance/change_operations.h"
#include "ui/ids/main_window_ids.h"
#include "ui/toolkit/controls/device_list.h"
#include "worker_fixture.h"

namespace tessaly::test {
namespace {

inline constexpr int kWiredType = 1003;
inline constexpr uint16_t kWiredProduct = 0x3001;
// Report-rate codes: the wired mouse starts with one the wireless lacks.
inline constexpr uint8_t kWiredMouseRate = 0x04;
inline constexpr uint8_t kFactoryRate = 0x01;
inline constexpr int kChosenRate = 2;

class TwoModelsTest : public WorkerTest {
  protected:
    void PlugBoth() {
        Plug(true, false);
        emulator::VirtualMouseState state = emulator::VirtualMouseState::Factory();
        state.settings[0x02] = {kWiredMouseRate};
        const std::string path = (user.path() / "wired.state").string();
        ASSERT_TRUE(emulator::SaveMouseState(state, path));
        emulator::VirtualMouseConfig config;
        config.name = "wired";
        config.cable = {kVendor, kWiredProduct, 0x0102, true};
        config.identity.device_id = {'T', 'X', '3', 'C'};
        config.identity.sensor_code = kSensor;
        config.state_file = path;
        wired = std::make_unique<emulator::VirtualMouse>(backend, config);
    }
    // The device list's selection, then the user's activation (control 57).
    void Activate(int type) {
        auto* list = dynamic_cast<DUI::CDeviceList*>(DUI::HeadlessBackend::Find(*dlg, 57));
        ASSERT_NE(list, nullptr);
        list->SetSelectDevice(type);
        ASSERT_EQ(dlg->OnMessage(main_id::kDeviceList, DUI::kEventActivated, 0, 0), 1);
        ASSERT_TRUE(Settled());
    }
    static uint8_t Rate(const emulator::VirtualMouse& mouse) {
        return mouse.State().settings.at(0x02).at(0);
    }
    void TearDown() override {
        if (dlg) {
            dlg->CloseWindow();
            dlg.reset();
        }
        wired.reset();
        WorkerTest::TearDown();
    }

    std::unique_ptr<emulator::VirtualMouse> wired;
};

TEST_F(TwoModelsTest, ActivatingTheOtherModelMovesCommandsAndReadsIntoItsOwnStore) {
    PlugBoth();
    Open();
    ASSERT_TRUE(Connected());
    // The first connected model of the catalogue is chosen at start.
    ASSERT_EQ(dlg->Device().selected_device_type.load(), kWirelessType);
    ASSERT_EQ(Stored(1, u"report_rate"), u"1");

    Activate(kWiredType);
    EXPECT_EQ(controller->Devices().SelectedType(), kWiredType);
    // Its own mouse's state was read into its own store.
    EXPECT_TRUE(controller->Device().WasRead(kWiredType));
    EXPECT_EQ(Stored(1, u"report_rate"), u"4");

    SetReportRate(controller->Performance(), kChosenRate);
    ASSERT_TRUE(Settled());
    EXPECT_TRUE(WaitFor([&] { return Rate(*wired) == kChosenRate; }));
    EXPECT_EQ(Rate(*mouse), kFactoryRate) << "the command reached the other mouse";

    // Back on the first model: its store and its mouse kept their own values.
    Activate(kWirelessType);
    EXPECT_EQ(controller->Devices().SelectedType(), kWirelessType);
    EXPECT_EQ(Stored(1, u"report_rate"), u"1");
    SetReportRate(controller->Performance(), 3);
    ASSERT_TRUE(Settled());
    EXPECT_TRUE(WaitFor([&] { return Rate(*mouse) == 3; }));
    EXPECT_EQ(Rate(*wired), kChosenRate);
}

}  // namespace
}  // namespace tessaly::test
