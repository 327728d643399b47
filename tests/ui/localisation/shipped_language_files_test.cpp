// The language files the program ships: complete, translated, consistent.

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/decimal.h"
#include "base/unicode.h"
#include "platform/ini_file.h"
#include "ui/localisation/known_languages.h"
#include "ui/localisation/language_file.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {

// Names the cases by language identifier.
void PrintTo(const KnownLanguage& language, std::ostream* out) {
    *out << language.lcid;
}

namespace {

namespace fs = std::filesystem;

const fs::path kLanguageFolder = fs::path(TESSALY_SOURCE_DIR) / "data" / "language";

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

fs::path LanFile(int lcid) {
    return kLanguageFolder / (std::to_string(lcid) + ".lan");
}

LanguageFile Shipped(int lcid) {
    return LanguageFile::Read(FromUtf8(LanFile(lcid).string()));
}

std::u16string English(int number) {
    static const LanguageFile english = Shipped(1033);
    return english.Text(kLanguageSection, number);
}

// The printf conversions of a text, in order ("%s", "%d", "%%", ...).
std::vector<std::u16string> Placeholders(std::u16string_view text) {
    std::vector<std::u16string> found;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'%')
            continue;
        size_t end = i + 1;
        while (end < text.size() &&
               std::u16string_view(u"-0123456789.").find(text[end]) != std::u16string_view::npos)
            ++end;
        // "%1" not followed by a conversion is the place a number goes.
        const bool conversion =
            end < text.size() && std::u16string_view(u"diouxXsScfFeEgGpn%l").find(text[end]) !=
                                     std::u16string_view::npos;
        if (conversion)
            found.emplace_back(text.substr(i, end - i + 1));
        else if (end > i + 1)
            found.emplace_back(text.substr(i, end - i));
        i = end;
    }
    return found;
}

bool HasLetters(std::u16string_view text) {
    // Anything beyond ASCII counts as a letter here: the check is for texts
    // made of digits, units and punctuation only.
    return std::any_of(text.begin(), text.end(), [](char16_t c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c > 0x7F;
    });
}

class ShippedLanguageFile : public ::testing::TestWithParam<KnownLanguage> {
  protected:
    int lcid() const { return GetParam().lcid; }
    std::u16string Text(int number) const { return file_.Text(kLanguageSection, number); }

    LanguageFile file_ = Shipped(GetParam().lcid);
};

TEST_P(ShippedLanguageFile, IsUtf16WithMarkCrlfAndTheLanSection) {
    const std::string bytes = ReadBytes(LanFile(lcid()));
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(bytes.size() % 2, 0u);
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             static_cast<unsigned char>(bytes[i + 1]) << 8));
    EXPECT_EQ(text.substr(0, 7), u"[LAN]\r\n");
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == u'\r') << "bare LF at unit " << i;
        }
    }
}

TEST_P(ShippedLanguageFile, HoldsEveryTextTheProgramUses) {
    for (int number : text::kAllTextIds)
        EXPECT_FALSE(Text(number).empty()) << "text " << number << " in " << lcid() << ".lan";
}

TEST_P(ShippedLanguageFile, HoldsNoNumberTheProgramDoesNotKnow) {
    const auto ini = IniFile::Parse(ReadBytes(LanFile(lcid())));
    ASSERT_EQ(ini.sections().size(), 1u);
    const std::set<int> known(text::kAllTextIds.begin(), text::kAllTextIds.end());
    for (const auto& entry : ini.sections()[0].entries)
        EXPECT_TRUE(known.count(DecimalToInt(entry.name))) << ToUtf8(entry.name);
}

TEST_P(ShippedLanguageFile, PlaceholdersMatchTheEnglishText) {
    for (int number : text::kAllTextIds)
        EXPECT_EQ(Placeholders(Text(number)), Placeholders(English(number))) << "text " << number;
}

class ShippedTranslation : public ShippedLanguageFile {};

TEST_P(ShippedTranslation, IsATranslationNotACopyOfTheEnglishFile) {
    int compared = 0;
    std::vector<int> same;
    for (int number : text::kAllTextIds) {
        if (!HasLetters(English(number)))
            continue;  // numbers and symbols read the same everywhere
        ++compared;
        if (Text(number) == English(number))
            same.push_back(number);
    }
    ASSERT_GT(compared, 0);
    EXPECT_LE(same.size() * 10, static_cast<size_t>(compared))
        << same.size() << " of " << compared << " texts are the English ones";
}

// The .lan files are generated from the UTF-8 tables; a table edited without
// running the generator would ship the old texts.
TEST_P(ShippedLanguageFile, MatchesItsSourceTable) {
    std::istringstream table(
        ReadBytes(kLanguageFolder / "src" / (std::to_string(lcid()) + ".txt")));
    int rows = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const size_t equals = line.find('=');
        ASSERT_NE(equals, std::string::npos) << line;
        const int number = DecimalToInt(std::string_view(line).substr(0, equals));
        EXPECT_EQ(Text(number), FromUtf8(line.substr(equals + 1))) << "text " << number;
        ++rows;
    }
    EXPECT_EQ(rows, static_cast<int>(text::kAllTextIds.size()));
}

std::vector<KnownLanguage> Translations() {
    std::vector<KnownLanguage> others;
    for (const auto& language : kKnownLanguages) {
        if (language.lcid != 1033)
            others.push_back(language);
    }
    return others;
}

auto LanguageName = [](const auto& info) { return std::to_string(info.param.lcid); };
INSTANTIATE_TEST_SUITE_P(AllLanguages, ShippedLanguageFile, ::testing::ValuesIn(kKnownLanguages),
                         LanguageName);
INSTANTIATE_TEST_SUITE_P(AllTranslations, ShippedTranslation, ::testing::ValuesIn(Translations()),
                         LanguageName);

// Stored macro and profile names carry the words of the language they were
// made in; re-localising them only works when the files use those words.
TEST(ShippedLanguageWords, MatchTheWordsStoredNamesAreRecognisedBy) {
    struct Words {
        int lcid;
        std::u16string custom_prefix;
        std::u16string copy;
    };
    const std::array<Words, 5> expected{{
        {2052, u"\u81EA\u5B9A\u4E49", u"\u590D\u5236"},
        {1033, u"Custom", u"Copy"},
        {1028, u"\u81EA\u5B9A\u7FA9", u"\u8907\u88FD"},
        {1041, u"\u30AB\u30B9\u30BF\u30E0", u"\u8907\u88FD"},
        {1049, u"\u041F\u043E\u043B\u044C\u0437\u043E\u0432\u0430\u0442",
         u"\u041A\u043E\u043F\u0438\u0440\u043E\u0432\u0430\u0442\u044C"},
    }};
    for (const auto& words : expected) {
        const auto file = Shipped(words.lcid);
        EXPECT_EQ(file.Text(kLanguageSection, text::kCustom).substr(0, words.custom_prefix.size()),
                  words.custom_prefix)
            << words.lcid;
        EXPECT_EQ(file.Text(kLanguageSection, text::kCopy), words.copy) << words.lcid;
    }
    EXPECT_EQ(Shipped(1033).Text(kLanguageSection, text::kProfile), u"Profile");
    EXPECT_EQ(Shipped(2052).Text(kLanguageSection, text::kProfile), u"\u914D\u7F6E");
}

}  // namespace
}  // namespace tessaly
