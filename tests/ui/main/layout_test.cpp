#include <gtest/gtest.h>

#include "ui/main/main_window_layout.h"

namespace tessaly::ui {
namespace {

using DUI::Rect;

TEST(MainWindowLayout, DesignSizeGivesTheTable) {
    const FrameLayout f = ComputeFrameLayout({0, 0, 1300, 788});
    EXPECT_FLOAT_EQ(f.scale, 1.0f);
    EXPECT_EQ(f.background, (Rect{0, 0, 1300, 788}));
    EXPECT_EQ(f.caption, (Rect{1, 1, 1299, 50}));
    EXPECT_EQ(f.bottom_strip, (Rect{1, 738, 1299, 787}));
    EXPECT_EQ(f.close, (Rect{1250, 10, 1280, 40}));
    EXPECT_EQ(f.minimise, (Rect{1218, 10, 1248, 40}));
    EXPECT_EQ(f.settings, (Rect{1186, 10, 1216, 40}));
    EXPECT_EQ(f.title, (Rect{520, 10, 780, 40}));
    EXPECT_EQ(f.version, (Rect{25, 750, 225, 776}));
    EXPECT_EQ(f.website, (Rect{250, 750, 1050, 776}));
    EXPECT_EQ(f.battery, (Rect{1170, 50, 1265, 80}));
    EXPECT_EQ(f.device_state, (Rect{25, 11, 125, 38}));
    EXPECT_EQ(f.profile, (Rect{1130, 750, 1280, 776}));
    EXPECT_EQ(f.tab_background, (Rect{1, 50, 201, 738}));
    EXPECT_EQ(f.tabs, (Rect{1, 120, 191, 480}));
    EXPECT_EQ(f.feature_page, (Rect{200, 80, 1280, 738}));
    EXPECT_EQ(f.home_page, (Rect{20, 80, 1280, 738}));
    EXPECT_EQ(f.custom_key_page, (Rect{480, 130, 1080, 738}));
    EXPECT_EQ(f.settings_page, (Rect{1, 50, 1299, 748}));
    EXPECT_EQ(f.device_list, (Rect{200, 200, 1100, 688}));
    EXPECT_EQ(f.notice, (Rect{400, 200, 900, 280}));
    EXPECT_EQ(f.centred_notice, (Rect{475, 200, 825, 280}));
}

TEST(MainWindowLayout, LargerWindowScalesAndTruncates) {
    // s = 970 / 788 = 1.23096...
    const FrameLayout f = ComputeFrameLayout({0, 0, 1600, 970});
    EXPECT_NEAR(f.scale, 1.230964f, 1e-5);
    EXPECT_EQ(f.close, (Rect{1550, 10, 1580, 40}));
    EXPECT_EQ(f.title, (Rect{670, 10, 930, 40}));
    EXPECT_EQ(f.website, (Rect{400, 932, 1200, 958}));
    EXPECT_EQ(f.feature_page, (Rect{200, 80, 1580, 920}));
    // 250s = 307.7, 50s = 61.5
    EXPECT_EQ(f.custom_key_page, (Rect{537, 141, 1137, 920}));
    // 500s = 615.4, 200s = 246.1, 80s = 98.4: x = (1600 - 615) / 2
    EXPECT_EQ(f.notice, (Rect{492, 246, 1107, 344}));
    // 350s = 430.8
    EXPECT_EQ(f.centred_notice, (Rect{585, 246, 1015, 344}));
}

TEST(MainWindowLayout, WindowSizeFitsTheScreensFreeArea) {
    // Room enough, or no screen known: the design size.
    EXPECT_EQ(MainWindowSize({0, 0, 1920, 1040}), (DUI::Size{1300, 788}));
    EXPECT_EQ(MainWindowSize({0, 0, 1300, 788}), (DUI::Size{1300, 788}));
    EXPECT_EQ(MainWindowSize({}), (DUI::Size{1300, 788}));
    // Too low (1366x768, with and without a panel): the height decides.
    EXPECT_EQ(MainWindowSize({0, 0, 1366, 768}), (DUI::Size{1267, 768}));
    EXPECT_EQ(MainWindowSize({0, 32, 1366, 768}), (DUI::Size{1214, 736}));
    // Too narrow: the width decides.
    EXPECT_EQ(MainWindowSize({0, 0, 1024, 768}), (DUI::Size{1024, 620}));
    // The chosen height is what the layout computes its scale from.
    const DUI::Size small = MainWindowSize({0, 0, 1366, 768});
    EXPECT_NEAR(LayoutScale({0, 0, small.width, small.height}), 768.0f / 788.0f, 1e-6);
}

TEST(MainWindowLayout, InformationPageAtDesignSize) {
    const InformationLayout info = ComputeInformationLayout(1.0f);
    EXPECT_EQ(info.background, (Rect{230, 80, 880, 738}));
    EXPECT_EQ(info.title, (Rect{245, 80, 430, 120}));
    EXPECT_EQ(info.title_font_width, 18);
    const InformationRow& r1 = info.rows[0];
    EXPECT_EQ(r1.box, (Rect{245, 130, 860, 190}));
    EXPECT_EQ(r1.marker, (Rect{260, 145, 270, 175}));
    // The name over its status, both left of the button.
    EXPECT_EQ(r1.name, (Rect{280, 136, 625, 160}));
    EXPECT_EQ(r1.status, (Rect{280, 160, 625, 184}));
    EXPECT_EQ(r1.button, (Rect{635, 145, 850, 175}));
    const InformationRow& r2 = info.rows[1];
    EXPECT_EQ(r2.box, (Rect{245, 200, 860, 260}));
    EXPECT_EQ(r2.marker, (Rect{260, 215, 270, 245}));
    EXPECT_EQ(r2.button, (Rect{635, 215, 850, 245}));
}

TEST(MainWindowLayout, InformationRowsKeepTheirPartsApartAtEveryScale) {
    for (float s : {1.0f, LayoutScale({0, 0, 1600, 970}), 768.0f / 788.0f, 620.0f / 788.0f}) {
        const InformationLayout info = ComputeInformationLayout(s);
        for (const InformationRow& row : info.rows) {
            EXPECT_LE(row.name.bottom, row.status.top) << s;
            EXPECT_LE(row.name.right, row.button.left) << s;
            EXPECT_LE(row.status.right, row.button.left) << s;
            EXPECT_LE(row.button.right, row.box.right) << s;
            EXPECT_LE(row.status.bottom, row.box.bottom) << s;
        }
        EXPECT_LE(info.rows[0].box.bottom, info.rows[1].box.top) << s;
    }
}

TEST(MainWindowLayout, InformationPageScaled) {
    const InformationLayout info = ComputeInformationLayout(LayoutScale({0, 0, 1600, 970}));
    // 650s = 800.1, 658s = 809.9, 18s = 22.2, 50s = 61.5, 70s = 86.2, 15s = 18.5
    EXPECT_EQ(info.background, (Rect{230, 80, 1030, 889}));
    EXPECT_EQ(info.title_font_width, 22);
    EXPECT_EQ(info.rows[0].box.top, 141);
    EXPECT_EQ(info.rows[1].box.top, 141 + 86);
    EXPECT_EQ(info.rows[1].marker.top, 141 + 86 + 18);
}

TEST(MainWindowLayout, PicturesOfOnePixelOrLessAreNotPlaced) {
    EXPECT_FALSE(MousePictureRect({0, 0, 1300, 788}, {1, 300}));
    EXPECT_FALSE(MousePictureRect({0, 0, 1300, 788}, {0, 0}));
    EXPECT_FALSE(LogoRect({1, 1}));
    EXPECT_EQ(LogoRect({120, 40}), (Rect{10, 70, 130, 110}));
}

// The information page's panel is opaque and drawn over the picture: the
// picture must lie right of it, inside the page, at every window size.
TEST(MainWindowLayout, TheMousePictureIsNotCoveredByTheInformationPanel) {
    const DUI::Size small = MainWindowSize({0, 0, 1366, 768});
    for (Rect client :
         {Rect{0, 0, 1300, 788}, Rect{0, 0, 1600, 970}, Rect{0, 0, small.width, small.height}}) {
        const int panel_right = ComputeInformationLayout(LayoutScale(client)).background.right;
        for (DUI::Size picture : {DUI::Size{460, 480}, DUI::Size{400, 300}}) {
            // Elsewhere the callouts are drawn for the design's place.
            EXPECT_EQ(MousePictureRect(client, picture),
                      (Rect{client.right - picture.width - 150, 135, client.right - 150,
                            135 + picture.height}));
            const std::optional<Rect> rect = MousePictureRect(client, picture, true);
            ASSERT_TRUE(rect);
            EXPECT_GT(rect->left, panel_right) << client.right;
            EXPECT_LE(rect->right, client.right - 20) << client.right;
            // Shrunk or not, it keeps its shape (to a pixel).
            EXPECT_NEAR(static_cast<double>(rect->Width()) / rect->Height(),
                        static_cast<double>(picture.width) / picture.height, 0.01);
        }
    }
    // Where there is room the design's place stands.
    EXPECT_EQ(MousePictureRect({0, 0, 1920, 788}, {400, 300}, true), (Rect{1370, 135, 1770, 435}));
}

}  // namespace
}  // namespace tessaly::ui
