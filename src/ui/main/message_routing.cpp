#include "ui/main/message_routing.h"

#include <array>

namespace tessaly::ui {
namespace {

using S = RouteSlot;
constexpr bool kAny = true;
constexpr bool kActivation = false;

constexpr auto kRoutes = std::to_array<Route>({
    {48, 48, S::kTabSwitch, kAny},
    {93, 93, S::kCustomKeyEdit, kAny},
    {102, 102, S::kCustomKeyEdit, kAny},
    {105, 105, S::kCustomKeyEdit, kAny},
    {116, 117, S::kPerformanceEdit, kAny},
    {139, 139, S::kPerformanceEdit, kAny},
    {156, 156, S::kMacroLists, kAny},
    {166, 166, S::kMacroLists, kAny},
    {178, 178, S::kMacroEdit, kAny},
    {184, 184, S::kMacroEdit, kAny},
    {187, 187, S::kMacroEdit, kAny},
    {204, 204, S::kLightingEdit, kAny},
    {207, 207, S::kLightingEdit, kAny},
    {226, 226, S::kLightingEdit, kAny},
    {231, 233, S::kLightingEdit, kAny},
    {38, 38, S::kClose, kActivation},
    {39, 39, S::kMinimise, kActivation},
    {40, 40, S::kOpenSettings, kActivation},
    {37, 37, S::kWebsite, kActivation},
    {289, 289, S::kWebsite, kActivation},
    {290, 290, S::kFeedback, kActivation},
    {291, 291, S::kQa, kActivation},
    {149, 149, S::kSystemMouse, kActivation},
    {57, 57, S::kActivateDevice, kActivation},
    {45, 45, S::kProfileChooser, kActivation},
    {67, 68, S::kButtonPage, kActivation},
    {71, 71, S::kButtonPage, kActivation},
    {73, 73, S::kButtonPage, kActivation},
    {75, 75, S::kButtonPage, kActivation},
    {77, 77, S::kButtonPage, kActivation},
    {79, 79, S::kButtonPage, kActivation},
    {81, 81, S::kButtonPage, kActivation},
    {83, 83, S::kButtonPage, kActivation},
    {85, 85, S::kButtonPage, kActivation},
    {87, 87, S::kButtonPage, kActivation},
    {89, 89, S::kButtonPage, kActivation},
    {108, 108, S::kButtonPage, kActivation},
    {91, 91, S::kCustomKeyPage, kActivation},
    {98, 98, S::kCustomKeyPage, kActivation},
    {106, 107, S::kCustomKeyPage, kActivation},
    {94, 97, S::kAccepted, kActivation},
    {115, 115, S::kPerformancePage, kActivation},
    {118, 118, S::kPerformancePage, kActivation},
    {120, 120, S::kPerformancePage, kActivation},
    {124, 125, S::kPerformancePage, kActivation},
    {129, 130, S::kPerformancePage, kActivation},
    {134, 136, S::kPerformancePage, kActivation},
    {143, 145, S::kPerformancePage, kActivation},
    {197, 197, S::kLightingPage, kActivation},
    {201, 201, S::kLightingPage, kActivation},
    {209, 216, S::kLightingPage, kActivation},
    {218, 224, S::kAccepted, kActivation},
    {157, 158, S::kMacroPage, kActivation},
    {167, 169, S::kMacroPage, kActivation},
    {172, 172, S::kMacroPage, kActivation},
    {174, 176, S::kMacroPage, kActivation},
    {181, 183, S::kMacroPage, kActivation},
    {186, 186, S::kMacroPage, kActivation},
    {188, 188, S::kMacroPage, kActivation},
    {190, 191, S::kMacroPage, kActivation},
    {236, 236, S::kMacroPage, kActivation},
    {248, 248, S::kFirmwareCheck, kActivation},
    {249, 249, S::kReceiverInfo, kActivation},
    {277, 277, S::kFactoryRestore, kActivation},
    {46, 46, S::kFactoryRestore, kActivation},
    {250, 250, S::kFactoryRestore, kActivation},
    {273, 273, S::kSettingsPage, kActivation},
    {276, 276, S::kSettingsPage, kActivation},
    {279, 279, S::kSettingsPage, kActivation},
    {281, 282, S::kSettingsPage, kActivation},
    {286, 287, S::kSettingsPage, kActivation},
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
