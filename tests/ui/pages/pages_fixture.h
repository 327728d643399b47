#pragma once
// A plain window on the headless toolkit with a numbered language, for
// building one page or dialog at a time.

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>

#include "../dialogs/numbered_language.h"
#include "app/language_state.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/dui.h"

namespace tessaly::ui {

using namespace DUI;
using test::NumberedLanguage;

// What the design lists for one control: where, which class, which text.
struct Expected {
    int id;
    int nth;
    std::string_view class_name;
    std::u16string text;  // "" when the control has none
};

class PagesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearLanguageSet();
        AddToLanguageSet(1033);
        AddToLanguageSet(2052);
        ASSERT_TRUE(window.Create(nullptr, u"Main", kDialogStyle, 0, {0, 0, 1300, 788}));
    }
    MTabLayout* AddPage(int id) {
        return window.CreateControl<MTabLayout>(id, {200, 80, 1280, 738});
    }
    void ExpectControls(int page_id, std::span<const Expected> expected) {
        const MTabLayout* page = FindPage(window, page_id);
        ASSERT_NE(page, nullptr);
        for (const Expected& e : expected) {
            MControl* control = FindInPage(window, page, e.id, e.nth);
            ASSERT_NE(control, nullptr) << page_id << "/" << e.id << "#" << e.nth;
            EXPECT_EQ(control->ClassName(), e.class_name) << e.id;
            auto* font = dynamic_cast<MControlFont*>(control);
            if (!e.text.empty()) {
                ASSERT_NE(font, nullptr) << e.id;
                EXPECT_EQ(font->GetTitle(), e.text) << e.id;
            }
        }
    }
    template <typename T>
    T* In(int page_id, int id, int nth = 0) {
        return dynamic_cast<T*>(FindInPage(window, FindPage(window, page_id), id, nth));
    }

    test::TempDir config;
    test::ScopedEnv xdg{"XDG_CONFIG_HOME", config.path().string()};
    NumberedLanguage language;
    HeadlessSession session;
    MDialog window;
    PageStyle style;
};

inline std::u16string T(int n) {
    return NumberedLanguage::T(n);
}

}  // namespace tessaly::ui
