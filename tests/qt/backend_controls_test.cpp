// Every control class shows on screen, and the user's clicks, choices,
// drags and typing reach the dialog as the pages expect them.

#include <gtest/gtest.h>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <set>
#include <tuple>
#include <vector>

#include "qt/qt_test_app.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/device_list.h"
#include "ui/toolkit/controls/dpi_control.h"
#include "ui/toolkit/controls/edits.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/mouse_controls.h"
#include "ui/toolkit/controls/palette.h"
#include "ui/toolkit/controls/progress.h"
#include "ui/toolkit/controls/record_list.h"
#include "ui/toolkit/controls/report_ctrl.h"
#include "ui/toolkit/controls/static_controls.h"
#include "ui/toolkit/controls/tabs.h"
#include "ui/toolkit/dialog.h"

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

class RecordingDialog : public DUI::MDialog {
  public:
    int OnMessage(int id, int event, intptr_t param, intptr_t) override {
        events.push_back({id, event, param});
        return 1;
    }
    std::vector<Event> events;
};

class QtControlsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dialog_.Create(nullptr, u"Test", DUI::kDialogStyle, 0, {0, 0, 800, 600}));
        dialog_.ShowWindow(DUI::kSwShow);
    }
    void TearDown() override { dialog_.DestroyWindow(); }

    QWidget& WidgetOf(const DUI::MControl& control) {
        session_.backend().Flush();
        QWidget* widget = session_.backend().ControlWidgetOf(control);
        EXPECT_NE(widget, nullptr) << control.ClassName();
        return widget != nullptr ? *widget : *session_.backend().WindowWidgetOf(1);
    }
    bool Received(Event expected) {
        return PumpUntil([&] {
            for (const Event& e : dialog_.events) {
                if (e == expected) {
                    return true;
                }
            }
            return false;
        });
    }

    QtSession session_;
    RecordingDialog dialog_;
};

// Distinct colours in the grabbed widget: a blank control has one.
int Colours(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            colours.insert(image.pixel(x, y));
        }
    }
    return static_cast<int>(colours.size());
}

