#pragma once
// The lighting page's behaviour: which effect is shown, its parameter
// groups, and every edit, each stored in the effect's row and then sent by
// task 8. Refresh may run on the worker; the events run on the UI thread.

#include <atomic>
#include <cstdint>
#include <memory>

#include "base/task.h"
#include "lighting/lighting_host.h"
#include "storage/rows.h"
#include "ui/main/page_context.h"

namespace tessaly {

class LightingPage {
  public:
    LightingPage(const ui::LightingPageContext& context, LightingHost& host)
        : context_(context), host_(host) {}

    // Default rows when the profile has none, the effect list, the active
    // effect selected and shown.
    void Refresh();
    // The list's selected effect: made active, its groups and values shown.
    // False when the profile has no row for it (the page stays as it was).
    bool ShowEffect();
    // The user chose an effect in the list.
    void SelectEffect();
    void OnSlider(int control_id, int event);
    void OnPreset(int control_id);
    void OnPalette(int event);
    void OnColourField(int control_id);
    // The colour goes to the preview, colour value 1 of the shown effect and,
    // with colour slots, the first checked slot; then it is sent.
    void ApplyLightColour(uint32_t colour);
    // Asks first; then the default rows again and task 17.
    void ResetLighting();

    int ShownMode() const { return shown_mode_.load(); }
    uint32_t Mask() const { return mask_.load(); }

    int OnEdit(int control_id, int event);
    int OnButton(int control_id);

  private:
    void ShowComponents(uint32_t colour);
    void ShowColour(uint32_t colour);
    void ShowLightZone(const LightSetting& light);
    void ShowStoredLightZone();
    void Relayout();

    const ui::LightingPageContext context_;
    LightingHost& host_;
    std::atomic<int> shown_mode_{0};
    std::atomic<uint32_t> mask_{0};
};

// Registers the page's handlers with the router; the page lives as long as
// they do. The host must outlive the window's use of them.
std::shared_ptr<LightingPage> InstallLightingPage(const ui::LightingPageContext& context,
                                                  LightingHost& host);

}  // namespace tessaly
