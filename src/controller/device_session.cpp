#include "controller/device_session.h"

#include <algorithm>

#include "catalogue/catalogue_file.h"
#include "device/hid_trace.h"
#include "platform/folders.h"

namespace tessaly {
namespace {

// What the virtual mouse reports as its sensor: one with a wide DPI range.
constexpr uint8_t kEmulatedSensor = 17;

std::array<uint8_t, 4> DeviceIdBytes(const std::u16string& device_id) {
    std::array<uint8_t, 4> bytes{'T', 'M', '0', '1'};
    for (size_t i = 0; i < bytes.size() && i < device_id.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(device_id[i]);
    }
    return bytes;
}

}  // namespace

std::optional<emulator::VirtualMouseConfig> EmulatedModelConfig(const std::u16string& config_path,
                                                                std::optional<int> device_type) {
    const CatalogueFile file = ReadCatalogueFile(config_path, u"");
    if (file.models.empty()) {
        return std::nullopt;
    }
    int chosen = file.models.front().device_type;
    if (device_type) {
        const bool known = std::any_of(
            file.models.begin(), file.models.end(),
            [&](const DeviceDescription& model) { return model.device_type == *device_type; });
        if (!known) {
            return std::nullopt;
        }
        chosen = *device_type;
    } else {
        for (const DeviceDescription& model : file.models) {
            bool cable = false;
            bool receiver = false;
            for (const DeviceDescription& identity : file.identities) {
                if (identity.device_type == model.device_type) {
                    cable = cable || identity.mode == 0;
                    receiver = receiver || identity.mode == 1;
                }
            }
            if (cable && receiver) {
                chosen = model.device_type;
                break;
            }
        }
    }
    emulator::VirtualMouseConfig config;
    config.name = "emulated";
    config.identity.sensor_code = kEmulatedSensor;
    bool cable_plugged = false;
    for (const DeviceDescription& identity : file.identities) {
        if (identity.device_type != chosen) {
            continue;
        }
        config.identity.device_id = DeviceIdBytes(identity.device_id);
        emulator::VirtualLinkConfig& link = identity.mode == 0 ? config.cable : config.receiver;
        link.vendor_id = static_cast<uint16_t>(identity.vendor_id);
        link.product_id = static_cast<uint16_t>(identity.product_id);
        // The receiver alone when the model has one: the more telling case.
        link.plugged = identity.mode == 1;
        cable_plugged = cable_plugged || identity.mode == 0;
    }
    if (config.receiver.vendor_id == 0) {
        config.cable.plugged = cable_plugged;
    }
    return config;
}

DeviceSession::DeviceSession(const CommandLine& line, std::vector<int> emulated_types) {
    if (!line.hid_trace_file.empty()) {
        tracing_ = SetHidTraceFile(line.hid_trace_file);
        if (!tracing_) {
            error_ = "cannot write the HID trace to " + line.hid_trace_file;
        }
    }
    if (!line.emulate) {
        return;
    }
    std::vector<std::optional<int>> wanted(emulated_types.begin(), emulated_types.end());
    if (wanted.empty()) {
        wanted.emplace_back();
    }
    std::vector<emulator::VirtualMouseConfig> configs;
    for (const std::optional<int>& type : wanted) {
        std::optional<emulator::VirtualMouseConfig> config =
            EmulatedModelConfig(ProgramFolder() + u"config.xml", type);
        if (!config) {
            error_ = type ? "the catalogue has no model " + std::to_string(*type)
                          : "the catalogue names no model to emulate";
            return;
        }
        config->state_file = line.emulator_state_file;
        // Each further mouse has paths and a state file of its own.
        if (!configs.empty()) {
            config->name += "-" + std::to_string(*type);
            if (!config->state_file.empty()) {
                config->state_file += "." + std::to_string(*type);
            }
        }
        configs.push_back(std::move(*config));
    }
    emulated_ = std::make_unique<emulator::EmulatedDevices>(std::move(configs));
}

DeviceSession::~DeviceSession() {
    emulated_.reset();
    if (tracing_) {
        SetHidTraceFile("");
    }
}

}  // namespace tessaly
