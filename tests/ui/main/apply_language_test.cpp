// ApplyLanguage: after a change from English to Simplified Chinese every text
// the window shows is read again. The two language files number their texts
// ("T<n>" and "Z<n>"), so each control shows which number it was given and in
// which language.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/language_state.h"
#include "base/text_format.h"
#include "base/unicode.h"
#include "controller_fixture.h"
#include "platform/folders.h"
#include "ui/localisation/language_change.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/dui.h"

namespace tessaly::ui::test {
namespace {

using namespace DUI;

std::u16string Numbered(char16_t language, int number) {
    const std::string digits = std::to_string(number);
    return std::u16string(1, language) + std::u16string(digits.begin(), digits.end());
}
std::u16string E(int n) {
    return Numbered(u'T', n);
}
std::u16string Z(int n) {
    return Numbered(u'Z', n);
}

// A text still in the first language: "T" followed by a digit.
bool InOldLanguage(std::u16string_view text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'T' && text[i + 1] >= u'0' && text[i + 1] <= u'9') {
            return true;
        }
    }
    return false;
}

class ApplyLanguageTest : public ControllerFixture {
  protected:
    ApplyLanguageTest() {
        std::string english = "[LAN]\n";
        std::string chinese = "[LAN]\n";
        for (int id : text::kAllTextIds) {
            english += std::to_string(id) + "=T" + std::to_string(id) + "\n";
            chinese += std::to_string(id) + "=Z" + std::to_string(id) + "\n";
        }
        files.Write("language/1033.lan", english);
        files.Write("language/2052.lan", chinese);
        SetProgramFolderOverride(files.u16(true));
        ClearLanguageSet();
        AddToLanguageSet(1033);
        AddToLanguageSet(2052);
        SetCurrentLcid(1033);
        ReloadLanguageFiles();
    }
    ~ApplyLanguageTest() override {
        dlg.reset();
        SetProgramFolderOverride(u"");
        ReloadLanguageFiles();
    }

    const MTabLayout* Page(int page_id) const {
        if (page_id == 0) {
            return nullptr;
        }
        if (page_id == 51) {
            return dynamic_cast<const MTabLayout*>(FindInPage(*dlg, dlg->button_page, 51));
        }
        return FindPage(*dlg, page_id);
    }
    template <typename T>
    T* At(int page_id, int id, int nth = 0) {
        return dynamic_cast<T*>(FindInPage(*dlg, Page(page_id), id, nth));
    }

    // What the earlier parts put into lists and run-time texts.
    void FillLikeTheOtherParts() {
        dlg->Update().software_version = u"1.2.3";
        auto* macros = At<MacroList>(53, 156);
        auto* choice = At<MComboBox>(51, 77);
        for (std::u16string_view name : {u"Custom1", u"自定义2", u"Custom3 Copy", u"Jump"}) {
            macros->AddItem(name, 1);
            choice->AddItem(name, 1);
        }
        At<MComboBox>(53, 186)->AddItem(E(395), 3);
        At<MComboBox>(54, 197)->AddItem(E(281), 2);
        At<MComboBox>(54, 197)->AddItem(E(285), 0);
        dlg->localised_texts.SetTitle(At<MText>(55, 246), [] {
            return Format(u"%s: V%s", LoadLanguageString(text::kNewVersionFound), u"1.05");
        });
    }
    void SwitchToChinese() {
        SetCurrentLcid(2052);
        ReloadLanguageFiles();
        dlg->OnWindowMessage(kWmApplyLanguage, 0, 0);
    }

    tessaly::test::TempDir files;
};

enum class What { kTitle, kTooltip, kItem, kTip };
struct Step {
    int page;  // 0 for the frame
    int id;
    int nth;
    What what;
    int index;  // of the item
    int text;
};
constexpr Step Title(int page, int id, int text, int nth = 0) {
    return {page, id, nth, What::kTitle, 0, text};
}
constexpr Step Tooltip(int page, int id, int text) {
    return {page, id, 0, What::kTooltip, 0, text};
}
constexpr Step Item(int page, int id, int index, int text, int nth = 0) {
    return {page, id, nth, What::kItem, index, text};
}

