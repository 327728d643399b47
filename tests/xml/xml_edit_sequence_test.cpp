// Long runs of edits: writers append thousands of elements, and a document
// edited in the middle afterwards must still read exactly like its text.

#include <gtest/gtest.h>

#include "base/decimal.h"
#include "support/temp_dir.h"
#include "xml/xml_text_document.h"

namespace tessaly {
namespace {

using test::TempDir;

std::u16string Id(std::u16string_view prefix, int n) {
    return std::u16string(prefix) + IntToDecimal(n);
}

// The elements at the current level and below, as their "id" attributes:
// "a(b c(d)) e".
std::u16string WalkLevel(XmlTextDocument& doc) {
    std::u16string out;
    while (doc.FindElement(u"")) {
        if (!out.empty())
            out += u' ';
        out += doc.GetAttribute(u"id");
        EXPECT_TRUE(doc.EnterElement());
        const std::u16string inner = WalkLevel(doc);
        EXPECT_TRUE(doc.LeaveElement());
        if (!inner.empty())
            out += u"(" + inner + u")";
    }
    return out;
}

// Every document here is <root id="R"><body id="B">...</body></root>. Reads
// go forward only, but entering the root and then its only child starts
// again at the body's first child, from wherever the position is: so the
// edited index itself can be read in full, without a new parse.
void GoToBodyStart(XmlTextDocument& doc) {
    while (doc.LeaveElement()) {
    }
    ASSERT_EQ(doc.GetAttribute(u"id"), u"R");
    ASSERT_TRUE(doc.EnterElement());
    if (doc.GetAttribute(u"id") != u"B") {
        ASSERT_TRUE(doc.FindElement(u"body"));
    }
    ASSERT_TRUE(doc.EnterElement());
}

std::u16string WalkBody(XmlTextDocument& doc) {
    GoToBodyStart(doc);
    return WalkLevel(doc);
}

std::u16string WalkOfFreshParse(const std::u16string& text) {
    XmlTextDocument again;
    EXPECT_TRUE(again.SetText(text));
    EXPECT_TRUE(again.FindElement(u"root"));
    return WalkBody(again);
}

// The macro collection's shape: groups, each with one list of items.
constexpr int kGroups = 40;
constexpr int kItems = 30;

void WriteGroups(XmlTextDocument& doc) {
    doc.SetText(kXmlDeclaration);
    ASSERT_TRUE(doc.AddElement(u"root"));
    ASSERT_TRUE(doc.SetAttribute(u"id", u"R"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddElement(u"body"));
    ASSERT_TRUE(doc.SetAttribute(u"id", u"B"));
    ASSERT_TRUE(doc.EnterElement());
    for (int g = 0; g < kGroups; ++g) {
        ASSERT_TRUE(doc.AddElement(u"group"));
        ASSERT_TRUE(doc.SetAttribute(u"id", Id(u"g", g)));
        ASSERT_TRUE(doc.EnterElement());
        ASSERT_TRUE(doc.AddElement(u"list"));
        ASSERT_TRUE(doc.SetAttribute(u"id", Id(u"l", g)));
        ASSERT_TRUE(doc.EnterElement());
        for (int i = 0; i < kItems; ++i) {
            ASSERT_TRUE(doc.AddElement(u"item"));
            ASSERT_TRUE(doc.SetAttribute(u"id", Id(u"i", g * kItems + i)));
            ASSERT_TRUE(doc.SetAttribute(u"v", Id(u"", i)));
        }
        ASSERT_TRUE(doc.LeaveElement());
        ASSERT_TRUE(doc.LeaveElement());
    }
}

// What WriteGroups must produce, spelled out line by line.
std::u16string GroupsText() {
    std::u16string text(kXmlDeclaration);
    text += u"<root id=\"R\">\r\n<body id=\"B\">\r\n";
    for (int g = 0; g < kGroups; ++g) {
        text += u"<group id=\"" + Id(u"g", g) + u"\">\r\n<list id=\"" + Id(u"l", g) + u"\">\r\n";
        for (int i = 0; i < kItems; ++i) {
            text +=
                u"<item id=\"" + Id(u"i", g * kItems + i) + u"\" v=\"" + Id(u"", i) + u"\"/>\r\n";
        }
        text += u"</list>\r\n</group>\r\n";
    }
    return text + u"</body>\r\n</root>\r\n";
}

std::u16string GroupsWalk() {
    std::u16string walk;
    for (int g = 0; g < kGroups; ++g) {
        if (g != 0)
            walk += u' ';
        walk += Id(u"g", g) + u"(" + Id(u"l", g) + u"(";
        for (int i = 0; i < kItems; ++i) {
            if (i != 0)
                walk += u' ';
            walk += Id(u"i", g * kItems + i);
        }
        walk += u"))";
    }
    return walk;
}

// Leaves the position on the n-th item (0-based) of group g.
void FindItem(XmlTextDocument& doc, int g, int n) {
    GoToBodyStart(doc);
    for (int k = 0; k <= g; ++k)
        ASSERT_TRUE(doc.FindElement(u"group"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(u"list"));
    ASSERT_TRUE(doc.EnterElement());
    for (int k = 0; k <= n; ++k)
        ASSERT_TRUE(doc.FindElement(u"item"));
}

TEST(XmlEditSequence, ThousandsOfAppendsGiveTheWrittenFormAndReadBack) {
    XmlTextDocument doc;
    WriteGroups(doc);
    ASSERT_EQ(doc.GetText(), GroupsText());
    EXPECT_EQ(WalkBody(doc), GroupsWalk());
    FindItem(doc, 17, 29);
    EXPECT_EQ(doc.GetAttribute(u"id"), u"i539");
    EXPECT_EQ(doc.GetAttribute(u"v"), u"29");
    EXPECT_FALSE(doc.FindElement(u"item"));  // the last of its list
    EXPECT_EQ(doc.GetAttribute(u"id"), u"i539");
}

TEST(XmlEditSequence, EditsInTheMiddleAfterAppendsMoveOnlyWhatLiesBehind) {
    XmlTextDocument doc;
    WriteGroups(doc);
    std::u16string text = GroupsText();
    std::u16string walk = GroupsWalk();

    // An attribute in the middle grows, then shrinks below its old length.
    FindItem(doc, 20, 10);
    ASSERT_TRUE(doc.SetAttribute(u"v", std::u16string(500, u'x')));
    ASSERT_TRUE(doc.SetAttribute(u"v", u""));
    const std::u16string item = u"<item id=\"i610\" v=\"10\"/>";
    ASSERT_NE(text.find(item), std::u16string::npos);
    text.replace(text.find(item), item.size(), u"<item id=\"i610\" v=\"\"/>");

    // A new element right after it, with an attribute set twice.
    ASSERT_TRUE(doc.AddElement(u"item"));
    ASSERT_TRUE(doc.SetAttribute(u"id", u"new"));
    ASSERT_TRUE(doc.SetAttribute(u"id", u"N"));
    text.insert(text.find(u"<item id=\"i611\""), u"<item id=\"N\"/>\r\n");
    walk.replace(walk.find(u"i610 "), 5, u"i610 N ");
    // The search goes on forward from the new element.
    ASSERT_TRUE(doc.FindElement(u"item"));
    EXPECT_EQ(doc.GetAttribute(u"id"), u"i611");
    EXPECT_EQ(doc.GetAttribute(u"v"), u"11");

    // An attribute on the root moves every element.
    while (doc.LeaveElement()) {
    }
    ASSERT_TRUE(doc.SetAttribute(u"k", u"root & more"));
    text.replace(text.find(u"<root id=\"R\">"), 13, u"<root id=\"R\" k=\"root &amp; more\">");
    EXPECT_EQ(WalkBody(doc), walk);

    // An early group gets an element between its list and its end tag.
    GoToBodyStart(doc);
    ASSERT_TRUE(doc.FindElement(u"group"));
    ASSERT_TRUE(doc.FindElement(u"group"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(u"list"));
    ASSERT_TRUE(doc.AddElement(u"extra"));
    ASSERT_TRUE(doc.SetAttribute(u"id", u"E"));
    text.insert(text.find(u"</group>", text.find(u"<group id=\"g1\">")), u"<extra id=\"E\"/>\r\n");
    walk.insert(walk.find(u") g2("), u" E");

    // And appending at the end of the body goes on.
    GoToBodyStart(doc);
    ASSERT_TRUE(doc.AddElement(u"group"));
    ASSERT_TRUE(doc.SetAttribute(u"id", u"last"));
    text.insert(text.rfind(u"</body>"), u"<group id=\"last\"/>\r\n");
    walk += u" last";

    ASSERT_EQ(doc.GetText(), text);
    EXPECT_EQ(WalkBody(doc), walk);
    EXPECT_EQ(WalkOfFreshParse(doc.GetText()), walk);
    FindItem(doc, 20, 10);
    EXPECT_EQ(doc.GetAttribute(u"v"), u"");
    FindItem(doc, 39, 29);
    EXPECT_EQ(doc.GetAttribute(u"v"), u"29");
    while (doc.LeaveElement()) {
    }
    EXPECT_EQ(doc.GetAttribute(u"k"), u"root & more");
}

TEST(XmlEditSequence, InsertsBeforeATailKeepTheTailInPlace) {
    XmlTextDocument doc;
    ASSERT_TRUE(
        doc.SetText(u"<root id=\"R\"><body id=\"B\">\r\n<head id=\"H\"/>\r\n"
                    u"<tail id=\"T\" v=\"t\"/>\r\n</body></root>"));
    ASSERT_TRUE(doc.FindElement(u"root"));
    GoToBodyStart(doc);
    ASSERT_TRUE(doc.FindElement(u"head"));
    std::u16string middle;
    std::u16string walk = u"H";
    for (int g = 0; g < 25; ++g) {
        // Each group goes after the one before, so always ahead of the tail.
        ASSERT_TRUE(doc.AddElement(u"group"));
        ASSERT_TRUE(doc.SetAttribute(u"id", Id(u"g", g)));
        ASSERT_TRUE(doc.EnterElement());
        ASSERT_TRUE(doc.AddElement(u"list"));
        ASSERT_TRUE(doc.SetAttribute(u"id", Id(u"l", g)));
        ASSERT_TRUE(doc.EnterElement());
        for (int i = 0; i < 20; ++i) {
            ASSERT_TRUE(doc.AddElement(u"item"));
            ASSERT_TRUE(doc.SetAttribute(u"id", Id(u"i", g * 20 + i)));
        }
        ASSERT_TRUE(doc.LeaveElement());
        ASSERT_TRUE(doc.LeaveElement());
        // An edit before all of the group's items, then the items once more
        // (entering the group comes back to its list, entering that to its
        // first item).
        ASSERT_TRUE(doc.SetAttribute(u"n", u"20"));
        ASSERT_TRUE(doc.EnterElement());
        ASSERT_TRUE(doc.EnterElement());
        std::u16string items;
        while (doc.FindElement(u"item"))
            items += (items.empty() ? u"" : u" ") + doc.GetAttribute(u"id");
        ASSERT_TRUE(doc.LeaveElement());
        ASSERT_TRUE(doc.LeaveElement());

        std::u16string expected_items;
        middle += u"<group id=\"" + Id(u"g", g) + u"\" n=\"20\">\r\n<list id=\"" + Id(u"l", g) +
                  u"\">\r\n";
        for (int i = 0; i < 20; ++i) {
            expected_items += (i == 0 ? u"" : u" ") + Id(u"i", g * 20 + i);
            middle += u"<item id=\"" + Id(u"i", g * 20 + i) + u"\"/>\r\n";
        }
        middle += u"</list>\r\n</group>\r\n";
        ASSERT_EQ(items, expected_items);
        walk += u" " + Id(u"g", g) + u"(" + Id(u"l", g) + u"(" + expected_items + u"))";
    }
    ASSERT_TRUE(doc.FindElement(u"tail"));
    EXPECT_EQ(doc.GetAttribute(u"v"), u"t");
    ASSERT_TRUE(doc.SetAttribute(u"v", u"end"));
    EXPECT_EQ(doc.GetText(), u"<root id=\"R\"><body id=\"B\">\r\n<head id=\"H\"/>\r\n" + middle +
                                 u"<tail id=\"T\" v=\"end\"/>\r\n</body></root>");
    EXPECT_EQ(WalkBody(doc), walk + u" T");
}

TEST(XmlEditSequence, ParsedDocumentEditedInTheMiddle) {
    std::u16string text = u"<root id=\"R\"><body id=\"B\">\r\n";
    for (int e = 0; e < 200; ++e)
        text += u"<e id=\"" + Id(u"e", e) + u"\"/>\r\n";
    text += u"</body></root>\r\n";
    XmlTextDocument doc;
    ASSERT_TRUE(doc.SetText(text));
    ASSERT_TRUE(doc.FindElement(u"root"));
    GoToBodyStart(doc);
    for (int e = 0; e <= 60; ++e)
        ASSERT_TRUE(doc.FindElement(u"e"));
    // e60 gets a sibling, then e120 is split to take a child.
    ASSERT_TRUE(doc.AddElement(u"s"));
    ASSERT_TRUE(doc.SetAttribute(u"id", u"S"));
    for (int e = 61; e <= 120; ++e) {
        ASSERT_TRUE(doc.FindElement(u"e"));
        ASSERT_EQ(doc.GetAttribute(u"id"), Id(u"e", e));
    }
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddElement(u"c"));
    ASSERT_TRUE(doc.SetAttribute(u"id", u"C"));
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.FindElement(u"e"));
    EXPECT_EQ(doc.GetAttribute(u"id"), u"e121");

    std::u16string expected = text;
    const std::u16string e120 = u"<e id=\"e120\"/>";
    expected.replace(expected.find(e120), e120.size(), u"<e id=\"e120\">\r\n<c id=\"C\"/>\r\n</e>");
    expected.insert(expected.find(u"<e id=\"e61\""), u"<s id=\"S\"/>\r\n");
    ASSERT_EQ(doc.GetText(), expected);

    std::u16string walk;
    for (int e = 0; e < 200; ++e) {
        walk += (e == 0 ? u"" : u" ") + Id(u"e", e);
        if (e == 60)
            walk += u" S";
        if (e == 120)
            walk += u"(C)";
    }
    EXPECT_EQ(WalkBody(doc), walk);
    EXPECT_EQ(WalkOfFreshParse(doc.GetText()), walk);
}

TEST(XmlEditSequence, ANewTextForgetsTheEditsOfTheOldOne) {
    constexpr std::u16string_view kSmall =
        u"<root id=\"R\"><body id=\"B\"><a id=\"A\"/><b id=\"B2\"/></body></root>";
    TempDir dir;
    const std::u16string path = dir.u16() + u"/small.xml";
    {
        XmlTextDocument small;
        small.SetText(kSmall);
        ASSERT_TRUE(small.SaveFile(path));
    }
    for (const bool from_file : {false, true}) {
        XmlTextDocument doc;
        WriteGroups(doc);
        if (from_file) {
            ASSERT_TRUE(doc.LoadFile(path));
        } else {
            ASSERT_TRUE(doc.SetText(kSmall));
        }
        ASSERT_TRUE(doc.FindElement(u"root"));
        GoToBodyStart(doc);
        ASSERT_TRUE(doc.FindElement(u"a"));
        ASSERT_TRUE(doc.SetAttribute(u"v", u"1"));
        ASSERT_TRUE(doc.AddElement(u"m"));
        ASSERT_TRUE(doc.SetAttribute(u"id", u"M"));
        ASSERT_TRUE(doc.FindElement(u"b"));
        ASSERT_TRUE(doc.SetAttribute(u"v", u"2"));
        EXPECT_EQ(doc.GetText(),
                  u"<root id=\"R\"><body id=\"B\"><a id=\"A\" v=\"1\"/><m id=\"M\"/>"
                  u"\r\n<b id=\"B2\" v=\"2\"/></body></root>");
        EXPECT_EQ(WalkBody(doc), u"A M B2");
    }
}

}  // namespace
}  // namespace tessaly
