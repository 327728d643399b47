#pragma once
// What the behaviour of one page may reach of the main window: the page its
// controls live in, the scale, the key capture, the router its handlers
// register with, and the window itself only as the owner of popups and file
// dialogs. Each page gets a context with just the pieces it uses; the window
// builds them (ui/main/window_page_contexts.h). None of them reaches the
// window's device state, task list or worker.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "app/update_state.h"
#include "ui/main/message_routing.h"
#include "ui/toolkit/controls/tabs.h"
#include "ui/toolkit/dialog.h"

namespace tessaly::ui {

using PageHandler = std::function<int(int id, int event, intptr_t param)>;
using MessageHandler = std::function<intptr_t(uintptr_t wparam, intptr_t lparam)>;

// Where the pages register for the control events and window messages the
// main window routes to them. An empty handler gives 0.
class PageRouter {
  public:
    virtual void SetPageHandler(RouteSlot slot, PageHandler handler) = 0;
    virtual void SetMessageHandler(MessageSlot slot, MessageHandler handler) = 0;

  protected:
    ~PageRouter() = default;
};

// The window's raw keyboard capture: while armed, WM_INPUT goes to the
// consumer of the mode (1 recording, 10 custom key, 12 macro key). Set by
// the page that waits for a key, read by the window on the UI thread.
struct KeyCapture {
    std::atomic<bool> armed{false};
    std::atomic<int> mode{0};
};

// The selected model's choices of what the pages show, from its description
// file; the catalogue writes them when a model is selected.
struct TipPreferences {
    std::atomic<bool> show_dpi_tips{true};
    std::atomic<bool> show_save_tips{true};
    std::atomic<bool> show_lift_off{true};
    std::atomic<bool> show_sensor{true};
};

// One tab layout of the window. The window creates its pages as it
// initialises, so the page is read at each use.
class PageView {
  public:
    PageView(DUI::MDialog& window, DUI::MTabLayout* const& page) : window_(&window), page_(&page) {}

    DUI::MTabLayout* Layout() const { return *page_; }
    // The toolkit window the page's controls live in: the parent of popups,
    // and what the page builders and layouts take.
    DUI::MDialog& Window() const { return *window_; }
    // The nth control with the id directly inside the page.
    DUI::MControl* Find(int id, int nth = 0) const;
    template <typename T>
    T* FindAs(int id, int nth = 0) const {
        return dynamic_cast<T*>(Find(id, nth));
    }

  private:
    DUI::MDialog* window_;
    DUI::MTabLayout* const* page_;
};

// Page 50 with its custom key sub-page 51.
struct ButtonPageContext {
    PageView list;
    PageView panel;
    const float& scale;
    KeyCapture& capture;
    PageRouter& router;
};

// Page 53; the button page's list and panel show macro names too, and the
// tab column and the frame's profile button are locked while recording.
struct MacroPageContext {
    PageView page;
    PageView button_list;
    PageView button_panel;
    DUI::MTabCtrl* const& tabs;
    KeyCapture& capture;
    PageRouter& router;
};

// Page 54; the frame's mouse picture shows the light zone.
struct LightingPageContext {
    PageView page;
    const float& scale;
    PageRouter& router;
};

// Page 52, and what of it the model's description hides.
struct PerformancePageContext {
    PageView page;
    const TipPreferences& tips;
    PageRouter& router;
};

// The frame's profile button and the dialogs it opens.
struct ProfilesContext {
    DUI::MDialog& window;
    PageRouter& router;
};

// What selecting a model changes in the window: the device list, the
// frame's picture and tab column, the settings page's version line, the
// tip preferences, and the addresses the window keeps for the settings
// page, the about box and the update checks.
struct CatalogueContext {
    DUI::MDialog& window;
    PageView settings;
    DUI::MTabCtrl* const& tabs;
    TipPreferences& tips;
    UpdateState& update;
};

}  // namespace tessaly::ui
