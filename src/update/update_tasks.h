#pragma once
// The update tasks of the worker: the software check (task 23), the
// firmware check (task 24, also the last step of connecting), the software
// download that hands its package to the desktop's installer (task 26) and the firmware download
// and upgrade (task 27).
//
// TESSALY_NO_UPDATE_CHECK set to anything but "" or "0" turns the two checks
// off (tests, and machines without a network).

#include <cstdint>
#include <string>
#include <string_view>

#include "update/update_host.h"

namespace tessaly {

inline constexpr std::u16string_view kSoftwareArchivePattern = u"Mouse-Setup-%s.zip";
inline constexpr std::u16string_view kFirmwareArchivePattern = u"firmware-%s.zip";
inline constexpr std::u16string_view kFirmwareImagePattern = u"firmware     -%s.bin";

// The most a download may be: a firmware archive holds one image of at most
// 1 MiB, a setup archive a program of some tens of MiB.
inline constexpr uint64_t kMaxFirmwareArchiveBytes = 4ull * 1024 * 1024;
inline constexpr uint64_t kMaxSoftwareArchiveBytes = 256ull * 1024 * 1024;

bool UpdateChecksEnabled();

void RunSoftwareCheck(UpdateHost& host);
void RunFirmwareCheck(UpdateHost& host);
// Downloads and unpacks the update, hands its package for this system to the
// desktop's package installer, or else opens the download page; says which
// in the window. The program goes on running either way.
void RunSoftwareDownload(UpdateHost& host);
void RunFirmwareUpdate(UpdateHost& host);

}  // namespace tessaly
