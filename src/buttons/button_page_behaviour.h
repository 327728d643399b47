#pragma once
// The button page's behaviour: selecting a button, giving it a function
// from one of the category choices or the two small panels, resetting one
// or all buttons, capturing a key for the combination panel, and refreshing
// the list after device reads and changes of language.

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "buttons/button_controls.h"
#include "buttons/button_host.h"
#include "buttons/button_operations.h"
#include "buttons/key_capture.h"
#include "storage/rows.h"
#include "ui/main/page_context.h"

namespace tessaly {

class ButtonPage {
  public:
    ButtonPage(const ui::ButtonPageContext& context, std::shared_ptr<ButtonHost> host)
        : context_(context), host_(std::move(host)) {}

    // Control events of the page (RouteSlot::kButtonPage), the custom key
    // panels (kCustomKeyPage) and their edit fields (kCustomKeyEdit).
    int OnPageEvent(int id, int event, intptr_t param);
    int OnPanelEvent(int id, int event, intptr_t param);
    int OnEditEvent(int id, int event, intptr_t param);
    // A decoded key while the page captures (mode 10).
    intptr_t OnCapturedKey(const RawKeyEvent& key);

    // Every button's text again, then the panel for key 0. Any thread.
    void RefreshList();
    // The panel for the current button.
    void RefreshPanel();

    int CapturedKeyCode() const;

  private:
    ButtonControls Controls() const { return ButtonControls(context_); }
    void ShowRefusal(int text_id);
    bool RefuseLockedKey();
    void ShowStored(const ButtonChange& change);
    void ShowFunction(const std::optional<KeyAssignment>& function);
    void SelectFromList();
    void SelectFromPicture();
    void SelectIndex(int index);
    void AssignChoice(int id);
    void Disable();
    void ShowFactoryTexts();
    void OpenCombination();
    void ApplyCombination();
    void OpenRepeat();
    void ApplyRepeat();
    void ClampField(int id, int low, int high);
    void ResetAll();
    void ResetCurrent();
    bool ConfirmReset();
    void StartCapture();
    void StopCapture();

    const ui::ButtonPageContext context_;
    std::shared_ptr<ButtonHost> host_;
    std::atomic<int> current_key_{0};
    mutable std::mutex capture_mutex_;
    int captured_code_ = 0;
    std::unique_ptr<CaptureSet> capture_;
};

// Registers the page's handlers with the router; the page lives as long as
// the handlers do. Returns it for the refreshes.
std::shared_ptr<ButtonPage> InstallButtonPage(const ui::ButtonPageContext& context,
                                              std::shared_ptr<ButtonHost> host);

}  // namespace tessaly
