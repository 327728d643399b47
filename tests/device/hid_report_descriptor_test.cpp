#include "device/hid_report_descriptor.h"

#include <gtest/gtest.h>

#include "device/hid_backend_hidapi.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

using Bytes = std::vector<uint8_t>;

// A boot mouse: Application(Mouse) holding Physical(Pointer); 4-byte input.
const Bytes kMousePointer = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05,
                             0x09, 0x19, 0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03,
                             0x75, 0x01, 0x81, 0x02, 0x95, 0x01, 0x75, 0x05, 0x81, 0x01, 0x05,
                             0x01, 0x09, 0x30, 0x09, 0x31, 0x09, 0x38, 0x15, 0x81, 0x25, 0x7F,
                             0x75, 0x08, 0x95, 0x03, 0x81, 0x06, 0xC0, 0xC0};

// Vendor page 0xFF01, usage 0x10, 64-byte input and output, no report IDs.
const Bytes kVendorConfig = {0x06, 0x01, 0xFF, 0x09, 0x10, 0xA1, 0x01, 0x15, 0x00,
                             0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x40, 0x09, 0x01,
                             0x81, 0x02, 0x95, 0x40, 0x09, 0x01, 0x91, 0x02, 0xC0};

// Upgrade page 0xFFEF, usage 0, report ID 5 with 63 data bytes each way.
const Bytes kUpgrade = {0x06, 0xEF, 0xFF, 0x09, 0x00, 0xA1, 0x01, 0x85, 0x05, 0x75, 0x08, 0x95,
                        0x3F, 0x09, 0x01, 0x91, 0x02, 0x95, 0x3F, 0x09, 0x01, 0x81, 0x02, 0xC0};

// Vendor top level 0xFF00/0x01 whose nested collection has the usage of a
// configuration interface (0xFF01/0x10); report 2 outputs 32 bytes, report 3
// outputs 8.
const Bytes kNested = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x06, 0x01, 0xFF,
                       0x09, 0x10, 0xA1, 0x02, 0x85, 0x02, 0x75, 0x08, 0x95, 0x20,
                       0x09, 0x01, 0x91, 0x02, 0xC0, 0x85, 0x03, 0x95, 0x08, 0x09,
                       0x01, 0x91, 0x02, 0x95, 0x10, 0x09, 0x01, 0x81, 0x02, 0xC0};

// The mouse and the upgrade collection in one descriptor, as one hidraw node
// carries them when the firmware puts them in one USB interface.
Bytes Concatenated(const Bytes& a, const Bytes& b) {
    Bytes all = a;
    all.insert(all.end(), b.begin(), b.end());
    return all;
}

TEST(ReportDescriptor, LengthsCountTheReportIdByte) {
    auto mouse = ParseReportDescriptor(kMousePointer);
    ASSERT_TRUE(mouse);
    EXPECT_EQ(mouse->lengths.input, 5u);
    EXPECT_EQ(mouse->lengths.output, 0u);
    EXPECT_FALSE(mouse->lengths.numbered);

    auto config = ParseReportDescriptor(kVendorConfig);
    ASSERT_TRUE(config);
    EXPECT_EQ(config->lengths.input, 65u);
    EXPECT_EQ(config->lengths.output, 65u);
    EXPECT_EQ(config->lengths.OutputLengthFor(0), 65u);

    auto upgrade = ParseReportDescriptor(kUpgrade);
    ASSERT_TRUE(upgrade);
    EXPECT_TRUE(upgrade->lengths.numbered);
    EXPECT_EQ(upgrade->lengths.input, 64u);
    EXPECT_EQ(upgrade->lengths.OutputLengthFor(5), 64u);
}

TEST(ReportDescriptor, OutputLengthPerReportId) {
    auto nested = ParseReportDescriptor(kNested);
    ASSERT_TRUE(nested);
    EXPECT_EQ(nested->lengths.OutputLengthFor(2), 33u);
    EXPECT_EQ(nested->lengths.OutputLengthFor(3), 9u);
    EXPECT_EQ(nested->lengths.output, 33u);
    EXPECT_EQ(nested->lengths.OutputLengthFor(7), 33u) << "an unknown ID pads to the longest";
    EXPECT_EQ(nested->lengths.input, 17u);
}

TEST(ReportDescriptor, OnlyTopLevelCollectionsAreListed) {
    auto mouse = ParseReportDescriptor(kMousePointer);
    ASSERT_TRUE(mouse);
    EXPECT_EQ(mouse->collections, (std::vector<TopLevelCollection>{{0x0001, 0x0002}}));
    auto nested = ParseReportDescriptor(kNested);
    ASSERT_TRUE(nested);
    EXPECT_EQ(nested->collections, (std::vector<TopLevelCollection>{{0xFF00, 0x0001}}));
    auto both = ParseReportDescriptor(Concatenated(kVendorConfig, kUpgrade));
    ASSERT_TRUE(both);
    EXPECT_EQ(both->collections,
              (std::vector<TopLevelCollection>{{0xFF01, 0x0010}, {0xFFEF, 0x0000}}));
}

TEST(ReportDescriptor, UsageForms) {
    // Four-byte usage naming its page; a collection without a usage has usage 0.
    const Bytes extended = {0x0B, 0x10, 0x00, 0x01, 0xFF, 0xA1, 0x01,
                            0xC0, 0x05, 0x01, 0xA1, 0x01, 0xC0};
    auto info = ParseReportDescriptor(extended);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->collections,
              (std::vector<TopLevelCollection>{{0xFF01, 0x0010}, {0x0001, 0x0000}}));
}

