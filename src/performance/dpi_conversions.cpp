#include "performance/dpi_conversions.h"

#include <algorithm>

namespace tessaly {
namespace {

bool HundredStepSensor(uint16_t s) {
    return s == 4 || s == 16 || s == 18 || s == 53;
}

int RoundDown(int value, int step) {
    // Truncation towards zero would round negative inputs up; typed values
    // may be negative.
    const int remainder = value % step;
    return remainder < 0 ? value - remainder - step : value - remainder;
}

int Limit(int value, int low, int high) {
    return std::clamp(value, low, high);
}

}  // namespace

int DpiToSliderCode(uint16_t s, int a) {
    switch (s) {
        case 17:
            if (a <= 10000)
                return a / 50;
            if (a <= 12000)
                return (a - 10000) / 100 + 200;
            return (a - 13000) / 1000 + 221;
        case 5:
            return a <= 6400 ? a / 50 : (a - 6400) / 100 + 128;
        case 37:
            return a <= 5000 ? a / 100 : (a - 5000) / 500 + 50;
        case 38:
            return a <= 5000 ? a / 100 - 1 : (a - 5000) / 500 + 50;
        case 149:
        case 150:
            return a / 50 - 1;
        default:
            return HundredStepSensor(s) ? a / 100 : a / 50;
    }
}

int DpiToDeviceCode(uint16_t s, int a) {
    switch (s) {
        case 17:
            if (a >= 13000)
                return (a - 13000) / 1000 + 221;
            if (a > 10000)
                return (a - 10000) / 100 + 200;
            return a / 50;
        case 5:
            return a <= 6400 ? a / 50 : (a - 6400) / 100 + 128;
        case 37:
            return a <= 5000 ? a / 100 : (a - 5000) / 500 + 50;
        case 38:
            return a <= 5000 ? a / 100 - 1 : (a - 5000) / 500 + 50;
        case 25:
            return a <= 16000 ? a / 100 - 1 : (a - 16000) / 1000 + 160;
        default:
            return HundredStepSensor(s) ? a / 100 : a / 50 - 1;
    }
}

int DeviceCodeToDpi(uint16_t s, int c) {
    switch (s) {
        case 17:
            if (c < 200)
                return c * 50;
            if (c <= 220)
                return (c - 100) * 100;
            return (c - 208) * 1000;
        case 5:
            return c < 129 ? c * 50 : c * 100 - 6400;
        case 37:
            return c < 50 ? c * 100 : c * 500 - 20000;
        case 38:
            return c < 50 ? c * 100 : c * 500 - 19500;
        case 25:
            return c < 160 ? c * 100 : c * 1000 - 144000;
        case 150:
            return c * 50;
        default:
            return HundredStepSensor(s) ? c * 100 : c * 50 + 50;
    }
}

int NormaliseTypedDpi(uint16_t s, int t) {
    switch (s) {
        case 17:
            return Limit(RoundDown(t, 50), 50, 24000);
        case 4:
            return Limit(RoundDown(t, 100), 100, 8000);
        case 5:
            return Limit(RoundDown(t, 50), 50, 12000);
        case 16:
        case 18:
            return Limit(RoundDown(t, 100), 100, 4800);
        case 37:
            if (t < 100)
                return 100;
            if (t <= 5000)
                return RoundDown(t, 100);
            return std::min(5000 + RoundDown(t - 5000, 1000), 10000);
        case 38:
            return Limit(RoundDown(t, 100), 200, 10000);
        case 53:
            return Limit(RoundDown(t, 100), 100, 16000);
        default:
            return Limit(RoundDown(t, 50), 50, 26000);
    }
}

int SliderToDpi(uint16_t s, int n) {
    switch (s) {
        case 17: {
            const int dpi = n <= 200 ? n * 50 : n < 221 ? (n - 100) * 100 : (n - 208) * 1000;
            return std::min(dpi, 24000);
        }
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

int StageDeviceCode(uint16_t sensor, int dpi, int min_dpi, int max_dpi) {
    return DpiToDeviceCode(sensor, std::clamp(dpi, min_dpi, std::max(min_dpi, max_dpi)));
}

}  // namespace tessaly
