#pragma once
// The main window on the headless toolkit with a numbered language, a
// settings database with one profile, a chosen set of effects and a host
// that records what the lighting page asks of the controller.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "catalogue/device_catalogue.h"
#include "lighting/lighting_host.h"
#include "lighting/lighting_page_behaviour.h"
#include "storage/light_table.h"
#include "storage/profile_table.h"
#include "storage/storage_fixture.h"
#include "ui/dialogs/numbered_language.h"
#include "ui/ids/lighting_page_ids.h"
#include "ui/ids/main_window_ids.h"
#include "ui/main/controller_fixture.h"
#include "ui/pages/control_table.h"
#include "ui/pages/lighting_page.h"
#include "ui/toolkit/dui.h"

namespace tessaly::test {

class RecordingLightingHost : public LightingHost {
  public:
    int CurrentProfile() const override { return profile; }
    void QueueTask(int32_t code) override { tasks.push_back(code); }
    void ShowSaveWait() override { ++waits; }
    int ShowMessageBox(std::u16string_view message, std::u16string_view title,
                       uint32_t buttons) override {
        boxes.push_back({std::u16string(message), std::u16string(title), buttons});
        return box_answer;
    }
    DeviceState& Device() override { return state; }

    struct Box {
        std::u16string message;
        std::u16string title;
        uint32_t buttons;
    };
    int profile = 1;
    int box_answer = 1;
    std::vector<int32_t> tasks;
    int waits = 0;
    std::vector<Box> boxes;
    DeviceState state;
};

// Effects by number: index 0 is "off" (light_6), 1 … 5 the others.
inline DeviceOptions OfferedEffects(std::array<bool, kLightingEffectCount> effects) {
    DeviceOptions options;
    options.lighting_effects = effects;
    return options;
}

class LightingTest : public ui::test::ControllerFixture {
  protected:
    LightingTest() {
        SetUserDataFolderOverride(data.u16(true));
        CreateFolderPath(UserDataFolder() + u"db");
        opened = SettingsDatabase::Instance().OpenForModel(UserDataFolder(), u"L100");
        profile = AddProfile(NamedProfile(u"Profile 1"));
        UseModel(DeviceOptions{});
    }
    ~LightingTest() override {
        DeviceCatalogue::Instance().Reset();
        SettingsDatabase::Instance().Close();
        SetUserDataFolderOverride(u"");
    }
    void SetUp() override {
        ASSERT_TRUE(opened);
        ASSERT_GT(profile, 0);
        host.profile = profile;
        Open();
        dlg->ShowDevicePages();
        ASSERT_TRUE(DUI::HeadlessBackend::Deliver(*dlg, main_id::kTabs, DUI::kEventActivated,
                                                  main_id::kLightingTab));
        page = InstallLightingPage(ui::LightingPageContextOf(*dlg), host);
    }
    static void UseModel(const DeviceOptions& options) {
        SelectedModel model;
        model.device_type = 1;
        model.options = options;
        DeviceCatalogue::Instance().SetSelected(model);
    }

    template <typename T = DUI::MControl>
    T* In(int id) {
        return dynamic_cast<T*>(ui::FindInPage(*dlg, dlg->lighting_page, id));
    }
    bool Deliver(int id, int event, intptr_t param = 0) {
        return DUI::HeadlessBackend::Deliver(*dlg, id, event, param);
    }
    bool Visible(int id) { return In(id)->IsVisible(); }
    // Chooses the list item with the effect, as the user does.
    bool ChooseEffect(int mode) {
        auto* list = In<DUI::MComboBox>(lighting_id::kEffectList);
        for (int i = 0; i < list->GetItemCount(); ++i) {
            if (list->GetItemData(i) == mode) {
                return Deliver(lighting_id::kEffectList, DUI::kEventActivated, i);
            }
        }
        return false;
    }
    LightSetting Row(int mode) {
        LightSetting light;
        EXPECT_TRUE(GetLight(profile, mode, light)) << mode;
        return light;
    }

    NumberedLanguage language;
    TempDir data;
    bool opened = false;
    int profile = 0;
    RecordingLightingHost host;
    std::shared_ptr<LightingPage> page;
};

}  // namespace tessaly::test
