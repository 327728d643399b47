#pragma once
// What the system needs from a HID report descriptor: the top-level
// collections (usage page and usage) and the report lengths, counted as the
// HID stack on the other platform counts them: data bytes plus the report ID
// byte, which is present (as 0) even for a device without numbered reports.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tessaly {

struct TopLevelCollection {
    uint16_t usage_page = 0;
    uint16_t usage = 0;
    bool operator==(const TopLevelCollection&) const = default;
};

struct ReportLengths {
    // Longest report of each kind, report ID byte included; 0 when the
    // descriptor declares none.
    size_t input = 0;
    size_t output = 0;
    size_t feature = 0;
    bool numbered = false;  // the descriptor uses report IDs
    // Output length per report ID, report ID byte included; 0 for an ID the
    // descriptor does not declare. Index 0 is the unnumbered report.
    std::array<uint16_t, 256> output_by_id{};

    // The length a write starting with this report ID is padded to.
    size_t OutputLengthFor(uint8_t report_id) const;
};

struct ReportDescriptorInfo {
    std::vector<TopLevelCollection> collections;  // in order, without nested ones
    ReportLengths lengths;
};

// Nullopt for a descriptor that is cut inside an item, closes more
// collections than it opens, or unbalances its global stack.
std::optional<ReportDescriptorInfo> ParseReportDescriptor(std::span<const uint8_t> descriptor);

}  // namespace tessaly
