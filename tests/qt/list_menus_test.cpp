// The lists' menus open where the pages listen for them: the macro list's
// on its more button, the event list's on its own.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>

#include "controller/macros_wiring.h"
#include "macros/macro_operations.h"
#include "program_window.h"
#include "ui/ids/macro_page_ids.h"
#include "ui/main/device_main_dlg.h"
#include "ui/toolkit/menu_wnd.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly::qt::test {
namespace {

QMenu* ShownMenu() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* menu = qobject_cast<QMenu*>(widget); menu && menu->isVisible()) {
            return menu;
        }
    }
    return nullptr;
}

void CloseMenus() {
    if (QMenu* menu = ShownMenu()) {
        menu->close();
    }
    Pump(20);
}

class ListMenusTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(program_.created());
        ASSERT_TRUE(program_.Settle());
        const MacroChange made = CreateMacro();
        ASSERT_TRUE(made.ok);
        auto host = MakeMacroHost(program_.controller());
        ASSERT_TRUE(InsertIntoMacro(*host, made.macro.macro_id, -1, MacroInsertion::Delay()).ok);
        program_.window().Services().refill_macro_page();
        program_.Show(kPages[3]);
    }

    // A right-click on the list's first item.
    bool RightClickFirstItem(int id) {
        DUI::MControl* list = program_.window().GetControl(id);
        QWidget* widget = list ? program_.backend().ControlWidgetOf(*list) : nullptr;
        if (widget == nullptr) {
            return false;
        }
        const QPoint at(widget->width() / 3, 12);
        Press(*widget, at, QEvent::MouseButtonPress, Qt::RightButton);
        Press(*widget, at, QEvent::MouseButtonRelease, Qt::RightButton);
        return true;
    }

    ProgramWindow program_{{0, 0, 1300, 788}};
};

// The menu the toolkit has open, by the message its choice is sent with.
uint32_t OpenMenuMessage() {
    const std::vector<DUI::MenuWnd*> menus = DUI::Toolkit::Get().OpenMenus();
    return menus.empty() ? 0 : menus.back()->GetMessage();
}

TEST_F(ListMenusTest, ARightClickOnEitherListOpensItsOwnMenu) {
    ASSERT_TRUE(RightClickFirstItem(macro_id::kEventList));
    ASSERT_TRUE(PumpUntil([] { return ShownMenu() != nullptr; }, 2000))
        << "the event list's menu did not open";
    EXPECT_EQ(OpenMenuMessage(), ui::kWmMacroMenu3);
    CloseMenus();

    ASSERT_TRUE(RightClickFirstItem(macro_id::kMacroList));
    ASSERT_TRUE(PumpUntil([] { return ShownMenu() != nullptr; }, 2000))
        << "the macro list's menu did not open";
    EXPECT_EQ(OpenMenuMessage(), ui::kWmMacroMenu1);
    CloseMenus();
}

}  // namespace
}  // namespace tessaly::qt::test
