#include "device/commands/command_builders.h"

#include <algorithm>
#include <iterator>

namespace tessaly {
namespace {

struct EffectLayout {
    int effect;
    uint8_t length_byte;
    int colours;        // colours carried, three bytes each
    bool colour_count;  // the colours are preceded by their count
};

constexpr EffectLayout kEffectLayouts[] = {
    {0, 0x02, 0, false}, {1, 0x03, 0, false}, {2, 0x18, 7, true},
    {3, 0x05, 1, false}, {4, 0x02, 0, false}, {5, 0x02, 0, false},
};

// Three bytes, low byte first, from payload byte j on; returns the next j.
size_t PutColour(CommandRequest& request, size_t j, uint32_t colour) {
    request.SetPayload(j, static_cast<uint8_t>(colour));
    request.SetPayload(j + 1, static_cast<uint8_t>(colour >> 8));
    request.SetPayload(j + 2, static_cast<uint8_t>(colour >> 16));
    return j + 3;
}

CommandRequest WithPayload(Command command, std::initializer_list<uint8_t> payload) {
    CommandRequest request = NewRequest(command);
    size_t j = 0;
    for (uint8_t b : payload)
        request.SetPayload(j++, b);
    return request;
}

}  // namespace

CommandRequest BuildReadRequest(Command read) {
    return NewRequest(read);
}

CommandRequest BuildReportRate(uint8_t rate_code) {
    return WithPayload(Command::kWriteReportRate, {rate_code});
}

CommandRequest BuildDpiStages(const DpiStagesValues& values) {
    CommandRequest request = NewRequest(Command::kWriteDpiStages);
    request.SetPayload(0, static_cast<uint8_t>(values.index * 16 + values.count));
    for (size_t i = 0; i < kDpiStages; ++i) {
        const uint8_t low = static_cast<uint8_t>(values.codes[i]);
        const uint8_t high = static_cast<uint8_t>(values.codes[i] >> 8);
        // The same code for X and Y.
        request.SetPayload(1 + 4 * i, low);
        request.SetPayload(2 + 4 * i, high);
        request.SetPayload(3 + 4 * i, low);
        request.SetPayload(4 + 4 * i, high);
    }
    return request;
}

CommandRequest BuildDpiColours(const DpiColours& colours) {
    CommandRequest request = NewRequest(Command::kWriteDpiColours);
    size_t j = 0;
    for (uint32_t colour : colours)
        j = PutColour(request, j, colour);
    return request;
}

CommandRequest BuildLighting(const LightingValues& values) {
    CommandRequest request = NewRequest(Command::kWriteLighting);
    auto layout = std::find_if(std::begin(kEffectLayouts), std::end(kEffectLayouts),
                               [&](const EffectLayout& l) { return l.effect == values.effect; });
    if (layout == std::end(kEffectLayouts))
        return request;
    request[4] = layout->length_byte;
    request.SetPayload(0, static_cast<uint8_t>(values.effect));
    request.SetPayload(1, static_cast<uint8_t>(values.brightness * 16 + values.speed));
    size_t j = 2;
    if (layout->colour_count)
        request.SetPayload(j++, static_cast<uint8_t>(layout->colours));
    for (int i = 0; i < layout->colours; ++i)
        j = PutColour(request, j, values.colours[i]);
    return request;
}

CommandRequest BuildLiftOffSensor(uint8_t liftoff_height, int sensor_flag) {
    return WithPayload(Command::kWriteLiftOffSensor,
                       {liftoff_height, static_cast<uint8_t>((sensor_flag & kSensorFlagFirst) != 0),
                        static_cast<uint8_t>((sensor_flag & kSensorFlagSecond) != 0), 0, 0});
}

CommandRequest BuildSleepResponse(const SleepResponseValues& values) {
    return WithPayload(Command::kWriteSleepResponse,
                       {values.sleep_light, values.move_wakeup, values.move_closelight,
                        values.button_respondtime});
}

CommandRequest BuildButtonTable(const ButtonFunctionTable& table) {
    CommandRequest request = NewRequest(Command::kWriteButtonTable);
    const auto bytes = table.bytes();
    for (size_t j = 0; j < kPayloadLength; ++j)
        request.SetPayload(j, bytes[j]);
    return request;
}

CommandRequest BuildRestoreLighting() {
    return WithPayload(Command::kLightingControl, {0x01});
}

CommandRequest BuildResetLighting() {
    CommandRequest request = WithPayload(Command::kLightingControl, {0x42, 0x00, 0x00, 0x00});
    request[4] = 0x04;
    return request;
}

CommandRequest BuildRestoreFactory() {
    return WithPayload(Command::kRestoreFactory, {0xFF});
}

}  // namespace tessaly
