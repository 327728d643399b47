#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "base/unicode.h"
#include "support/temp_dir.h"
#include "xml/xml_text_document.h"

namespace tessaly {
namespace {

using test::TempDir;

std::string Utf16Le(std::u16string_view text) {
    std::string bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

std::string Utf16Be(std::u16string_view text) {
    std::string bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c >> 8));
        bytes.push_back(static_cast<char>(c & 0xFF));
    }
    return bytes;
}

class XmlFileTest : public ::testing::Test {
  protected:
    // Loads the bytes and gives the value of attribute v of the root.
    std::u16string LoadValue(const std::string& bytes, bool expect_ok = true) {
        dir_.Write("f.xml", bytes);
        XmlTextDocument doc;
        EXPECT_EQ(doc.LoadFile(path()), expect_ok) << ToUtf8(doc.GetResult());
        if (!doc.FindElement(u""))
            return u"<none>";
        return doc.GetAttribute(u"v");
    }
    std::u16string path() const { return dir_.u16() + u"/f.xml"; }
    TempDir dir_;
};

TEST_F(XmlFileTest, MarksDecideTheEncoding) {
    const std::u16string text = u"<a v=\"\u00e9\u914d\"/>";
    EXPECT_EQ(LoadValue("\xEF\xBB\xBF" + ToUtf8(text)), u"\u00e9\u914d");
    EXPECT_EQ(LoadValue("\xFF\xFE" + Utf16Le(text)), u"\u00e9\u914d");
    EXPECT_EQ(LoadValue("\xFE\xFF" + Utf16Be(text)), u"\u00e9\u914d");
    // A mark wins over a declaration that says otherwise.
    EXPECT_EQ(
        LoadValue("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><a v=\"\xc3\xa9\"/>"),
        u"\u00e9");
}

