#include "update/version_compare.h"

#include <gtest/gtest.h>

#include "base/unicode.h"

namespace tessaly {
namespace {

TEST(CompareVersionsTest, OffersNewerAndDifferentlyShapedVersionsOnly) {
    EXPECT_EQ(CompareVersions(u"1.0.1", u"1.0.2"), 1);
    EXPECT_EQ(CompareVersions(u"1.0.1", u"1.0"), 2);
    EXPECT_EQ(CompareVersions(u"1.0.1", u"1.0.1"), 0);
    EXPECT_EQ(CompareVersions(u"1.0.1", u"0.9.9"), -1);
    // The first differing part decides, as a number, not as text.
    EXPECT_EQ(CompareVersions(u"1.9.0", u"1.10.0"), 1);
    EXPECT_EQ(CompareVersions(u"2.0.0", u"1.99.99"), -1);
}

TEST(CompareVersionsTest, ErrorTextsAndHexadecimalReleasesCompareByTheirShape) {
    // A short error text without dots has another number of parts.
    EXPECT_EQ(CompareVersions(u"1.0.1", u"Not Found"), 2);
    // Release 0x010A reads as 10: its trailing letter is ignored.
    EXPECT_EQ(CompareVersions(u"10A", u"10"), 0);
    EXPECT_EQ(CompareVersions(u"10A", u"11"), 1);
    EXPECT_EQ(CompareVersions(u"10A", u"9"), -1);
    // Empty parts count, as zero.
    EXPECT_EQ(CompareVersions(u"1..2", u"1.0.2"), 0);
    EXPECT_EQ(CompareVersions(u"", u""), 0);
}

TEST(VersionFromAnswerTest, TrimsWhiteSpaceAndRefusesWhatIsNoVersion) {
    EXPECT_EQ(VersionFromAnswer(u"109\n", VersionKind::kFirmware), u"109");
    EXPECT_EQ(VersionFromAnswer(u" \t1.0.2\r\n", VersionKind::kSoftware), u"1.0.2");
    EXPECT_EQ(VersionFromAnswer(u"10a", VersionKind::kFirmware), u"10a");
    for (std::u16string_view bad :
         {u"", u" \n", u"Not Found", u"../../../", u"1;rm -rf", u"1 0", u"1.0\x01", u"v1.0"}) {
        EXPECT_EQ(VersionFromAnswer(bad, VersionKind::kSoftware), std::nullopt) << ToUtf8(bad);
        EXPECT_EQ(VersionFromAnswer(bad, VersionKind::kFirmware), std::nullopt) << ToUtf8(bad);
    }
    // Dots belong to software versions, letters to firmware ones.
    EXPECT_EQ(VersionFromAnswer(u"1.07", VersionKind::kFirmware), std::nullopt);
    EXPECT_EQ(VersionFromAnswer(u"10A", VersionKind::kSoftware), std::nullopt);
    // The lengths the checks have always allowed, counted after trimming.
    EXPECT_EQ(VersionFromAnswer(u"1.2.3.4.56\n", VersionKind::kSoftware), u"1.2.3.4.56");
    EXPECT_EQ(VersionFromAnswer(u"1.2.3.4.567", VersionKind::kSoftware), std::nullopt);
    EXPECT_EQ(VersionFromAnswer(u"123456789", VersionKind::kFirmware), u"123456789");
    EXPECT_EQ(VersionFromAnswer(u"1234567890", VersionKind::kFirmware), std::nullopt);
}

}  // namespace
}  // namespace tessaly
