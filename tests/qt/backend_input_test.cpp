// Input on the painted controls (tabs, device cards, palette, in-place
// rename) and on windows (close box, resize), and skin images with their
// frames in place of the code look.

#include <gtest/gtest.h>
#include <QCloseEvent>
#include <QImage>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <set>
#include <vector>

#include "qt/qt_test_app.h"
#include "support/temp_dir.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/device_list.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/palette.h"
#include "ui/toolkit/controls/tabs.h"
#include "ui/toolkit/dialog.h"
#include "ui/toolkit/manager.h"

namespace tessaly::qt {
namespace {

using test::Click;
using test::PumpUntil;
using test::QtSession;

struct Event {
    int id;
    int event;
    intptr_t param;
    bool operator==(const Event&) const = default;
};

class InputDialog : public DUI::MDialog {
  public:
    int OnMessage(int id, int event, intptr_t param, intptr_t) override {
        events.push_back({id, event, param});
        return 1;
    }
    void UISize(DUI::Rect client) override { sizes.push_back(client); }
    std::vector<Event> events;
    std::vector<DUI::Rect> sizes;
};

class QtInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dialog_.Create(nullptr, u"Input", DUI::kDialogStyle, 0, {0, 0, 800, 600}));
        dialog_.ShowWindow(DUI::kSwShow);
    }
    void TearDown() override {
        dialog_.DestroyWindow();
        DUI::Manager::SetSkinFolder(u"");
    }
    QWidget& WidgetOf(const DUI::MControl& control) {
        session_.backend().Flush();
        QWidget* widget = session_.backend().ControlWidgetOf(control);
        EXPECT_NE(widget, nullptr);
        return *widget;
    }
    bool Received(Event expected) {
        return PumpUntil([&] {
            return std::find(dialog_.events.begin(), dialog_.events.end(), expected) !=
                   dialog_.events.end();
        });
    }

    QtSession session_;
    InputDialog dialog_;
};

TEST_F(QtInputTest, TabClicksGiveTheModelIndexSkippingHiddenTabs) {
    auto* tabs = dialog_.CreateControl<DUI::MTabCtrl>(48, {0, 100, 190, 500});
    tabs->InsertItem(1, u"Home", u"", nullptr);
    tabs->InsertItem(2, u"Buttons", u"", nullptr);
    tabs->InsertItem(3, u"Performance", u"", nullptr);
    tabs->SetItemVisible(1, false);
    QWidget& widget = WidgetOf(*tabs);
    // Rows of 56: the second visible row is the third tab.
    Click(widget, {50, 56 + 20});
    EXPECT_TRUE(Received({48, DUI::kEventActivated, 2}));
    EXPECT_EQ(tabs->GetCurSel(), 2);
}

TEST_F(QtInputTest, DeviceCardClickSelectsThatModel) {
    auto* list = dialog_.CreateControl<DUI::CDeviceList>(57, {0, 0, 700, 300});
    list->AddDevice(u"One", 101, u"");
    list->AddDevice(u"Two", 102, u"");
    QWidget& widget = WidgetOf(*list);
    // Two cards of 300 with a gap of 24, centred in 700.
    Click(widget, {700 / 2 + 12 + 150, 120});
    EXPECT_TRUE(Received({57, DUI::kEventActivated, 1}));
    EXPECT_EQ(list->GetSelectDevice(), 102);
}

TEST_F(QtInputTest, PaletteDragReportsSelectionChangesWithTheColour) {
    auto* palette = dialog_.CreateControl<DUI::MPalette>(200, {0, 0, 360, 256});
    QWidget& widget = WidgetOf(*palette);
    test::Press(widget, {0, 0}, QEvent::MouseButtonPress);
    test::Press(widget, {0, 0}, QEvent::MouseButtonRelease);
    ASSERT_FALSE(dialog_.events.empty());
    EXPECT_EQ(dialog_.events.back().event, 27);
    // The left top corner is pure red at full saturation.
    EXPECT_EQ(static_cast<DUI::Color>(dialog_.events.back().param), 0xFFFF0000u);
    EXPECT_EQ(palette->GetSelectColor(), 0xFFFF0000u);
}

