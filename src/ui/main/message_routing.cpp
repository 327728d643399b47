#include "ui/main/message_routing.h"

#include <array>

#include "ui/ids/button_page_ids.h"
#include "ui/ids/information_page_ids.h"
#include "ui/ids/lighting_page_ids.h"
#include "ui/ids/macro_page_ids.h"
#include "ui/ids/main_window_ids.h"
#include "ui/ids/performance_page_ids.h"
#include "ui/ids/settings_page_ids.h"

namespace tessaly::ui {
namespace {

using S = RouteSlot;
constexpr bool kAny = true;
constexpr bool kActivation = false;

// A route for a single control.
constexpr Route One(int id, RouteSlot slot, bool any_event) {
    return {id, id, slot, any_event};
}

constexpr auto kRoutes = std::to_array<Route>({
    One(main_id::kTabs, S::kTabSwitch, kAny),
    One(button_id::kCapturedKey, S::kCustomKeyEdit, kAny),
    One(button_id::kRepeatSecond, S::kCustomKeyEdit, kAny),
    One(button_id::kRepeatFirst, S::kCustomKeyEdit, kAny),
    {performance_id::kStages, performance_id::kSlider, S::kPerformanceEdit, kAny},
    One(performance_id::kResponseTime, S::kPerformanceEdit, kAny),
    One(macro_id::kMacroList, S::kMacroLists, kAny),
    One(macro_id::kEventList, S::kMacroLists, kAny),
    One(macro_id::kFixedDelayField, S::kMacroEdit, kAny),
    One(macro_id::kPlayCountField, S::kMacroEdit, kAny),
    One(macro_id::kEditorValue, S::kMacroEdit, kAny),
    One(lighting_id::kBrightnessSlider, S::kLightingEdit, kAny),
    One(lighting_id::kSpeedSlider, S::kLightingEdit, kAny),
    One(lighting_id::kPalette, S::kLightingEdit, kAny),
    {lighting_id::kRedField, lighting_id::kBlueField, S::kLightingEdit, kAny},
    One(main_id::kClose, S::kClose, kActivation),
    One(main_id::kMinimise, S::kMinimise, kActivation),
    One(main_id::kSettings, S::kOpenSettings, kActivation),
    One(main_id::kWebsite, S::kWebsite, kActivation),
    One(settings_id::kWebsiteLink, S::kWebsite, kActivation),
    One(settings_id::kFeedbackLink, S::kFeedback, kActivation),
    One(settings_id::kQaLink, S::kQa, kActivation),
    One(performance_id::kSystemMouseSettings, S::kSystemMouse, kActivation),
    One(main_id::kDeviceList, S::kActivateDevice, kActivation),
    One(main_id::kProfile, S::kProfileChooser, kActivation),
    {button_id::kResetAll, button_id::kList, S::kButtonPage, kActivation},
    One(button_id::kResetButton, S::kButtonPage, kActivation),
    One(button_id::kMouseChoice, S::kButtonPage, kActivation),
    One(button_id::kMultimediaChoice, S::kButtonPage, kActivation),
    One(button_id::kMacroChoice, S::kButtonPage, kActivation),
    One(button_id::kShortcutChoice, S::kButtonPage, kActivation),
    One(button_id::kDpiChoice, S::kButtonPage, kActivation),
    One(button_id::kSpecialChoice, S::kButtonPage, kActivation),
    One(button_id::kOpenCombination, S::kButtonPage, kActivation),
    One(button_id::kOpenRepeat, S::kButtonPage, kActivation),
    One(button_id::kDisable, S::kButtonPage, kActivation),
    One(button_id::kPicture, S::kButtonPage, kActivation),
    One(button_id::kCloseCombination, S::kCustomKeyPage, kActivation),
    One(button_id::kApplyCombination, S::kCustomKeyPage, kActivation),
    {button_id::kApplyRepeat, button_id::kCloseRepeat, S::kCustomKeyPage, kActivation},
    {button_id::kCtrl, button_id::kShift, S::kAccepted, kActivation},
    One(performance_id::kResetDpi, S::kPerformancePage, kActivation),
    One(performance_id::kSendDpi, S::kPerformancePage, kActivation),
    One(performance_id::kStageCount, S::kPerformancePage, kActivation),
    {performance_id::kResetReportRate, performance_id::kReportRates, S::kPerformancePage,
     kActivation},
    {performance_id::kLiftOff1mm, performance_id::kLiftOff2mm, S::kPerformancePage, kActivation},
    // The three sensor options share the first id; the other two are unused.
    {performance_id::kSensorOptions, performance_id::kSensorOptions + 2, S::kPerformancePage,
     kActivation},
    {performance_id::kMoveWakeup, performance_id::kSleepTime, S::kPerformancePage, kActivation},
    One(lighting_id::kEffectList, S::kLightingPage, kActivation),
    One(lighting_id::kReset, S::kLightingPage, kActivation),
    {lighting_id::kFirstPreset, lighting_id::kLastPreset, S::kLightingPage, kActivation},
    {lighting_id::kFirstSlot, lighting_id::kLastSlot, S::kAccepted, kActivation},
    {macro_id::kNewMacro, macro_id::kDeleteMacro, S::kMacroPage, kActivation},
    {macro_id::kInsert, macro_id::kClearEvents, S::kMacroPage, kActivation},
    One(macro_id::kRecord, S::kMacroPage, kActivation),
    {macro_id::kNoDelays, macro_id::kFixedDelay, S::kMacroPage, kActivation},
    {macro_id::kPlayWhileHeld, macro_id::kPlayCount, S::kMacroPage, kActivation},
    One(macro_id::kEditorKind, S::kMacroPage, kActivation),
    One(macro_id::kEditorButton, S::kMacroPage, kActivation),
    {macro_id::kMoveUp, macro_id::kMoveDown, S::kMacroPage, kActivation},
    One(macro_id::kFilesButton, S::kMacroPage, kActivation),
    One(information_id::kMouseFirmwareCheck, S::kFirmwareCheck, kActivation),
    One(information_id::kReceiverInfo, S::kReceiverInfo, kActivation),
    One(settings_id::kFactoryReset, S::kFactoryRestore, kActivation),
    One(main_id::kHiddenFactoryReset, S::kFactoryRestore, kActivation),
    One(information_id::kUnplacedFactoryReset, S::kFactoryRestore, kActivation),
    One(settings_id::kReturn, S::kSettingsPage, kActivation),
    One(settings_id::kUpdateCheck, S::kSettingsPage, kActivation),
    One(settings_id::kLanguage, S::kSettingsPage, kActivation),
    {settings_id::kStartWithSystem, settings_id::kStartMinimised, S::kSettingsPage, kActivation},
    {settings_id::kCloseHidesToTray, settings_id::kCloseExits, S::kSettingsPage, kActivation},
});

}  // namespace

std::span<const Route> RoutingTable() {
    return kRoutes;
}

std::optional<Route> FindRoute(int control_id) {
    for (const Route& route : kRoutes) {
        if (control_id >= route.first_id && control_id <= route.last_id) {
            return route;
        }
    }
    return std::nullopt;
}

}  // namespace tessaly::ui
