// A refresh of the device list against the virtual mouse, as the main
// window sees it: the list's rows, the caption, which parts show, the tab.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controller/discovery_window.h"
#include "device/device_discovery.h"
#include "device/device_manager.h"
#include "device/hid_backend.h"
#include "emulator/virtual_mouse_fixture.h"
#include "ui/ids/main_window_ids.h"

namespace tessaly::emulator::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr int kType = 3;

class DiscoveryTest : public ::testing::Test {
  protected:
    explicit DiscoveryTest(bool cable = true, bool receiver = false)
        : rig_(TestConfig(cable, receiver)) {
        manager_.SetPause([](std::chrono::milliseconds) {});
        manager_.AddIdentity({kVendor, kCableProduct, kType, 0, u"TM01"});
        manager_.AddIdentity({kVendor, kReceiverProduct, kType, 1, u"TM01"});
    }

    VirtualMouseRig rig_;
    ScopedHidBackend scoped_{rig_.backend};
    DeviceManager manager_;
};

class ReceiverDiscoveryTest : public DiscoveryTest {
  protected:
    ReceiverDiscoveryTest() : DiscoveryTest(false, true) {}
};

class BothLinksDiscoveryTest : public DiscoveryTest {
  protected:
    BothLinksDiscoveryTest() : DiscoveryTest(true, true) {}
};

// A window that writes down what discovery asks of it.
class RecordingHost : public DiscoveryHost, public DiscoveryWindow {
  public:
    int remembered = kType;
    int select_answer = kType;
    bool settings_visible = false;
    std::vector<std::string> calls;

    int ReadRememberedType() override { return remembered; }
    void WriteRememberedType(int type) override { Log("remember", type); }
    std::vector<IdentityRecord> CatalogueIdentities() override {
        return {{kVendor, kCableProduct, kType, 0, u"TM01"},
                {kVendor, kReceiverProduct, kType, 1, u"TM01"}};
    }
    void LoadModel(int type) override { Log("load", type); }
    void SetAllDeviceState(int state) override { Log("all", state); }
    void SetDeviceState(int type, int mode, int state) override { Log("state", type, mode, state); }
    void SetDeviceVersion(int type, uint32_t version) override {
        Log("version", type, static_cast<int>(version));
    }
    void SetSelectDevice(int type) override { Log("select", type); }
    int GetSelectDevice() override { return select_answer; }
    void SetCurrentDeviceType(int type) override { Log("current", type); }
    void SetDevicePresent(bool present) override { Log("present", present); }
    void ShowOutcome(DiscoveryOutcome outcome) override { ShowDiscoveryOutcome(outcome, *this); }
    void SetDeviceOnline(bool online) override { Log("online", online); }
    void SetControlText(int control, int text) override { Log("text", control, text); }
    void ShowControl(int control, bool show) override { Log(show ? "show" : "hide", control); }
    bool ControlVisible(int control) override {
        return control == ui::kSettingsPageId && settings_visible;
    }
    void SelectTab(int index) override { Log("tab", index); }
    void CloseTransientWindows() override { Log("close popups"); }

  private:
    template <typename... Values>
    void Log(const std::string& what, Values... values) {
        std::string line = what;
        ((line += " " + std::to_string(values)), ...);
        calls.push_back(line);
    }
};

TEST_F(BothLinksDiscoveryTest, RefreshMirrorsTheCableConnectionInTheWindow) {
    RecordingHost host;
    host.settings_visible = true;
    SelectRememberedDevice(manager_, host);
    EXPECT_THAT(host.calls, ElementsAre("load 3"));
    host.calls.clear();
    RefreshDeviceList(manager_, host);
    EXPECT_THAT(
        host.calls,
        ElementsAreArray({"all 0",      "state 3 0 1", "version 3 261", "select 3",    "current 3",
                          "remember 3", "load 3",      "present 1",     "text 44 51",  "online 1",
                          "hide 47",    "hide 48",     "hide 31",       "show 49",     "hide 44",
                          "hide 45",    "hide 46",     "hide 58",       "hide 59",     "show 57",
                          "hide 56",    "show 40",     "show 41",       "close popups"}));
    EXPECT_EQ(manager_.SelectedType(), kType);
    EXPECT_TRUE(manager_.Opened());
}

TEST_F(DiscoveryTest, RefreshWithNothingConnectedShowsTheNoDeviceState) {
    rig_.mouse->Unplug(MouseLink::kCable);
    RecordingHost host;
    RefreshDeviceList(manager_, host);
    EXPECT_THAT(host.calls, ElementsAreArray({"all 0", "present 0", "text 44 50", "online 0",
                                              "hide 47", "hide 48", "hide 31", "hide 57", "show 49",
                                              "show 58", "show 59", "tab 0", "close popups"}));
    EXPECT_EQ(manager_.CurrentInterface(), nullptr);
}

TEST_F(ReceiverDiscoveryTest, RefreshWithAnUnidentifiedReceiverShowsNoKind) {
    rig_.mouse->SetSilent(MouseLink::kReceiver, true);
    RecordingHost host;
    RefreshDeviceList(manager_, host);
    EXPECT_THAT(host.calls, ::testing::Contains("present 1"));
    EXPECT_THAT(host.calls, ::testing::Contains("text 44 50"));
    EXPECT_THAT(host.calls, ::testing::Not(::testing::Contains("select 3")));
}

}  // namespace
}  // namespace tessaly::emulator::test
