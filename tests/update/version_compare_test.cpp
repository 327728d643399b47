#include "update/version_compare.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tessaly
