#pragma once
// What the update buttons do, without the window: the software check, the
// firmware check, and the software download and firmware upgrade the offers'
// "yes" starts. Each
// queues its task; the worker runs it, and what it found is read back here
// once the task has run. UI thread, unless noted.

#include <cstdint>
#include <functional>
#include <string>

#include "update/firmware_upgrade.h"
#include "update/update_host.h"

namespace tessaly {

// What the firmware upgrade tells besides its progress dialog. Both are
// called on the worker's thread.
struct UpgradeListener {
    // As the dialog shows it: "<text>: <percent>%".
    std::function<void(int percent, int text)> progress;
    // `downloaded`: the archive arrived, whatever it held.
    std::function<void(UpgradeOutcome outcome, bool downloaded)> ended;
};

// What the software download tells besides its progress dialog, on the
// worker's thread.
struct SoftwareDownloadListener {
    std::function<void(int percent)> progress;
    // `package`: the package the archive held for this machine, or empty.
    std::function<void(SoftwareDownloadOutcome outcome, const std::u16string& package)> ended;
};

// The addresses and versions the checks use and leave, and the task list.
class UpdateRequestHost {
  public:
    virtual ~UpdateRequestHost() = default;

    virtual void QueueTask(int32_t code) = 0;
    virtual std::u16string SoftwareUpdateAddress() const = 0;
    virtual std::u16string FirmwareAddress() const = 0;
    virtual std::u16string LocalSoftwareVersion() const = 0;
    virtual std::u16string DeviceVersion() const = 0;
    // What the last check found; empty before, or without an answer.
    virtual std::u16string NewSoftwareVersion() const = 0;
    virtual std::u16string NewFirmwareVersion() const = 0;
    // Replaces who hears of the next upgrade.
    virtual void FollowUpgrade(UpgradeListener listener) = 0;
    // Replaces who hears of the next software download.
    virtual void FollowSoftwareDownload(SoftwareDownloadListener listener) = 0;
};

enum class UpdateRefusal {
    kNone,
    kNoFirmwareAddress,  // the model names no server for its firmware
    kNoSoftwareAddress,  // config.xml names no update server
    kNoNewerSoftware,    // the last check found no newer version (or none ran)
};

struct UpdateRequest {
    UpdateRefusal refusal = UpdateRefusal::kNone;
    // The message box the window shows for the refusal: title and text
    // numbers, or 0.
    int refusal_title = 0;
    int refusal_text = 0;
    bool ok() const { return refusal == UpdateRefusal::kNone; }
};

UpdateRequest CheckForSoftwareUpdate(UpdateRequestHost& host);
UpdateRequest CheckForFirmwareUpdate(UpdateRequestHost& host);

struct VersionCheck {
    std::u16string installed;
    std::u16string offered;  // empty: the server gave no version
    bool update_available = false;
};
// What the last check left, compared as the check itself offers by.
VersionCheck SoftwareVersions(const UpdateRequestHost& host);
VersionCheck FirmwareVersions(const UpdateRequestHost& host);

// Queues the download and upgrade of the firmware the last check found;
// the window then shows its progress dialog. Not refused without a found
// version: the task then fails and closes that dialog, which nothing else
// would.
UpdateRequest StartFirmwareUpgrade(UpdateRequestHost& host, UpgradeListener listener);

// Queues the download of the newer version the last check found, which hands
// its package to the desktop's installer; the window then shows its progress
// dialog. Refused without an update server or without a newer version.
UpdateRequest StartSoftwareDownload(UpdateRequestHost& host, SoftwareDownloadListener listener);

}  // namespace tessaly
