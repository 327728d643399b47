#include <gtest/gtest.h>

#include "base/decimal.h"
#include "base/text_format.h"
#include "base/unicode.h"

namespace tessaly {
namespace {

TEST(Unicode, RoundTripsEveryPlane) {
    const std::u16string text = u"a\u00e9\u914d\u7f6e \U0001F600 \u041f";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(ToUtf8(u"\u914d\u7f6e 1"), "\xe9\x85\x8d\xe7\xbd\xae 1");
}

TEST(Unicode, MalformedInputBecomesReplacementCharacter) {
    EXPECT_EQ(FromUtf8("a\xff"
                       "b"),
              u"a\uFFFDb");
    EXPECT_EQ(FromUtf8("\xe9\x85"), u"\uFFFD");                              // cut short
    EXPECT_EQ(FromUtf8("\xc0\xaf"), u"\uFFFD");                              // overlong
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xef\xbf\xbd");  // lone surrogate
}

TEST(Decimal, PlainConversion) {
    EXPECT_EQ(DecimalToInt(u"26000"), 26000);
    EXPECT_EQ(DecimalToInt(u"  -42x"), -42);
    EXPECT_EQ(DecimalToInt(u""), 0);
    EXPECT_EQ(DecimalToInt(u"abc"), 0);
    EXPECT_EQ(DecimalToInt(u"99999999999"), 2147483647);
    EXPECT_EQ(DecimalToInt(u"-99999999999"), -2147483647 - 1);
    EXPECT_EQ(DecimalToInt(std::string_view("+7")), 7);
    EXPECT_EQ(IntToDecimal(-16712191), u"-16712191");
}

TEST(TextFormat, FormatsTheSystemsPatterns) {
    EXPECT_EQ(Format(u"%s: v%s", u"Version", u"1.0.3"), u"Version: v1.0.3");
    EXPECT_EQ(Format(u"%s %d", std::u16string(u"Macro"), 3), u"Macro 3");
    EXPECT_EQ(Format(u"%s: 75%%", u"Speed"), u"Speed: 75%");
    EXPECT_EQ(Format(u"%02X-%04x", 10, 0xBEEF), u"0A-beef");
    EXPECT_EQ(Format(u"[%-4d][%4d][%04d]", 7, 7, -7), u"[7   ][   7][-007]");
    EXPECT_EQ(Format(u"%.2s", u"abc"), u"ab");
}

TEST(TextFormat, MissingOrMismatchedArgumentsFormatEmpty) {
    EXPECT_EQ(Format(u"%s and %d", u"one"), u"one and ");
    EXPECT_EQ(Format(u"%d", u"text"), u"");
    EXPECT_EQ(Format(u"trailing %"), u"trailing %");
}

}  // namespace
}  // namespace tessaly
