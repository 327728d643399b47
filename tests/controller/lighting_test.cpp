// The lighting page and the profiles end to end: the whole program on the
// headless toolkit against the virtual mouse.

#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "device/commands/command_builders.h"
#include "device/commands/command_sender.h"
#include "profiles/profile_names.h"
#include "storage/key_table.h"
#include "storage/light_table.h"
#include "storage/profile_table.h"
#include "ui/ids/lighting_page_ids.h"
#include "ui/ids/main_window_ids.h"
#include "ui/ids/profile_dialog_ids.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/controls/item_lists.h"
#include "worker_fixture.h"

namespace tessaly::test {
namespace {

using emulator::MouseLink;
using ::testing::ElementsAre;
using H = DUI::HeadlessBackend;

class LightingEndToEnd : public WorkerTest {
  protected:
    void SetUp() override {
        Plug(true, false);
        Open();
        ASSERT_TRUE(Connected());
        dlg->ShowDevicePages();
        ASSERT_TRUE(H::Deliver(*dlg, main_id::kTabs, DUI::kEventActivated, main_id::kLightingTab));
    }
    std::vector<std::vector<uint8_t>> Written() const {
        return mouse->Device(MouseLink::kCable, emulator::kConfigInterface)->WrittenReports();
    }
    // The command bytes of the writes after the first `from` reports.
    std::vector<int> WriteCommands(size_t from) const {
        const auto reports = Written();
        std::vector<int> codes;
        for (size_t i = from; i < reports.size(); ++i) {
            const int code = reports[i][1];
            if (code >= 0x02 && code <= 0x09) {
                codes.push_back(code);
            }
        }
        return codes;
    }
    bool ChooseEffect(int mode) {
        auto* list = dynamic_cast<DUI::MComboBox*>(
            ui::FindInPage(*dlg, dlg->lighting_page, lighting_id::kEffectList));
        for (int i = 0; list != nullptr && i < list->GetItemCount(); ++i) {
            if (list->GetItemData(i) == mode) {
                return H::Deliver(*dlg, lighting_id::kEffectList, DUI::kEventActivated, i);
            }
        }
        return false;
    }
    // Another program's handle on the mouse.
    bool SendFromOutside(const CommandRequest& request) {
        const std::string path = mouse->Path(MouseLink::kCable, emulator::kConfigInterface);
        HidInterface other(backend, backend->Open(path), path);
        return SendCommand(&other, request).ok();
    }
    // Plays the user in the profile dialog opened from the name control.
    void InProfileDialog(std::function<void(DUI::MDialog&)> act) {
        session.backend().SetModalPolicy([act](DUI::MWindow& window) {
            if (window.GetTitle() == u"ProfileDlg") {
                act(static_cast<DUI::MDialog&>(window));
                return DUI::ModalAnswer::None();
            }
            return DUI::ModalAnswer::FirstButton();
        });
        ASSERT_TRUE(H::Click(*dlg, main_id::kProfile));
    }
};

TEST_F(LightingEndToEnd, NewProfilesAreNamedAfterTheLanguagesWordAndTheFirstIsActive) {
    std::vector<ProfileInfo> profiles;
    ASSERT_EQ(ListProfiles(profiles), 4);
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(profiles[n - 1].name, LoadLanguageString(61) + u" " + IntToDecimal(n));
    }
    EXPECT_EQ(GetActiveProfile(), 1);
    EXPECT_EQ(Title(main_id::kProfile), DisplayProfileName(profiles[0].name));
    // The connection refreshed the page with the mouse's effect.
    EXPECT_EQ(CountLights(1), 6);
    EXPECT_EQ(GetActiveLightMode(1), 1);
}

TEST_F(LightingEndToEnd, SelectingBreathingSendsItsSevenColours) {
    const size_t before = Written().size();
    ASSERT_TRUE(ChooseEffect(2));
    ASSERT_TRUE(Settled());
    const auto reports = Written();
    std::vector<uint8_t> sent;
    for (size_t i = before; i < reports.size(); ++i) {
        if (reports[i][1] == 0x05) {
            sent = reports[i];
        }
    }
    ASSERT_EQ(sent.size(), 65u);
    EXPECT_EQ(sent[4], 0x18);
    EXPECT_EQ(sent[5], 2);
    EXPECT_EQ(sent[6], 4 * 16 + 2);
    EXPECT_EQ(sent[7], 7);
    const uint32_t colours[] = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00,
                                0x00FFFF, 0xFF00FF, 0xFFFFFF};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(sent[8 + 3 * i], colours[i] & 0xFF) << i;
        EXPECT_EQ(sent[9 + 3 * i], (colours[i] >> 8) & 0xFF) << i;
        EXPECT_EQ(sent[10 + 3 * i], (colours[i] >> 16) & 0xFF) << i;
    }
    EXPECT_EQ(mouse->State().settings.at(0x05).at(0), 2);
}

