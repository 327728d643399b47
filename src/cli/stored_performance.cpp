#include "cli/stored_performance.h"

#include "cli/argument_checks.h"
#include "performance/performance_store.h"
#include "performance/report_rates.h"

namespace tessaly::cli {
namespace {

OutputValue Stages(int profile) {
    OutputValue stages = OutputValue::MakeArray();
    const int count = ReadConfigNumber(profile, u"dpi_count");
    const int current = ReadConfigNumber(profile, u"dpi_index");
    for (int stage = 0; stage < kMaxStageCount; ++stage) {
        OutputValue row = OutputValue::MakeObject();
        row.Set("stage", stage);
        row.Set("dpi", ReadStageValue(profile, stage));
        row.Set("colour", ColourText(ReadStageColour(profile, stage)));
        row.Set("active", stage < count);
        row.Set("current", stage == current);
        stages.Append(std::move(row));
    }
    return stages;
}

OutputValue RateHertz(int code) {
    const ReportRate* rate = FindReportRate(code);
    return rate ? OutputValue(rate->hertz) : OutputValue();
}

}  // namespace

OutputValue StoredPerformance(int profile) {
    OutputValue out = OutputValue::MakeObject();
    out.Set("profile", profile);
    out.Set("stage_count", ReadConfigNumber(profile, u"dpi_count"));
    out.Set("current_stage", ReadConfigNumber(profile, u"dpi_index"));
    out.Set("rate_hz", RateHertz(ReadConfigNumber(profile, u"report_rate")));
    out.Set("rate_wireless_hz", RateHertz(ReadConfigNumber(profile, u"report_rate_wireless")));
    out.Set("liftoff_mm", ReadConfigNumber(profile, u"liftoff_height"));
    const int flag = ReadConfigNumber(profile, u"sensor_flag");
    OutputValue sensor = OutputValue::MakeArray();
    for (const int bit : {4, 8, 16})
        sensor.Append((flag & bit) != 0);
    out.Set("sensor_options", std::move(sensor));
    out.Set("response_time", ReadConfigNumber(profile, u"button_respondtime"));
    // Stored in tens of seconds.
    out.Set("sleep_minutes", ReadConfigNumber(profile, u"sleep_light") / 6);
    out.Set("move_wakeup", ReadConfigNumber(profile, u"move_wakeup") != 0);
    out.Set("move_closelight", ReadConfigNumber(profile, u"move_closelight") != 0);
    out.Set("stages", Stages(profile));
    return out;
}

}  // namespace tessaly::cli
