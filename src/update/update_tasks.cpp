#include "update/update_tasks.h"

#include <cstdlib>
#include <filesystem>

#include "base/text_format.h"
#include "base/unicode.h"
#include "catalogue/device_catalogue.h"
#include "platform/folders.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "update/archive_extract.h"
#include "update/download_folder.h"
#include "update/firmware_upgrade.h"
#include "update/http_client.h"
#include "update/linux_package.h"
#include "update/update_texts.h"
#include "update/version_compare.h"

namespace tessaly {
namespace fs = std::filesystem;

namespace {

constexpr int kAfterUpgradeMs = 100;

std::u16string LatestVersionText(std::u16string_view) {
    return LoadLanguageString(text::kLatestVersion);
}

std::u16string UnreachableText(std::u16string_view) {
    return LoadLanguageString(text::kUpdateServerUnreachable);
}

std::u16string NewSoftwareText(std::u16string_view version) {
    return Format(u"%s: v%s", LoadLanguageString(text::kNewVersionFound), version);
}

// "V<first character>.<last two characters>", as the firmware rows show it.
std::u16string NewFirmwareText(std::u16string_view version) {
    const std::u16string_view major = version.substr(0, 1);
    const std::u16string_view minor =
        version.size() >= 2 ? version.substr(version.size() - 2) : std::u16string_view();
    return Format(u"%s: V%s.%s", LoadLanguageString(text::kNewVersionFound), major, minor);
}

std::string Narrow(std::u16string_view path) {
    return ToUtf8(path);
}

bool Exists(std::u16string_view path) {
    std::error_code ignored;
    return fs::exists(fs::path(Narrow(path)), ignored);
}

void Remove(std::u16string_view path) {
    std::error_code ignored;
    fs::remove(fs::path(Narrow(path)), ignored);
}

// Extracts the archive into the folder; the archive goes when it opened.
void Unpack(std::u16string_view archive, std::u16string_view folder) {
    if (ExtractArchive(Narrow(archive), Narrow(folder))) {
        Remove(archive);
    }
}

}  // namespace

bool UpdateChecksEnabled() {
    const char* off = std::getenv("TESSALY_NO_UPDATE_CHECK");
    return off == nullptr || *off == '\0' || std::string_view(off) == "0";
}

void RunSoftwareCheck(UpdateHost& host) {
    host.SetNewSoftwareVersion(u"");
    if (!UpdateChecksEnabled()) {
        return;
    }
    const std::optional<std::u16string> version = VersionFromAnswer(
        FetchText(host.SoftwareUpdateAddress() + u"version").text, VersionKind::kSoftware);
    if (!version) {
        // "Latest" is said only after an answer; the button stays for a retry.
        host.ShowSoftwareStatus(UnreachableText, u"", true);
        return;
    }
    host.SetNewSoftwareVersion(*version);
    if (CompareVersions(host.LocalSoftwareVersion(), *version) >= 1) {
        host.ShowSoftwareStatus(NewSoftwareText, *version, true);
        host.PostUpdateAvailable(1);
    } else {
        host.ShowSoftwareStatus(LatestVersionText, *version, false);
    }
}

void RunFirmwareCheck(UpdateHost& host) {
    host.SetNewFirmwareVersion(u"");
    const std::u16string address = host.FirmwareAddress();
    if (!UpdateChecksEnabled() || address.empty()) {
        return;
    }
    if (const std::optional<std::u16string> version = VersionFromAnswer(
            FetchText(address + u"/mouse/version").text, VersionKind::kFirmware)) {
        host.SetNewFirmwareVersion(*version);
    } else {
        host.ShowFirmwareStatus(UnreachableText, u"", true);
        return;
    }
    const std::u16string found = host.NewFirmwareVersion();
    const std::u16string device = host.DeviceVersion();
    if (found.empty() || device.empty()) {
        return;
    }
    if (CompareVersions(device, found) >= 1) {
        host.ShowFirmwareStatus(NewFirmwareText, found, true);
        host.PostUpdateAvailable(2);
    } else {
        host.ShowFirmwareStatus(LatestVersionText, found, false);
    }
}

void RunSoftwareDownload(UpdateHost& host) {
    const std::u16string version = host.NewSoftwareVersion();
    const std::u16string archive_name = Format(kSoftwareArchivePattern, version);
    const std::u16string address = Format(u"%s//%s", host.SoftwareUpdateAddress(), archive_name);
    DownloadFolder folder;
    const std::u16string target = folder.Path() + archive_name;
    if (folder.Made()) {
        DownloadToFile(
            address, Narrow(target), [&host](int percent) { host.PostDownloadProgress(percent); },
            kMaxSoftwareArchiveBytes);
    }
    // The progress dialog has no close control of its own.
    host.CloseDownloadDialog();
    if (!folder.Made() || !Exists(target)) {
        host.ReportFailure(text::kSoftwareUpdateTitle, kDownloadFailedText);
        host.SoftwareDownloadEnded(SoftwareDownloadOutcome::kNotDownloaded, u"");
        return;
    }
    Unpack(target, folder.Path());
    const std::u16string package =
        FromUtf8(FindLinuxPackage(Narrow(folder.Path()), Narrow(version)));
    if (!package.empty() && host.OpenWithDesktop(package)) {
        // The installer reads the package from the folder after we return.
        folder.Keep();
        host.Tell(text::kSoftwareUpdateTitle,
                  Format(LoadLanguageString(text::kPackageHandedToInstaller), package));
        host.SoftwareDownloadEnded(SoftwareDownloadOutcome::kHandedToInstaller, package);
        return;
    }
    std::u16string message =
        package.empty() ? LoadLanguageString(text::kNoPackageForThisSystem)
                        : Format(LoadLanguageString(text::kPackageInstallerNotStarted), package);
    const std::u16string page = host.DownloadPageAddress();
    const bool opened = !page.empty() && host.OpenWithDesktop(page);
    const std::u16string where = page.empty() ? host.SoftwareUpdateAddress() : page;
    message.append(u"\n").append(Format(
        LoadLanguageString(opened ? text::kDownloadPageOpened : text::kDownloadFromPage), where));
    host.Tell(text::kSoftwareUpdateTitle, std::move(message));
    host.SoftwareDownloadEnded(package.empty() ? SoftwareDownloadOutcome::kNoPackage
                                               : SoftwareDownloadOutcome::kInstallerNotStarted,
                               package);
}

void RunFirmwareUpdate(UpdateHost& host) {
    host.SetUpgradeProgress(5, text::kDownloading);
    const std::u16string version = host.NewFirmwareVersion();
    const std::u16string archive_name = Format(kFirmwareArchivePattern, version);
    const std::u16string address = Format(u"%s//mouse//%s", host.FirmwareAddress(), archive_name);
    UpgradeOutcome outcome = UpgradeOutcome::kNoImage;
    DownloadFolder folder;
    const std::u16string target = folder.Path() + archive_name;
    if (folder.Made()) {
        DownloadToFile(
            address, Narrow(target), [&host](int percent) { host.PostDownloadProgress(percent); },
            kMaxFirmwareArchiveBytes);
    }
    const bool downloaded = folder.Made() && Exists(target);
    if (downloaded) {
        host.SetUpgradeProgress(7, text::kPreparingUpgrade);
        Unpack(target, folder.Path());
        const UpgradeEnvironment environment{
            [&host](int ms) { host.Sleep(ms); },
            [&host](int percent, int text) { host.SetUpgradeProgress(percent, text); }};
        outcome = UpgradeFirmware(host.Devices(),
                                  Narrow(folder.Path() + Format(kFirmwareImagePattern, version)),
                                  environment, DeviceCatalogue::Instance().Options().flash_bytes);
    }
    host.Sleep(kAfterUpgradeMs);
    host.CloseUpgradeDialog();
    host.Sleep(kAfterUpgradeMs);
    if (outcome == UpgradeOutcome::kImageTooLarge) {
        host.ReportFailure(text::kMouseFirmware, text::kFirmwareImageTooLarge);
    } else if (outcome != UpgradeOutcome::kComplete) {
        host.ReportFailure(text::kMouseFirmware, kUpgradeFailedText);
    }
    host.UpgradeEnded(outcome, downloaded);
}

}  // namespace tessaly
