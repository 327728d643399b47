#include <cstdlib>

#include <gtest/gtest.h>

#include "base/unicode.h"
#include "support/temp_dir.h"
#include "xml/xml_text_document.h"

namespace tessaly {
namespace {

using test::TempDir;

// The writer pattern of every file the program writes.
void WriteExample(XmlTextDocument& doc) {
    // A declaration alone has no root yet: not well-formed, but writable.
    EXPECT_FALSE(doc.SetText(kXmlDeclaration));
    ASSERT_TRUE(doc.AddElement(u"root"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddElement(u"child"));
    ASSERT_TRUE(doc.SetAttribute(u"a", u"1"));
    ASSERT_TRUE(doc.SetAttribute(u"b", u"2"));
    ASSERT_TRUE(doc.AddElement(u"list"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddElement(u"item"));
    ASSERT_TRUE(doc.SetAttribute(u"x", u"1"));
    ASSERT_TRUE(doc.AddElement(u"item"));
    ASSERT_TRUE(doc.SetAttribute(u"x", u"2"));
}

TEST(XmlWrittenForm, EightLinesByteForByte) {
    XmlTextDocument doc;
    WriteExample(doc);
    EXPECT_EQ(
        doc.GetText(),
        u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<root>\r\n<child a=\"1\" b=\"2\"/>\r\n"
        u"<list>\r\n<item x=\"1\"/>\r\n<item x=\"2\"/>\r\n</list>\r\n</root>\r\n");
}

TEST(XmlWrittenForm, WrittenDocumentReadsBack) {
    XmlTextDocument doc;
    WriteExample(doc);
    XmlTextDocument again;
    ASSERT_TRUE(again.SetText(doc.GetText()));
    ASSERT_TRUE(again.FindElement(u"root"));
    ASSERT_TRUE(again.EnterElement());
    ASSERT_TRUE(again.FindElement(u"child"));
    EXPECT_EQ(again.GetAttribute(u"b"), u"2");
    ASSERT_TRUE(again.FindElement(u"list"));
    ASSERT_TRUE(again.EnterElement());
    ASSERT_TRUE(again.FindElement(u"item"));
    ASSERT_TRUE(again.FindElement(u"item"));
    EXPECT_EQ(again.GetAttribute(u"x"), u"2");
    EXPECT_FALSE(again.FindElement(u"item"));
}

TEST(XmlSetAttribute, EscapesReplacesAndKeepsFirstSetOrder) {
    XmlTextDocument doc;
    ASSERT_TRUE(doc.SetText(u"<x/>"));
    EXPECT_FALSE(doc.SetAttribute(u"v", u"0"));  // nothing current
    ASSERT_TRUE(doc.FindElement(u"x"));
    ASSERT_TRUE(doc.SetAttribute(u"v", u"a<b"));
    EXPECT_EQ(doc.GetText(), u"<x v=\"a&lt;b\"/>");
    ASSERT_TRUE(doc.SetAttribute(u"v", u"c"));
    EXPECT_EQ(doc.GetText(), u"<x v=\"c\"/>");
    ASSERT_TRUE(doc.SetAttribute(u"w", u"&'\">"));
    ASSERT_TRUE(doc.SetAttribute(u"v", u"d"));
    EXPECT_EQ(doc.GetText(), u"<x v=\"d\" w=\"&amp;&apos;&quot;&gt;\"/>");
    EXPECT_EQ(doc.GetAttribute(u"w"), u"&'\">");
}

TEST(XmlSetAttribute, SingleQuotesBecomeDoubleAndSpaceBeforeTheEndStays) {
    XmlTextDocument doc;
    ASSERT_TRUE(doc.SetText(u"<r><x v='1' /><y>t</y></r>"));
    ASSERT_TRUE(doc.FindElement(u"r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(u"x"));
    ASSERT_TRUE(doc.SetAttribute(u"v", u"22"));
    ASSERT_TRUE(doc.SetAttribute(u"n", u"3"));
    ASSERT_TRUE(doc.FindElement(u"y"));
    ASSERT_TRUE(doc.SetAttribute(u"k", u"\u914d\u7f6e"));
    EXPECT_EQ(doc.GetText(), u"<r><x v=\"22\" n=\"3\" /><y k=\"\u914d\u7f6e\">t</y></r>");
    // The index followed the edits: leaving and entering again comes back to y.
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_EQ(doc.GetAttribute(u"k"), u"\u914d\u7f6e");
    XmlTextDocument again;
    ASSERT_TRUE(again.SetText(doc.GetText()));
}

TEST(XmlSetAttribute, EveryPlaceAnAttributeGoes) {
    struct Case {
        std::u16string_view before;
        std::u16string_view name;
        std::u16string_view after;
    };
    const Case cases[] = {
        // Replaced, quotes included, whatever they were.
        {u"<x a=\"1\" b=\"2\"/>", u"a", u"<x a=\"9\" b=\"2\"/>"},
        {u"<x a='1'/>", u"a", u"<x a=\"9\"/>"},
        {u"<x a=1 b=2 />", u"a", u"<x a=\"9\" b=2 />"},
        {u"<x a = \"1\"/>", u"a", u"<x a = \"9\"/>"},
        // A name without a value gets one.
        {u"<x c d=\"1\"/>", u"c", u"<x c=\"9\" d=\"1\"/>"},
        // Added after the name or the last attribute, before the white space
        // ahead of "/>" or ">".
        {u"<x/>", u"n", u"<x n=\"9\"/>"},
        {u"<x />", u"n", u"<x n=\"9\" />"},
        {u"<x>t</x>", u"n", u"<x n=\"9\">t</x>"},
        {u"<x a=\"1\"  >t</x>", u"n", u"<x a=\"1\" n=\"9\"  >t</x>"},
        {u"<x a=\"1\"\r\n/>", u"n", u"<x a=\"1\" n=\"9\"\r\n/>"},
        // Names are case-sensitive: a second attribute.
        {u"<x A=\"1\"/>", u"a", u"<x A=\"1\" a=\"9\"/>"},
    };
    for (const auto& c : cases) {
        XmlTextDocument doc;
        doc.SetText(c.before);
        ASSERT_TRUE(doc.FindElement(u"x"));
        ASSERT_TRUE(doc.SetAttribute(c.name, u"9"));
        EXPECT_EQ(doc.GetText(), c.after) << ToUtf8(c.before);
        EXPECT_EQ(doc.GetAttribute(c.name), u"9") << ToUtf8(c.before);
    }
}

TEST(XmlSetAttribute, EditsMoveEverythingBehindTheStartTag) {
    XmlTextDocument doc;
    ASSERT_TRUE(doc.SetText(u"<r><a><b v=\"1\"/></a><c v=\"2\"/></r>"));
    ASSERT_TRUE(doc.FindElement(u"r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(u"a"));
    ASSERT_TRUE(doc.SetAttribute(u"long", std::u16string(3000, u'x')));
    ASSERT_TRUE(doc.SetAttribute(u"long", u"short"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(u"b"));
    EXPECT_EQ(doc.GetAttribute(u"v"), u"1");
    // Added right after b, inside a, before a's end tag.
    ASSERT_TRUE(doc.AddElement(u"n"));
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.GetAttribute(u"long"), u"short");
    ASSERT_TRUE(doc.FindElement(u"c"));
    EXPECT_EQ(doc.GetAttribute(u"v"), u"2");
    EXPECT_EQ(doc.GetText(), u"<r><a long=\"short\"><b v=\"1\"/><n/>\r\n</a><c v=\"2\"/></r>");
}

TEST(XmlAddElement, PlacementRules) {
    XmlTextDocument doc;
    // An empty root gets two children on lines of their own.
    ASSERT_TRUE(doc.SetText(u"<root/>"));
    ASSERT_TRUE(doc.FindElement(u"root"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddElement(u"c"));
    ASSERT_TRUE(doc.AddElement(u"c"));
    EXPECT_EQ(doc.GetText(), u"<root>\r\n<c/>\r\n<c/>\r\n</root>");

    // <parent></parent> with nothing between.
    ASSERT_TRUE(doc.SetText(u"<p></p>"));
    ASSERT_TRUE(doc.FindElement(u"p"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddElement(u"n"));
    EXPECT_EQ(doc.GetText(), u"<p>\r\n<n/>\r\n</p>");

    // Without a current element: after the last child.
    ASSERT_TRUE(doc.SetText(u"<p>\r\n<a/>\r\n</p>"));
    ASSERT_TRUE(doc.FindElement(u"p"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddElement(u"z"));
    EXPECT_EQ(doc.GetText(), u"<p>\r\n<a/>\r\n<z/>\r\n</p>");

    // With a current element: right after it, before its next sibling.
    ASSERT_TRUE(doc.SetText(u"<p>\r\n<a/>\r\n<b/>\r\n</p>"));
    ASSERT_TRUE(doc.FindElement(u"p"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(u"a"));
    ASSERT_TRUE(doc.AddElement(u"m"));
    ASSERT_TRUE(doc.SetAttribute(u"k", u"1"));
    EXPECT_EQ(doc.GetText(), u"<p>\r\n<a/>\r\n<m k=\"1\"/>\r\n<b/>\r\n</p>");
    EXPECT_TRUE(doc.FindElement(u"b"));  // the new element sits in the sibling chain

    // At top level: at the end of the text.
    EXPECT_FALSE(doc.SetText(u""));
    ASSERT_TRUE(doc.AddElement(u"top"));
    EXPECT_EQ(doc.GetText(), u"<top/>\r\n");
}

TEST(XmlAddElement, MoreEndsOfTheParentAndTheCurrentElement) {
    XmlTextDocument doc;
    // Text after the current element keeps the new element on its line.
    ASSERT_TRUE(doc.SetText(u"<p><a/>text</p>"));
    ASSERT_TRUE(doc.FindElement(u"p"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(u"a"));
    ASSERT_TRUE(doc.AddElement(u"m"));
    EXPECT_EQ(doc.GetText(), u"<p><a/><m/>\r\ntext</p>");

    // After the last child the white space before the end tag is skipped.
    ASSERT_TRUE(doc.SetText(u"<p>\r\n<a/>\r\n</p>"));
    ASSERT_TRUE(doc.FindElement(u"p"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(u"a"));
    ASSERT_TRUE(doc.AddElement(u"m"));
    EXPECT_EQ(doc.GetText(), u"<p>\r\n<a/>\r\n<m/>\r\n</p>");

    // An empty-element parent with attributes and a blank is split.
    ASSERT_TRUE(doc.SetText(u"<p k=\"1\" />"));
    ASSERT_TRUE(doc.FindElement(u"p"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddElement(u"n"));
    EXPECT_EQ(doc.GetText(), u"<p k=\"1\" >\r\n<n/>\r\n</p>");
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.GetAttribute(u"k"), u"1");
    ASSERT_TRUE(doc.SetAttribute(u"j", u"2"));
    EXPECT_EQ(doc.GetText(), u"<p k=\"1\" j=\"2\" >\r\n<n/>\r\n</p>");

    // A parent with text but no child element: before its end tag.
    ASSERT_TRUE(doc.SetText(u"<p>text</p>"));
    ASSERT_TRUE(doc.FindElement(u"p"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddElement(u"n"));
    EXPECT_EQ(doc.GetText(), u"<p>text<n/>\r\n</p>");

    // At top level after the current element.
    ASSERT_TRUE(doc.SetText(u"<r/>\r\n<!-- c -->"));
    ASSERT_TRUE(doc.FindElement(u"r"));
    ASSERT_TRUE(doc.AddElement(u"s"));
    EXPECT_EQ(doc.GetText(), u"<r/>\r\n<s/>\r\n<!-- c -->");
    EXPECT_FALSE(doc.FindElement(u""));  // s is current and last

    // The new element is current and has no remembered child: entering it
    // and adding splits it in turn.
    ASSERT_TRUE(doc.SetText(u"<r/>"));
    ASSERT_TRUE(doc.FindElement(u"r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddElement(u"a"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddElement(u"b"));
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.AddElement(u"c"));
    EXPECT_EQ(doc.GetText(), u"<r>\r\n<a>\r\n<b/>\r\n</a>\r\n<c/>\r\n</r>");
}

TEST(XmlAddElement, EditedDocumentParsesToTheSameTree) {
    XmlTextDocument doc;
    ASSERT_TRUE(doc.SetText(u"<r><a x=\"1\"><b/></a><c/></r>"));
    ASSERT_TRUE(doc.FindElement(u"r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(u"a"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(u"b"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddElement(u"deep"));
    ASSERT_TRUE(doc.SetAttribute(u"d", u"4"));
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.SetAttribute(u"y", u"2"));
    ASSERT_TRUE(doc.FindElement(u"c"));
    ASSERT_TRUE(doc.SetAttribute(u"z", u"3"));

    XmlTextDocument again;
    ASSERT_TRUE(again.SetText(doc.GetText())) << std::string(ToUtf8(doc.GetText()));
    ASSERT_TRUE(again.FindElement(u"r"));
    ASSERT_TRUE(again.EnterElement());
    ASSERT_TRUE(again.FindElement(u"a"));
    EXPECT_EQ(again.GetAttribute(u"y"), u"2");
    ASSERT_TRUE(again.EnterElement());
    ASSERT_TRUE(again.FindElement(u"b"));
    ASSERT_TRUE(again.EnterElement());
    ASSERT_TRUE(again.FindElement(u"deep"));
    EXPECT_EQ(again.GetAttribute(u"d"), u"4");
    ASSERT_TRUE(again.LeaveElement());
    ASSERT_TRUE(again.LeaveElement());
    ASSERT_TRUE(again.FindElement(u"c"));
    EXPECT_EQ(again.GetAttribute(u"z"), u"3");
}

TEST(XmlRoundTrip, IndependentParserAcceptsWhatIsWritten) {
    TempDir dir;
    XmlTextDocument doc;
    WriteExample(doc);
    // Characters that need escaping and text beyond ASCII.
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.AddElement(u"names"));
    ASSERT_TRUE(doc.SetAttribute(u"macro_name", u"\u914d\u7f6e <1> & \"\u041f\" 'x'"));
    const std::u16string path = dir.u16() + u"/out.xml";
    ASSERT_TRUE(doc.SaveFile(path));
    const std::string command = "xmllint --noout '" + (dir.path() / "out.xml").string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);

    XmlTextDocument loaded;
    ASSERT_TRUE(loaded.LoadFile(path));
    EXPECT_EQ(loaded.GetText(), doc.GetText());
    ASSERT_TRUE(loaded.FindElement(u"root"));
    ASSERT_TRUE(loaded.EnterElement());
    ASSERT_TRUE(loaded.FindElement(u"names"));
    EXPECT_EQ(loaded.GetAttribute(u"macro_name"), u"\u914d\u7f6e <1> & \"\u041f\" 'x'");
}

}  // namespace
}  // namespace tessaly
