// What the catalogue, the device list and the store hold.

#include "base/firmware_version.h"
#include "base/unicode.h"
#include "catalogue/device_catalogue.h"
#include "cli/command_registry.h"
#include "cli/device_access_hint.h"
#include "cli/macro_commands.h"
#include "cli/run_streams.h"
#include "cli/stored_performance.h"
#include "cli/stored_profile_host.h"
#include "controller/access_hint.h"
#include "controller/controller.h"
#include "device/device_manager.h"

namespace tessaly::cli {
namespace {

const char* ModeName(int mode) {
    return mode == kConnectionCable ? "cable" : mode == kConnectionReceiver ? "receiver" : "none";
}

const char* StateName(int state) {
    return state == kStateOnline ? "online" : "offline";
}

// Discovery spares a receiver beside a cable the identity read, so its row
// takes the model its USB ids name; 0 when the ids name none or several.
int RowType(const DeviceManager& devices, const DeviceEntry& entry) {
    if (entry.device_type > 0)
        return entry.device_type;
    int type = 0;
    for (const IdentityRecord& identity : devices.Identities()) {
        if (identity.vendor_id != entry.vendor_id || identity.product_id != entry.product_id)
            continue;
        if (type != 0 && type != identity.device_type)
            return 0;
        type = identity.device_type;
    }
    return type;
}

OutputValue ConnectedDevices(CommandContext& context) {
    OutputValue rows = OutputValue::MakeArray();
    const DeviceManager& devices = context.controller.Devices();
    for (const auto& entry : devices.Entries()) {
        OutputValue row = OutputValue::MakeObject();
        const int type = RowType(devices, *entry);
        row.Set("type", type);
        // Every row has a name: a receiver that does not tell its model has
        // an empty one.
        std::string model_name;
        for (const DeviceDescription& model : DeviceCatalogue::Instance().Models()) {
            if (model.device_type == type)
                model_name = ToUtf8(model.name);
        }
        row.Set("name", model_name);
        row.Set("mode", ModeName(entry->connection_mode));
        row.Set("state", StateName(entry->state));
        row.Set("version", FirmwareVersionText(entry->version));
        // Whether the interface answered the identity read itself.
        row.Set("identified", entry->device_type > 0);
        rows.Append(std::move(row));
    }
    return rows;
}

int RunDevices(CommandContext& context) {
    OutputValue models = OutputValue::MakeArray();
    for (const DeviceDescription& model : DeviceCatalogue::Instance().Models()) {
        OutputValue row = OutputValue::MakeObject();
        row.Set("type", model.device_type);
        row.Set("name", ToUtf8(model.name));
        row.Set("attribute", ToUtf8(model.device_attribute));
        models.Append(std::move(row));
    }
    context.out.Set("models", std::move(models));
    context.out.Set("connected", ConnectedDevices(context));
    const DeviceState& state = context.controller.Device();
    context.out.Set("battery_level", static_cast<int>(state.battery_second.load()));
    context.out.Set("charging", state.battery_first.load() != 0);
    // A mouse present that could not be opened, and what would give access.
    // Always in the JSON, so every devices document has the same members;
    // the text says nothing of access when every mouse opened.
    const std::vector<UnopenedInterface>& unopened = context.controller.Devices().Unopened();
    OutputValue rows = OutputValue::MakeArray();
    for (const UnopenedInterface& entry : unopened) {
        OutputValue row = OutputValue::MakeObject();
        row.Set("vid", UsbIdText(entry.vendor_id));
        row.Set("pid", UsbIdText(entry.product_id));
        row.Set("path", entry.path);
        row.Set("denied", entry.denied);
        row.Set("error", entry.error);
        rows.Append(std::move(row));
    }
    if (context.options.json || !unopened.empty())
        context.out.Set("inaccessible", std::move(rows));
    if (!unopened.empty()) {
        WriteError(DeviceAccessHint(unopened, UdevRuleSearchFolders()));
    }
    return kExitOk;
}

int RunStatus(CommandContext& context) {
    const SelectedModel model = DeviceCatalogue::Instance().Selected();
    const DeviceState& state = context.controller.Device();
    const SensorLimits limits = state.Limits();
    OutputValue& out = context.out;
    out.Set("type", model.device_type);
    out.Set("name", ToUtf8(model.name));
    out.Set("connection", ModeName(context.controller.Devices().ConnectionKind()));
    out.Set("online", context.window.Device().device_online.load());
    out.Set("reachable", state.mouse_reachable.load() != 0);
    out.Set("battery_level", static_cast<int>(state.battery_second.load()));
    out.Set("charging", state.battery_first.load() != 0);
    out.Set("sensor", static_cast<int>(state.sensor_code.load()));
    out.Set("min_dpi", limits.min_dpi);
    out.Set("max_dpi", limits.max_dpi);
    out.Set("device_version", ToUtf8(FirmwareVersionText(state.DeviceVersion())));
    out.Set("receiver_version", ToUtf8(FirmwareVersionText(state.ReceiverVersion())));
    out.Set("profile", context.window.Device().current_profile.load());
    return kExitOk;
}

OutputValue PerformanceOutput(const CommandContext& context) {
    return StoredPerformance(TargetProfile(context));
}

struct ShowPart {
    std::string_view name;
    OutputValue (*output)(const CommandContext& context);
};

constexpr ShowPart kShowParts[] = {
    {"performance", PerformanceOutput}, {"buttons", ButtonsOutput}, {"lighting", LightsOutput},
    {"profiles", ProfilesOutput},       {"macros", MacrosOutput},
};

std::string CheckShowPart(const std::vector<std::string>& args) {
    if (args.empty() || args[0] == "all")
        return {};
    for (const ShowPart& part : kShowParts) {
        if (args[0] == part.name)
            return {};
    }
    return "show knows performance, buttons, lighting, profiles, macros and all, not \"" + args[0] +
           "\"";
}

int RunShow(CommandContext& context) {
    const std::string wanted = context.args.empty() ? "all" : context.args[0];
    for (const ShowPart& part : kShowParts) {
        if (wanted == "all" || wanted == part.name)
            context.out.Set(std::string(part.name), part.output(context));
    }
    return kExitOk;
}

const Command kCommands[] = {
    {"devices", "devices", "the catalogue's models and the connected devices", 0, 0, Needs::kStore,
     false, nullptr, RunDevices},
    {"status", "status", "the selected model, its connection, battery, sensor and versions", 0, 0,
     Needs::kLink, false, nullptr, RunStatus},
    {"show", "show [performance|buttons|lighting|profiles|macros|all]",
     "what the store and the mouse hold for the current profile", 0, 1, Needs::kStore, false,
     CheckShowPart, RunShow},
};

}  // namespace

std::span<const Command> InformationCommands() {
    return kCommands;
}

}  // namespace tessaly::cli
