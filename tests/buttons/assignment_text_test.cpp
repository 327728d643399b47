#include <gtest/gtest.h>

#include <string>

#include "app/language_state.h"
#include "base/unicode.h"
#include "buttons/assignment_model.h"
#include "buttons/assignment_text.h"
#include "platform/folders.h"
#include "ui/localisation/language_strings.h"

namespace tessaly {
namespace {

// The shipped language files of the build tree.
class AssignmentTextTest : public ::testing::Test {
  protected:
    AssignmentTextTest() {
        SetProgramFolderOverride(FromUtf8(std::string(TESSALY_BINARY_DIR) + "/"));
        Use(1033);
    }
    ~AssignmentTextTest() override {
        SetCurrentLcid(1033);
        ReloadLanguageFiles();
        SetProgramFolderOverride(u"");
    }
    static void Use(int lcid) {
        SetCurrentLcid(lcid);
        ReloadLanguageFiles();
    }
    static std::u16string Macro(std::u16string_view name, int lcid) {
        Use(lcid);
        return DescribeAssignment(MakeAssignment(1, 3, kCategoryMacro, 4, 0, name), lcid);
    }
};

TEST_F(AssignmentTextTest, DefaultNamesAndCopiesOfOtherLanguagesAreShownInTheCurrentOne) {
    EXPECT_EQ(Macro(u"自定义3", 1033), u"Custom3");
    EXPECT_EQ(Macro(u"カスタム1 复制", 1033), u"Custom1  Copy");
    EXPECT_EQ(Macro(u"Custom2", 1033), u"Custom2");  // already this language's
    EXPECT_EQ(Macro(u"Custom1", 2052), u"自定义1");
    EXPECT_EQ(Macro(u"A Copy", 2052), u"A  复制");
    EXPECT_EQ(Macro(u"Пользовательский5", 1028), u"自定義ельский5");
    EXPECT_EQ(Macro(u"B Копировать", 1041), u"B  複製");
    EXPECT_EQ(Macro(u"自定義7", 1049), u"Пользовательский7");
    EXPECT_EQ(Macro(u"C 複製", 1049), u"C 複製");  // 1049 does not take this word
    EXPECT_EQ(Macro(u"D Copy", 1049), u"D  Копировать");
    // A language without rules leaves the name.
    EXPECT_EQ(Macro(u"自定义1 Copy", 1042), u"自定义1 Copy");
}

TEST_F(AssignmentTextTest, OnlyTheFirstMatchingWordOfEachRuleApplies) {
    EXPECT_EQ(RelocaliseMacroName(u"自定義Copy 复制", 1033), u"CustomCopy  Copy");
    EXPECT_EQ(RelocaliseMacroName(u"Copy X 复制", 1028), u"Copy X  複製");
}

TEST_F(AssignmentTextTest, ShownTextsByCategoryFollowTheLanguage) {
    const KeyAssignment left = MakeAssignment(1, 3, kCategoryMouse, 1, 0, u"stored");
    const KeyAssignment media = MakeAssignment(1, 3, kCategoryMultimedia, 1, 0, u"stored");
    const KeyAssignment copy = MakeAssignment(1, 3, kCategoryShortcut, 9, 0, u"stored");
    const KeyAssignment keys = MakeAssignment(1, 3, kCategoryKeyboard, 4, 1, u"Ctrl + A");
    EXPECT_EQ(DescribeAssignment(left, 1033), u"Left button");
    EXPECT_EQ(DescribeAssignment(media, 1033), u"Media player");
    EXPECT_EQ(DescribeAssignment(copy, 1033), u"Copy");
    EXPECT_EQ(DescribeAssignment(MakeAssignment(1, 3, kCategoryDisable, 1, 0, u"x"), 1033),
              u"Disable");
    EXPECT_EQ(DescribeAssignment(MakeAssignment(1, 3, kCategoryRepeat, 5, 1, u"x"), 1033),
              u"Rapid fire");
    EXPECT_EQ(DescribeAssignment(MakeAssignment(1, 3, kCategorySpecial, 1, 0, u"x"), 1033),
              u"Switch lighting effect");
    EXPECT_EQ(DescribeAssignment(keys, 1033), u"Ctrl + A");
    Use(2052);
    EXPECT_EQ(DescribeAssignment(left, 2052), LoadLanguageString(106));
    EXPECT_NE(DescribeAssignment(left, 2052), u"Left button");
    EXPECT_EQ(DescribeAssignment(keys, 2052), u"Ctrl + A");
}

TEST_F(AssignmentTextTest, ValuesOutsideTheTablesShowTheStoredText) {
    EXPECT_EQ(DescribeAssignment(MakeAssignment(1, 3, kCategoryMouse, 11, 0, u"kept"), 1033),
              u"kept");
    EXPECT_EQ(DescribeAssignment(MakeAssignment(1, 3, kCategorySpecial, 2, 0, u"kept"), 1033),
              u"kept");
    EXPECT_EQ(DescribeAssignment(MakeAssignment(1, 3, kCategoryDpi, 1, 0, u"DPI +"), 1033),
              u"DPI +");
    EXPECT_EQ(DescribeAssignment(MakeAssignment(1, 3, 42, 1, 0, u"odd"), 1033), u"odd");
}

TEST_F(AssignmentTextTest, FactoryEntriesShowTheirNumberedText) {
    KeyAssignment factory;
    factory.macro_desc = u"106";
    EXPECT_EQ(DescribeFactory(factory), u"Left button");
}

}  // namespace
}  // namespace tessaly
