#include "ui/localisation/language_file.h"

#include <string>

#include <gtest/gtest.h>

#include "base/unicode.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

std::string Utf16LeWithMark(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::u16string TextOf(std::string_view file, int number) {
    return LanguageFile::FromBytes(file).Text(kLanguageSection, number);
}

TEST(LanguageFile, BlanksAroundValuesAndKeysAreTrimmed) {
    const auto file = LanguageFile::FromBytes("[LAN]\n 17 =  Version \t\r\n5=\n");
    EXPECT_EQ(file.Text(u"LAN", 17), u"Version");
    EXPECT_EQ(file.Text(u"LAN", 5), u"");
}

TEST(LanguageFile, OnePairOfEnclosingQuotesIsRemoved) {
    const std::string file =
        "[LAN]\n"
        "1=\"  kept blanks  \"\n"
        "2='single'\n"
        "3=\"\"twice\"\"\n"
        "4=\"unmatched'\n"
        "5=\"\n"
        "6=say \"hi\"\n"
        "7=  \"after trimming\"  \n";
    EXPECT_EQ(TextOf(file, 1), u"  kept blanks  ");
    EXPECT_EQ(TextOf(file, 2), u"single");
    EXPECT_EQ(TextOf(file, 3), u"\"twice\"");
    EXPECT_EQ(TextOf(file, 4), u"\"unmatched'");
    EXPECT_EQ(TextOf(file, 5), u"\"");  // a lone quote encloses nothing
    EXPECT_EQ(TextOf(file, 6), u"say \"hi\"");
    EXPECT_EQ(TextOf(file, 7), u"after trimming");
}

TEST(LanguageFile, NamesCompareWithoutCaseAndKeysAsWritten) {
    const auto file = LanguageFile::FromBytes("[lan]\nAbc=letters\n17=seventeen\n");
    EXPECT_EQ(file.Text(u"LAN", u"aBC"), u"letters");
    EXPECT_EQ(file.Text(u"Lan", 17), u"seventeen");
    // The key is "%d" of the number, so a zero-padded key is another key.
    EXPECT_EQ(LanguageFile::FromBytes("[LAN]\n017=padded\n").Text(u"LAN", 17), u"");
}

TEST(LanguageFile, MissingSectionOrKeyGivesEmptyText) {
    const auto file = LanguageFile::FromBytes("[OTHER]\n1=elsewhere\n[LAN]\n2=here\n");
    EXPECT_EQ(file.Text(u"LAN", 1), u"");
    EXPECT_EQ(file.Text(u"NOPE", 2), u"");
    EXPECT_EQ(file.Text(u"LAN", 2), u"here");
    EXPECT_EQ(file.Text(u"LAN", 3), u"");
}

TEST(LanguageFile, MissingFileGivesEmptyTexts) {
    test::TempDir dir;
    const auto file = LanguageFile::Read(dir.u16() + u"/language/1033.lan");
    EXPECT_EQ(file.Text(u"LAN", 1), u"");
}

TEST(LanguageFile, ValuesAreCutTo259Units) {
    const std::string long_text(300, 'x');
    EXPECT_EQ(TextOf("[LAN]\n1=" + long_text + "\n", 1), std::u16string(259, u'x'));
    const std::string exact(259, 'y');
    EXPECT_EQ(TextOf("[LAN]\n1=" + exact + "\n", 1).size(), 259u);
    // The quotes go first, so a quoted text of 259 units keeps all of them.
    EXPECT_EQ(TextOf("[LAN]\n1=\"" + exact + "\"\n", 1), std::u16string(259, u'y'));
    // The cut counts UTF-16 units, not characters of the UTF-8 file.
    std::string cjk = "[LAN]\n1=";
    for (int i = 0; i < 300; ++i)
        cjk += "\xE4\xB8\xAD";  // U+4E2D
    EXPECT_EQ(TextOf(cjk, 1), std::u16string(259, u'\u4E2D'));
}

TEST(LanguageFile, ReadsUtf16AndUtf8Files) {
    test::TempDir dir;
    const std::u16string text = u"\u672A\u8FDE\u63A5 \U0001F5B1";  // CJK and a surrogate pair
    dir.Write("wide.lan", Utf16LeWithMark(u"[LAN]\r\n50=" + text + u"\r\n51=b\r\n"));
    dir.Write("marked.lan", "\xEF\xBB\xBF[LAN]\n50=" + ToUtf8(text) + "\n");
    dir.Write("plain.lan", "[LAN]\n50=" + ToUtf8(text) + "\n");
    for (const char* name : {"wide.lan", "marked.lan", "plain.lan"}) {
        const auto file = LanguageFile::Read(FromUtf8((dir.path() / name).string()));
        EXPECT_EQ(file.Text(u"LAN", 50), text) << name;
    }
    EXPECT_EQ(LanguageFile::Read(FromUtf8((dir.path() / "wide.lan").string())).Text(u"LAN", 51),
              u"b");
}

TEST(LanguageFile, EqualsSignsInTheValueAndRepeatedKeys) {
    const auto file = LanguageFile::FromBytes("[LAN]\n1=a=b\n2=first\n2=second\n");
    EXPECT_EQ(file.Text(u"LAN", 1), u"a=b");
    EXPECT_EQ(file.Text(u"LAN", 2), u"first");
}

}  // namespace
}  // namespace tessaly