// Every step of the design's list, as (page, control, what, number).
constexpr Step kSteps[] = {
    // frame, settings, information and home page titles
    Title(0, 35, 1),
    Title(0, 37, 2),
    Title(0, 46, 558),
    Title(56, 275, 722),
    Title(56, 276, 612),
    Title(56, 277, 611),
    Title(56, 278, 600),
    Title(56, 280, 603),
    Title(56, 281, 604),
    Title(56, 282, 605),
    Title(56, 285, 607),
    Title(56, 286, 608),
    Title(56, 287, 609),
    Title(56, 288, 2),
    Title(56, 289, 3),
    Title(56, 290, 615),
    Title(56, 291, 616),
    Title(55, 194, 76),
    Title(55, 248, 578),
    Title(55, 249, 578),
    Title(49, 59, 56),
    // tooltips
    Tooltip(0, 38, 5),
    Tooltip(0, 41, 7),
    Tooltip(0, 39, 6),
    Tooltip(0, 40, 11),
    Tooltip(49, 60, 85),
    Tooltip(49, 61, 86),
    // button page and its function panel
    Title(50, 64, 100),
    Title(50, 66, 101),
    Title(50, 67, 102),
    Tooltip(51, 71, 104),
    Title(51, 72, 105),
    Item(51, 73, 0, 106),
    Item(51, 73, 1, 107),
    Item(51, 73, 2, 108),
    Item(51, 73, 3, 109),
    Item(51, 73, 4, 110),
    Item(51, 73, 5, 180),
    Item(51, 73, 6, 112),
    Item(51, 73, 7, 113),
    Title(51, 74, 116),
    Item(51, 75, 0, 117),
    Item(51, 75, 1, 118),
    Item(51, 75, 2, 119),
    Item(51, 75, 3, 120),
    Item(51, 75, 4, 121),
    Item(51, 75, 5, 122),
    Item(51, 75, 6, 123),
    Item(51, 75, 7, 124),
    Title(51, 76, 125),
    Title(51, 79, 126),
    Item(51, 79, 0, 127, 1),
    Item(51, 79, 1, 128, 1),
    Item(51, 79, 2, 129, 1),
    Item(51, 79, 3, 130, 1),
    Item(51, 79, 4, 131, 1),
    Item(51, 79, 5, 132, 1),
    Item(51, 79, 6, 133, 1),
    Item(51, 79, 7, 134, 1),
    Item(51, 79, 8, 31, 1),
    Item(51, 79, 9, 36, 1),
    Item(51, 79, 10, 32, 1),
    Title(51, 80, 140),
    Item(51, 81, 0, 142),
    Title(51, 82, 150),
    Item(51, 83, 0, 151),
    Item(51, 83, 1, 181),
    Title(51, 84, 160),
    Title(51, 85, 11),
    Title(51, 86, 182),
    Title(51, 87, 11),
    Title(51, 88, 139),
    Title(51, 89, 139),
    // custom key panels
    Title(51, 92, 160),
    {51, 93, 0, What::kTip, 0, 162},
    Title(51, 98, 38),
    Title(51, 100, 182),
    Title(51, 101, 185),
    Title(51, 103, 186),
    Title(51, 104, 187),
    Title(51, 106, 38),
    // performance page
    Title(52, 111, 250),
    Title(52, 113, 251),
    Title(52, 114, 252),
    Tooltip(52, 115, 253),
    Title(52, 118, 254),
    Title(52, 122, 255),
    Title(52, 123, 256),
    Tooltip(52, 124, 257),
    Title(52, 119, 260),
    Title(52, 127, 501),
    Title(52, 128, 502),
    Title(52, 132, 503),
    Title(52, 134, 515, 0),
    Title(52, 134, 516, 1),
    Title(52, 134, 517, 2),
    Title(52, 138, 525),
    Title(52, 141, 531),
    Title(52, 142, 532),
    Title(52, 143, 533),
    Title(52, 144, 534),
    Title(52, 147, 535),
    Title(52, 149, 536),
    // macro page
    Title(53, 152, 350),
    Title(53, 154, 352),
    Title(53, 157, 353),
    Title(53, 158, 30),
    Title(53, 160, 355),
    Title(53, 168, 357),
    Title(53, 167, 39),
    Title(53, 172, 358),
    Title(53, 173, 360),
    Title(53, 174, 361),
    Title(53, 175, 362),
    Title(53, 176, 363),
    Title(53, 180, 364),
    Title(53, 181, 365),
    Title(53, 182, 366),
    Title(53, 183, 367),
    Title(53, 169, 404),
    Title(53, 163, 388),
    Title(53, 164, 389),
    Title(53, 165, 390),
    Title(53, 185, 391),
    Title(53, 189, 392),
    Item(53, 186, 0, 395),
    Item(53, 188, 0, 106),
    Item(53, 188, 1, 107),
    Item(53, 188, 2, 108),
    Item(53, 188, 3, 109),
    Item(53, 188, 4, 110),
    // lighting page
    Title(54, 194, 265),
    Title(54, 196, 266),
    Title(54, 200, 267),
    Title(54, 202, 268),
    Title(54, 205, 269),
    Title(54, 208, 270),
    Title(54, 225, 271),
    Title(54, 217, 272),
};

