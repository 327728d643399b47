// What the pages draw is what they hold: the mouse picture lit in the
// lighting's colours, and the macro events numbered in their own column.

#include <gtest/gtest.h>
#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "base/unicode.h"
#include "qt/qt_test_app.h"
#include "ui/qt/skin_images.h"
#include "ui/toolkit/controls/record_list.h"
#include "ui/toolkit/controls/static_controls.h"
#include "ui/toolkit/dialog.h"
#include "ui/toolkit/manager.h"

namespace tessaly::qt {
namespace {

using test::QtSession;

class QtPagePictures : public ::testing::Test {
  protected:
    void SetUp() override {
        DUI::Manager::SetSkinFolder(FromUtf8(std::string(TESSALY_BINARY_DIR) + "/skins/default/"));
        ClearSkinCache();
        ASSERT_TRUE(dialog_.Create(nullptr, u"Test", DUI::kDialogStyle, 0, {0, 0, 800, 600}));
        dialog_.ShowWindow(DUI::kSwShow);
    }
    void TearDown() override {
        dialog_.DestroyWindow();
        DUI::Manager::SetSkinFolder(u"");
        ClearSkinCache();
    }
    QImage Grab(const DUI::MControl& control) {
        session_.backend().Flush();
        QWidget* widget = session_.backend().ControlWidgetOf(control);
        EXPECT_NE(widget, nullptr);
        return widget != nullptr ? widget->grab().toImage() : QImage();
    }

    QtSession session_;
    DUI::MDialog dialog_;
};

// The shipped wireless model's picture: its glow under the palm and its
// rim are lit, the buttons are not.
constexpr QPoint kGlow{230, 370};
constexpr QPoint kRim{337, 220};
constexpr QPoint kLeftButton{170, 120};

bool Near(QColor shown, QColor wanted) {
    return std::abs(shown.red() - wanted.red()) < 40 &&
           std::abs(shown.green() - wanted.green()) < 40 &&
           std::abs(shown.blue() - wanted.blue()) < 40;
}

TEST_F(QtPagePictures, TheMousePictureShowsTheLightsColours) {
    auto* picture = dialog_.CreateControl<DUI::MPicture>(31, {0, 0, 460, 480});
    picture->SetImage(u"device\\tx7w.png", 1);
    const QImage plain = Grab(*picture);
    ASSERT_FALSE(Near(plain.pixelColor(kGlow), Qt::red));

    picture->SetLightZone({u"device\\tx7w_light.png", {0xFFFF0000}});
    const QImage red = Grab(*picture);
    EXPECT_TRUE(Near(red.pixelColor(kGlow), Qt::red)) << red.pixelColor(kGlow).name().toStdString();
    EXPECT_TRUE(Near(red.pixelColor(kRim), Qt::red)) << red.pixelColor(kRim).name().toStdString();
    EXPECT_EQ(red.pixelColor(kLeftButton), plain.pixelColor(kLeftButton));

    // Several colours run from the top to the bottom of the picture.
    picture->SetLightZone({u"device\\tx7w_light.png", {0xFF00FF00, 0xFF0000FF}});
    const QImage two = Grab(*picture);
    EXPECT_GT(two.pixelColor(kRim).green(), two.pixelColor(kGlow).green());
    EXPECT_GT(two.pixelColor(kGlow).blue(), two.pixelColor(kRim).blue());

    // Off: the zone is unlit, in no colour of the picture's own glow.
    picture->SetLightZone({u"device\\tx7w_light.png", {}});
    const QColor off = Grab(*picture).pixelColor(kGlow);
    EXPECT_LT(off.value(), 100);
    EXPECT_LT(off.hsvSaturation(), 80);
}

// Columns of pixels where two renderings of the list differ, left of the
// rows' "more" mark at their end.
std::pair<int, int> DifferingColumns(const QImage& a, const QImage& b) {
    constexpr int kMoreMark = 40;
    int first = a.width();
    int last = -1;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width() - kMoreMark; ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    return {first, last};
}

TEST_F(QtPagePictures, TheEventListNumbersEachEventInItsOwnColumn) {
    auto* list = dialog_.CreateControl<DUI::CRecordList>(166, {10, 10, 400, 200});
    list->SetColumns(80, 220);
    list->AddString(u"", 1, 10, 0);
    const QImage number_only = Grab(*list);
    list->SetRecordInfo(0, {u"\u2193  Left button", 1, 10, 0});
    const QImage with_text = Grab(*list);
    list->DeleteAllItems();
    const QImage empty = Grab(*list);

    // The number stands left of the event column, the text inside it.
    const auto [number_from, number_to] = DifferingColumns(empty, number_only);
    EXPECT_LE(number_from, number_to) << "no number drawn";
    EXPECT_LE(number_to, 80);
    const auto [text_from, text_to] = DifferingColumns(number_only, with_text);
    EXPECT_LE(text_from, text_to) << "no text drawn";
    EXPECT_GE(text_from, 80);
    EXPECT_LE(text_to, 300);
}

}  // namespace
}  // namespace tessaly::qt
