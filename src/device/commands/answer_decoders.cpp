#include "device/commands/answer_decoders.h"

#include <algorithm>
#include <cstdio>

#include "device/commands/command_table.h"

namespace tessaly {
namespace {

bool Fits(std::span<const uint8_t> answer, Command command) {
    return answer.size() >= SpecOf(command).answer_bytes;
}

uint16_t Little16(std::span<const uint8_t> a, size_t at) {
    return static_cast<uint16_t>(a[at] | (a[at + 1] << 8));
}

uint32_t Colour(std::span<const uint8_t> a, size_t at) {
    return a[at] | (a[at + 1] << 8) | (static_cast<uint32_t>(a[at + 2]) << 16);
}

}  // namespace

std::optional<IdentityAnswer> DecodeIdentity(std::span<const uint8_t> answer) {
    if (!Fits(answer, Command::kReadIdentity))
        return std::nullopt;
    IdentityAnswer identity;
    std::copy_n(answer.begin() + 4, 4, identity.device_id.begin());
    identity.sensor_code = answer[10];
    identity.report_flags = answer[11];
    identity.battery = {answer[12], answer[13]};
    identity.reachable = answer[14];
    return identity;
}

std::u16string DeviceIdText(const std::array<uint8_t, 4>& device_id) {
    std::u16string text;
    for (uint8_t b : device_id)
        text.push_back(static_cast<char16_t>(static_cast<int16_t>(static_cast<int8_t>(b))));
    return text;
}

std::optional<uint8_t> DecodeReportRate(std::span<const uint8_t> answer) {
    if (!Fits(answer, Command::kReadReportRate))
        return std::nullopt;
    return answer[4];
}

std::optional<DpiStagesAnswer> DecodeDpiStages(std::span<const uint8_t> answer) {
    if (!Fits(answer, Command::kReadDpiStages))
        return std::nullopt;
    DpiStagesAnswer stages;
    stages.count = answer[4] & 0x0F;
    stages.index = answer[4] >> 4;
    // The mouse reports stage 0 reliably in its Y code only.
    stages.codes[0] = Little16(answer, 7);
    for (size_t i = 1; i < kDpiStages; ++i)
        stages.codes[i] = Little16(answer, 5 + 4 * i);
    return stages;
}

std::optional<DpiColours> DecodeDpiColours(std::span<const uint8_t> answer) {
    if (!Fits(answer, Command::kReadDpiColours))
        return std::nullopt;
    DpiColours colours{};
    for (size_t i = 0; i < kDpiStages; ++i)
        colours[i] = Colour(answer, 4 + 3 * i);
    return colours;
}

std::optional<LightingAnswer> DecodeLighting(std::span<const uint8_t> answer) {
    if (!Fits(answer, Command::kReadLighting))
        return std::nullopt;
    return LightingAnswer{answer[4], answer[5] >> 4, answer[5] & 0x0F};
}

std::optional<LiftOffSensorAnswer> DecodeLiftOffSensor(std::span<const uint8_t> answer) {
    if (!Fits(answer, Command::kReadLiftOffSensor))
        return std::nullopt;
    const int flag =
        (answer[5] == 1 ? kSensorFlagFirst : 0) | (answer[6] == 1 ? kSensorFlagSecond : 0);
    return LiftOffSensorAnswer{answer[4], flag};
}

std::optional<SleepResponseValues> DecodeSleepResponse(std::span<const uint8_t> answer) {
    if (!Fits(answer, Command::kReadSleepResponse))
        return std::nullopt;
    return SleepResponseValues{answer[4], answer[5], answer[6], answer[7]};
}

std::optional<std::string> DecodeVersion(std::span<const uint8_t> answer) {
    if (!Fits(answer, Command::kReadVersion))
        return std::nullopt;
    char text[8];
    std::snprintf(text, sizeof text, "%X%02X", answer[4], answer[5]);
    return std::string(text);
}

Notification DecodeNotification(std::span<const uint8_t> report) {
    if (report.empty())
        return std::monostate{};
    if (report[0] == kLinkNotification && report.size() >= 4)
        return LinkNotification{report[1] == 1, {report[2], report[3]}};
    if (report[0] == kDpiStageNotification && report.size() >= 2)
        return DpiStageNotification{report[1] >> 4, report[1] & 0x0F};
    return std::monostate{};
}

}  // namespace tessaly
