#include "stateful/design_tables.h"

#include <algorithm>

namespace tessaly::stateful {
namespace {

struct SensorRow {
    int sensor;
    DpiLimits limits;
    int slider_positions;
};
constexpr SensorRow kSensors[] = {
    {17, {50, 24000}, 232},   {4, {100, 8000}, 80},     {5, {50, 12000}, 183},
    {18, {100, 4800}, 48},    {37, {100, 10000}, 60},   {38, {200, 10000}, 59},
    {53, {100, 16000}, 160},  {16, {100, 4800}, 48},    {25, {100, 30000}, 173},
    {149, {100, 26000}, 520}, {150, {100, 38000}, 640},
};
constexpr SensorRow kOtherSensor = {0, {50, 26000}, 520};

const SensorRow& Row(int sensor) {
    for (const SensorRow& row : kSensors) {
        if (row.sensor == sensor)
            return row;
    }
    return kOtherSensor;
}

int RoundDown(int value, int step) {
    return value >= 0 ? value / step * step : -((-value + step - 1) / step * step);
}

// Slot bytes of the categories that map a value to fixed bytes.
struct SlotRow {
    int type;
    int value;
    uint8_t bytes[3];
};
constexpr SlotRow kSlots[] = {
    {1, 1, {0x10, 0x01, 0x00}},  {1, 2, {0x10, 0x04, 0x00}}, {1, 3, {0x10, 0x02, 0x00}},
    {1, 4, {0x30, 0x32, 0x03}},  {1, 5, {0x10, 0x10, 0x00}}, {1, 6, {0x10, 0x08, 0x00}},
    {1, 7, {0x20, 0x01, 0x00}},  {1, 8, {0x20, 0xFF, 0x00}}, {1, 9, {0x10, 0x00, 0xF5}},
    {1, 10, {0x10, 0x00, 0xF6}}, {3, 1, {0x80, 0x83, 0x01}}, {3, 2, {0x80, 0xCD, 0x00}},
    {3, 3, {0x80, 0xB7, 0x00}},  {3, 4, {0x80, 0xB6, 0x00}}, {3, 5, {0x80, 0xB5, 0x00}},
    {3, 6, {0x80, 0xE9, 0x00}},  {3, 7, {0x80, 0xEA, 0x00}}, {3, 8, {0x80, 0xE2, 0x00}},
    {5, 1, {0x40, 0x02, 0x00}},  {5, 2, {0x40, 0x03, 0x00}}, {5, 3, {0x40, 0x01, 0x00}},
    {6, 1, {0x60, 0x04, 0x00}},  {6, 2, {0x60, 0x01, 0x00}}, {8, 1, {0x80, 0x6F, 0x00}},
    {8, 2, {0x80, 0x70, 0x00}},  {8, 3, {0x80, 0x92, 0x01}}, {8, 4, {0x80, 0x94, 0x01}},
    {8, 5, {0x80, 0x23, 0x02}},  {8, 6, {0x80, 0x8A, 0x01}}, {8, 7, {0x70, 0x08, 0x07}},
    {8, 8, {0x70, 0x08, 0x2B}},  {8, 9, {0x70, 0x01, 0x06}}, {8, 10, {0x70, 0x01, 0x19}},
    {8, 11, {0x70, 0x01, 0x1B}},
};
// Categories' bytes for a value without a row of its own.
constexpr std::pair<int, uint8_t> kOtherValue[] = {{1, 0x10}, {3, 0x80}, {5, 0x40}, {8, 0x80}};

constexpr uint8_t kDefaultSlots[8][3] = {
    {0x10, 0x01, 0x00}, {0x10, 0x02, 0x00}, {0x10, 0x04, 0x00}, {0x10, 0x08, 0x00},
    {0x10, 0x10, 0x00}, {0x40, 0x01, 0x00}, {0x60, 0x04, 0x00}, {0x60, 0x04, 0x00},
};
constexpr int kCarriedSlots = 9;

void SetSlot(Bytes& table, int key_code, uint8_t a, uint8_t b, uint8_t c) {
    const size_t at = static_cast<size_t>(key_code) * 3;
    table[at] = a;
    table[at + 1] = b;
    table[at + 2] = c;
}

void ApplyAssignment(Bytes& table, int key_code, const Assignment& a,
                     const std::vector<Macro>& macros) {
    for (const SlotRow& row : kSlots) {
        if (row.type == a.type && row.value == a.value) {
            SetSlot(table, key_code, row.bytes[0], row.bytes[1], row.bytes[2]);
            return;
        }
    }
    const size_t at = static_cast<size_t>(key_code) * 3;
    switch (a.type) {
        case 2:
            SetSlot(table, key_code, 0x70, static_cast<uint8_t>(a.value2),
                    static_cast<uint8_t>(a.value));
            return;
        case 4:
            // New macros play once: play type 0 with one time.
            if (std::any_of(macros.begin(), macros.end(),
                            [&](const Macro& m) { return m.id == a.value; }))
                SetSlot(table, key_code, 0x90, static_cast<uint8_t>(key_code | 0x20), 1);
            return;
        case 6:
            table[at] = 0x60;
            return;
        case 7:
            SetSlot(table, key_code, 0x30, static_cast<uint8_t>(a.value),
                    static_cast<uint8_t>(a.value2));
            return;
        case 9:
            SetSlot(table, key_code, 0x60, 0, 0);
            return;
        default:
            break;
    }
    for (const auto& [type, first] : kOtherValue) {
        if (type == a.type)
            SetSlot(table, key_code, first, 0, 0);
    }
}

void Append16(Bytes& out, int value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

}  // namespace

DpiLimits SensorDpiLimits(int sensor) {
    return Row(sensor).limits;
}

int SliderPositions(int sensor) {
    return Row(sensor).slider_positions;
}

int DpiToCode(int sensor, int dpi) {
    const DpiLimits limits = SensorDpiLimits(sensor);
    const int a = std::clamp(dpi, limits.min, limits.max);
    switch (sensor) {
        case 17:
            return a >= 13000  ? (a - 13000) / 1000 + 221
                   : a > 10000 ? (a - 10000) / 100 + 200
                               : a / 50;
        case 5:
            return a <= 6400 ? a / 50 : (a - 6400) / 100 + 128;
        case 37:
            return a <= 5000 ? a / 100 : (a - 5000) / 500 + 50;
        case 38:
            return a <= 5000 ? a / 100 - 1 : (a - 5000) / 500 + 50;
        case 25:
            return a <= 16000 ? a / 100 - 1 : (a - 16000) / 1000 + 160;
        case 149:
        case 150:
            return a / 50 - 1;
        case 4:
        case 16:
        case 18:
        case 53:
            return a / 100;
        default:
            return a / 50 - 1;
    }
}

int CodeToDpi(int sensor, int c) {
    switch (sensor) {
        case 17:
            return c < 200 ? c * 50 : c <= 220 ? (c - 100) * 100 : (c - 208) * 1000;
        case 5:
            return c < 129 ? c * 50 : c * 100 - 6400;
        case 37:
            return c < 50 ? c * 100 : c * 500 - 20000;
        case 38:
            return c < 50 ? c * 100 : c * 500 - 19500;
        case 25:
            return c < 160 ? c * 100 : c * 1000 - 144000;
        case 4:
        case 16:
        case 18:
        case 53:
            return c * 100;
        case 150:
            return c * 50;
        default:
            return c * 50 + 50;
    }
}

int NormaliseTypedDpi(int sensor, int t) {
    switch (sensor) {
        case 17:
            return std::clamp(RoundDown(t, 50), 50, 24000);
        case 4:
            return std::clamp(RoundDown(t, 100), 100, 8000);
        case 5:
            return std::clamp(RoundDown(t, 50), 50, 12000);
        case 16:
        case 18:
            return std::clamp(RoundDown(t, 100), 100, 4800);
        case 37:
            if (t < 100)
                return 100;
            return std::min(t <= 5000 ? RoundDown(t, 100) : 5000 + RoundDown(t - 5000, 1000),
                            10000);
        case 38:
            return std::clamp(RoundDown(t, 100), 200, 10000);
        case 53:
            return std::clamp(RoundDown(t, 100), 100, 16000);
        default:
            return std::clamp(RoundDown(t, 50), 50, 26000);
    }
}

int SliderDpi(int sensor, int position) {
    const int n = position + (sensor == 149 || sensor == 150 ? 2 : 0);
    switch (sensor) {
        case 17:
            return std::min(n <= 200  ? n * 50
                            : n < 221 ? (n - 100) * 100
                                      : (n - 208) * 1000,
                            24000);
        case 4:
            return std::min(n * 100, 8000);
        case 5:
            return std::min(n <= 128 ? n * 50 : (n - 64) * 100, 12000);
        case 16:
        case 18:
            return std::min(n * 100, 4800);
        case 37:
            return std::min(n * 100 <= 5000 ? n * 100 : (n - 40) * 500, 10000);
        case 38:
            return std::min(n * 100 < 5000 ? n * 100 + 100 : (n - 39) * 500, 10000);
        case 25:
            return std::min(n * 100 < 16000 ? n * 100 : (n - 144) * 1000, 30000);
        case 53:
            return std::min(n * 100, 16000);
        default:
            return std::min(n * 50, 26000);
    }
}

Bytes StagesPayload(const Performance& p, int sensor) {
    Bytes out{static_cast<uint8_t>(p.index * 16 + p.count)};
    for (int i = 0; i < 6; ++i) {
        const int code = DpiToCode(sensor, p.dpi[static_cast<size_t>(i)]);
        Append16(out, code);
        Append16(out, code);
    }
    return out;
}

Bytes ColoursPayload(const Performance& p) {
    Bytes out;
    for (int i = 0; i < 6; ++i) {
        const uint32_t v = p.rgb[static_cast<size_t>(i)];
        out.push_back(static_cast<uint8_t>(v & 0xFF));
        out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
        out.push_back(static_cast<uint8_t>((v >> 16) & 0xFF));
    }
    return out;
}

Bytes RatePayload(const Performance& p) {
    return {static_cast<uint8_t>(p.rate)};
}

Bytes LiftOffPayload(const Performance& p) {
    return {static_cast<uint8_t>(p.liftoff), static_cast<uint8_t>((p.sensor_flag & 8) ? 1 : 0),
            static_cast<uint8_t>((p.sensor_flag & 4) ? 1 : 0), 0, 0};
}

Bytes SleepPayload(const Performance& p) {
    return {static_cast<uint8_t>(p.sleep), static_cast<uint8_t>(p.wake),
            static_cast<uint8_t>(p.close_light), static_cast<uint8_t>(p.response)};
}

Bytes ButtonTable(const std::map<int, Assignment>& buttons, const std::vector<Macro>& macros) {
    Bytes table(65, 0);
    for (int k = 0; k < 8; ++k)
        SetSlot(table, k, kDefaultSlots[k][0], kDefaultSlots[k][1], kDefaultSlots[k][2]);
    for (const auto& [key_code, assignment] : buttons) {
        if (key_code >= 0 && key_code < 21)
            ApplyAssignment(table, key_code, assignment, macros);
    }
    table.resize(kCarriedSlots * 3);
    return table;
}

Bytes MacroImage(int key_code, const std::vector<Event>& events) {
    struct Record {
        uint8_t code;
        int delay;
        uint8_t key;
    };
    std::vector<Record> records;
    int sum = 0;
    for (size_t i = 0; i < events.size(); ++i) {
        const Event& e = events[i];
        if (e.type == 1) {
            sum += e.value;
            if (i + 1 == events.size() && !records.empty())
                records.back().delay = sum;
            continue;
        }
        if (e.type < 2 || e.type > 5)
            continue;
        if (!records.empty()) {
            records.back().delay = sum > 0 ? sum : 1;
            sum = 0;
        }
        static constexpr uint8_t kCodes[] = {0x30, 0xB0, 0x10, 0x90};
        const bool key = e.type <= 3;
        records.push_back(
            {kCodes[e.type - 2], 1, static_cast<uint8_t>(key ? LetterUsage(e.value) : e.value)});
    }
    Bytes image{static_cast<uint8_t>(key_code)};
    for (const Record& r : records) {
        image.push_back(r.code);
        Append16(image, r.delay);
        image.push_back(r.key);
    }
    return image;
}

int LetterUsage(int vkey) {
    if (vkey >= 'A' && vkey <= 'Z')
        return vkey - 'A' + 0x04;
    if (vkey >= '1' && vkey <= '9')
        return vkey - '1' + 0x1E;
    return vkey == '0' ? 0x27 : 0;
}

uint32_t ShownColour(uint32_t bgr) {
    return 0xFF000000u | ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

Lighting DefaultLighting() {
    // Effect and its parameter groups: brightness 0x1, speed 0x2, colour
    // 0x10, colour slots 0x800.
    constexpr std::pair<int, int> kEffects[] = {{1, 0x3}, {2, 0x813}, {3, 0x11},
                                                {4, 0x3}, {5, 0x3},   {0, 0}};
    constexpr std::array<int, 7> kColours = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00,
                                             0x00FFFF, 0xFF00FF, 0xFFFFFF};
    Lighting lighting;
    lighting.made = true;
    lighting.active = 1;
    for (const auto& [effect, groups] : kEffects)
        lighting.effects[effect] = {4, 2, kColours, groups};
    return lighting;
}

}  // namespace tessaly::stateful