std::u16string TextOf(MControl* control, const Step& step) {
    switch (step.what) {
        case What::kTitle:
            return static_cast<MControlFont*>(control)->GetTitle();
        case What::kTooltip:
            return control->GetTooltip();
        case What::kItem:
            return dynamic_cast<ListControl&>(*control).GetItemText(step.index);
        case What::kTip:
            return dynamic_cast<MEdit&>(*control).GetTipInfo();
    }
    return {};
}

TEST_F(ApplyLanguageTest, EveryListedTextTakesTheNewLanguage) {
    Open();
    FillLikeTheOtherParts();
    for (const Step& step : kSteps) {
        MControl* control = At<MControl>(step.page, step.id, step.nth);
        ASSERT_NE(control, nullptr) << step.page << "/" << step.id << "#" << step.nth;
        ASSERT_EQ(TextOf(control, step), E(step.text)) << step.page << "/" << step.id;
    }
    SwitchToChinese();
    for (const Step& step : kSteps) {
        MControl* control = At<MControl>(step.page, step.id, step.nth);
        EXPECT_EQ(TextOf(control, step), Z(step.text)) << step.page << "/" << step.id;
    }
    EXPECT_EQ(At<MText>(0, 36)->GetTitle(), Z(17) + u": v1.2.3");
    EXPECT_EQ(At<MText>(56, 274)->GetTitle(), Z(17) + u": v1.2.3") << "the settings page too";
    EXPECT_EQ(At<CDeviceList>(49, 57)->GetVersionDesc(), Z(15));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(dlg->tab_ctrl->GetItemText(i), Z(71 + i)) << i;
    }
    EXPECT_EQ(At<MComboBox>(52, 145)->GetItemText(0), u"1 " + Z(537));
    EXPECT_EQ(At<MComboBox>(52, 145)->GetItemText(5), u"30 " + Z(537));
    EXPECT_EQ(At<MControlFont>(52, 133)->GetTitle().substr(0, 5), Z(503) + u"\n");
}

TEST_F(ApplyLanguageTest, MacroNamesAreTranslatedInBothLists) {
    Open();
    FillLikeTheOtherParts();
    SwitchToChinese();
    const std::u16string expected[] = {Z(351) + u"1", Z(351) + u"2", Z(351) + u"3  " + Z(31),
                                       u"Jump"};
    auto* macros = At<MacroList>(53, 156);
    auto* choice = At<MComboBox>(51, 77);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(macros->GetItemText(i), expected[i]) << i;
        EXPECT_EQ(choice->GetItemText(i), expected[i]) << i;
    }
}

TEST_F(ApplyLanguageTest, NoNumberedTextKeepsTheOldLanguage) {
    Open();
    FillLikeTheOtherParts();
    ASSERT_TRUE(InOldLanguage(At<MText>(55, 246)->GetTitle()));
    SwitchToChinese();
    for (MControl* control : dlg->Controls()) {
        const std::string where = std::to_string(control->GetId());
        EXPECT_FALSE(InOldLanguage(control->GetTooltip())) << where;
        if (auto* font = dynamic_cast<MControlFont*>(control)) {
            EXPECT_FALSE(InOldLanguage(font->GetTitle()))
                << where << " " << ToUtf8(font->GetTitle());
        }
        if (auto* edit = dynamic_cast<MEdit*>(control)) {
            EXPECT_FALSE(InOldLanguage(edit->GetTipInfo())) << where;
        }
        if (auto* list = dynamic_cast<ListControl*>(control)) {
            for (const ListItem& item : list->Items()) {
                EXPECT_FALSE(InOldLanguage(item.text)) << where << " " << ToUtf8(item.text);
            }
        }
        if (auto* buttons = dynamic_cast<MouseKeyCtrl*>(control)) {
            for (const KeyRow& row : buttons->Items()) {
                EXPECT_FALSE(InOldLanguage(row.name) || InOldLanguage(row.key_desc)) << where;
            }
        }
        if (auto* list = dynamic_cast<CDeviceList*>(control)) {
            EXPECT_FALSE(InOldLanguage(list->GetVersionDesc())) << where;
        }
        if (auto* tabs = dynamic_cast<MTabCtrl*>(control)) {
            for (int i = 0; i < tabs->GetItemCount(); ++i) {
                EXPECT_FALSE(InOldLanguage(tabs->GetItemText(i))) << where << " item " << i;
            }
        }
    }
    EXPECT_EQ(At<MText>(55, 246)->GetTitle(), Z(582) + u": V1.05") << "its builder ran again";
    EXPECT_EQ(At<MText>(55, 247)->GetTitle(), Z(722));
    EXPECT_EQ(At<MText>(54, 203)->GetTitle(), Z(278) + u": 100%");
    EXPECT_EQ(At<MComboBox>(54, 197)->GetItemText(0), Z(281)) << "effect names by mode";
    EXPECT_EQ(At<MComboBox>(54, 197)->GetItemText(1), Z(285));
    EXPECT_EQ(At<MouseKeyCtrl>(50, 68)->GetItemText(2), Z(103) + u" 3");
}

