#include "macros/macro_names.h"

#include <gtest/gtest.h>

#include "ui/dialogs/numbered_language.h"

namespace tessaly::test {
namespace {

TEST(MacroNamesTest, FactoryPrefixesTakeTheLanguagesText) {
    EXPECT_EQ(ShownMacroName(u"Custom 2", u"Macro", u"copy"), u"Macro 2");
    EXPECT_EQ(ShownMacroName(u"\u81ea\u5b9a\u4e49 7", u"Macro", u"copy"), u"Macro 7");
    EXPECT_EQ(ShownMacroName(u"My Custom", u"Macro", u"copy"), u"My Custom");
}

TEST(MacroNamesTest, CopySuffixesTakeTheLanguagesText) {
    EXPECT_EQ(ShownMacroName(u"JumpCopy", u"Macro", u"(copy)"), u"Jump (copy)");
    // The part before the first "Copy" is kept.
    EXPECT_EQ(ShownMacroName(u"A Copy B Copy", u"Macro", u"(copy)"), u"A  (copy)");
    EXPECT_EQ(ShownMacroName(u"Jump\u590d\u5236", u"Macro", u"(copy)"), u"Jump (copy)");
    EXPECT_EQ(ShownMacroName(u"Copy of Jump", u"Macro", u"(copy)"), u"Copy of Jump");
}

TEST(MacroNamesTest, BothRulesApplyInTurn) {
    EXPECT_EQ(ShownMacroName(u"Custom 3Copy", u"Macro", u"(copy)"), u"Macro 3 (copy)");
}

TEST(MacroNamesTest, CurrentLanguageTexts) {
    NumberedLanguage language;
    EXPECT_EQ(ShownMacroName(u"Custom 2"), NumberedLanguage::T(351) + u" 2");
    EXPECT_EQ(NewMacroName(3), NumberedLanguage::T(351) + u" 4");
}

}  // namespace
}  // namespace tessaly::test
