#include "controller/discovery_window.h"

#include <optional>
#include <span>

#include "ui/ids/main_window_ids.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {
namespace {

struct ControlStep {
    int control;
    bool show;
};

struct OutcomeRow {
    DiscoveryOutcome outcome;
    int caption_text;
    bool online;
    std::span<const ControlStep> steps;
    std::optional<int> tab;  // nothing: the tab stays
};

// Without a mouse only the home page's notice is left; with one, the device
// list replaces it, and the tabs and the frame's captions stay hidden until
// the model has been read.
constexpr ControlStep kAbsentSteps[] = {
    {main_id::kTabBackground, false}, {main_id::kTabs, false}, {main_id::kMousePicture, false},
    {main_id::kDeviceList, false},    {ui::kHomePageId, true}, {main_id::kNoticePanel, true},
    {main_id::kNotice, true},
};
constexpr ControlStep kConnectedSteps[] = {
    {main_id::kTabBackground, false},
    {main_id::kTabs, false},
    {main_id::kMousePicture, false},
    {ui::kHomePageId, true},
    {main_id::kDeviceState, false},
    {main_id::kProfile, false},
    {main_id::kHiddenFactoryReset, false},
    {main_id::kNoticePanel, false},
    {main_id::kNotice, false},
    {main_id::kDeviceList, true},
};

constexpr OutcomeRow kOutcomes[] = {
    {DiscoveryOutcome::kNoEntries, text::kNotConnected, false, kAbsentSteps, main_id::kHomeTab},
    {DiscoveryOutcome::kNoKind, text::kNotConnected, false, kAbsentSteps, main_id::kHomeTab},
    {DiscoveryOutcome::kCable, text::kWired, true, kConnectedSteps, std::nullopt},
    {DiscoveryOutcome::kReceiver, text::kWireless, true, kConnectedSteps, std::nullopt},
};

// The settings page covers the others: a refresh closes it and brings back
// the buttons that open it.
constexpr int kSettingsButtons[] = {main_id::kSettings, main_id::kMaximise};

}  // namespace

void ShowDiscoveryOutcome(DiscoveryOutcome outcome, DiscoveryWindow& window) {
    for (const auto& row : kOutcomes) {
        if (row.outcome != outcome) {
            continue;
        }
        window.SetControlText(main_id::kDeviceState, row.caption_text);
        window.SetDeviceOnline(row.online);
        for (const auto& step : row.steps) {
            window.ShowControl(step.control, step.show);
        }
        if (row.tab) {
            window.SelectTab(*row.tab);
        }
    }
    if (window.ControlVisible(ui::kSettingsPageId)) {
        window.ShowControl(ui::kSettingsPageId, false);
        for (int control : kSettingsButtons) {
            window.ShowControl(control, true);
        }
    }
}

}  // namespace tessaly
