// Light commands act on the lighting page's controls as the user would; the
// page stores the effect's row and task 8 sends it.

#include <gmock/gmock.h>

#include <algorithm>

#include "cli_fixture.h"

namespace tessaly::test {
namespace {

using ::testing::HasSubstr;

TEST_F(CliTest, LightEffectAndColourStoreTheRowAndWriteTheMouse) {
    const CliResult list = Cli({"light", "list"});
    ASSERT_EQ(list.code, 0) << list.err;
    EXPECT_THAT(list.out, HasSubstr("Breathing"));

    // What the start-up read alone writes, to tell the effect's own write.
    ClearTrace();
    ASSERT_EQ(Cli({"status"}).code, 0);
    const size_t read_only = Writes().size();
    ClearTrace();
    ASSERT_EQ(Cli({"light", "effect", "2"}).code, 0);
    EXPECT_GT(Writes().size(), read_only);
    EXPECT_EQ(Query("SELECT mode FROM t_light_data WHERE profile = 1 AND status = 1"),
              std::vector<std::string>{"2"});

    const CliResult colour = Cli({"--json", "light", "colour", "#102030"});
    ASSERT_EQ(colour.code, 0) << colour.err;
    EXPECT_EQ(Query("SELECT color_value1 FROM t_light_data WHERE profile = 1 AND mode = 2"),
              std::vector<std::string>{std::to_string(0x302010)});
    EXPECT_THAT(colour.out, HasSubstr("\"colour\": \"#102030\""));

    const std::vector<std::string> before = AllTables();
    for (const std::vector<std::string>& refused :
         {std::vector<std::string>{"light", "effect", "99"},
          {"light", "colour", "blue"},
          {"light", "reset"}}) {
        EXPECT_EQ(Cli(refused).code, 2) << refused[1];
        EXPECT_EQ(AllTables(), before) << refused[1];
    }
}

// Breathing (2) has the colour slots beside the palette; steady (3) one colour.
TEST_F(CliTest, LightColourFillsTheChosenSlotOfAnEffectThatHasSlots) {
    ASSERT_EQ(Cli({"light", "effect", "2"}).code, 0);
    const CliResult second = Cli({"light", "colour", "#102030", "2"});
    ASSERT_EQ(second.code, 0) << second.err;
    ASSERT_EQ(Cli({"light", "colour", "#405060", "7"}).code, 0);
    EXPECT_EQ(Query("SELECT color_value1, color_value2, color_value7 FROM t_light_data "
                    "WHERE profile = 1 AND mode = 2"),
              std::vector<std::string>{std::to_string(0x0000FF) + "|" + std::to_string(0x302010) +
                                       "|" + std::to_string(0x605040)});

    ASSERT_EQ(Cli({"light", "effect", "3"}).code, 0);
    const std::vector<std::string> before = AllTables();
    const CliResult single = Cli({"light", "colour", "#405060", "2"});
    EXPECT_EQ(single.code, 2);
    EXPECT_THAT(single.err, HasSubstr("has one colour"));
    for (const char* slot : {"0", "8", "first"})
        EXPECT_EQ(Cli({"light", "colour", "#405060", slot}).code, 2) << slot;
    EXPECT_EQ(AllTables(), before);
    ASSERT_EQ(Cli({"light", "colour", "#405060", "1"}).code, 0);
    EXPECT_EQ(Query("SELECT color_value1 FROM t_light_data WHERE profile = 1 AND mode = 3"),
              std::vector<std::string>{std::to_string(0x605040)});
}

TEST_F(CliTest, ALightingResetTheMouseDidNotTakeFailsAndReadsNothingBack) {
    const auto active = [this] {
        return Query("SELECT mode FROM t_light_data WHERE profile = 1 AND status = 1");
    };
    ASSERT_EQ(Cli({"--yes", "light", "reset"}).code, 0);
    const std::vector<std::string> reset = active();
    for (const std::string fault : {"0E=silent", "0E=status:04", "0E=off"}) {
        ASSERT_EQ(Cli({"light", "effect", "2"}).code, 0);
        extra_env = {"TESSALY_EMULATE_FAULTS=" + fault};
        ClearTrace();
        const CliResult result = Cli({"--yes", "light", "reset"});
        extra_env.clear();
        EXPECT_EQ(result.code, 1) << fault;
        EXPECT_THAT(result.err, HasSubstr("the mouse did not take the lighting reset")) << fault;
        // What the mouse did not take is not read back as its choice.
        const std::vector<std::string> writes = Writes();
        const auto restore = std::find_if(writes.rbegin(), writes.rend(), [](const auto& write) {
            return write.rfind("00 0E ", 0) == 0;
        });
        ASSERT_NE(restore, writes.rend()) << fault;
        EXPECT_TRUE(std::none_of(writes.rbegin(), restore, [](const auto& write) {
            return write.rfind("00 15 ", 0) == 0;
        })) << fault;
        // The reset the user asked for is stored, to be sent on the next connection.
        EXPECT_EQ(active(), reset) << fault;
    }
}

// The lighting write: command 0x05, then the effect and brightness * 16 + speed.
bool SendsLighting(const std::vector<std::string>& writes, const std::string& effect_and_values) {
    return std::any_of(writes.begin(), writes.end(), [&](const std::string& write) {
        return write.rfind("00 05 ", 0) == 0 && write.compare(15, 5, effect_and_values) == 0;
    });
}

TEST_F(CliTest, LightBrightnessAndSpeedAreTheSlidersLetGo) {
    // Flowing (effect 1) is shown first, with brightness 4 and speed 2.
    ASSERT_EQ(Cli({"status"}).code, 0);
    ClearTrace();
    const CliResult brightness = Cli({"--json", "light", "brightness", "1"});
    ASSERT_EQ(brightness.code, 0) << brightness.err;
    EXPECT_EQ(Query("SELECT brightness, speed FROM t_light_data WHERE profile = 1 AND mode = 1"),
              std::vector<std::string>{"1|2"});
    EXPECT_TRUE(SendsLighting(Writes(), "01 12"));
    EXPECT_THAT(brightness.out, HasSubstr("\"brightness\": 1"));

    ClearTrace();
    ASSERT_EQ(Cli({"light", "speed", "4"}).code, 0);
    EXPECT_EQ(Query("SELECT brightness, speed FROM t_light_data WHERE profile = 1 AND mode = 1"),
              std::vector<std::string>{"1|4"});
    EXPECT_TRUE(SendsLighting(Writes(), "01 14"));
    // Only the shown effect changes.
    EXPECT_EQ(Query("SELECT brightness, speed FROM t_light_data WHERE profile = 1 AND mode = 2"),
              std::vector<std::string>{"4|2"});
    // The mouse keeps the values: the next start-up read agrees.
    ASSERT_EQ(Cli({"light", "list"}).code, 0);
    EXPECT_EQ(Query("SELECT brightness, speed FROM t_light_data WHERE profile = 1 AND mode = 1"),
              std::vector<std::string>{"1|4"});

    // Steady (effect 3) has no speed slider and "off" neither slider.
    ASSERT_EQ(Cli({"light", "effect", "3"}).code, 0);
    const std::vector<std::string> before = AllTables();
    const CliResult speed = Cli({"light", "speed", "1"});
    EXPECT_EQ(speed.code, 2);
    EXPECT_THAT(speed.err, HasSubstr("light effect 3 has no speed"));
    EXPECT_EQ(AllTables(), before);
    ASSERT_EQ(Cli({"light", "effect", "0"}).code, 0);
    EXPECT_THAT(Cli({"light", "brightness", "2"}).err,
                HasSubstr("light effect 0 has no brightness"));
}

TEST_F(CliTest, LightSliderPositionsOutsideThePagesAreRefusedBeforeStartUp) {
    for (const std::vector<std::string>& refused :
         {std::vector<std::string>{"light", "brightness", "5"},
          {"light", "brightness", "-1"},
          {"light", "speed", "fast"},
          {"light", "speed"}}) {
        const CliResult result = Cli(refused);
        EXPECT_EQ(result.code, 2) << refused.back();
        EXPECT_THAT(result.err,
                    HasSubstr("usage: tessalyctl [options] light " + refused[1] + " N"));
    }
    EXPECT_THAT(Cli({"light", "brightness", "5"}).err,
                HasSubstr("the brightness must be 0–4, not 5"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "data" / "db"));
}

TEST_F(CliTest, LangGivesThisRunsTextsWithoutStoringTheLanguage) {
    const CliResult chinese = Cli({"--lang", "2052", "light", "list"});
    ASSERT_EQ(chinese.code, 0) << chinese.err;
    EXPECT_THAT(chinese.out, HasSubstr("呼吸"));
    EXPECT_THAT(Cli({"light", "list"}).out, HasSubstr("Breathing"));

    const CliResult unknown = Cli({"--lang", "9999", "status"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_THAT(unknown.err, HasSubstr("language 9999 is not offered"));
}

}  // namespace
}  // namespace tessaly::test
