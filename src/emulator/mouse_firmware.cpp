#include "emulator/mouse_firmware.h"

#include <algorithm>
#include <numeric>

namespace tessaly::emulator {
namespace {

constexpr size_t kCommand = 1;
constexpr size_t kSequence = 3;
constexpr size_t kLength = 4;
constexpr size_t kPayload = 5;
constexpr size_t kPayloadBytes = 27;
constexpr size_t kChecksum = 32;

// Payload bytes each write command carries; 0: as its length byte says.
struct WriteRow {
    uint8_t code;
    size_t bytes;
};
constexpr WriteRow kWrites[] = {
    {0x02, 1}, {0x03, 25}, {0x04, 18}, {0x05, 0}, {0x06, 5}, {0x07, 4}, {0x09, 27},
};
// Each read answers the payload of the write 0x10 below it.
constexpr uint8_t kReadOffset = 0x10;

const WriteRow* FindWrite(uint8_t code) {
    for (const auto& row : kWrites) {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}

uint8_t Byte(std::span<const uint8_t> request, size_t i) {
    return i < request.size() ? request[i] : 0;
}

bool ChecksumHolds(std::span<const uint8_t> request) {
    if (request.size() <= kChecksum)
        return false;
    const unsigned sum =
        std::accumulate(request.begin() + kPayload, request.begin() + kChecksum, 0u);
    return static_cast<uint8_t>(sum) == request[kChecksum];
}

}  // namespace

std::vector<uint8_t> MouseFirmware::Answer(MouseLink link, std::span<const uint8_t> request) {
    const Reply reply = Handle(link, request);
    // Sized once: inserting behind a four-byte list trips GCC 12's bounds
    // analysis at -O2.
    std::vector<uint8_t> answer(4 + reply.payload.size());
    answer[0] = Byte(request, kCommand);
    answer[1] = reply.status;
    answer[3] = static_cast<uint8_t>(reply.payload.size());
    std::copy(reply.payload.begin(), reply.payload.end(), answer.begin() + 4);
    return answer;
}

MouseFirmware::Reply MouseFirmware::Handle(MouseLink link, std::span<const uint8_t> request) {
    if (!ChecksumHolds(request))
        return {kStatusBadChecksum, {}};
    const uint8_t code = request[kCommand];
    // Without its mouse the receiver answers only for itself.
    if (link == MouseLink::kReceiver && !state_.mouse_on && code != 0x10 && code != 0x20)
        return {kStatusUnreachable, {}};
    if (FindWrite(code) != nullptr)
        return WriteSetting(code, request);
    if (code >= kReadOffset && FindWrite(static_cast<uint8_t>(code - kReadOffset)) != nullptr)
        return ReadSetting(static_cast<uint8_t>(code - kReadOffset));
    switch (code) {
        case 0x08:
            return MacroPacket(request);
        case 0x0E:
            return LightingControl(request);
        case 0x11:
            return {};
        case 0x0F:
            state_.settings = state_.factory_settings;
            state_.macros.clear();
            return {};
        case 0x10:
            return Identity(link);
        case 0x20:
            return {kStatusOk,
                    {state_.identity.receiver_version[0], state_.identity.receiver_version[1]}};
        default:
            return {kStatusUnknownCommand, {}};
    }
}

std::optional<std::pair<uint8_t, SettingBytes>> MouseFirmware::WrittenSetting(
    std::span<const uint8_t> request) {
    if (request.size() < kPayload + kPayloadBytes) {
        return std::nullopt;
    }
    const WriteRow* row = FindWrite(request[kCommand]);
    if (row == nullptr) {
        return std::nullopt;
    }
    const size_t bytes = std::min(row->bytes != 0 ? row->bytes : request[kLength], kPayloadBytes);
    return std::pair{row->code,
                     SettingBytes(request.begin() + kPayload, request.begin() + kPayload + bytes)};
}

MouseFirmware::Reply MouseFirmware::WriteSetting(uint8_t code, std::span<const uint8_t> request) {
    const WriteRow& row = *FindWrite(code);
    const size_t bytes = std::min(row.bytes != 0 ? row.bytes : request[kLength], kPayloadBytes);
    state_.settings[code].assign(request.begin() + kPayload, request.begin() + kPayload + bytes);
    return {};
}

MouseFirmware::Reply MouseFirmware::ReadSetting(uint8_t code) const {
    auto it = state_.settings.find(code);
    return {kStatusOk, it != state_.settings.end() ? it->second : SettingBytes{}};
}

MouseFirmware::Reply MouseFirmware::Identity(MouseLink link) const {
    const bool reachable = link == MouseLink::kCable || state_.mouse_on;
    std::vector<uint8_t> payload(11, 0);  // A[4] … A[14]
    std::copy(state_.identity.device_id.begin(), state_.identity.device_id.end(), payload.begin());
    payload[6] = state_.identity.sensor_code;               // A[10]
    payload[7] = state_.identity.report_flags;              // A[11]
    payload[8] = static_cast<uint8_t>(state_.charging);     // A[12]
    payload[9] = state_.battery_level;                      // A[13]
    payload[10] = static_cast<uint8_t>(reachable ? 1 : 0);  // A[14]
    return {kStatusOk, payload};
}

// 0x01 restores the factory lighting; 0x42 turns effect 4 on at the levels
// held. Either way a read then gives what the program is told to store.
MouseFirmware::Reply MouseFirmware::LightingControl(std::span<const uint8_t> request) {
    constexpr uint8_t kRestore = 0x01;
    constexpr uint8_t kEffectFour = 0x42;
    constexpr uint8_t kFourthEffect = 4;
    const uint8_t action = Byte(request, kPayload);
    if (action == kRestore) {
        auto factory = state_.factory_settings.find(0x05);
        if (factory != state_.factory_settings.end())
            state_.settings[0x05] = factory->second;
    } else if (action == kEffectFour) {
        // Effect 4 carries its two bytes only, as its write does.
        SettingBytes& lighting = state_.settings[0x05];
        lighting.resize(2);
        lighting[0] = kFourthEffect;
    }
    return {};
}

MouseFirmware::Reply MouseFirmware::MacroPacket(std::span<const uint8_t> request) {
    const int index = request[kSequence] >> 4;
    const int count = request[kSequence] & 0x0F;
    const size_t length = std::min<size_t>(request[kLength], kPayloadBytes);
    if (count == 0 || index >= count || index != (index == 0 ? 0 : macro_next_) || length == 0) {
        macro_.clear();
        macro_next_ = 0;
        return {kStatusBadPacket, {}};
    }
    if (index == 0)
        macro_.clear();
    macro_.insert(macro_.end(), request.begin() + kPayload, request.begin() + kPayload + length);
    macro_next_ = index + 1;
    if (macro_next_ == count) {
        state_.macros[macro_[0]] = macro_;
        macro_.clear();
        macro_next_ = 0;
    }
    return {};
}

std::vector<uint8_t> LinkNotificationReport(const VirtualMouseState& state) {
    return {0xC0, static_cast<uint8_t>(state.mouse_on ? 1 : 0), state.battery_level,
            static_cast<uint8_t>(state.charging)};
}

std::vector<uint8_t> DpiStageNotificationReport(uint8_t stage_byte) {
    return {0xC2, stage_byte};
}

uint8_t NextDpiStage(uint8_t stage_byte) {
    const int count = std::max(stage_byte & 0x0F, 1);
    const int index = ((stage_byte >> 4) + 1) % count;
    return static_cast<uint8_t>(index * 16 + (stage_byte & 0x0F));
}

}  // namespace tessaly::emulator
