#include "performance/report_rates.h"

#include <array>

namespace tessaly {
namespace {

constexpr std::array kRates{
    ReportRate{8, 125, 0x0108F1},   ReportRate{4, 250, 0xED6B00},   ReportRate{2, 500, 0x4DF600},
    ReportRate{1, 1000, 0x20A3FF},  ReportRate{16, 2000, 0xC9012B}, ReportRate{32, 4000, 0xFFFF00},
    ReportRate{64, 8000, 0xFFFFFF},
};
constexpr size_t kBasicRates = 4;

}  // namespace

uint8_t ReportCapability(uint8_t maximum_rate_byte) {
    switch (maximum_rate_byte) {
        case 0x10:
            return 5;
        case 0x20:
            return 6;
        case 0x40:
            return 7;
        default:
            return 4;
    }
}

std::span<const ReportRate> OfferedReportRates(uint8_t capability) {
    return std::span<const ReportRate>(kRates).first(capability == 7 ? kRates.size() : kBasicRates);
}

const ReportRate* FindReportRate(int code) {
    for (const ReportRate& rate : kRates) {
        if (rate.code == code) {
            return &rate;
        }
    }
    return nullptr;
}

}  // namespace tessaly
