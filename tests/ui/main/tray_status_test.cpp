#include "ui/main/tray_status.h"

#include <gtest/gtest.h>

#include "base/application_name.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"

namespace tessaly::ui {
namespace {

class TrayStatusTest : public ::testing::Test {
  protected:
    size_t Notices() const { return tray.Notices().size(); }

    MemoryTrayIcon tray;
    TrayStatus status{tray};
};

TEST_F(TrayStatusTest, TooltipNamesTheMouseItsBatteryAndTheProfile) {
    EXPECT_EQ(status.Tooltip(), ApplicationName()) << "no mouse";
    status.SetMouse(u"TX7 Wireless");
    status.SetBattery(80, true);
    status.SetProfile(u"Profile 2");
    const std::u16string battery = LoadLanguageString(text::kTrayBattery);
    const std::u16string charging = LoadLanguageString(text::kTrayCharging);
    EXPECT_EQ(tray.Tip(), ApplicationName() + u"\nTX7 Wireless\n" + battery + u": 80 % (" +
                              charging + u")\nProfile 2");
    // No reading: no battery line.
    status.SetBattery(255, false);
    EXPECT_EQ(tray.Tip(), ApplicationName() + u"\nTX7 Wireless\nProfile 2");
    // The mouse gone: the program's name alone.
    status.SetMouse(u"");
    EXPECT_EQ(tray.Tip(), ApplicationName());
}

TEST_F(TrayStatusTest, LowBatteryIsToldOncePerCrossing) {
    status.SetMouse(u"TX7");
    status.SetBattery(40, false);
    EXPECT_EQ(Notices(), 0u);
    status.SetBattery(14, false);
    ASSERT_EQ(Notices(), 1u);
    EXPECT_EQ(tray.Notices()[0].message, LoadLanguageString(text::kTrayBatteryLow));
    status.SetBattery(12, false);
    status.SetBattery(13, true);  // plugged in for a moment
    status.SetBattery(11, false);
    EXPECT_EQ(Notices(), 1u) << "still the same crossing";
    status.SetBattery(15, true);
    status.SetBattery(14, false);
    EXPECT_EQ(Notices(), 2u) << "a new crossing";
    status.SetBattery(300, false);  // no reading changes nothing
    status.SetBattery(10, false);
    EXPECT_EQ(Notices(), 2u);
}

TEST_F(TrayStatusTest, CompletedChargingIsToldOnce) {
    status.SetMouse(u"TX7");
    status.SetBattery(90, true);
    status.SetBattery(100, true);
    ASSERT_EQ(Notices(), 1u);
    EXPECT_EQ(tray.Notices()[0].message, LoadLanguageString(text::kTrayBatteryFull));
    status.SetBattery(100, true);
    EXPECT_EQ(Notices(), 1u);
    // Unplugged and charged again to full: a new charge.
    status.SetBattery(99, false);
    status.SetBattery(100, true);
    EXPECT_EQ(Notices(), 2u);
}

}  // namespace
}  // namespace tessaly::ui
