// The about box as the Qt backend draws it: an opaque dark box the grey
// lines, the logo and the close button stand out on.

#include <gtest/gtest.h>
#include <QImage>
#include <QWidget>
#include <cstdlib>

#include "qt/qt_test_app.h"
#include "ui/dialogs/about_dlg.h"

namespace tessaly::qt {
namespace {

bool Near(const QColor& colour, int grey) {
    return std::abs(colour.red() - grey) <= 4 && std::abs(colour.green() - grey) <= 4 &&
           std::abs(colour.blue() - grey) <= 4;
}

TEST(QtAboutBox, IsDrawnOpaqueInItsOwnDarkColours) {
    test::QtSession session;
    AboutDlg about(AboutVersions{u"1.0.1", u"105", u"100"});
    ASSERT_TRUE(about.Open(nullptr));
    about.ShowWindow(DUI::kSwShow);
    session.backend().Flush();
    QWidget* widget = session.backend().WindowWidgetOf(about.GetSafeHwnd());
    ASSERT_NE(widget, nullptr);
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    const QColor top = image.pixelColor(250, 3);
    const QColor bottom = image.pixelColor(250, image.height() - 3);
    EXPECT_EQ(top.alpha(), 255);
    EXPECT_EQ(bottom.alpha(), 255);
    EXPECT_TRUE(Near(top, 0x1A)) << top.name().toStdString();
    EXPECT_TRUE(Near(bottom, 0x2C)) << bottom.name().toStdString();
    about.DestroyWindow();
}

}  // namespace
}  // namespace tessaly::qt
