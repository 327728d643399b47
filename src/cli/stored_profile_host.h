#pragma once
// The performance operations on a profile that is not the active one: they
// read and store that profile's values and send nothing, since the mouse
// holds the active profile; it is written when the profile becomes active.

#include "performance/performance_host.h"

namespace tessaly::cli {

class StoredProfileHost : public PerformanceHost {
  public:
    StoredProfileHost(PerformanceHost& active, int profile) : active_(active), profile_(profile) {}

    int CurrentProfile() const override { return profile_; }
    void QueueTask(int32_t) override {}
    void ShowSaveWait() override {}
    bool ShowDpiTips() const override { return false; }
    void ShowDpiPopup(int) override {}
    int ShowMessageBox(std::u16string_view message, std::u16string_view title,
                       uint32_t buttons) override {
        return active_.ShowMessageBox(message, title, buttons);
    }
    std::u16string DescriptionFilePath() const override { return active_.DescriptionFilePath(); }
    DeviceState& Device() override { return active_.Device(); }
    void OpenSystemMouseSettings() override {}

  private:
    PerformanceHost& active_;
    int profile_;
};

}  // namespace tessaly::cli
