#include "lighting/lighting_tasks.h"

#include <gmock/gmock.h>

#include "device/memory_mouse.h"
#include "lighting/light_defaults.h"
#include "storage/light_table.h"
#include "storage/profile_table.h"
#include "storage/storage_fixture.h"

namespace tessaly::test {
namespace {

using ::testing::ElementsAre;

class LightingTasksTest : public StorageTest {
  protected:
    void SetUp() override {
        StorageTest::SetUp();
        profile = AddProfile(NamedProfile(u"Profile 1"));
        ASSERT_TRUE(CreateDefaultLights(profile, DeviceOptions{}));
    }
    std::vector<std::vector<uint8_t>> Written() const { return mouse.device->WrittenReports(); }

    MemoryMouse mouse;
    int profile = 0;
};

TEST_F(LightingTasksTest, EachEffectSendsItsLengthAndPayload) {
    mouse.AnswerEverything();
    LightSetting steady;
    ASSERT_TRUE(GetLight(profile, 3, steady));
    steady.brightness = 2;
    steady.speed = 1;
    steady.color_values[0] = 0x30201;
    ASSERT_TRUE(UpdateLight(3, steady));

    ASSERT_TRUE(WriteLighting(mouse.interface.get(), profile, 3));
    ASSERT_TRUE(WriteLighting(mouse.interface.get(), profile, 1));
    ASSERT_TRUE(WriteLighting(mouse.interface.get(), profile, 0));
    const auto written = Written();
    ASSERT_EQ(written.size(), 3u);
    EXPECT_THAT(std::vector<uint8_t>(written[0].begin() + 1, written[0].begin() + 10),
                ElementsAre(0x05, 0x00, 0x01, 0x05, 3, 0x21, 0x01, 0x02, 0x03));
    EXPECT_THAT(std::vector<uint8_t>(written[1].begin() + 4, written[1].begin() + 8),
                ElementsAre(0x03, 1, 0x42, 0x00));
    EXPECT_THAT(std::vector<uint8_t>(written[2].begin() + 4, written[2].begin() + 7),
                ElementsAre(0x02, 0, 0x42));
}

TEST_F(LightingTasksTest, AnEffectWithoutARowSendsNothing) {
    mouse.AnswerEverything();
    EXPECT_TRUE(WriteLighting(mouse.interface.get(), profile + 1, 2));
    EXPECT_TRUE(Written().empty());
}

TEST_F(LightingTasksTest, AnUnansweredWriteFails) {
    EXPECT_FALSE(WriteLighting(mouse.interface.get(), profile, 2));
}

TEST_F(LightingTasksTest, RestoreStoresTheEffectAndItsBrightnessAndSpeed) {
    mouse.AnswerEverything({5, 0x13});  // effect 5, brightness 1, speed 3
    DeviceState state;
    std::vector<int> pauses;
    ASSERT_TRUE(RestoreLighting(mouse.interface.get(), profile, state,
                                [&](int ms) { pauses.push_back(ms); }));
    EXPECT_THAT(pauses, ElementsAre(100));
    const auto written = Written();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[0][1], 0x0E);
    EXPECT_EQ(written[0][5], 0x01);
    EXPECT_EQ(written[1][1], 0x15);
    EXPECT_EQ(state.current_light_effect.load(), 5);
    EXPECT_EQ(GetActiveLightMode(profile), 5);
    LightSetting wave;
    ASSERT_TRUE(GetLight(profile, 5, wave));
    EXPECT_EQ(wave.brightness, 1);
    EXPECT_EQ(wave.speed, 3);
}

TEST_F(LightingTasksTest, RestoreWithoutAnAnswerKeepsTheStore) {
    DeviceState state;
    state.current_light_effect = 1;
    EXPECT_FALSE(RestoreLighting(mouse.interface.get(), profile, state, {}));
    EXPECT_EQ(state.current_light_effect.load(), 1);
    EXPECT_EQ(GetActiveLightMode(profile), 1);
}

}  // namespace
}  // namespace tessaly::test