TEST_F(QtControlsTest, EveryControlClassRendersSomething) {
    using namespace DUI;
    std::vector<MControl*> controls;
    auto add = [&](MControl* c) {
        controls.push_back(c);
        return c;
    };
    const Rect r{10, 10, 210, 60};
    add(dialog_.CreateControl<MButton>(1, r, u"Apply"));
    add(dialog_.CreateControl<MButton2>(2, r, u"Two"));
    add(dialog_.CreateControl<MButton3>(3, r, u"Three"));
    add(dialog_.CreateControl<CImageButton>(4, r, u"Image"));
    add(dialog_.CreateControl<CTextButton>(5, r, u"Link"));
    add(dialog_.CreateControl<CHelpButton>(6, {10, 10, 40, 40}));
    add(dialog_.CreateControl<CIconButton>(7, r, u"Profile"));
    add(dialog_.CreateControl<CCheckButton>(8, r, u"Check"));
    add(dialog_.CreateControl<CRadioButton>(9, r, u"Radio"));
    static_cast<CColorButton*>(add(dialog_.CreateControl<CColorButton>(10, r)))
        ->SetColor(0xFFFF0000);
    static_cast<MComboBox*>(add(dialog_.CreateControl<MComboBox>(11, r)))->AddItem(u"One");
    static_cast<MComboBox2*>(add(dialog_.CreateControl<MComboBox2>(12, r)))->AddItem(u"One");
    add(dialog_.CreateControl<MEdit>(13, r, u"text"));
    add(dialog_.CreateControl<NumberEdit>(14, r, u"800"));
    auto* bar = static_cast<MProgress*>(add(dialog_.CreateControl<MProgress>(15, r)));
    bar->SetProgress(50);
    auto* running = static_cast<MProgress2*>(add(dialog_.CreateControl<MProgress2>(16, r)));
    running->SetProgress(30);
    auto* dpi_slider = static_cast<DPISlider*>(add(dialog_.CreateControl<DPISlider>(17, r)));
    dpi_slider->SetMaxValue(100);
    dpi_slider->SetDPIDesc(u"50", u"26000");
    static_cast<LightSlider*>(add(dialog_.CreateControl<LightSlider>(18, r)))->SetMaxValue(10);
    auto* tabs = static_cast<MTabCtrl*>(add(dialog_.CreateControl<MTabCtrl>(19, {0, 0, 190, 200})));
    tabs->InsertItem(1, u"Home", u"", nullptr);
    tabs->SelectItem(0);
    static_cast<CArea*>(add(dialog_.CreateControl<CArea>(20, r, u"area")))->SetColor(0xFF203040);
    add(dialog_.CreateControl<CRoundArea>(21, r, u"round"));
    static_cast<BatteryCtrl*>(add(dialog_.CreateControl<BatteryCtrl>(22, r)))
        ->SetBatteryInfo(60, 1);
    add(dialog_.CreateControl<CDeviceState>(23, r, u"Connected"));
    auto* devices =
        static_cast<CDeviceList*>(add(dialog_.CreateControl<CDeviceList>(24, {0, 0, 700, 300})));
    devices->AddDevice(u"Model One", 101, u"");
    auto* stages = static_cast<DPIControl*>(add(dialog_.CreateControl<DPIControl>(25, r)));
    stages->AddItem(800, 0xFFFF0000);
    stages->AddItem(1600, 0xFF00FF00);
    add(dialog_.CreateControl<MPalette>(26, {0, 0, 200, 200}));
    auto* mouse =
        static_cast<MouseCtrl*>(add(dialog_.CreateControl<MouseCtrl>(27, {0, 0, 400, 300})));
    mouse->AddItem(u"Left", 1, 0, {200, 100}, {180, 60});
    auto* keys = static_cast<MouseKeyCtrl*>(add(dialog_.CreateControl<MouseKeyCtrl>(28, r)));
    keys->AddItem(u"Button 1", u"Left click", 1);
    static_cast<MacroList*>(add(dialog_.CreateControl<MacroList>(29, r)))->AddItem(u"Macro 1");
    static_cast<DListBox*>(add(dialog_.CreateControl<DListBox>(30, r)))->AddItem(u"Item");
    static_cast<CRecordList*>(add(dialog_.CreateControl<CRecordList>(31, r)))
        ->AddString(u"Key A down", 1, 4, 0);
    auto* rates = static_cast<ReporteCtrl*>(add(dialog_.CreateControl<ReporteCtrl>(32, r)));
    rates->AddItem(u"1000", 1, 0xFF00AAFF);
    rates->SelectItem(0);
    add(dialog_.CreateControl<MText>(33, r, u"Hello"));
    auto* picture = static_cast<MPicture*>(add(dialog_.CreateControl<MPicture>(34, r)));
    picture->SetImage(u"img_area_bkg.png");

    for (MControl* control : controls) {
        QWidget& widget = WidgetOf(*control);
        EXPECT_TRUE(widget.isVisible()) << control->ClassName();
        EXPECT_GT(Colours(widget), 1) << control->ClassName() << " is blank";
    }
}

TEST_F(QtControlsTest, ClicksAndChoicesArriveWithTheControlsIdAndEvent) {
    using namespace DUI;
    auto* button = dialog_.CreateControl<MButton>(41, {10, 10, 110, 40}, u"Go");
    auto* check = dialog_.CreateControl<CCheckButton>(42, {10, 50, 110, 80}, u"On");
    auto* combo = dialog_.CreateControl<MComboBox>(43, {10, 90, 110, 120});
    combo->AddItem(u"a");
    combo->AddItem(u"b");
    auto* slider = dialog_.CreateControl<LightSlider>(44, {10, 130, 230, 160});
    slider->SetMaxValue(10);

    Click(WidgetOf(*button), {50, 15});
    EXPECT_TRUE(Received({41, kEventActivated, 0}));

    Click(WidgetOf(*check), {5, 15});
    EXPECT_TRUE(Received({42, kEventActivated, 0}));
    EXPECT_TRUE(check->GetCheck());

    auto& box = static_cast<QComboBox&>(WidgetOf(*combo));
    ASSERT_EQ(box.count(), 2);
    emit box.activated(1);
    EXPECT_TRUE(Received({43, kEventActivated, 1}));
    EXPECT_EQ(combo->GetCurSel(), 1);

    // Pressed at the left end, dragged to the right end, released there: one
    // event, with the released value.
    QWidget& track = WidgetOf(*slider);
    test::Press(track, {0, 15}, QEvent::MouseButtonPress);
    test::Press(track, {track.width() - 1, 15}, QEvent::MouseMove);
    EXPECT_EQ(dialog_.events.size(), 3u);
    test::Press(track, {track.width() - 1, 15}, QEvent::MouseButtonRelease);
    EXPECT_TRUE(Received({44, kEventActivated, 10}));
    EXPECT_EQ(slider->GetProgress(), 10);
}

