#pragma once
// The page operations on a profile that is not the active one: they read
// and store that profile's values and send nothing, since the mouse holds
// the active profile; it is written when the profile becomes active.

#include <memory>

#include "buttons/button_host.h"
#include "lighting/lighting_host.h"
#include "performance/performance_host.h"

namespace tessaly::cli {

struct CommandContext;

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

class StoredButtonHost : public ButtonHost {
  public:
    StoredButtonHost(PerformanceHost& active, int profile) : active_(active), profile_(profile) {}

    int CurrentProfile() const override { return profile_; }
    void QueueTask(int32_t) override {}
    void ShowSaveWait() override {}
    int ShowMessageBox(std::u16string_view message, std::u16string_view title,
                       uint32_t buttons) override {
        return active_.ShowMessageBox(message, title, buttons);
    }
    // The same limit as for the active profile: the macro goes with the
    // table once the profile is active.
    bool MacroFitsDevice(int macro_id) const override;

  private:
    PerformanceHost& active_;
    int profile_;
};

class StoredLightingHost : public LightingHost {
  public:
    StoredLightingHost(PerformanceHost& active, int profile) : active_(active), profile_(profile) {}

    int CurrentProfile() const override { return profile_; }
    void QueueTask(int32_t) override {}
    void ShowSaveWait() override {}
    int ShowMessageBox(std::u16string_view message, std::u16string_view title,
                       uint32_t buttons) override {
        return active_.ShowMessageBox(message, title, buttons);
    }
    // An effect chosen here does not run on the mouse yet.
    DeviceState& Device() override { return unsent_; }

  private:
    PerformanceHost& active_;
    int profile_;
    DeviceState unsent_;
};

// The profile the command works on: --profile N, else the current one.
int TargetProfile(const CommandContext& context);
// Whether that is a stored profile rather than the active one.
bool StoredOnly(const CommandContext& context);

// The hosts the page operations go through: the controller's for the
// active profile (stored and sent), a StoredProfileHost otherwise.
std::unique_ptr<ButtonHost> ButtonHostFor(CommandContext& context);
std::unique_ptr<LightingHost> LightingHostFor(CommandContext& context);

}  // namespace tessaly::cli
