// The window as a keyboard and screen-reader user meets it: on every page
// Tab reaches every control that takes input, once per round, a panel at a
// time, and each stop has a name and a role a screen reader can say; the
// focused control shows a ring.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "program_window.h"
#include "ui/qt/theme.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/static_controls.h"

namespace tessaly::qt::test {
namespace {

// Pictures this large are page backgrounds, not panels.
constexpr double kPanelAtMostOfWindow = 0.5;

std::string Describe(const DUI::MControl& control) {
    std::ostringstream text;
    text << control.ClassName() << " " << control.GetId();
    return text.str();
}

// Presses Tab from the first stop until focus comes back to it.
std::vector<QWidget*> TabRound(QWidget& top, QWidget& first, size_t limit) {
    first.setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> visited;
    for (size_t i = 0; i < limit; ++i) {
        QWidget* focus = top.focusWidget();
        if (focus == nullptr || (i > 0 && focus == &first)) {
            break;
        }
        visited.push_back(focus);
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(focus, &tab);
    }
    return visited;
}

// The smallest panel picture that holds the control's centre; null for the
// frame's controls.
const DUI::MControl* PanelOf(ProgramWindow& program, const DUI::MControl& control) {
    const DUI::Rect window = program.window().GetClientRect();
    const double window_area = double(window.Width()) * window.Height();
    const DUI::Rect r = control.GetRect();
    const int cx = (r.left + r.right) / 2;
    const int cy = (r.top + r.bottom) / 2;
    const DUI::MControl* best = nullptr;
    double best_area = window_area * kPanelAtMostOfWindow;
    for (const DUI::MControl* other : program.window().Controls()) {
        if (!other->IsArea() || !other->IsShown() || other->ClassName() != "MPicture") {
            continue;
        }
        const DUI::Rect p = other->GetRect();
        const double area = double(p.Width()) * p.Height();
        if (cx >= p.left && cx < p.right && cy >= p.top && cy < p.bottom && area < best_area) {
            best = other;
            best_area = area;
        }
    }
    return best;
}

// Focus and focus rings need the window to be the active one.
bool Activate(QWidget& top) {
    top.activateWindow();
    return PumpUntil([&] { return top.isActiveWindow(); }, 2000);
}

class KeyboardAccessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetCurrentLcid(1033);
        ReloadLanguageFiles();
    }
};

TEST_F(KeyboardAccessTest, TabReachesEveryControlOfEveryPageOncePanelByPanelAndEachIsNamed) {
    ProgramWindow program({0, 0, 1300, 788});
    ASSERT_TRUE(program.created());
    program.window().ShowWindow(DUI::kSwShow);
    ASSERT_TRUE(program.Settle());
    program.backend().Flush();
    QWidget* top = program.backend().WindowWidgetOf(program.window().GetSafeHwnd());
    ASSERT_NE(top, nullptr);
    ASSERT_TRUE(Activate(*top));

    for (const PageRow& row : kPages) {
        SCOPED_TRACE(row.name);
        program.Show(row);
        // What the page's refresh changes must be in place before the walk.
        ASSERT_TRUE(program.Settle());
        program.backend().Flush();
        const std::vector<Stop> stops = OperableControls(program.window(), program.backend());
        ASSERT_GT(stops.size(), 3u);
        std::map<QWidget*, const DUI::MControl*> by_widget;
        for (const Stop& stop : stops) {
            by_widget[stop.widget] = stop.control;
        }

        const std::vector<QWidget*> round = TabRound(*top, *stops.front().widget, stops.size() * 3);
        std::set<QWidget*> seen;
        std::vector<const DUI::MControl*> order;
        for (QWidget* widget : round) {
            auto found = by_widget.find(widget);
            if (found == by_widget.end()) {
                ADD_FAILURE() << "Tab stops on a widget that is no control of the page: "
                              << widget->metaObject()->className();
                continue;
            }
            EXPECT_TRUE(seen.insert(widget).second) << Describe(*found->second) << " twice";
            order.push_back(found->second);
        }
        for (const Stop& stop : stops) {
            EXPECT_TRUE(seen.count(stop.widget) != 0)
                << Describe(*stop.control) << " is not reached with Tab";
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(stop.widget);
            ASSERT_NE(accessible, nullptr) << Describe(*stop.control);
            EXPECT_FALSE(accessible->text(QAccessible::Name).trimmed().isEmpty())
                << Describe(*stop.control) << " has no name";
            EXPECT_NE(accessible->role(), QAccessible::Client) << Describe(*stop.control);
            EXPECT_NE(accessible->role(), QAccessible::NoRole) << Describe(*stop.control);
        }

        // A panel, once left, is not come back to.
        std::set<const DUI::MControl*> left_panels;
        const DUI::MControl* current = nullptr;
        std::string walked;
        for (const DUI::MControl* control : order) {
            const DUI::MControl* panel = PanelOf(program, *control);
            walked += Describe(*control) + " (panel " +
                      std::to_string(panel != nullptr ? panel->GetId() : 0) + "), ";
            if (panel == current) {
                continue;
            }
            EXPECT_TRUE(panel == nullptr || left_panels.count(panel) == 0)
                << Describe(*control) << " is reached after its panel was left: " << walked;
            if (current != nullptr) {
                left_panels.insert(current);
            }
            current = panel;
        }
    }
}

// How many pixels of the image's one-pixel border lie near the colour.
int BorderPixelsNear(const QImage& image, QColor colour) {
    auto near = [&](QColor c) {
        return std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40 &&
               std::abs(c.blue() - colour.blue()) < 40;
    };
    int count = 0;
    for (int x = 0; x < image.width(); ++x) {
        for (int y : {1, 2, image.height() - 2, image.height() - 3}) {
            count += near(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return count;
}

TEST_F(KeyboardAccessTest, TheKeyboardFocusDrawsARingTheMouseDoesNot) {
    QtSession session;
    DUI::MDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr, u"Tessaly", DUI::kDialogStyle, 0, {0, 0, 400, 300}));
    auto* first = dialog.CreateControl<DUI::MButton>(1, {20, 20, 180, 60}, u"Apply");
    auto* second = dialog.CreateControl<DUI::MButton>(2, {20, 80, 180, 120}, u"Reset");
    dialog.ShowWindow(DUI::kSwShow);
    session.backend().Flush();
    QWidget* first_widget = session.backend().ControlWidgetOf(*first);
    QWidget* second_widget = session.backend().ControlWidgetOf(*second);
    ASSERT_NE(first_widget, nullptr);
    ASSERT_NE(second_widget, nullptr);
    ASSERT_TRUE(Activate(*first_widget->window()));

    const int unfocused = BorderPixelsNear(first_widget->grab().toImage(), Theme::Accent());
    second_widget->setFocus(Qt::MouseFocusReason);
    first_widget->setFocus(Qt::MouseFocusReason);
    const int by_mouse = BorderPixelsNear(first_widget->grab().toImage(), Theme::Accent());
    second_widget->setFocus(Qt::TabFocusReason);
    first_widget->setFocus(Qt::TabFocusReason);
    const int by_tab = BorderPixelsNear(first_widget->grab().toImage(), Theme::Accent());

    // A ring around the whole control: most of its top and bottom rows.
    EXPECT_GT(by_tab, unfocused + first_widget->width());
    EXPECT_LE(by_mouse, unfocused + 4);
    dialog.DestroyWindow();
}

}  // namespace
}  // namespace tessaly::qt::test
