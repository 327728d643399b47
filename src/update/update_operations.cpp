#include "update/update_operations.h"

#include "base/task.h"
#include "ui/localisation/text_ids.h"
#include "update/version_compare.h"

namespace tessaly {
namespace {

VersionCheck Compared(std::u16string installed, std::u16string offered) {
    VersionCheck check;
    check.update_available = !offered.empty() && CompareVersions(installed, offered) >= 1;
    check.installed = std::move(installed);
    check.offered = std::move(offered);
    return check;
}

}  // namespace

UpdateRequest CheckForSoftwareUpdate(UpdateRequestHost& host) {
    host.QueueTask(kTaskSoftwareCheck);
    return {};
}

UpdateRequest CheckForFirmwareUpdate(UpdateRequestHost& host) {
    if (host.FirmwareAddress().empty()) {
        return {UpdateRefusal::kNoFirmwareAddress, text::kMouseFirmware,
                text::kNoMouseFirmwareOffered};
    }
    host.QueueTask(kTaskFirmwareCheck);
    return {};
}

VersionCheck SoftwareVersions(const UpdateRequestHost& host) {
    return Compared(host.LocalSoftwareVersion(), host.NewSoftwareVersion());
}

VersionCheck FirmwareVersions(const UpdateRequestHost& host) {
    return Compared(host.DeviceVersion(), host.NewFirmwareVersion());
}

UpdateRequest StartSoftwareDownload(UpdateRequestHost& host, SoftwareDownloadListener listener) {
    if (host.SoftwareUpdateAddress().empty()) {
        return {UpdateRefusal::kNoSoftwareAddress, text::kSoftwareUpdateTitle,
                text::kNoSoftwareUpdateAddress};
    }
    if (!SoftwareVersions(host).update_available) {
        return {UpdateRefusal::kNoNewerSoftware, text::kSoftwareUpdateTitle,
                text::kNoNewerSoftwareKnown};
    }
    host.FollowSoftwareDownload(std::move(listener));
    host.QueueTask(kTaskSoftwareDownload);
    return {};
}

UpdateRequest StartFirmwareUpgrade(UpdateRequestHost& host, UpgradeListener listener) {
    host.FollowUpgrade(std::move(listener));
    host.QueueTask(kTaskFirmwareUpgrade);
    return {};
}

}  // namespace tessaly
