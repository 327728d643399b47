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

// What every such host shares: the profile it works on, no task queued, no
// wait shown, boxes asked through the active profile's host.
template <typename Host>
class StoredHost : public Host {
  public:
    StoredHost(PerformanceHost& active, int profile) : active_(active), profile_(profile) {}

    int CurrentProfile() const override { return profile_; }
    void QueueTask(int32_t) override {}
    void ShowSaveWait() override {}
    int ShowMessageBox(std::u16string_view message, std::u16string_view title,
                       uint32_t buttons) override {
        return active_.ShowMessageBox(message, title, buttons);
    }

  protected:
    PerformanceHost& active_;

  private:
    int profile_;
};

class StoredProfileHost : public StoredHost<PerformanceHost> {
  public:
    using StoredHost::StoredHost;

    bool ShowDpiTips() const override { return false; }
    void ShowDpiPopup(int) override {}
    std::u16string DescriptionFilePath() const override { return active_.DescriptionFilePath(); }
    DeviceState& Device() override { return active_.Device(); }
    void OpenSystemMouseSettings() override {}
};

class StoredButtonHost : public StoredHost<ButtonHost> {
  public:
    using StoredHost::StoredHost;

    // The same limit as for the active profile: the macro goes with the
    // table once the profile is active.
    bool MacroFitsDevice(int macro_id) const override;
};

class StoredLightingHost : public StoredHost<LightingHost> {
  public:
    using StoredHost::StoredHost;

    // An effect chosen here does not run on the mouse yet.
    DeviceState& Device() override { return unsent_; }

  private:
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