TEST_F(QtInputTest, MacroNameIsRenamedInPlace) {
    auto* list = dialog_.CreateControl<DUI::MacroList>(156, {0, 0, 300, 200});
    list->AddItem(u"Macro 1");
    list->AddItem(u"Macro 2");
    QWidget& widget = WidgetOf(*list);
    test::Press(widget, {40, 45}, QEvent::MouseButtonDblClick);
    auto* editor = widget.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("Macro 2"));
    editor->setText(QStringLiteral("Sniper"));
    emit editor->editingFinished();
    EXPECT_TRUE(Received({156, DUI::kEventKillFocus, 0}));
    EXPECT_EQ(list->GetItemText(1), u"Sniper");
    EXPECT_EQ(list->GetItemText(0), u"Macro 1");
}

TEST_F(QtInputTest, CloseBoxAndResizeReachTheWindow) {
    session_.backend().Flush();
    QWidget* window = session_.backend().WindowWidgetOf(dialog_.GetSafeHwnd());
    ASSERT_NE(window, nullptr);
    window->resize(900, 650);
    EXPECT_TRUE(PumpUntil([&] { return dialog_.GetClientRect().Width() == 900; }));
    ASSERT_FALSE(dialog_.sizes.empty());
    EXPECT_EQ(dialog_.sizes.back(), (DUI::Rect{0, 0, 900, 650}));

    QCloseEvent close;
    QApplication::sendEvent(window, &close);
    EXPECT_FALSE(dialog_.IsCreated());  // the base close destroys the window
}

TEST_F(QtInputTest, ModalRunEndsWithDoOk) {
    DUI::MDialog popup;
    ASSERT_TRUE(popup.Create(&dialog_, u"Popup", DUI::kDialogStyle, 0, {0, 0, 300, 200}));
    QTimer::singleShot(50, [&popup] { popup.DoOK(); });
    EXPECT_EQ(popup.ShowModal(DUI::kSwShow), 1);
    EXPECT_FALSE(popup.IsVisible());
}

// A skin image of four frames, one colour each: normal, hover, pressed,
// disabled.
class QtSkinTest : public QtInputTest {
  protected:
    void WriteFrames(const char* name, const std::vector<QColor>& colours) {
        QImage image(10 * static_cast<int>(colours.size()), 10, QImage::Format_ARGB32);
        for (size_t i = 0; i < colours.size(); ++i) {
            for (int y = 0; y < 10; ++y) {
                for (int x = 0; x < 10; ++x) {
                    image.setPixelColor(static_cast<int>(i) * 10 + x, y, colours[i]);
                }
            }
        }
        ASSERT_TRUE(image.save(QString::fromStdString((skin_.path() / name).string()), "PNG"));
        DUI::Manager::SetSkinFolder(skin_.u16(true));
    }
    static QColor Centre(QWidget& widget) {
        const QImage image = widget.grab().toImage();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    }
    tessaly::test::TempDir skin_;
};

TEST_F(QtSkinTest, ButtonsDrawTheirImageFrameByState) {
    WriteFrames("btn_frames_a.png", {Qt::red, Qt::green, Qt::blue, Qt::gray});
    auto* button = dialog_.CreateControl<DUI::MButton>(1, {10, 10, 110, 50});
    button->SetImage(u"btn_frames_a.png", 4);
    QWidget& widget = WidgetOf(*button);
    EXPECT_EQ(Centre(widget), QColor(Qt::red));
    button->SetEnabled(false);
    session_.backend().Flush();
    EXPECT_EQ(Centre(widget), QColor(Qt::gray));
}

TEST_F(QtSkinTest, MissingImageFallsBackToTheCodeLook) {
    auto* button = dialog_.CreateControl<DUI::MButton>(1, {10, 10, 110, 50}, u"Apply");
    button->SetImage(u"no_such_image.png", 4);
    QWidget& widget = WidgetOf(*button);
    const QImage image = widget.grab().toImage();
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    EXPECT_GT(colours.size(), 3u);
}

}  // namespace
}  // namespace tessaly::qt
