#pragma once
// The model's factory performance values, taken from its description file
// (mouse / mouse_info / dpi_info and the four elements after it), and the
// two reset buttons of the performance page.

#include <optional>
#include <string_view>

#include "performance/performance_host.h"
#include "ui/toolkit/dialog.h"

namespace tessaly {

enum class FactoryScope { kDpiOnly, kAll };

struct FactoryResult {
    bool loaded = false;  // the file was read; nothing is stored otherwise
    // With kAll: the report rate code found, which the rate list selects.
    std::optional<int> report_rate;
};

// Writes what the file holds into the profile; a missing element (or an
// empty attribute) leaves its keys as they are. Queues nothing. The report
// capability is not touched: it comes from the mouse alone.
FactoryResult ApplyFactoryValues(std::u16string_view description_file, int profile,
                                 FactoryScope scope);
// The same for the host's profile and file; with `window` the report-rate
// control selects the factory rate. Any thread.
FactoryResult ApplyFactoryValues(PerformanceHost& host, FactoryScope scope,
                                 const DUI::MDialog* window);

// Both report rate keys take the factory rate and the control selects it,
// then the rate is sent with the wait dialog. Without a factory rate the
// task is still queued, with no dialog. UI thread.
void ResetReportRate(PerformanceHost& host, const DUI::MDialog* window);
// Asks first (texts 258 and 253, two buttons); only a confirmed reset
// queues the restore of the factory stages, with the wait dialog. UI thread.
void ResetDpiStages(PerformanceHost& host);

}  // namespace tessaly
