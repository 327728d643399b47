#pragma once
// What the update tasks need from the program around them: the addresses and
// versions, the window's version rows, the posted messages and the progress
// dialogs. The controller implements it; every call comes from the worker.

#include <string>
#include <string_view>

#include "device/device_manager.h"
#include "update/firmware_upgrade.h"

namespace tessaly {

// How the software download ended; only the first hands the update on.
enum class SoftwareDownloadOutcome {
    kHandedToInstaller,
    kNotDownloaded,        // no archive came (no folder, no server, no file)
    kNoPackage,            // the archive holds no package for this machine
    kInstallerNotStarted,  // a package, but the desktop could not open it
};

class UpdateHost {
  public:
    virtual ~UpdateHost() = default;

    virtual std::u16string SoftwareUpdateAddress() const = 0;
    virtual std::u16string LocalSoftwareVersion() const = 0;
    virtual std::u16string FirmwareAddress() const = 0;
    virtual std::u16string DeviceVersion() const = 0;
    virtual std::u16string NewSoftwareVersion() const = 0;
    virtual void SetNewSoftwareVersion(std::u16string version) = 0;
    // Where the user can fetch the software by hand (the website).
    virtual std::u16string DownloadPageAddress() const = 0;
    virtual std::u16string NewFirmwareVersion() const = 0;
    virtual void SetNewFirmwareVersion(std::u16string version) = 0;

    // The software row of the settings page (275, 276) and the mouse row of
    // the information page (246, 248): a status text built anew in each
    // language, and whether its button is enabled.
    using TextBuilder = std::u16string (*)(std::u16string_view version);
    virtual void ShowSoftwareStatus(TextBuilder build, std::u16string version, bool enabled) = 0;
    virtual void ShowFirmwareStatus(TextBuilder build, std::u16string version, bool enabled) = 0;

    // Message 1692 with 1 (software) or 2 (firmware), and message 1694.
    virtual void PostUpdateAvailable(int kind) = 0;
    virtual void PostDownloadProgress(int percent) = 0;

    // The firmware progress dialog: "<text>: <percent>%", and its close.
    virtual void SetUpgradeProgress(int percent, int text) = 0;
    virtual void CloseUpgradeDialog() = 0;
    // The upgrade's last word, after its dialog closed; `downloaded`: the
    // archive arrived.
    virtual void UpgradeEnded(UpgradeOutcome /*outcome*/, bool /*downloaded*/) {}
    // The software download dialog, closed when the download came to nothing.
    virtual void CloseDownloadDialog() = 0;
    // The download's last word, after its dialog closed; `package` is the
    // package found in the archive, or empty.
    virtual void SoftwareDownloadEnded(SoftwareDownloadOutcome /*outcome*/,
                                       const std::u16string& /*package*/) {}
    // A one-button message box on the window's thread.
    virtual void ReportFailure(int title_text, int message_text) = 0;
    virtual void Tell(int title_text, std::u16string message) = 0;
    // Hands a file or an address to the desktop (xdg-open); false when it
    // could not be started.
    virtual bool OpenWithDesktop(std::u16string_view target) = 0;

    virtual DeviceManager& Devices() = 0;
    virtual void Sleep(int ms) = 0;
};

}  // namespace tessaly
