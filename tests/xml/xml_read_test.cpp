#include <gtest/gtest.h>

#include "xml/encoding_names.h"
#include "xml/html_entities.h"
#include "xml/xml_text_document.h"

namespace tessaly {
namespace {

TEST(XmlWellFormed, RootRulesAndUnendedElements) {
    XmlTextDocument doc;
    EXPECT_TRUE(doc.SetText(u"<a/>"));
    EXPECT_FALSE(doc.SetText(u"<a/><b/>"));  // root has a sibling
    EXPECT_NE(doc.GetResult().find(u"root_has_sibling"), std::u16string::npos);
    EXPECT_TRUE(doc.SetText(u"<!-- x --><a/>"));
    EXPECT_TRUE(doc.SetText(u"<?xml version=\"1.0\"?>\r\n<a>text</a>\r\ntrailing"));
    EXPECT_FALSE(doc.SetText(u""));
    EXPECT_NE(doc.GetResult().find(u"no_root_element"), std::u16string::npos);
    EXPECT_FALSE(doc.SetText(u"<a><b></a>"));  // b is unended
    EXPECT_NE(
        doc.GetResult().find(u"<unended_start_tag tagname=\"b\" offset=\"3\" offset2=\"6\"/>"),
        std::u16string::npos);
    EXPECT_FALSE(doc.SetText(u"<a></b></a>"));  // lone end tag
    EXPECT_NE(doc.GetResult().find(u"lone_end_tag tagname=\"b\""), std::u16string::npos);
}

TEST(XmlWellFormed, SyntaxErrorsAndTokens) {
    XmlTextDocument doc;
    EXPECT_FALSE(doc.SetText(u"<a>< b</a>"));
    EXPECT_NE(doc.GetResult().find(u"first_tag_syntax"), std::u16string::npos);
    EXPECT_FALSE(doc.SetText(u"<a><!x></a>"));
    EXPECT_NE(doc.GetResult().find(u"<exclamation_tag_syntax offset=\"3\"/>"),
              std::u16string::npos);
    EXPECT_FALSE(doc.SetText(u"<a><!-x-></a>"));
    EXPECT_NE(doc.GetResult().find(u"<comment_tag_syntax offset=\"3\"/>"), std::u16string::npos);
    EXPECT_FALSE(doc.SetText(u"<a><![X[ ]]></a>"));
    EXPECT_NE(doc.GetResult().find(u"<cdata_section_syntax offset=\"3\"/>"), std::u16string::npos);
    EXPECT_FALSE(doc.SetText(u"<a><![CDATA[ open</a>"));
    EXPECT_NE(doc.GetResult().find(u"type=\"cdata_section\""), std::u16string::npos);
    EXPECT_FALSE(doc.SetText(u"<a><? open</a>"));
    EXPECT_NE(doc.GetResult().find(u"type=\"processing_instruction\""), std::u16string::npos);
    EXPECT_FALSE(doc.SetText(u"<a></a"));
    EXPECT_NE(doc.GetResult().find(u"type=\"end_tag\""), std::u16string::npos);
    EXPECT_FALSE(doc.SetText(u"<a/><"));
    EXPECT_NE(doc.GetResult().find(u"type=\"tag\""), std::u16string::npos);
    EXPECT_FALSE(doc.SetText(u"<!DOCTYPE a [ <!ELEMENT a> <a/>"));
    EXPECT_NE(doc.GetResult().find(u"type=\"document_type\""), std::u16string::npos);
    EXPECT_FALSE(doc.SetText(u"<a><!-- open</a>"));
    EXPECT_NE(doc.GetResult().find(u"type=\"comment\""), std::u16string::npos);
    EXPECT_FALSE(doc.SetText(u"<a b=\"x"));
    EXPECT_NE(doc.GetResult().find(u"type=\"start_tag\""), std::u16string::npos);
    EXPECT_TRUE(doc.SetText(u"<a><![CDATA[ <b> ]]></a>"));
    EXPECT_TRUE(doc.SetText(u"<!DOCTYPE a [ <!ELEMENT a (#PCDATA)> <!-- c --> ]><a/>"));
    EXPECT_FALSE(doc.SetText(u"<!DOCTYPE a [ <x> ]><a/>"));
    EXPECT_TRUE(doc.SetText(u"<a b='>'/>"));  // '>' inside a quoted value
    EXPECT_TRUE(doc.FindElement(u"a"));
    EXPECT_EQ(doc.GetAttribute(u"b"), u">");
}

TEST(XmlWellFormed, ResultTextStopsGrowingPastItsLimit) {
    std::u16string text = u"<a>";
    for (int i = 0; i < 500; ++i)
        text += u"</b>";
    text += u"</a>";
    XmlTextDocument doc;
    EXPECT_FALSE(doc.SetText(text));
    const std::u16string& result = doc.GetResult();
    EXPECT_GT(result.size(), 999u);
    EXPECT_LT(result.size(), 999u + 50u);  // one entry past the limit at most
    EXPECT_EQ(result.find(u"<lone_end_tag tagname=\"b\" offset=\"3\"/>"), 0u);
    // The next parse starts a new result.
    EXPECT_TRUE(doc.SetText(u"<a/>"));
    EXPECT_EQ(doc.GetResult(), u"");
}

TEST(XmlWellFormed, UnquotedSlashBelongsToTheValue) {
    XmlTextDocument doc;
    EXPECT_FALSE(doc.SetText(u"<a b=1/>"));  // a start tag without its end tag
    ASSERT_TRUE(doc.FindElement(u"a"));
    EXPECT_EQ(doc.GetAttribute(u"b"), u"1/");
    EXPECT_TRUE(doc.SetText(u"<a b=1/></a>"));
}

TEST(XmlWellFormed, UnendedChildrenMoveUpAndStayNavigable) {
    XmlTextDocument doc;
    EXPECT_FALSE(doc.SetText(u"<r><a><b/><c/></r>"));
    ASSERT_TRUE(doc.FindElement(u"r"));
    ASSERT_TRUE(doc.EnterElement());
    // a lost its end tag: b and c now follow it as siblings.
    EXPECT_TRUE(doc.FindElement(u"a"));
    EXPECT_TRUE(doc.FindElement(u"b"));
    EXPECT_TRUE(doc.FindElement(u"c"));
    EXPECT_FALSE(doc.FindElement(u""));
}

TEST(XmlWellFormed, EndTagsAfterAMismatchStillFindTheirElements) {
    XmlTextDocument doc;
    // </x> matches nothing; </a> then closes a over the open b; the later
    // </b> is lone because b was unended; </d> closes d, opened after all
    // that, over the open e.
    EXPECT_FALSE(doc.SetText(u"<r><a><b></x><c></c></a></b><d><e></d></r>"));
    const std::u16string& result = doc.GetResult();
    EXPECT_NE(result.find(u"<lone_end_tag tagname=\"x\" offset=\"9\"/>"), std::u16string::npos);
    EXPECT_NE(result.find(u"<unended_start_tag tagname=\"b\" offset=\"6\""), std::u16string::npos);
    EXPECT_NE(result.find(u"<lone_end_tag tagname=\"b\" offset=\"24\"/>"), std::u16string::npos);
    EXPECT_NE(result.find(u"<unended_start_tag tagname=\"e\" offset=\"31\" offset2=\"34\"/>"),
              std::u16string::npos);
    EXPECT_EQ(result.find(u"tagname=\"d\""), std::u16string::npos);
    EXPECT_EQ(result.find(u"tagname=\"r\""), std::u16string::npos);
    ASSERT_TRUE(doc.FindElement(u"r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(u"a"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_TRUE(doc.FindElement(u"b"));
    EXPECT_TRUE(doc.FindElement(u"c"));  // moved up out of b
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.FindElement(u"d"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_TRUE(doc.FindElement(u"e"));
}

TEST(XmlNavigation, FindOnlyMovesForward) {
    XmlTextDocument doc;
    ASSERT_TRUE(doc.SetText(u"<r><a/><b/><a n=\"2\"/></r>"));
    EXPECT_FALSE(doc.FindElement(u"a"));  // r is the only top-level element
    ASSERT_TRUE(doc.FindElement(u"r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(u"b"));
    ASSERT_TRUE(doc.FindElement(u"a"));  // the a after b
    EXPECT_EQ(doc.GetAttribute(u"n"), u"2");
    EXPECT_FALSE(doc.FindElement(u"b"));
    EXPECT_EQ(doc.GetAttribute(u"n"), u"2");  // nothing moved
}

TEST(XmlNavigation, FailedFindLeavesTheCurrentElement) {
    XmlTextDocument doc;
    ASSERT_TRUE(doc.SetText(u"<r><a v=\"1\"/><b v=\"2\"/></r>"));
    ASSERT_TRUE(doc.FindElement(u"r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(u"b"));
    EXPECT_FALSE(doc.FindElement(u"a"));
    EXPECT_EQ(doc.GetAttribute(u"v"), u"2");
}

TEST(XmlNavigation, EnterAndLeaveRememberTheChild) {
    XmlTextDocument doc;
    ASSERT_TRUE(doc.SetText(u"<r><s><x/><y/></s><t/></r>"));
    EXPECT_FALSE(doc.EnterElement());
    EXPECT_FALSE(doc.LeaveElement());
    ASSERT_TRUE(doc.FindElement(u"r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(u"s"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(u"y"));
    ASSERT_TRUE(doc.LeaveElement());  // s current, y remembered
    ASSERT_TRUE(doc.FindElement(u"t"));
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_FALSE(doc.FindElement(u"r"));  // r is current; nothing follows it
    ASSERT_TRUE(doc.EnterElement());      // back to t's level, t remembered
    EXPECT_FALSE(doc.FindElement(u"s"));
    // Names are case-sensitive; an empty name matches any element.
    ASSERT_TRUE(doc.SetText(u"<R><a/></R>"));
    EXPECT_FALSE(doc.FindElement(u"r"));
    EXPECT_TRUE(doc.FindElement(u""));
}

TEST(XmlAttributes, QuotesReferencesAndWhiteSpace) {
    XmlTextDocument doc;
    ASSERT_TRUE(doc.SetText(u"<x v='1 &amp; 2' w=\"&#x41;&#66;\" z=\"&bogus;\" q = \" a  b \"/>"));
    EXPECT_EQ(doc.GetAttribute(u"v"), u"");  // no current element yet
    ASSERT_TRUE(doc.FindElement(u"x"));
    EXPECT_EQ(doc.GetAttribute(u"v"), u"1 & 2");
    EXPECT_EQ(doc.GetAttribute(u"w"), u"AB");
    EXPECT_EQ(doc.GetAttribute(u"z"), u"&bogus;");
    EXPECT_EQ(doc.GetAttribute(u"q"), u" a  b ");
    EXPECT_EQ(doc.GetAttribute(u"V"), u"");
    EXPECT_EQ(doc.GetAttribute(u"missing"), u"");
}

TEST(XmlAttributes, EntityAndNumericReferenceRules) {
    XmlTextDocument doc;
    ASSERT_TRUE(
        doc.SetText(u"<x a=\"&Aacute;&aacute;&apos;&lt;&gt;&quot;&euro;\" b=\"&#0;&#128512;\" "
                    u"c=\"&amp\" d=\"&verylongname;\" e=\"&#xZZ;&#;\"/>"));
    ASSERT_TRUE(doc.FindElement(u"x"));
    EXPECT_EQ(doc.GetAttribute(u"a"), u"\u00C1\u00E1'<>\"\u20AC");
    EXPECT_EQ(doc.GetAttribute(u"b"), u"&#0;\U0001F600");  // 0 is not decoded
    EXPECT_EQ(doc.GetAttribute(u"c"), u"&amp");            // no ';'
    EXPECT_EQ(doc.GetAttribute(u"d"), u"&verylongname;");  // over nine characters
    EXPECT_EQ(doc.GetAttribute(u"e"), u"&#xZZ;&#;");
    EXPECT_EQ(HtmlEntityCount(), 253u);
}

TEST(XmlAttributes, FirstOfTwoEqualNamesAndUnquotedValues) {
    XmlTextDocument doc;
    ASSERT_TRUE(doc.SetText(u"<x a=1 a=2 b=three c />"));
    ASSERT_TRUE(doc.FindElement(u"x"));
    EXPECT_EQ(doc.GetAttribute(u"a"), u"1");
    EXPECT_EQ(doc.GetAttribute(u"b"), u"three");
    EXPECT_EQ(doc.GetAttribute(u"c"), u"");
}

TEST(XmlEncodingNames, QuotedNamesMapAsListed) {
    struct Case {
        std::u16string_view name;
        int code_page;
    };
    const Case cases[] = {
        {u"utf-8", 65001},       {u"UTF8", 65001},       {u"utf-16", 1200},
        {u"utf-16le", 1200},     {u"ucs-2", 1200},       {u"unicode", 1200},
        {u"utf-16be", 1201},     {u"iso-8859-1", 28591}, {u"Latin1", 28591},
        {u"windows-1252", 1252}, {u"x-ansi", 1252},      {u"us-ascii", 20127},
        {u"Shift_JIS", 932},     {u"gb2312", 936},       {u"GBK", 936},
        {u"gb18030", 54936},     {u"big5", 950},         {u"euc-kr", 51949},
        {u"koi8-r", 20866},      {u"", kAnsiCodePage},   {u"no-such-thing", kAnsiCodePage},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CodePageFromEncodingName(c.name), c.code_page)
            << std::string(c.name.begin(), c.name.end());
    }
    EXPECT_EQ(CodePageFromEncodingName(std::u16string(100, u'a')), kAnsiCodePage);
}

TEST(XmlLimits, DeepNestingLoadsWithoutRecursion) {
    constexpr int kDepth = 100000;
    std::u16string text;
    for (int i = 0; i < kDepth; ++i)
        text += u"<e>";
    for (int i = 0; i < kDepth; ++i)
        text += u"</e>";
    XmlTextDocument doc;
    EXPECT_TRUE(doc.SetText(text));
    // Deep and never closed: ill-formed, but no crash and still navigable.
    EXPECT_FALSE(doc.SetText(std::u16string(text, 0, kDepth * 3)));
    ASSERT_TRUE(doc.FindElement(u"e"));
    int siblings = 1;
    while (doc.FindElement(u"e"))
        ++siblings;
    EXPECT_EQ(siblings, kDepth);
}

TEST(XmlLimits, LongTagsKeepTheirOffsets) {
    // Tags too long for narrow length fields (a 10-bit end tag, a 22-bit start tag).
    const std::u16string long_name(2000, u'n');
    const std::u16string long_value(5'000'000, u'v');
    const std::u16string text = u"<r><" + long_name + u" a=\"" + long_value + u"\"></" + long_name +
                                u"><after b=\"1\"/></r>";
    XmlTextDocument doc;
    ASSERT_TRUE(doc.SetText(text));
    ASSERT_TRUE(doc.FindElement(u"r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(long_name));
    EXPECT_EQ(doc.GetAttribute(u"a").size(), long_value.size());
    ASSERT_TRUE(doc.FindElement(u"after"));
    EXPECT_EQ(doc.GetAttribute(u"b"), u"1");
}

}  // namespace
}  // namespace tessaly
