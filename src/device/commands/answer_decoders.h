#pragma once
// Decoders of the answers the system uses and of the reports the mouse sends
// by itself. They take the answer as delivered (report ID removed: A[1] is
// the status, A[4] the first payload byte) and give nullopt for an answer too
// short to hold what they read.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "device/commands/command_values.h"

namespace tessaly {

struct IdentityAnswer {  // 0x10
    std::array<uint8_t, 4> device_id{};
    uint8_t sensor_code = 0;
    uint8_t report_flags = 0;          // report capability: 0x10, 0x20 or 0x40
    std::array<uint8_t, 2> battery{};  // A[12], A[13]
    uint8_t reachable = 0;             // 0: the receiver has no mouse connected
};
std::optional<IdentityAnswer> DecodeIdentity(std::span<const uint8_t> answer);
// The device id as a text of four characters, each byte sign-extended.
std::u16string DeviceIdText(const std::array<uint8_t, 4>& device_id);

std::optional<uint8_t> DecodeReportRate(std::span<const uint8_t> answer);  // 0x12

struct DpiStagesAnswer {  // 0x13
    int count = 0;
    int index = 0;
    std::array<uint16_t, kDpiStages> codes{};
};
std::optional<DpiStagesAnswer> DecodeDpiStages(std::span<const uint8_t> answer);

std::optional<DpiColours> DecodeDpiColours(std::span<const uint8_t> answer);  // 0x14

struct LightingAnswer {  // 0x15
    int effect = 0;
    int brightness = 0;
    int speed = 0;
};
std::optional<LightingAnswer> DecodeLighting(std::span<const uint8_t> answer);

struct LiftOffSensorAnswer {  // 0x16
    int liftoff_height = 0;
    int sensor_flag = 0;  // kSensorFlagFirst | kSensorFlagSecond
};
std::optional<LiftOffSensorAnswer> DecodeLiftOffSensor(std::span<const uint8_t> answer);

std::optional<SleepResponseValues> DecodeSleepResponse(std::span<const uint8_t> answer);  // 0x17

// 0x20: "%X%02X" of A[4] and A[5].
std::optional<std::string> DecodeVersion(std::span<const uint8_t> answer);

// Reports the mouse or receiver sends by itself.
inline constexpr uint8_t kLinkNotification = 0xC0;
inline constexpr uint8_t kDpiStageNotification = 0xC2;

struct LinkNotification {
    bool connected = false;
    std::array<uint8_t, 2> battery{};  // N[2], N[3]
};
struct DpiStageNotification {
    int index = 0;
    int count = 0;
};
using Notification = std::variant<std::monostate, LinkNotification, DpiStageNotification>;
// monostate for anything else, and for a report too short for its kind.
Notification DecodeNotification(std::span<const uint8_t> report);

}  // namespace tessaly
