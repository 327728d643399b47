#pragma once
// The model's factory performance values, taken from its description file
// (mouse / mouse_info / dpi_info and the four elements after it), and the
// two reset buttons of the performance page.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "performance/performance_host.h"
#include "ui/toolkit/dialog.h"

namespace tessaly {

enum class FactoryScope { kDpiOnly, kAll };

struct FactoryResult {
    bool loaded = false;  // the file was read; nothing is stored otherwise
    bool stored = true;   // every value read was stored
    // With kAll: the report rate code found, which the rate list selects.
    std::optional<int> report_rate;
};

// One value of the description file under the key it is stored as, its
// text as the file has it (colours already as "%d" of 0x00BBGGRR).
struct FactoryValue {
    std::u16string key;
    std::u16string text;
};

// What the file holds, in the order it is stored; nothing when the file
// cannot be read. The report rate gives both rate keys.
std::optional<std::vector<FactoryValue>> ReadFactoryValues(std::u16string_view description_file,
                                                           FactoryScope scope);

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
