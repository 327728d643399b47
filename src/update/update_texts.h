#pragma once
// The update layer's own texts (numbers from 700 on, this project's).

namespace tessaly {

// The software download failed: no file, not an archive, or no setup inside.
inline constexpr int kDownloadFailedText = 700;
// The firmware upgrade did not complete.
inline constexpr int kUpgradeFailedText = 701;

}  // namespace tessaly
