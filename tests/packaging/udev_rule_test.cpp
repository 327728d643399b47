// The udev rule made at build time: every identity of the catalogue as the
// program reads it, nothing else, and every line well-formed for udev (the
// udev of Debian 12 has no `udevadm verify`, so the check is ours).

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "base/unicode.h"
#include "catalogue/catalogue_file.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

using Ids = std::set<std::pair<int, int>>;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct ParsedRule {
    std::string error;  // empty when the line is a well-formed rule or no rule
    bool is_rule = false;
    std::vector<std::pair<std::string, std::string>> matches;      // key, value
    std::vector<std::pair<std::string, std::string>> assignments;  // key, value
};

// One line as udev reads it: blank, a comment, or comma-separated
// KEY[{ATTR}] OP "VALUE" pairs with at least one match and one assignment.
// Only the keys and operators udev knows for each side are accepted.
ParsedRule ParseRuleLine(const std::string& line) {
    ParsedRule rule;
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#')
        return rule;
    if (line.back() == '\\') {
        rule.error = "continued line";
        return rule;
    }
    // One pair and what follows it: a comma, or the end of the line.
    static const std::regex pair(
        R"re(\s*([A-Z_]+)(\{([A-Za-z0-9_./-]+)\})?\s*(==|!=|\+=|-=|:=|=)\s*"([^"\\]*)"\s*(,|$))re");
    static const std::set<std::string> match_keys = {
        "ACTION",    "DEVPATH",    "KERNEL", "KERNELS", "NAME",    "SYMLINK",
        "SUBSYSTEM", "SUBSYSTEMS", "DRIVER", "DRIVERS", "ATTR",    "ATTRS",
        "TAG",       "TAGS",       "ENV",    "TEST",    "PROGRAM", "RESULT"};
    static const std::set<std::string> assign_keys = {
        "TAG", "MODE", "GROUP",   "OWNER",  "ENV",   "SYMLINK", "NAME",
        "RUN", "ATTR", "OPTIONS", "IMPORT", "LABEL", "GOTO"};
    static const std::set<std::string> needs_attribute = {"ATTR", "ATTRS", "ENV"};
    static const std::set<std::string> may_have_attribute = {"RUN", "IMPORT", "TEST"};
    auto at = line.cbegin();
    while (at != line.cend()) {
        std::smatch parts;
        if (!std::regex_search(at, line.cend(), parts, pair,
                               std::regex_constants::match_continuous)) {
            rule.error = "not KEY OP \"VALUE\" at: " + std::string(at, line.cend());
            return rule;
        }
        at = parts[0].second;
        if (parts[6].length() == 1 && at == line.cend()) {
            rule.error = "trailing comma";
            return rule;
        }
        const std::string key = parts[1];
        const bool has_attribute = parts[2].matched;
        if (may_have_attribute.count(key) == 0 &&
            has_attribute != (needs_attribute.count(key) == 1)) {
            rule.error = "attribute use wrong for " + key;
            return rule;
        }
        const std::string op = parts[4];
        const bool is_match = op == "==" || op == "!=";
        const std::string full_key = has_attribute ? key + "{" + parts[3].str() + "}" : key;
        if (is_match) {
            if (match_keys.count(key) == 0) {
                rule.error = key + " cannot be matched";
                return rule;
            }
            rule.matches.emplace_back(full_key, parts[5]);
        } else {
            if (assign_keys.count(key) == 0) {
                rule.error = key + " cannot be assigned";
                return rule;
            }
            rule.assignments.emplace_back(full_key, parts[5]);
        }
    }
    if (rule.matches.empty() || rule.assignments.empty()) {
        rule.error = "a rule needs a match and an assignment";
        return rule;
    }
    rule.is_rule = true;
    return rule;
}

std::string Value(const std::vector<std::pair<std::string, std::string>>& pairs,
                  const std::string& key) {
    for (const auto& [k, v] : pairs) {
        if (k == key)
            return v;
    }
    return "<none>";
}

// The ids of a rule file; each rule must be a hidraw uaccess rule for one
// USB vendor and product, written as udev writes the ids.
Ids RuleIds(const std::string& text) {
    Ids ids;
    const std::regex four_hex("[0-9a-f]{4}");
    for (const std::string& line : Lines(text)) {
        const ParsedRule rule = ParseRuleLine(line);
        EXPECT_EQ(rule.error, "") << line;
        if (!rule.is_rule)
            continue;
        EXPECT_EQ(Value(rule.matches, "SUBSYSTEM"), "hidraw") << line;
        EXPECT_EQ(Value(rule.assignments, "TAG"), "uaccess") << line;
        EXPECT_EQ(rule.matches.size(), 3u) << line;
        EXPECT_EQ(rule.assignments.size(), 1u) << line;
        const std::string vid = Value(rule.matches, "ATTRS{idVendor}");
        const std::string pid = Value(rule.matches, "ATTRS{idProduct}");
        EXPECT_TRUE(std::regex_match(vid, four_hex)) << line;
        EXPECT_TRUE(std::regex_match(pid, four_hex)) << line;
        const auto id = std::make_pair(std::stoi(vid, nullptr, 16), std::stoi(pid, nullptr, 16));
        EXPECT_TRUE(ids.insert(id).second) << "listed twice: " << line;
    }
    return ids;
}

Ids CatalogueIds(const std::filesystem::path& config) {
    const CatalogueFile file = ReadCatalogueFile(FromUtf8(config.string()), u"");
    EXPECT_TRUE(file.loaded) << config;
    Ids ids;
    for (const DeviceDescription& identity : file.identities)
        ids.emplace(identity.vendor_id, identity.product_id);
    return ids;
}

TEST(UdevRuleSyntax, AcceptsRulesAndRejectsWhatUdevWouldNot) {
    EXPECT_TRUE(ParseRuleLine(R"(SUBSYSTEM=="hidraw", TAG+="uaccess")").is_rule);
    EXPECT_TRUE(
        ParseRuleLine(R"(KERNEL=="hidraw*", ATTRS{idVendor}=="1a2b", MODE="0660")").is_rule);
    EXPECT_FALSE(ParseRuleLine("# a comment").is_rule);
    EXPECT_EQ(ParseRuleLine("").error, "");
    for (const char* bad : {
             R"(SUBSYSTEM=="hidraw", TAG+="uaccess",)",   // trailing comma
             R"(SUBSYSTEM=="hidraw" TAG+="uaccess")",     // missing comma
             R"(SUBSYSTEM=="hidraw", TAG+="uaccess)",     // open quote
             R"(SUBSYSTEM=hidraw, TAG+="uaccess")",       // unquoted value
             R"(SUBSYSTEM==="hidraw", TAG+="uaccess")",   // unknown operator
             R"(SUBSYSTEM=="hidraw", MODE=="0660")",      // nothing assigned
             R"(SUBSYSTEM="hidraw", TAG+="uaccess")",     // SUBSYSTEM is match-only
             R"(ATTRS=="1a2b", TAG+="uaccess")",          // ATTRS needs its attribute
             R"(SUBSYSTEM=="hidraw", TAG+="uaccess" \)",  // continued
             R"(subsystem=="hidraw", TAG+="uaccess")",    // keys are upper case
         }) {
        EXPECT_NE(ParseRuleLine(bad).error, "") << bad;
    }
}

TEST(UdevRule, ListsEveryIdentityOfTheShippedCatalogueAndNothingElse) {
    const std::string rule = FileText(TESSALY_UDEV_RULE);
    ASSERT_FALSE(rule.empty()) << TESSALY_UDEV_RULE;
    const Ids catalogue =
        CatalogueIds(std::filesystem::path(TESSALY_SOURCE_DIR) / "data" / "config.xml");
    ASSERT_FALSE(catalogue.empty());
    EXPECT_EQ(RuleIds(rule), catalogue);
    // Below 73, where the uaccess tag is turned into an ACL.
    EXPECT_EQ(std::filesystem::path(TESSALY_UDEV_RULE).filename(), "70-tessaly.rules");
}

class UdevRuleGenerator : public ::testing::Test {
  protected:
    int Generate(const std::string& modes) {
        dir_.Write("config.xml",
                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<config>\n<device>\n"
                   "<mouse name=\"A\" device_type=\"1\" device_attr=\"a\" image=\"a.png\">\n" +
                       modes +
                       "</mouse>\n"
                       "<mouse name=\"B\" device_type=\"2\" device_attr=\"b\" image=\"b.png\">\n"
                       "<mode value=\"0\" desc=\"USB cable\" vid=\"0x1A2B\" pid=\"0x7001\" "
                       "dev_id=\"BBBB\"/>\n"
                       "</mouse>\n</device>\n<software caption=\"T\" version=\"1\"/>\n"
                       "</config>\n");
        return test::RunProgram(
            TESSALY_PYTHON,
            {std::string(TESSALY_SOURCE_DIR) + "/packaging/make_udev_rule.py",
             (dir_.path() / "config.xml").string(), (dir_.path() / "out.rules").string()},
            {});
    }
    test::TempDir dir_;
};

TEST_F(UdevRuleGenerator, ReadsIdsAsTheProgramDoesAndListsSharedOnesOnce) {
    // Another model's cable shares B's ids; spellings the program accepts.
    ASSERT_EQ(Generate("<mode value=\"0\" desc=\"USB cable\" vid=\"0X1a2b\" pid=\"7001\" "
                       "dev_id=\"AAAA\"/>\n"
                       "<mode value=\"1\" desc=\"2.4G receiver\" vid=\"0xFEDCzz\" pid=\"0x00AB\" "
                       "dev_id=\"AAAA\"/>\n"),
              0);
    const Ids expected = CatalogueIds(dir_.path() / "config.xml");
    EXPECT_EQ(expected, (Ids{{0x1A2B, 0x7001}, {0xFEDC, 0x00AB}}));
    EXPECT_EQ(RuleIds(dir_.Read("out.rules")), expected);
}

TEST_F(UdevRuleGenerator, RefusesIdsNoUsbDeviceCanHave) {
    EXPECT_NE(Generate("<mode value=\"0\" desc=\"USB cable\" vid=\"0x0\" pid=\"0x1\"/>\n"), 0);
    EXPECT_NE(Generate("<mode value=\"0\" desc=\"USB cable\" vid=\"0x12345\" pid=\"0x1\"/>\n"), 0);
    EXPECT_NE(Generate("<mode value=\"0\" desc=\"USB cable\" pid=\"0x1\"/>\n"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir_.path() / "out.rules"));
}

}  // namespace
}  // namespace tessaly