TEST_F(QtControlsTest, DisabledAndHiddenControlsTakeNoInput) {
    auto* button = dialog_.CreateControl<DUI::MButton>(45, {10, 10, 110, 40}, u"Off");
    QWidget& widget = WidgetOf(*button);
    button->SetEnabled(false);
    session_.backend().Flush();
    EXPECT_FALSE(widget.isEnabled());
    Click(widget, {50, 15});
    button->SetEnabled(true);
    button->SetVisible(false);
    session_.backend().Flush();
    EXPECT_FALSE(widget.isVisible());
    Click(widget, {50, 15});
    test::Pump();
    EXPECT_TRUE(dialog_.events.empty());
}

TEST_F(QtControlsTest, EditTypingFocusAndNumberEdits) {
    auto* edit = dialog_.CreateControl<DUI::MEdit>(51, {10, 10, 210, 40});
    auto* number = dialog_.CreateControl<DUI::NumberEdit>(52, {10, 50, 210, 80});
    auto& line = static_cast<QLineEdit&>(WidgetOf(*edit));
    auto& digits = static_cast<QLineEdit&>(WidgetOf(*number));
    QWidget* window = session_.backend().WindowWidgetOf(dialog_.GetSafeHwnd());
    window->activateWindow();

    line.setFocus();
    EXPECT_TRUE(Received({51, DUI::kEventSetFocus, 0}));
    line.setText(QStringLiteral("Macro"));
    emit line.textEdited(line.text());
    EXPECT_EQ(edit->GetTitle(), u"Macro");
    digits.setFocus();
    EXPECT_TRUE(Received({51, DUI::kEventKillFocus, 0}));

    // Letters are refused; what is left is reported as a change (29).
    digits.setText(QStringLiteral("12a3"));
    emit digits.textEdited(digits.text());
    EXPECT_EQ(number->GetTitle(), u"123");
    EXPECT_EQ(digits.text(), QStringLiteral("123"));
    EXPECT_TRUE(Received({52, DUI::kEventKillFocus, 0}));
    emit digits.returnPressed();
    EXPECT_TRUE(Received({52, DUI::kEventActivated, 0}));
}

TEST_F(QtControlsTest, ListsDeliverTheClickedItemAndTheirMoreButton) {
    auto* list = dialog_.CreateControl<DUI::MacroList>(61, {10, 10, 310, 200});
    list->AddItem(u"first");
    list->AddItem(u"second");
    auto* stages = dialog_.CreateControl<DUI::DPIControl>(62, {10, 210, 410, 290});
    stages->AddItem(800, 0xFFFF0000);
    stages->AddItem(1600, 0xFF00FF00);

    QWidget& rows = WidgetOf(*list);
    Click(rows, {40, 45});  // the second row
    EXPECT_TRUE(Received({61, DUI::kEventActivated, 1}));
    EXPECT_EQ(list->GetCurSel(), 1);
    Click(rows, {rows.width() - 5, 15});  // the first row's "more" button
    EXPECT_TRUE(Received({61, 5, 0}));

    QWidget& cells = WidgetOf(*stages);
    Click(cells, {cells.width() * 3 / 4, 60});
    EXPECT_TRUE(Received({62, DUI::kEventActivated, 1}));
    Click(cells, {cells.width() / 4, 8});  // the colour bar of stage 0
    EXPECT_TRUE(Received({62, 9, 0}));
}

}  // namespace
}  // namespace tessaly::qt