TEST_F(ApplyLanguageTest, DeviceStateFollowsTheConnection) {
    std::optional<int> mode;
    dlg->Services().connected_mode = [&mode](int) { return mode; };
    Open();
    auto* state = At<MControlFont>(0, 44);
    SwitchToChinese();
    EXPECT_EQ(state->GetTitle(), Z(50)) << "absent: not connected, in the new language";
    mode = 0;
    dlg->OnWindowMessage(kWmApplyLanguage, 0, 0);
    EXPECT_EQ(state->GetTitle(), Z(51));
    mode = 1;
    dlg->OnWindowMessage(kWmApplyLanguage, 0, 0);
    EXPECT_EQ(state->GetTitle(), Z(52));
}

TEST_F(ApplyLanguageTest, ModelButtonNamesReplaceThePlaceholders) {
    dlg->Services().button_names = [] {
        return std::vector<std::u16string>{LoadLanguageString(106), LoadLanguageString(107)};
    };
    Open();
    auto* buttons = At<MouseKeyCtrl>(50, 68);
    buttons->DeleteAllItems();
    buttons->AddItem(E(106), u"", 1);
    buttons->AddItem(E(107), u"", 2);
    auto* picture = At<MouseCtrl>(50, 108);
    picture->AddItem(E(106), 1, 0, {}, {});
    SwitchToChinese();
    EXPECT_EQ(buttons->GetItemText(0), Z(106));
    EXPECT_EQ(buttons->GetItemText(1), Z(107));
    EXPECT_EQ(picture->Items()[0].name, Z(106));
}

TEST_F(ApplyLanguageTest, ChangingTheLanguageSetsFontsThenTexts) {
    Open();
    int later_refreshes = 0;
    dlg->SetMessageHandler(MessageSlot::kApplyLanguage, [&](uintptr_t, intptr_t) {
        // The parts' own refreshes run after the window's texts.
        EXPECT_EQ(At<MText>(0, 35)->GetTitle(), Z(1));
        ++later_refreshes;
        return 0;
    });
    for (int id : {44, 45, 48}) {
        At<MControlFont>(0, id)->SetFontName(u"Arial");
    }
    At<MControlFont>(52, 111)->SetFontName(u"Arial");
    At<MControlFont>(52, 118)->SetFontName(u"Arial");
    ChangeLanguage(2052);
    EXPECT_EQ(later_refreshes, 1);
    EXPECT_EQ(At<MText>(0, 35)->GetTitle(), Z(1));
    EXPECT_EQ(Manager::GetFontName(), u"Open Sans Semibold");
    for (int id : {44, 45, 48}) {
        EXPECT_EQ(At<MControlFont>(0, id)->GetFontName(), u"Open Sans Semibold") << id;
    }
    EXPECT_EQ(At<MControlFont>(52, 111)->GetFontName(), u"Open Sans Semibold") << "a title";
    EXPECT_EQ(At<MControlFont>(52, 118)->GetFontName(), u"Open Sans Semibold") << "a button";
    EXPECT_EQ(At<MControlFont>(0, 35)->GetFontName(), u"黑体") << "the title keeps its font";
}

}  // namespace
}  // namespace tessaly::ui::test
