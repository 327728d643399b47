#pragma once
// Which handler a control event of the main window goes to, by control id.
// Rows marked any_event hand every event to the handler; the others act on
// event 2 (activation) only and give 0 for other events.

#include <optional>
#include <span>

namespace tessaly::ui {

enum class RouteSlot {
    kTabSwitch,        // frame: tab column
    kCustomKeyEdit,    // custom key sub-page edit fields
    kPerformanceEdit,  // DPI stage list, slider, number field
    kMacroLists,       // macro list, event list
    kMacroEdit,        // macro page edit fields
    kLightingEdit,     // sliders, palette, colour fields
    kClose,            // frame close button
    kMinimise,         // frame minimise button
    kOpenSettings,     // frame settings button
    kWebsite,          // frame link and settings page link
    kFeedback,         // settings page
    kQa,               // settings page
    kSystemMouse,      // performance page: the system's mouse settings
    kActivateDevice,   // home page device list
    kProfileChooser,   // frame profile button
    kButtonPage,       // button page buttons
    kCustomKeyPage,    // custom key sub-page buttons
    kPerformancePage,  // performance page buttons
    kLightingPage,     // lighting page buttons
    kMacroPage,        // macro page buttons
    kFirmwareCheck,    // information page, mouse row
    kReceiverInfo,     // information page, receiver row
    kFactoryRestore,   // settings page (and two never placed buttons)
    kSettingsPage,     // settings page buttons
    kAccepted,         // ids that are accepted and do nothing
    kCount,
};

struct Route {
    int first_id;
    int last_id;
    RouteSlot slot;
    bool any_event;
};

std::span<const Route> RoutingTable();
// The route of a control id; nothing for ids no one handles.
std::optional<Route> FindRoute(int control_id);

// Window messages whose handling belongs to other parts of the program.
enum class MessageSlot {
    kRawInput,          // WM_INPUT while a capture is armed
    kDeviceChange,      // hot-plug
    kDownloadProgress,  // 1694
    kProfileSwitched,   // 1705 with wParam 0, after the profile number is kept
    kProfileFile,       // 1705 with wParam 1 (import) or 2 (export)
    kMacroMenu,         // 1709 to 1711; wParam is the message, lParam the item
    kApplyLanguage,     // 2022 and every change of language, after the window's texts
    kCount,
};

}  // namespace tessaly::ui
