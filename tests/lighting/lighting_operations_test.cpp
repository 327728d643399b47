// The lighting changes as the page and the command line both make them:
// which effects and values are refused, what is stored, and the tasks.

#include "lighting/lighting_operations.h"

#include <gtest/gtest.h>

#include <vector>

#include "catalogue/device_catalogue.h"
#include "lighting/light_defaults.h"
#include "lighting/lighting_page_behaviour.h"
#include "storage/light_table.h"
#include "storage/storage_fixture.h"

namespace tessaly {
namespace {

class RecordingHost : public LightingHost {
  public:
    int CurrentProfile() const override { return 1; }
    void QueueTask(int32_t code) override { tasks.push_back(code); }
    void ShowSaveWait() override { ++waits; }
    int ShowMessageBox(std::u16string_view, std::u16string_view, uint32_t) override { return 0; }
    DeviceState& Device() override { return state; }

    std::vector<int32_t> tasks;
    int waits = 0;
    DeviceState state;
};

constexpr int kLevels = 2;   // brightness and speed
constexpr int kSlotted = 3;  // colour slots, no speed
constexpr int kSingle = 4;   // one colour, brightness only
constexpr int kNoEffect = 9;

class LightingOperationsTest : public test::StorageTest {
  protected:
    void SetUp() override {
        StorageTest::SetUp();
        Insert(kLevels, kLightBrightness | kLightSpeed | kLightSingleColour);
        Insert(kSlotted, kLightBrightness | kLightColourSlots);
        Insert(kSingle, kLightBrightness | kLightSingleColour);
        ASSERT_TRUE(SetActiveLight(1, kLevels));
    }
    static void Insert(int mode, uint32_t groups) {
        LightSetting light;
        light.profile = 1;
        light.name = u"Effect";
        light.mode = mode;
        light.brightness = 1;
        light.speed = 1;
        light.color_values = {10, 20, 30, 40, 50, 60, 70};
        light.config_func = static_cast<int>(groups);
        ASSERT_GT(InsertLight(light), 0);
    }
    static LightSetting Stored(int mode) {
        LightSetting light;
        EXPECT_TRUE(GetLight(1, mode, light));
        return light;
    }
    void ExpectOneWrite() const {
        EXPECT_EQ(host_.tasks, std::vector<int32_t>{kTaskWriteLighting});
        EXPECT_EQ(host_.waits, 1);
    }

    RecordingHost host_;
};

TEST_F(LightingOperationsTest, AnEffectBecomesActiveOnlyWhenTheProfileHasIt) {
    EXPECT_EQ(SelectLightEffect(host_, kNoEffect).refusal, LightRefusal::kNoEffect);
    EXPECT_EQ(GetActiveLightMode(1), kLevels);
    EXPECT_TRUE(host_.tasks.empty());

    const LightChange change = SelectLightEffect(host_, kSingle);
    ASSERT_TRUE(change.ok());
    EXPECT_EQ(change.stored.mode, kSingle);
    EXPECT_EQ(GetActiveLightMode(1), kSingle);
    EXPECT_EQ(host_.state.current_light_effect.load(), kSingle);
    ExpectOneWrite();
}

TEST_F(LightingOperationsTest, LevelsNeedTheirGroupAndStayInRange) {
    EXPECT_EQ(SetLightSpeed(host_, kSlotted, 2).refusal, LightRefusal::kNoSpeed);
    EXPECT_EQ(SetLightBrightness(host_, kNoEffect, 2).refusal, LightRefusal::kNoEffect);
    EXPECT_EQ(SetLightBrightness(host_, kLevels, kLightLevelMax + 1).refusal,
              LightRefusal::kOutOfRange);
    EXPECT_EQ(SetLightSpeed(host_, kLevels, -1).refusal, LightRefusal::kOutOfRange);
    EXPECT_TRUE(host_.tasks.empty());
    EXPECT_EQ(Stored(kLevels).brightness, 1);

    ASSERT_TRUE(SetLightBrightness(host_, kLevels, kLightLevelMax).ok());
    ExpectOneWrite();
    ASSERT_TRUE(SetLightSpeed(host_, kLevels, 0).ok());
    EXPECT_EQ(Stored(kLevels).brightness, kLightLevelMax);
    EXPECT_EQ(Stored(kLevels).speed, 0);
    // The other effects keep theirs.
    EXPECT_EQ(Stored(kSingle).brightness, 1);
}

TEST_F(LightingOperationsTest, AColourGoesToValueOneOrToTheChosenSlot) {
    ASSERT_TRUE(SetLightColour(host_, kSingle, 0x302010, 3).ok());
    EXPECT_EQ(Stored(kSingle).color_values, (std::array<int, 7>{0x302010, 20, 30, 40, 50, 60, 70}));
    ExpectOneWrite();

    ASSERT_TRUE(SetLightColour(host_, kSlotted, 0x302010, 2).ok());
    EXPECT_EQ(Stored(kSlotted).color_values,
              (std::array<int, 7>{10, 20, 0x302010, 40, 50, 60, 70}));
    // No slot chosen: the slots stay.
    ASSERT_TRUE(SetLightColour(host_, kSlotted, 0x0000FF, -1).ok());
    EXPECT_EQ(Stored(kSlotted).color_values[0], 10);

    EXPECT_EQ(SetLightColour(host_, kNoEffect, 0x0000FF, 0).refusal, LightRefusal::kNoEffect);
}

TEST_F(LightingOperationsTest, AResetRecreatesTheDefaultsOnlyWithALightingPage) {
    SelectedModel model;
    model.device_type = 1;
    model.options.lighting_page = false;
    DeviceCatalogue::Instance().SetSelected(model);
    ResetLights(host_);
    EXPECT_EQ(CountLights(1), 3);
    EXPECT_EQ(host_.tasks, std::vector<int32_t>{kTaskRestoreLighting});
    EXPECT_EQ(host_.waits, 1);

    LightSetting other_profile = Stored(kSingle);
    other_profile.profile = 2;
    ASSERT_GT(InsertLight(other_profile), 0);
    model.options.lighting_page = true;
    DeviceCatalogue::Instance().SetSelected(model);
    ResetLights(host_);
    // Our own effects are gone; the defaults replace them. Other profiles
    // get theirs when they are next shown.
    LightSetting light;
    EXPECT_FALSE(GetLight(1, kSlotted, light) && light.name == u"Effect");
    EXPECT_GT(CountLights(1), 0);
    EXPECT_EQ(CountLights(2), 0);
    DeviceCatalogue::Instance().Reset();
}

}  // namespace
}  // namespace tessaly