TEST_F(XmlFileTest, DeclaredEncodingsWithoutAMark) {
    EXPECT_EQ(LoadValue("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><a v=\"\xe9\"/>"),
              u"\u00e9");
    EXPECT_EQ(LoadValue("<?xml version=\"1.0\" encoding='windows-1251'?><a v=\"\xcf\"/>"),
              u"\u041f");
    EXPECT_EQ(LoadValue("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><a v=\"\x82\xa0\"/>"),
              u"\u3042");
    EXPECT_EQ(LoadValue("<?xml version=\"1.0\" encoding=\"GBK\"?><a v=\"\xc5\xe4\"/>"), u"\u914d");
    EXPECT_EQ(LoadValue("<?xml version=\"1.0\" encoding=\"big5\"?><a v=\"\xb0\x74\"/>"), u"\u914d");
    EXPECT_EQ(LoadValue("<?xml version=\"1.0\" encoding=\"euc-kr\"?><a v=\"\xb0\xa1\"/>"),
              u"\uac00");
    EXPECT_EQ(LoadValue("<?xml version=\"1.0\" encoding=\"koi8-r\"?><a v=\"\xf0\"/>"), u"\u041f");
    // HTML declares its charset in a meta element.
    dir_.Write("f.xml",
               "<html><head><meta http-equiv=\"content-type\" "
               "content=\"text/html; charset=iso-8859-1\"/></head><body v=\"\xe9\"/></html>");
    XmlTextDocument doc;
    ASSERT_TRUE(doc.LoadFile(path()));
    ASSERT_TRUE(doc.FindElement(u"html"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement(u"body"));
    EXPECT_EQ(doc.GetAttribute(u"v"), u"\u00e9");
}

TEST_F(XmlFileTest, UndeclaredBytesAreCheckedForUtf8ElseAnsi) {
    // The first byte is '<' and nothing is declared: UTF-8.
    EXPECT_EQ(LoadValue("<a v=\"\xc3\xa9\"/>"), u"\u00e9");
    // A leading blank and the Latin-1 byte of é before a plain byte: not UTF-8,
    // so the ANSI code page.
    EXPECT_EQ(LoadValue(" <a v=\"\xe9\"/>"), u"\u00e9");
    EXPECT_EQ(LoadValue(" <a v=\"\x80\"/>"), u"\u20ac");  // Windows-1252's euro sign
    // Valid UTF-8 after a leading blank is still UTF-8.
    EXPECT_EQ(LoadValue(" <a v=\"\xe9\x85\x8d\"/>"), u"\u914d");
}

TEST_F(XmlFileTest, NulUnitsAreRemoved) {
    EXPECT_EQ(LoadValue(std::string("<a v=\"x\0y\"/>", 12)), u"xy");
    dir_.Write("f.xml", "\xFF\xFE" + Utf16Le(std::u16string(u"<a v=\"q\0r\"/>", 12)));
    XmlTextDocument doc;
    ASSERT_TRUE(doc.LoadFile(path()));
    EXPECT_EQ(doc.GetText(), u"<a v=\"qr\"/>");
    EXPECT_NE(doc.GetResult().find(u"nulls_removed count=\"1\""), std::u16string::npos);
}

TEST_F(XmlFileTest, SaveKeepsTheMarkOrUsesTheDeclaration) {
    const std::u16string text = u"<a v=\"\u00e9\"/>";
    for (const std::string& mark :
         {std::string("\xEF\xBB\xBF"), std::string("\xFF\xFE"), std::string("\xFE\xFF")}) {
        const std::string body = mark == "\xEF\xBB\xBF" ? ToUtf8(text)
                                 : mark == "\xFF\xFE"   ? Utf16Le(text)
                                                        : Utf16Be(text);
        dir_.Write("f.xml", mark + body);
        XmlTextDocument doc;
        ASSERT_TRUE(doc.LoadFile(path()));
        ASSERT_TRUE(doc.SaveFile(dir_.u16() + u"/g.xml"));
        EXPECT_EQ(dir_.Read("g.xml"), mark + body);
    }
    // No mark: the declared encoding.
    XmlTextDocument doc;
    doc.SetText(u"<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<a v=\"\u00e9\"/>");
    ASSERT_TRUE(doc.SaveFile(path()));
    EXPECT_EQ(dir_.Read("f.xml"),
              "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<a v=\"\xe9\"/>");
    // Nothing declared: UTF-8 without a mark.
    doc.SetText(u"<a v=\"\u914d\"/>");
    ASSERT_TRUE(doc.SaveFile(path()));
    EXPECT_EQ(dir_.Read("f.xml"), "<a v=\"\xe9\x85\x8d\"/>");
}

TEST_F(XmlFileTest, ConversionLossIsReported) {
    XmlTextDocument doc;
    doc.SetText(u"<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><a v=\"\u914d\"/>");
    ASSERT_TRUE(doc.SaveFile(path()));
    EXPECT_NE(doc.GetResult().find(u"conversion_loss"), std::u16string::npos);
    EXPECT_NE(dir_.Read("f.xml").find("v=\"?\""), std::string::npos);
    doc.SetText(u"<a v=\"\u914d\"/>");
    ASSERT_TRUE(doc.SaveFile(path()));
    EXPECT_EQ(doc.GetResult().find(u"conversion_loss"), std::u16string::npos);
}

TEST_F(XmlFileTest, FileErrorsAreResultsNotCrashes) {
    XmlTextDocument doc;
    EXPECT_FALSE(doc.LoadFile(dir_.u16() + u"/missing.xml"));
    EXPECT_NE(doc.GetResult().find(u"<file_error msg=\"No such file or directory\" n=\"2\"/>"),
              std::u16string::npos);
    EXPECT_FALSE(doc.FindElement(u""));
    EXPECT_FALSE(doc.SaveFile(dir_.u16() + u"/no/such/folder/x.xml"));
    // An empty text writes an empty file.
    doc.SetText(u"");
    ASSERT_TRUE(doc.SaveFile(path()));
    EXPECT_EQ(dir_.Read("f.xml"), "");
    // An ill-formed file loads (and stays navigable) but reports false.
    EXPECT_EQ(LoadValue("<a v=\"1\"><b></a>", false), u"1");
}

// Every name in the folder, to see that no temporary file is left behind.
std::vector<std::string> Names(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(XmlFileTest, AFailedSaveLeavesTheOldFileAsItWas) {
    dir_.Write("f.xml", "<old/>");
    XmlTextDocument doc;
    // A text that cannot be written in its declared encoding.
    doc.SetText(u"<?xml version=\"1.0\" encoding=\"ibm290\"?><a/>");
    bool refused = !doc.SaveFile(path());
    if (!refused) {
        // iconv writes it after all: a target that cannot be replaced then.
        dir_.Write("f.xml", "<old/>");
        std::filesystem::create_directory(dir_.path() / "d.xml");
        refused = !doc.SaveFile(dir_.u16() + u"/d.xml");
    }
    EXPECT_TRUE(refused);
    EXPECT_EQ(dir_.Read("f.xml"), "<old/>");
    // Something that is not a regular file is never replaced.
    doc.SetText(u"<a/>");
    EXPECT_FALSE(doc.SaveFile(u"/dev/null"));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    std::filesystem::remove(dir_.path() / "d.xml");
    EXPECT_EQ(Names(dir_.path()), std::vector<std::string>{"f.xml"});
}

TEST_F(XmlFileTest, SaveReplacesTheFileWholeKeepingItsModeAndLinks) {
    dir_.Write("real.xml", std::string(10000, 'x'));
    ASSERT_EQ(::chmod((dir_.path() / "real.xml").c_str(), 0640), 0);
    std::filesystem::create_symlink("real.xml", dir_.path() / "link.xml");
    XmlTextDocument doc;
    doc.SetText(u"<a v=\"1\"/>");
    ASSERT_TRUE(doc.SaveFile(dir_.u16() + u"/link.xml"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir_.path() / "link.xml"));
    EXPECT_EQ(dir_.Read("real.xml"), "<a v=\"1\"/>");
    struct stat info {};
    ASSERT_EQ(::stat((dir_.path() / "real.xml").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(Names(dir_.path()), (std::vector<std::string>{"link.xml", "real.xml"}));
    // A link to a file not yet there makes that file.
    std::filesystem::create_symlink("new.xml", dir_.path() / "ahead.xml");
    ASSERT_TRUE(doc.SaveFile(dir_.u16() + u"/ahead.xml"));
    EXPECT_EQ(dir_.Read("new.xml"), "<a v=\"1\"/>");
}

TEST_F(XmlFileTest, Utf32DeclarationsAreWrittenAsCodePoints) {
    XmlTextDocument doc;
    doc.SetText(u"<?xml version=\"1.0\" encoding=\"UTF-32\"?><a v=\"\U0001F600\"/>");
    ASSERT_TRUE(doc.SaveFile(path()));
    const std::string bytes = dir_.Read("f.xml");
    ASSERT_EQ(bytes.size() % 4, 0u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("<\0\0\0", 4));
    EXPECT_NE(bytes.find(std::string("\x00\xF6\x01\x00", 4)), std::string::npos);
}

}  // namespace
}  // namespace tessaly
