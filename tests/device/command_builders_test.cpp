#include "device/commands/command_builders.h"

#include <gtest/gtest.h>

#include "device/commands/macro_packets.h"

namespace tessaly {
namespace {

using Bytes = std::vector<uint8_t>;

// R[1] … R[4] and the payload up to its last non-zero byte.
struct Shape {
    uint8_t command, sequence, length;
    Bytes payload;
    bool operator==(const Shape&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shape& s) {
    out << "cmd " << int(s.command) << " seq " << int(s.sequence) << " len " << int(s.length)
        << " payload";
    for (uint8_t b : s.payload)
        out << ' ' << int(b);
    return out;
}

Shape ShapeOf(const CommandRequest& r) {
    Bytes payload(r.bytes().begin() + 5, r.bytes().begin() + 32);
    while (!payload.empty() && payload.back() == 0)
        payload.pop_back();
    return {r[1], r[3], r[4], payload};
}

TEST(CommandBuilders, HeaderBytesComeFromTheCommandTable) {
    struct Case {
        CommandRequest request;
        size_t size;
        Shape shape;
    };
    const Case cases[] = {
        {BuildReportRate(0x04), 65, {0x02, 0x01, 0x01, {0x04}}},
        {BuildLiftOffSensor(2, 8 | 4 | 2 | 1), 65, {0x06, 0x01, 0x05, {2, 1, 1}}},
        {BuildLiftOffSensor(3, 4), 65, {0x06, 0x01, 0x05, {3, 0, 1}}},
        {BuildSleepResponse({10, 1, 0, 4}), 65, {0x07, 0x01, 0x04, {10, 1, 0, 4}}},
        {BuildRestoreLighting(), 33, {0x0E, 0x01, 0x01, {0x01}}},
        {BuildResetLighting(), 33, {0x0E, 0x01, 0x04, {0x42}}},
        {BuildRestoreFactory(), 33, {0x0F, 0x01, 0x01, {0xFF}}},
        {BuildReadRequest(Command::kReadIdentity), 33, {0x10, 0x00, 0x00, {}}},
        {BuildReadRequest(Command::kReadUnused), 33, {0x11, 0x00, 0x00, {}}},
        {BuildReadRequest(Command::kReadSleepResponse), 33, {0x17, 0x00, 0x00, {}}},
        {BuildReadRequest(Command::kReadVersion), 33, {0x20, 0x00, 0x00, {}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.request.size(), c.size) << ShapeOf(c.request);
        EXPECT_EQ(ShapeOf(c.request), c.shape);
        EXPECT_EQ(c.request[0], 0x00);
        EXPECT_EQ(c.request[2], 0x00);
        EXPECT_EQ(c.request[32], 0x00) << "builders leave the checksum to the exchange";
    }
}

TEST(CommandBuilders, DpiStagesCarryEachCodeForXAndY) {
    DpiStagesValues values;
    values.index = 2;
    values.count = 5;
    values.codes = {0x0010, 0x0120, 0x0230, 0x0340, 0x0450, 0xFF01};
    const auto r = BuildDpiStages(values);
    EXPECT_EQ(r.size(), 33u);
    EXPECT_EQ(r[4], 0x25);
    EXPECT_EQ(r[5], 0x25);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(r[6 + 4 * i], values.codes[i] & 0xFF);
        EXPECT_EQ(r[7 + 4 * i], values.codes[i] >> 8);
        EXPECT_EQ(r[8 + 4 * i], r[6 + 4 * i]);
        EXPECT_EQ(r[9 + 4 * i], r[7 + 4 * i]);
    }
    values.index = 15;
    values.count = 31;  // the packing keeps one byte
    EXPECT_EQ(BuildDpiStages(values)[5], (15 * 16 + 31) & 0xFF);
}

TEST(CommandBuilders, ColoursGoLowByteFirst) {
    const auto r = BuildDpiColours({0x00112233, 0x00445566, 0, 0, 0, 0x00ABCDEF});
    EXPECT_EQ(
        ShapeOf(r),
        (Shape{0x04,
               0x01,
               0x12,
               {0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xEF, 0xCD, 0xAB}}));
}

TEST(CommandBuilders, LightingLayoutFollowsTheEffect) {
    LightingValues v;
    v.brightness = 3;
    v.speed = 2;
    v.colours = {0x0000FF, 0x00FF00, 0xFF0000, 0x010203, 0x040506, 0x070809, 0x0A0B0C};
    auto with = [&](int effect) {
        v.effect = effect;
        return ShapeOf(BuildLighting(v));
    };
    EXPECT_EQ(with(0), (Shape{0x05, 0x01, 0x02, {0, 0x32}}));
    EXPECT_EQ(with(1), (Shape{0x05, 0x01, 0x03, {1, 0x32}}));
    EXPECT_EQ(with(3), (Shape{0x05, 0x01, 0x05, {3, 0x32, 0xFF}}));
    v.colours[0] = 0x00345678;
    EXPECT_EQ(with(3), (Shape{0x05, 0x01, 0x05, {3, 0x32, 0x78, 0x56, 0x34}}));
    v.colours[0] = 0x0000FF;
    EXPECT_EQ(with(4), (Shape{0x05, 0x01, 0x02, {4, 0x32}}));
    EXPECT_EQ(with(5), (Shape{0x05, 0x01, 0x02, {5, 0x32}}));
    EXPECT_EQ(with(2),
              (Shape{0x05, 0x01, 0x18, {2, 0x32, 7, 0xFF, 0, 0, 0, 0xFF, 0, 0,    0,    0xFF,
                                        3, 2,    1, 6,    5, 4, 9, 8,    7, 0x0C, 0x0B, 0x0A}}));
    EXPECT_EQ(with(9), (Shape{0x05, 0x01, 0x00, {}}));
    v.brightness = 17;  // packing keeps the low byte
    EXPECT_EQ(with(0).payload[1], (17 * 16 + 2) & 0xFF);
}

TEST(ButtonTable, SlotsStopAtButtonTwenty) {
    ButtonFunctionTable table;
    EXPECT_TRUE(table.SetSlot(0, {1, 2, 3}));
    EXPECT_TRUE(table.SetSlot(8, {4, 5, 6}));
    EXPECT_TRUE(table.SetSlot(20, {7, 8, 9}));
    EXPECT_FALSE(table.SetSlot(21, {0xEE, 0xEE, 0xEE}));
    EXPECT_FALSE(table.SetSlot(-1, {0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(table.bytes()[62], 9);
    EXPECT_EQ(table.bytes()[63], 0);
    EXPECT_EQ(table.bytes()[64], 0);
    EXPECT_EQ(table.GetSlot(20), (ButtonFunctionTable::Slot{7, 8, 9}));
    EXPECT_EQ(table.GetSlot(21), (ButtonFunctionTable::Slot{}));
}

TEST(ButtonTable, RequestCarriesButtonsZeroToEight) {
    ButtonFunctionTable table;
    for (int k = 0; k < ButtonFunctionTable::kSlots; ++k)
        table.SetSlot(k, {uint8_t(k), uint8_t(k + 100), uint8_t(k + 200)});
    const auto r = BuildButtonTable(table);
    EXPECT_EQ(r.size(), 33u);
    EXPECT_EQ(r[1], 0x09);
    EXPECT_EQ(r[3], 0x01);
    EXPECT_EQ(r[4], 0x0F);
    for (size_t j = 0; j < 27; ++j)
        EXPECT_EQ(r[5 + j], table.bytes()[j]);
    EXPECT_EQ(r[31], 208);  // button 8, third byte
    EXPECT_EQ(r[32], 0);
}

std::vector<MacroEventBytes> Events(size_t n) {
    std::vector<MacroEventBytes> events;
    for (size_t i = 0; i < n; ++i)
        events.push_back({uint8_t(i), uint8_t(0x80 | i), uint8_t(i >> 8), 0xE0});
    return events;
}

// The image the packets carry, put back together.
Bytes Reassembled(const std::vector<CommandRequest>& packets) {
    Bytes image;
    for (const auto& p : packets)
        image.insert(image.end(), p.bytes().begin() + 5, p.bytes().begin() + 5 + p[4]);
    return image;
}

TEST(MacroPackets, SixEventsFitOnePacket) {
    auto packets = BuildMacroPackets(3, Events(6));
    ASSERT_TRUE(packets);
    ASSERT_EQ(packets->size(), 1u);
    EXPECT_EQ((*packets)[0][1], 0x08);
    EXPECT_EQ((*packets)[0][3], 0x01);
    EXPECT_EQ((*packets)[0][4], 25);
    EXPECT_EQ((*packets)[0][5], 3);
    EXPECT_EQ((*packets)[0][6], 0);
    EXPECT_EQ((*packets)[0][7], 0x80);
}

TEST(MacroPackets, LongerMacrosAreSplitWithSequenceBytes) {
    struct Case {
        size_t events;
        std::vector<std::pair<uint8_t, uint8_t>> sequence_and_length;
    };
    const Case cases[] = {
        {0, {{0x01, 1}}},
        {7, {{0x02, 27}, {0x12, 2}}},
        {13, {{0x02, 27}, {0x12, 26}}},
        {20, {{0x03, 27}, {0x13, 27}, {0x23, 27}}},  // 81 bytes: the last one full
        {101, {}},
    };
    for (const auto& c : cases) {
        const auto events = Events(c.events);
        auto packets = BuildMacroPackets(9, events);
        ASSERT_TRUE(packets) << c.events;
        if (c.events == 101) {
            ASSERT_EQ(packets->size(), 15u);
            EXPECT_EQ(packets->back()[3], 0xEF);
        } else {
            ASSERT_EQ(packets->size(), c.sequence_and_length.size()) << c.events;
            for (size_t p = 0; p < packets->size(); ++p) {
                EXPECT_EQ((*packets)[p][3], c.sequence_and_length[p].first) << c.events;
                EXPECT_EQ((*packets)[p][4], c.sequence_and_length[p].second) << c.events;
            }
        }
        Bytes image = {9};
        for (const auto& e : events)
            image.insert(image.end(), e.begin(), e.end());
        EXPECT_EQ(Reassembled(*packets), image) << c.events;
    }
}

TEST(MacroPackets, MoreThanFifteenPacketsAreRefused) {
    EXPECT_FALSE(BuildMacroPackets(1, Events(102)));
    EXPECT_FALSE(BuildMacroPackets(1, Events(255)));
}

}  // namespace
}  // namespace tessaly
