#include "controller/device_session.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "app/sensor_limits.h"
#include "base/decimal.h"
#include "base/unicode.h"
#include "catalogue/catalogue_file.h"
#include "catalogue/description_file.h"
#include "device/commands/command_builders.h"
#include "device/hid_trace.h"
#include "emulator/answer_script_text.h"
#include "emulator/virtual_mouse_state.h"
#include "performance/dpi_conversions.h"
#include "performance/factory_values.h"
#include "performance/performance_store.h"
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

std::vector<uint8_t> RequestBytes(const CommandRequest& request) {
    return {request.bytes().begin(), request.bytes().end()};
}

// The model's factory values as the writes that would give the mouse them,
// so that the virtual mouse starts with, and resets to, what the store's
// factory values say.
std::vector<std::vector<uint8_t>> FactoryWrites(const std::u16string& description_file,
                                                uint8_t sensor) {
    const auto values = ReadFactoryValues(description_file, FactoryScope::kAll);
    if (!values) {
        return {};
    }
    std::map<std::u16string, int> numbers;
    for (const FactoryValue& value : *values) {
        numbers[value.key] = DecimalToInt(value.text);
    }
    auto number = [&](std::u16string_view key, int fallback) {
        const auto it = numbers.find(std::u16string(key));
        return it == numbers.end() ? fallback : it->second;
    };
    std::vector<std::vector<uint8_t>> writes;
    if (numbers.count(u"dpi_count") != 0) {
        const SensorLimits limits = LimitsForSensor(sensor, SensorRead::kConnect, 0);
        DpiStagesValues stages;
        stages.count = number(u"dpi_count", 0);
        stages.index = number(u"dpi_index", 0);
        DpiColours colours{};
        for (int i = 0; i < kDpiStages; ++i) {
            const size_t slot = static_cast<size_t>(i);
            stages.codes[slot] = static_cast<uint16_t>(StageDeviceCode(
                sensor, number(StageValueKey(i), limits.min_dpi), limits.min_dpi, limits.max_dpi));
            colours[slot] = static_cast<uint32_t>(number(StageColourKey(i), 0));
        }
        writes.push_back(RequestBytes(BuildDpiStages(stages)));
        writes.push_back(RequestBytes(BuildDpiColours(colours)));
    }
    if (numbers.count(u"report_rate") != 0) {
        writes.push_back(
            RequestBytes(BuildReportRate(static_cast<uint8_t>(number(u"report_rate", 1)))));
    }
    const emulator::SettingBytes built_in = emulator::VirtualMouseState::FactorySettings()[0x07];
    SleepResponseValues sleep{built_in[0], built_in[1], built_in[2], built_in[3]};
    sleep.sleep_light = static_cast<uint8_t>(number(u"sleep_light", sleep.sleep_light));
    sleep.move_wakeup = static_cast<uint8_t>(number(u"move_wakeup", sleep.move_wakeup));
    sleep.move_closelight = static_cast<uint8_t>(number(u"move_closelight", sleep.move_closelight));
    writes.push_back(RequestBytes(BuildSleepResponse(sleep)));
    return writes;
}

std::u16string DescriptionFilePath(const std::u16string& config_path, const CatalogueFile& file,
                                   int device_type) {
    for (const DeviceDescription& model : file.models) {
        if (model.device_type == device_type) {
            const std::filesystem::path folder =
                std::filesystem::path(ToUtf8(config_path)).parent_path();
            return FromUtf8((folder / "device").string() + "/") + model.device_attribute + u".xml";
        }
    }
    return {};
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
    const std::u16string description = DescriptionFilePath(config_path, file, chosen);
    config.factory_writes = FactoryWrites(description, config.identity.sensor_code);
    if (const auto read = ReadDescriptionFile(description); read && read->flash_size)
        config.flash_bytes = *read->flash_size;
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
    if (const std::string problem = emulator::StateFileProblem(line.emulator_state_file);
        !line.emulator_state_file.empty() && !problem.empty()) {
        error_ = "the emulator state file " + line.emulator_state_file + " " + problem;
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
            // Appended piece by piece: GCC 12 at -O3 takes `"-" + to_string`
            // for an overlapping copy (a false -Wrestrict).
            const std::string number = std::to_string(*type);
            config->name.append(1, '-').append(number);
            if (!config->state_file.empty()) {
                config->state_file.append(1, '.').append(number);
            }
        }
        configs.push_back(std::move(*config));
    }
    emulated_ = std::make_unique<emulator::EmulatedDevices>(std::move(configs));
    ApplyFaults();
}

void DeviceSession::ApplyFaults() {
    const char* text = std::getenv(emulator::kFaultsVariable);
    if (text == nullptr || *text == '\0')
        return;
    emulator::ParsedScripts parsed = emulator::ParseAnswerScripts(text);
    if (!parsed.error.empty()) {
        error_ = std::string(emulator::kFaultsVariable) + ": " + parsed.error;
        return;
    }
    // Whichever link the run talks over meets them.
    for (size_t i = 0; i < emulated_->MouseCount(); ++i) {
        for (const emulator::AnswerScript& script : parsed.scripts) {
            emulated_->Mouse(i).Script(emulator::MouseLink::kCable, script);
            emulated_->Mouse(i).Script(emulator::MouseLink::kReceiver, script);
        }
    }
}

DeviceSession::~DeviceSession() {
    emulated_.reset();
    if (tracing_) {
        SetHidTraceFile("");
    }
}

}  // namespace tessaly
