#include "ui/main/page_context.h"

#include <gtest/gtest.h>

#include <optional>

#include "controller_fixture.h"
#include "ui/ids/main_window_ids.h"
#include "ui/main/window_messages.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly::ui::test {
namespace {

using PageContexts = ControllerFixture;

std::optional<int> FirstIdOf(RouteSlot slot) {
    for (const Route& route : RoutingTable()) {
        if (route.slot == slot) {
            return route.first_id;
        }
    }
    return std::nullopt;
}

// The wiring builds the contexts as the window initialises; the pages are
// created then too, so a context must follow the window's pages, not copy them.
TEST_F(PageContexts, BuiltBeforeThePagesTheyFindThemOnceCreated) {
    const ButtonPageContext buttons = ButtonPageContextOf(*dlg);
    const MacroPageContext macros = MacroPageContextOf(*dlg);
    const CatalogueContext catalogue = CatalogueContextOf(*dlg);
    EXPECT_EQ(buttons.list.Layout(), nullptr);
    EXPECT_EQ(macros.tabs, nullptr);

    Open();
    ASSERT_NE(dlg->button_page, nullptr);
    EXPECT_EQ(buttons.list.Layout(), dlg->button_page);
    EXPECT_EQ(buttons.panel.Layout(), dlg->custom_key_page);
    EXPECT_EQ(buttons.list.Find(kCustomKeyPageId), dlg->custom_key_page)
        << "the sub-page is a control of the button page";
    EXPECT_EQ(buttons.panel.Find(kCustomKeyPageId), nullptr);
    EXPECT_EQ(macros.page.Layout(), dlg->macro_page);
    ASSERT_NE(dlg->tab_ctrl, nullptr);
    EXPECT_EQ(macros.tabs, dlg->tab_ctrl);
    EXPECT_EQ(catalogue.settings.Layout(), dlg->settings_page);
    EXPECT_FLOAT_EQ(buttons.scale, dlg->scale);
}

// What a page registers through its context is what the window routes, and
// the capture it arms is the one the window reads raw input by.
TEST_F(PageContexts, HandlersAndTheCaptureAreTheWindows) {
    Open();
    const MacroPageContext macros = MacroPageContextOf(*dlg);
    const std::optional<int> button = FirstIdOf(RouteSlot::kMacroPage);
    ASSERT_TRUE(button);
    int seen = 0;
    macros.router.SetPageHandler(RouteSlot::kMacroPage, [&seen](int id, int, intptr_t) {
        seen = id;
        return 1;
    });
    EXPECT_EQ(dlg->OnMessage(*button, DUI::kEventActivated, 0, 0), 1);
    EXPECT_EQ(seen, *button);

    macros.router.SetMessageHandler(MessageSlot::kRawInput,
                                    [](uintptr_t, intptr_t) { return intptr_t{5}; });
    EXPECT_EQ(dlg->OnWindowMessage(kWmInput, 0, 0), 1) << "nothing armed";
    macros.capture.mode = 12;
    macros.capture.armed = true;
    EXPECT_EQ(dlg->key_capture.mode.load(), 12);
    EXPECT_EQ(dlg->OnWindowMessage(kWmInput, 0, 0), 5);
    macros.capture.armed = false;
    EXPECT_EQ(dlg->OnWindowMessage(kWmInput, 0, 0), 1);
}

}  // namespace
}  // namespace tessaly::ui::test
