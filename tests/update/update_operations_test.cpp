#include "update/update_operations.h"

#include <gmock/gmock.h>

#include "base/task.h"
#include "ui/localisation/text_ids.h"

namespace tessaly::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class FakeRequests : public UpdateRequestHost {
  public:
    void QueueTask(int32_t code) override { tasks.push_back(code); }
    std::u16string SoftwareUpdateAddress() const override { return software_address; }
    std::u16string FirmwareAddress() const override { return firmware_address; }
    std::u16string LocalSoftwareVersion() const override { return local_version; }
    std::u16string DeviceVersion() const override { return device_version; }
    std::u16string NewSoftwareVersion() const override { return new_software; }
    std::u16string NewFirmwareVersion() const override { return new_firmware; }
    void FollowUpgrade(UpgradeListener l) override {
        ++listeners_set;
        listener = std::move(l);
    }
    void FollowSoftwareDownload(SoftwareDownloadListener l) override {
        download_listener = std::move(l);
    }

    std::vector<int32_t> tasks;
    std::u16string software_address = u"http://soft/", firmware_address = u"http://fw",
                   local_version = u"1.0.1", device_version = u"105", new_software, new_firmware;
    UpgradeListener listener;
    SoftwareDownloadListener download_listener;
    int listeners_set = 0;
};

TEST(UpdateOperationsTest, TheChecksQueueTheirTasks) {
    FakeRequests host;
    EXPECT_TRUE(CheckForSoftwareUpdate(host).ok());
    EXPECT_TRUE(CheckForFirmwareUpdate(host).ok());
    EXPECT_THAT(host.tasks, ElementsAre(kTaskSoftwareCheck, kTaskFirmwareCheck));
}

TEST(UpdateOperationsTest, AModelWithoutAFirmwareAddressIsNotChecked) {
    FakeRequests host;
    host.firmware_address.clear();
    const UpdateRequest request = CheckForFirmwareUpdate(host);
    EXPECT_EQ(request.refusal, UpdateRefusal::kNoFirmwareAddress);
    EXPECT_EQ(request.refusal_title, text::kMouseFirmware);
    EXPECT_EQ(request.refusal_text, text::kNoMouseFirmwareOffered);
    EXPECT_THAT(host.tasks, IsEmpty());
}

TEST(UpdateOperationsTest, OnlyANewerVersionIsAnUpdate) {
    FakeRequests host;
    EXPECT_FALSE(SoftwareVersions(host).update_available) << "no answer yet";
    host.new_software = u"1.0.2";
    const VersionCheck newer = SoftwareVersions(host);
    EXPECT_EQ(newer.installed, u"1.0.1");
    EXPECT_EQ(newer.offered, u"1.0.2");
    EXPECT_TRUE(newer.update_available);
    host.new_software = u"1.0.1";
    EXPECT_FALSE(SoftwareVersions(host).update_available);
    host.new_software = u"1.0.0";
    EXPECT_FALSE(SoftwareVersions(host).update_available);

    host.new_firmware = u"107";
    EXPECT_TRUE(FirmwareVersions(host).update_available);
    host.new_firmware = u"105";
    EXPECT_FALSE(FirmwareVersions(host).update_available);
}

TEST(UpdateOperationsTest, AnUpgradeIsQueuedAndTellsItsListener) {
    FakeRequests host;
    int heard = 0;
    const UpgradeListener listener{[&heard](int, int) { ++heard; }, {}};
    host.new_firmware = u"107";
    EXPECT_TRUE(StartFirmwareUpgrade(host, listener).ok());
    EXPECT_EQ(host.listeners_set, 1);
    EXPECT_THAT(host.tasks, ElementsAre(kTaskFirmwareUpgrade));
    ASSERT_TRUE(host.listener.progress);
    host.listener.progress(5, text::kDownloading);
    EXPECT_EQ(heard, 1);
}

// The download is offered only for a newer version; asked without one (or
// without a server) nothing is queued and the listener stays unset.
TEST(UpdateOperationsTest, OnlyANewerVersionFromAServerIsDownloaded) {
    FakeRequests host;
    std::vector<int> heard;
    const SoftwareDownloadListener listener{[&heard](int percent) { heard.push_back(percent); },
                                            {}};
    for (const char16_t* found : {u"", u"1.0.1", u"1.0.0"}) {
        host.new_software = found;
        const UpdateRequest request = StartSoftwareDownload(host, listener);
        EXPECT_EQ(request.refusal, UpdateRefusal::kNoNewerSoftware);
        EXPECT_EQ(request.refusal_title, text::kSoftwareUpdateTitle);
        EXPECT_EQ(request.refusal_text, text::kNoNewerSoftwareKnown);
    }
    host.new_software = u"1.0.2";
    host.software_address.clear();
    EXPECT_EQ(StartSoftwareDownload(host, listener).refusal_text, text::kNoSoftwareUpdateAddress);
    EXPECT_THAT(host.tasks, IsEmpty());
    EXPECT_FALSE(host.download_listener.progress);

    host.software_address = u"http://soft/";
    EXPECT_TRUE(StartSoftwareDownload(host, listener).ok());
    EXPECT_THAT(host.tasks, ElementsAre(kTaskSoftwareDownload));
    ASSERT_TRUE(host.download_listener.progress);
    host.download_listener.progress(40);
    EXPECT_THAT(heard, ElementsAre(40));
}

}  // namespace
}  // namespace tessaly::test