TEST(ReportDescriptor, PushAndPopRestoreTheGlobals) {
    // Push at 8-bit size, change to 16 bits for one input, pop back for another.
    const Bytes pushed = {0x06, 0x01, 0xFF, 0x09, 0x10, 0xA1, 0x01, 0x75, 0x08, 0x95,
                          0x04, 0xA4, 0x75, 0x10, 0x81, 0x02, 0xB4, 0x81, 0x02, 0xC0};
    auto info = ParseReportDescriptor(pushed);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->lengths.input, 1u + 8 + 4);
}

TEST(ReportDescriptor, MalformedDescriptorsAreRefused) {
    const Bytes cut_item = {0x06, 0x01};
    const Bytes unbalanced_end = {0xC0};
    const Bytes unclosed = {0x05, 0x01, 0xA1, 0x01};
    const Bytes report_id_zero = {0x05, 0x01, 0xA1, 0x01, 0x85, 0x00, 0xC0};
    const Bytes pop_without_push = {0xB4};
    const Bytes cut_long_item = {0xFE, 0x05, 0x00, 0x01};
    for (const auto& bad :
         {cut_item, unbalanced_end, unclosed, report_id_zero, pop_without_push, cut_long_item})
        EXPECT_FALSE(ParseReportDescriptor(bad));
    EXPECT_TRUE(ParseReportDescriptor(Bytes{}));
}

TEST(ReportDescriptor, HugeCountsDoNotOverflow) {
    const Bytes huge = {0x05, 0x01, 0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97,
                        0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x02, 0x81, 0x02, 0xC0};
    auto info = ParseReportDescriptor(huge);
    ASSERT_TRUE(info);
    EXPECT_GT(info->lengths.input, 1u);
    EXPECT_LE(info->lengths.input, 65535u);
}

class FakeSysfs : public ::testing::Test {
  protected:
    void Node(const std::string& node, const Bytes& descriptor) {
        dir_.Write("class/hidraw/" + node + "/device/report_descriptor",
                   std::string(descriptor.begin(), descriptor.end()));
    }
    static HidInterfaceInfo Entry(const std::string& path, uint16_t page, uint16_t usage) {
        return HidInterfaceInfo{path, 0x1234, 0x5678, 0x0105, page, usage, 1};
    }
    test::TempDir dir_;
};

TEST_F(FakeSysfs, EnumerationKeepsTopLevelCollectionsOnceEach) {
    Node("hidraw0", kMousePointer);
    Node("hidraw1", kVendorConfig);
    Node("hidraw2", Concatenated(kNested, kUpgrade));
    // As hidapi lists them: nested collections too, and some twice.
    std::vector<HidInterfaceInfo> raw = {
        Entry("/dev/hidraw0", 0x0001, 0x0002), Entry("/dev/hidraw0", 0x0001, 0x0001),
        Entry("/dev/hidraw1", 0xFF01, 0x0010), Entry("/dev/hidraw1", 0xFF01, 0x0010),
        Entry("/dev/hidraw2", 0xFF00, 0x0001), Entry("/dev/hidraw2", 0xFF01, 0x0010),
        Entry("/dev/hidraw2", 0xFFEF, 0x0000),
    };
    const auto kept = KeepTopLevelCollections(raw, dir_.path());
    const std::vector<HidInterfaceInfo> expected = {raw[0], raw[2], raw[4], raw[6]};
    EXPECT_EQ(kept, expected);
}

TEST_F(FakeSysfs, UsagePairsComeFromOurParseNotFromHidapis) {
    // hidapi gives 0/0 to a collection without a Usage item and the last
    // Usage to one with several; the entry is listed as our parse reads it.
    Node("hidraw1", kVendorConfig);
    const auto kept = KeepTopLevelCollections({Entry("/dev/hidraw1", 0x0000, 0x0000)}, dir_.path());
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0], Entry("/dev/hidraw1", 0xFF01, 0x0010));
}

TEST_F(FakeSysfs, EntriesWithoutAReadableDescriptorAreDropped) {
    Node("hidraw1", kVendorConfig);
    Node("hidraw3", Bytes{0xC0});  // cannot be parsed
    std::vector<HidInterfaceInfo> raw = {
        Entry("/dev/hidraw1", 0xFF01, 0x0010),
        Entry("/dev/hidraw2", 0xFF01, 0x0010),  // no sysfs node
        Entry("/dev/hidraw3", 0xFF01, 0x0010),
        Entry("/dev/usb/odd", 0xFF01, 0x0010),  // not a hidraw node
    };
    const auto kept = KeepTopLevelCollections(raw, dir_.path());
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].path, "/dev/hidraw1");
}

TEST_F(FakeSysfs, DescriptorIsReadByNodeNameOnly) {
    Node("hidraw4", kUpgrade);
    auto bytes = ReadHidrawDescriptor(dir_.path(), "/dev/hidraw4");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, kUpgrade);
    EXPECT_TRUE(ReadHidrawDescriptor(dir_.path(), "/somewhere/else/hidraw4"));
    EXPECT_FALSE(ReadHidrawDescriptor(dir_.path(), "/dev/hidraw4/../../etc"));
    EXPECT_FALSE(ReadHidrawDescriptor(dir_.path(), "/dev/hidraw9"));
}

}  // namespace
}  // namespace tessaly
