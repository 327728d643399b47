#include "device/commands/answer_decoders.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessaly {
namespace {

using Bytes = std::vector<uint8_t>;

// An answer A of 33 bytes with `payload` from A[4].
Bytes Answer(uint8_t command, Bytes payload) {
    Bytes a(33, 0);
    a[0] = command;
    a[3] = static_cast<uint8_t>(payload.size());
    std::copy_n(payload.begin(), std::min<size_t>(payload.size(), 29), a.begin() + 4);
    return a;
}

TEST(AnswerDecoders, Identity) {
    const auto a = Answer(0x10, {'M', '7', 0xC1, 'X', 0xAA, 0xBB, 0x2A, 0x40, 0x64, 0x01, 0x00});
    auto identity = DecodeIdentity(a);
    ASSERT_TRUE(identity);
    EXPECT_EQ(identity->sensor_code, 0x2A);
    EXPECT_EQ(identity->report_flags, 0x40);
    EXPECT_EQ(identity->battery, (std::array<uint8_t, 2>{0x64, 0x01}));
    EXPECT_EQ(identity->reachable, 0);
    // Bytes above 0x7F become sign-extended characters, as the catalogue compares them.
    EXPECT_EQ(DeviceIdText(identity->device_id), (std::u16string{u'M', u'7', 0xFFC1, u'X'}));
    EXPECT_FALSE(DecodeIdentity(std::span(a).first(14)));
}

TEST(AnswerDecoders, DpiStagesTakeStageZeroFromItsYCode) {
    Bytes payload = {0x35};  // current stage 3, five stages
    for (uint16_t i = 0; i < 6; ++i) {
        const uint16_t x = 0x100 * (i + 1) + 1, y = 0x100 * (i + 1) + 2;
        payload.insert(payload.end(), {uint8_t(x), uint8_t(x >> 8), uint8_t(y), uint8_t(y >> 8)});
    }
    const auto a = Answer(0x13, payload);
    auto stages = DecodeDpiStages(a);
    ASSERT_TRUE(stages);
    EXPECT_EQ(stages->count, 5);
    EXPECT_EQ(stages->index, 3);
    EXPECT_EQ(stages->codes, (std::array<uint16_t, 6>{0x102, 0x201, 0x301, 0x401, 0x501, 0x601}));
    EXPECT_FALSE(DecodeDpiStages(std::span(a).first(28)));
}

TEST(AnswerDecoders, ValuesOfTheOtherReads) {
    EXPECT_EQ(DecodeReportRate(Answer(0x12, {0x03})), 0x03);

    const auto colours = DecodeDpiColours(
        Answer(0x14, {0x33, 0x22, 0x11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xEF, 0xCD, 0xAB}));
    ASSERT_TRUE(colours);
    EXPECT_EQ((*colours)[0], 0x112233u);
    EXPECT_EQ((*colours)[5], 0xABCDEFu);

    const auto lighting = DecodeLighting(Answer(0x15, {0x02, 0x4A}));
    ASSERT_TRUE(lighting);
    EXPECT_EQ(lighting->effect, 2);
    EXPECT_EQ(lighting->brightness, 4);
    EXPECT_EQ(lighting->speed, 10);

    struct SensorCase {
        uint8_t a5, a6;
        int flag;
    };
    for (const auto& c :
         {SensorCase{1, 1, 12}, SensorCase{1, 0, 8}, SensorCase{0, 1, 4}, SensorCase{2, 3, 0}}) {
        const auto sensor = DecodeLiftOffSensor(Answer(0x16, {0x02, c.a5, c.a6}));
        ASSERT_TRUE(sensor);
        EXPECT_EQ(sensor->liftoff_height, 2);
        EXPECT_EQ(sensor->sensor_flag, c.flag);
    }

    EXPECT_EQ(DecodeSleepResponse(Answer(0x17, {5, 1, 0, 8})), (SleepResponseValues{5, 1, 0, 8}));
    EXPECT_EQ(DecodeVersion(Answer(0x20, {0x01, 0x05})), "105");
    EXPECT_EQ(DecodeVersion(Answer(0x20, {0x1A, 0xFF})), "1AFF");
}

Bytes Cut(Bytes a, size_t n) {
    a.resize(n);
    return a;
}

TEST(AnswerDecoders, ShortAnswersDecodeToNothing) {
    const Bytes four = {0x12, 0x00, 0x00, 0x00};
    EXPECT_FALSE(DecodeReportRate(four));
    EXPECT_FALSE(DecodeDpiColours(Cut(Answer(0x14, {}), 21)));
    EXPECT_FALSE(DecodeLighting(Cut(Answer(0x15, {}), 5)));
    EXPECT_FALSE(DecodeLiftOffSensor(Cut(Answer(0x16, {}), 6)));
    EXPECT_FALSE(DecodeSleepResponse(Cut(Answer(0x17, {}), 7)));
    EXPECT_FALSE(DecodeVersion(Cut(Answer(0x20, {}), 5)));
}

TEST(Notifications, LinkAndStageReports) {
    const auto link = DecodeNotification(Bytes{0xC0, 0x01, 0x50, 0x01});
    ASSERT_TRUE(std::holds_alternative<LinkNotification>(link));
    EXPECT_TRUE(std::get<LinkNotification>(link).connected);
    EXPECT_EQ(std::get<LinkNotification>(link).battery, (std::array<uint8_t, 2>{0x50, 0x01}));
    EXPECT_FALSE(std::get<LinkNotification>(DecodeNotification(Bytes{0xC0, 0x02, 0, 0})).connected);

    const auto stage = DecodeNotification(Bytes{0xC2, 0x42});
    ASSERT_TRUE(std::holds_alternative<DpiStageNotification>(stage));
    EXPECT_EQ(std::get<DpiStageNotification>(stage).count, 2);
    EXPECT_EQ(std::get<DpiStageNotification>(stage).index, 4);

    for (const Bytes& other : {Bytes{}, Bytes{0xC0, 0x01}, Bytes{0xC2}, Bytes{0x10, 0x00, 0, 0}})
        EXPECT_TRUE(std::holds_alternative<std::monostate>(DecodeNotification(other)));
}

}  // namespace
}  // namespace tessaly
