// How the backend keeps its widgets in step with the model when that is
// costly: controls of pages not shown get their widgets when first shown,
// and drop-down lists follow item changes without being rebuilt.

#include <gtest/gtest.h>
#include <QAbstractItemModel>
#include <QComboBox>
#include <QStringList>
#include <string>
#include <thread>

#include "base/unicode.h"
#include "qt/qt_test_app.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/tabs.h"
#include "ui/toolkit/dialog.h"

namespace tessaly::qt {
namespace {

using test::PumpUntil;
using test::QtSession;

class QtViewsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dialog_.Create(nullptr, u"Test", DUI::kDialogStyle, 0, {0, 0, 800, 600}));
        dialog_.ShowWindow(DUI::kSwShow);
    }
    void TearDown() override { dialog_.DestroyWindow(); }

    QComboBox& BoxOf(const DUI::MComboBox& combo) {
        session_.backend().Flush();
        auto* box = qobject_cast<QComboBox*>(session_.backend().ControlWidgetOf(combo));
        EXPECT_NE(box, nullptr);
        return box != nullptr ? *box : fallback_;
    }
    static QStringList Texts(const QComboBox& box) {
        QStringList texts;
        for (int i = 0; i < box.count(); ++i) {
            texts << box.itemText(i);
        }
        return texts;
    }

    QtSession session_;
    DUI::MDialog dialog_;
    QComboBox fallback_;
};

TEST_F(QtViewsTest, ComboBoxFollowsItemChangesWithoutRebuilding) {
    auto* combo = dialog_.CreateControl<DUI::MComboBox>(1, {10, 10, 210, 40});
    combo->AddItem(u"one");
    QComboBox& box = BoxOf(*combo);
    int removed = 0;
    QObject::connect(
        box.model(), &QAbstractItemModel::rowsRemoved,
        [&removed](const QModelIndex&, int first, int last) { removed += last - first + 1; });

    for (const char16_t* text : {u"two", u"three", u"four"}) {
        combo->AddItem(text);
        session_.backend().Flush();
    }
    EXPECT_EQ(Texts(box), QStringList({"one", "two", "three", "four"}));
    EXPECT_EQ(removed, 0) << "an appended item rebuilt the list";

    combo->RemoveItem(1);
    session_.backend().Flush();
    EXPECT_EQ(Texts(box), QStringList({"one", "three", "four"}));
    EXPECT_EQ(removed, 1);

    combo->SetItemText(0, u"first");
    combo->SelectItem(2);
    session_.backend().Flush();
    EXPECT_EQ(Texts(box), QStringList({"first", "three", "four"}));
    EXPECT_EQ(box.currentIndex(), 2);

    // Equal texts on both sides of a change: the list still ends as the model.
    combo->DeleteAllItems();
    for (const char16_t* text : {u"a", u"b", u"a", u"b"}) {
        combo->AddItem(text);
    }
    combo->RemoveItem(2);
    session_.backend().Flush();
    EXPECT_EQ(Texts(box), QStringList({"a", "b", "b"}));
}

TEST_F(QtViewsTest, ListFilledByAnotherThreadEndsComplete) {
    auto* combo = dialog_.CreateControl<DUI::MComboBox>(1, {10, 10, 210, 40});
    QComboBox& box = BoxOf(*combo);
    constexpr int kItems = 3000;
    std::thread worker([combo] {
        for (int i = 0; i < kItems; ++i) {
            combo->AddItem(FromUtf8("Macro " + std::to_string(i)));
        }
        combo->SelectItem(kItems - 1);
    });
    worker.join();
    ASSERT_TRUE(
        PumpUntil([&] { return box.count() == kItems && box.currentIndex() == kItems - 1; }));
    EXPECT_EQ(box.itemText(0), "Macro 0");
    EXPECT_EQ(box.itemText(kItems / 2), QString("Macro %1").arg(kItems / 2));
    EXPECT_EQ(box.itemText(kItems - 1), QString("Macro %1").arg(kItems - 1));
}

TEST_F(QtViewsTest, HiddenControlsAppearWhenShownAndKeepTheModelsStacking) {
    const DUI::Rect r{10, 10, 210, 60};
    auto* below = dialog_.CreateControl<DUI::MButton>(1, r, u"Below");
    below->SetVisible(false);
    auto* above = dialog_.CreateControl<DUI::MButton>(2, r, u"Above");
    auto* page = dialog_.CreateControl<DUI::MTabLayout>(3, {300, 10, 700, 400});
    page->SetVisible(false);
    auto* on_page = page->CreateChildControl<DUI::MButton>(4, {310, 20, 500, 60}, u"On page");
    session_.backend().Flush();

    below->SetVisible(true);
    page->SetVisible(true);
    session_.backend().Flush();
    QWidget* below_widget = session_.backend().ControlWidgetOf(*below);
    QWidget* above_widget = session_.backend().ControlWidgetOf(*above);
    QWidget* page_child = session_.backend().ControlWidgetOf(*on_page);
    ASSERT_NE(below_widget, nullptr);
    ASSERT_NE(above_widget, nullptr);
    ASSERT_NE(page_child, nullptr);
    EXPECT_TRUE(below_widget->isVisible());
    EXPECT_TRUE(page_child->isVisible());
    // Made after its sibling, yet drawn under it, as the model orders them.
    QWidget* window = session_.backend().WindowWidgetOf(dialog_.GetSafeHwnd());
    ASSERT_NE(window, nullptr);
    const QObjectList& order = window->children();
    EXPECT_LT(order.indexOf(below_widget), order.indexOf(above_widget));

    page->SetVisible(false);
    session_.backend().Flush();
    EXPECT_FALSE(page_child->isVisible());
}

}  // namespace
}  // namespace tessaly::qt
