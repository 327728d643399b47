#pragma once
// The update layer's own texts, from the one list of text numbers.

#include "ui/localisation/text_ids.h"

namespace tessaly {

inline constexpr int kDownloadFailedText = text::kSoftwareDownloadFailed;
inline constexpr int kUpgradeFailedText = text::kFirmwareUpgradeIncomplete;

}  // namespace tessaly