TEST_F(LightingEndToEnd, AColourChosenOnThePageReachesTheMouse) {
    ASSERT_TRUE(ChooseEffect(3));
    ASSERT_TRUE(H::Click(*dlg, lighting_id::kFirstPreset + 4));  // 0x06FF00
    ASSERT_TRUE(Settled());
    ASSERT_TRUE(WaitFor([&] {
        const auto steady = mouse->State().settings.at(0x05);
        return steady.size() >= 5 && steady[0] == 3 && steady[2] == 0x00 && steady[3] == 0xFF &&
               steady[4] == 0x06;
    }));
}

TEST_F(LightingEndToEnd, RestoreLightingStoresTheMousesFactoryLightingReadBack) {
    // The mouse shows another effect than the store's first.
    LightingValues values;
    values.effect = 3;
    values.brightness = 2;
    values.speed = 1;
    ASSERT_TRUE(SendFromOutside(BuildLighting(values)));
    // Every open handle of the interface gets that answer too (as hidraw
    // does); the worker's idle read takes it before the restore is queued,
    // or the restore's exchange would take it for its own.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    session.ProcessPending();
    SetActiveLight(1, 2);

    // The mouse goes back to its own factory lighting (effect 1 at 3/2), and
    // that is what the store and the page then hold.
    ASSERT_TRUE(
        H::Click(*dlg, lighting_id::kReset));  // the question is answered with its first button
    ASSERT_TRUE(WaitFor([&] { return GetActiveLightMode(1) == 1; }));
    ASSERT_TRUE(Settled());
    LightSetting flowing;
    ASSERT_TRUE(GetLight(1, 1, flowing));
    EXPECT_EQ(flowing.brightness, 3);
    EXPECT_EQ(flowing.speed, 2);
    EXPECT_EQ(controller->Device().current_light_effect.load(), 1);
    auto* list = dynamic_cast<DUI::MComboBox*>(
        ui::FindInPage(*dlg, dlg->lighting_page, lighting_id::kEffectList));
    EXPECT_TRUE(WaitFor([&] { return list->GetCurData() == 1; }));
    const auto reports = Written();
    EXPECT_TRUE(std::any_of(reports.begin(), reports.end(), [](const std::vector<uint8_t>& r) {
        return r[1] == 0x0E && r[5] == 0x01;
    }));
}

TEST_F(LightingEndToEnd, SwitchingProfileFromTheDialogSendsTheWholeProfile) {
    SetConfigValue(2, u"report_rate", u"2");
    const size_t before = Written().size();
    InProfileDialog([](DUI::MDialog& d) {
        EXPECT_TRUE(H::Deliver(d, profile_dialog_id::kList, DUI::kEventActivated, 1));
    });
    ASSERT_TRUE(WaitFor([&] { return dlg->Device().current_profile.load() == 2; }));
    ASSERT_TRUE(Settled());
    EXPECT_EQ(GetActiveProfile(), 2);
    EXPECT_EQ(Title(main_id::kProfile), DisplayProfileName(LoadLanguageString(61) + u" 2"));
    // Tasks 6, 8 and 9 … 13 in that order.
    EXPECT_THAT(WriteCommands(before), ElementsAre(0x09, 0x05, 0x03, 0x04, 0x02, 0x06, 0x07));
    EXPECT_EQ(mouse->State().settings.at(0x02).at(0), 2);
    EXPECT_EQ(CountLights(2), 6);
}

TEST_F(LightingEndToEnd, ExportThenImportThroughTheDialogRestoresTheProfile) {
    const std::u16string path = FromUtf8((user.path() / "Backup.xml").string());
    KeyAssignment key;
    key.profile = 1;
    key.key_code = 3;
    key.macro_type = 1;
    key.macro_value = 5;  // forward
    ASSERT_GT(SaveKeyAssignment(key), 0);
    SetConfigValue(1, u"dpi_group2_value", u"3200");

    session.backend().SetFileAnswer(path);
    InProfileDialog([](DUI::MDialog& d) { EXPECT_TRUE(H::Click(d, profile_dialog_id::kExport)); });
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(user.path() / "Backup.xml"); }));

    DeleteProfileKeys(1);
    SetConfigValue(1, u"dpi_group2_value", u"400");
    InProfileDialog([](DUI::MDialog& d) { EXPECT_TRUE(H::Click(d, profile_dialog_id::kImport)); });
    ASSERT_TRUE(WaitFor([&] { return Stored(1, u"dpi_group2_value") == u"3200"; }));
    ASSERT_TRUE(Settled());
    KeyAssignment restored;
    ASSERT_TRUE(GetKeyAssignment(1, 3, restored));
    EXPECT_EQ(restored.macro_value, 5);
    std::u16string name;
    GetProfileName(1, name);
    EXPECT_EQ(name, u"Backup");
    EXPECT_EQ(Title(main_id::kProfile), u"Backup");
}

}  // namespace
}  // namespace tessaly::test
