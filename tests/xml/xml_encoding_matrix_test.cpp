// Every byte-order mark against every declared encoding: the mark wins, else
// the declaration, else UTF-8 for a file that starts with '<'. Each file must
// load with its value intact and save back to the same bytes.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/unicode.h"
#include "support/temp_dir.h"
#include "xml/code_page_conversion.h"
#include "xml/encoding_names.h"
#include "xml/xml_text_document.h"

namespace tessaly {
namespace {

using test::TempDir;

enum class Mark { kNone, kUtf8, kUtf16Le, kUtf16Be };

// An encoding the file's bytes are in, with a value written in it.
struct Encoding {
    const char* name;      // as the log names it
    std::u16string value;  // what the attribute reads as
    std::string bytes;     // the value's bytes in this encoding
};

const Encoding kUtf8{"UTF-8", u"\u00e9\u914d", "\xc3\xa9\xe9\x85\x8d"};
const Encoding kUtf16Le{"UTF-16LE", u"\u00e9\u914d", std::string("\xe9\x00\x4d\x91", 4)};
const Encoding kUtf16Be{"UTF-16BE", u"\u00e9\u914d", std::string("\x00\xe9\x91\x4d", 4)};

// Declarations, and what a file declaring them holds when it has no mark.
struct Declaration {
    const char* name;  // nullptr: no declaration at all
    Encoding encoding;
};

const std::vector<Declaration>& Declarations() {
    static const std::vector<Declaration> declarations = {
        {nullptr, kUtf8},
        {"UTF-8", kUtf8},
        {"iso-8859-1", {"iso-8859-1", u"\u00e9", "\xe9"}},
        {"windows-1251", {"windows-1251", u"\u041f", "\xcf"}},
        {"Shift_JIS", {"Shift_JIS", u"\u3042", "\x82\xa0"}},
        {"koi8-r", {"koi8-r", u"\u041f", "\xf0"}},
    };
    return declarations;
}

// The ASCII text `ascii` in the encoding of `encoding`.
std::string Ascii(std::string_view ascii, const Encoding& encoding) {
    const std::string_view name = encoding.name;
    if (name != "UTF-16LE" && name != "UTF-16BE")
        return std::string(ascii);
    std::string out;
    for (char c : ascii) {
        if (name == "UTF-16BE")
            out.push_back('\0');
        out.push_back(c);
        if (name == "UTF-16LE")
            out.push_back('\0');
    }
    return out;
}

std::string FileBytes(Mark mark, const Declaration& declaration, const Encoding& encoding) {
    std::string head = "<?xml version=\"1.0\"";
    if (declaration.name)
        head += std::string(" encoding=\"") + declaration.name + "\"";
    head += "?>\r\n<a v=\"";
    const std::string tail = "\"/>\r\n";
    const char* marks[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    return marks[static_cast<int>(mark)] + Ascii(head, encoding) + encoding.bytes +
           Ascii(tail, encoding);
}

std::u16string AsciiUpper(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) {
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return out;
}

class XmlEncodingMatrix : public ::testing::TestWithParam<std::tuple<Mark, size_t>> {};

TEST_P(XmlEncodingMatrix, LoadsTheValueAndSavesTheSameBytes) {
    const auto [mark, declaration_index] = GetParam();
    const Declaration& declaration = Declarations()[declaration_index];
    const Encoding& encoding = mark == Mark::kUtf8      ? kUtf8
                               : mark == Mark::kUtf16Le ? kUtf16Le
                               : mark == Mark::kUtf16Be ? kUtf16Be
                                                        : declaration.encoding;
    const std::string bytes = FileBytes(mark, declaration, encoding);
    TempDir dir;
    dir.Write("in.xml", bytes);

    XmlTextDocument doc;
    ASSERT_TRUE(doc.LoadFile(dir.u16() + u"/in.xml")) << ToUtf8(doc.GetResult());
    EXPECT_NE(doc.GetResult().find(u"<read encoding=\"" + FromUtf8(encoding.name) + u"\""),
              std::u16string::npos)
        << ToUtf8(doc.GetResult());
    EXPECT_EQ(doc.GetResult().find(u"bom") != std::u16string::npos, mark != Mark::kNone);
    ASSERT_TRUE(doc.FindElement(u"a"));
    EXPECT_EQ(doc.GetAttribute(u"v"), encoding.value);

    ASSERT_TRUE(doc.SaveFile(dir.u16() + u"/out.xml"));
    EXPECT_EQ(dir.Read("out.xml"), bytes);
}

INSTANTIATE_TEST_SUITE_P(MarksAndDeclarations, XmlEncodingMatrix,
                         ::testing::Combine(::testing::Values(Mark::kNone, Mark::kUtf8,
                                                              Mark::kUtf16Le, Mark::kUtf16Be),
                                            ::testing::Range<size_t>(0, 6)));

TEST(XmlEncodingNames, EveryNameOfTheTableHasAConverter) {
    ASSERT_EQ(EncodingNameCount(), 365u);
    // glibc has no IBM-Thai, EBCDIC Latin-9 or HZ.
    const int missing[] = {20838, 20924, 52936};
    for (size_t i = 0; i < EncodingNameCount(); ++i) {
        const std::u16string_view name = EncodingNameAt(i);
        const int code_page = CodePageFromEncodingName(name);
        EXPECT_EQ(CodePageFromEncodingName(AsciiUpper(name)), code_page) << ToUtf8(name);
        const bool expected =
            std::find(std::begin(missing), std::end(missing), code_page) == std::end(missing);
        EXPECT_EQ(DecodeCodePage("<a/>", code_page).has_value(), expected)
            << ToUtf8(name) << " " << code_page;
        EXPECT_EQ(EncodeCodePage(u"<a/>", code_page).has_value(), expected)
            << ToUtf8(name) << " " << code_page;
    }
}

}  // namespace
}  // namespace tessaly
