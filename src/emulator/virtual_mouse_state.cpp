#include "emulator/virtual_mouse_state.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>

#include "device/hid_trace.h"

namespace tessaly::emulator {
namespace {

// Factory payloads by write command: report rate 1 ms; four stages of 800,
// 1600, 3200, 6400 (codes as sent, X and Y); red, green, blue, yellow,
// magenta, cyan; breathing at brightness 3, speed 2; lift-off 1; sleep 6 (one minute),
// wake and dim on, response 4.
const std::map<uint8_t, SettingBytes>& FactoryTable() {
    static const std::map<uint8_t, SettingBytes> table = {
        {0x02, {0x01}},
        {0x03, {0x04, 0x10, 0x00, 0x10, 0x00, 0x20, 0x00, 0x20, 0x00, 0x40, 0x00, 0x40, 0x00,
                0x80, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {0x04,
         {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF,
          0x00, 0xFF, 0xFF}},
        {0x05, {0x01, 0x32}},
        {0x06, {0x01, 0x00, 0x00, 0x00, 0x00}},
        {0x07, {0x06, 0x01, 0x01, 0x04}},
        {0x09, SettingBytes(27, 0)},
    };
    return table;
}

bool ParseHex(const std::string& text, std::vector<uint8_t>& bytes) {
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        if (word.size() != 2 || !std::isxdigit(static_cast<unsigned char>(word[0])) ||
            !std::isxdigit(static_cast<unsigned char>(word[1]))) {
            return false;
        }
        bytes.push_back(static_cast<uint8_t>(std::stoul(word, nullptr, 16)));
    }
    return true;
}

void ApplyLine(VirtualMouseState& state, const std::string& key,
               const std::vector<uint8_t>& bytes) {
    unsigned code = 0;
    if (key == "battery" && bytes.size() == 3) {
        state.battery_level = bytes[0] > 100 ? 100 : bytes[0];
        state.charging = bytes[1] != 0;
        state.mouse_on = bytes[2] != 0;
    } else if (std::sscanf(key.c_str(), "setting_%2x", &code) == 1 && bytes.size() <= 27) {
        state.settings[static_cast<uint8_t>(code)] = bytes;
    } else if (std::sscanf(key.c_str(), "macro_%2x", &code) == 1 && !bytes.empty() &&
               bytes[0] == code) {
        state.macros[static_cast<uint8_t>(code)] = bytes;
    }
}

std::string RefusalOf(const struct stat& info) {
    if (!S_ISREG(info.st_mode))
        return "is not a regular file";
    if (static_cast<uint64_t>(info.st_size) > kMaxStateFileBytes)
        return "is larger than " + std::to_string(kMaxStateFileBytes / 1024) + " KiB";
    return {};
}

// The whole file, or nothing when it is refused. Opened without blocking so
// that a FIFO swapped in after the check cannot hang the read.
std::optional<std::string> ReadStateFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<std::string> text;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && RefusalOf(info).empty()) {
        text.emplace();
        char buffer[4096];
        ssize_t got = 0;
        while (text->size() <= kMaxStateFileBytes &&
               (got = ::read(fd, buffer, sizeof buffer)) > 0) {
            text->append(buffer, static_cast<size_t>(got));
        }
        if (got < 0 || text->size() > kMaxStateFileBytes)
            text.reset();
    }
    ::close(fd);
    return text;
}

}  // namespace

std::string StateFileProblem(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    return RefusalOf(info);
}

std::map<uint8_t, SettingBytes> VirtualMouseState::FactorySettings() {
    return FactoryTable();
}

VirtualMouseState VirtualMouseState::Factory(std::map<uint8_t, SettingBytes> factory) {
    VirtualMouseState state;
    state.factory_settings = factory.empty() ? FactorySettings() : std::move(factory);
    state.settings = state.factory_settings;
    return state;
}

uint8_t VirtualMouseState::DpiStageByte() const {
    auto it = settings.find(0x03);
    return it != settings.end() && !it->second.empty() ? it->second[0] : 0;
}

void VirtualMouseState::SetDpiStageByte(uint8_t value) {
    auto& stages = settings[0x03];
    if (stages.empty())
        stages.resize(1);
    stages[0] = value;
}

bool SaveMouseState(const VirtualMouseState& state, const std::string& path) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        if (!out)
            return false;
        const uint8_t battery[] = {state.battery_level, static_cast<uint8_t>(state.charging),
                                   static_cast<uint8_t>(state.mouse_on)};
        out << "battery=" << HexBytes(battery) << '\n';
        char key[16];
        for (const auto& [code, bytes] : state.settings) {
            std::snprintf(key, sizeof key, "setting_%02X", code);
            out << key << '=' << HexBytes(bytes) << '\n';
        }
        for (const auto& [button, image] : state.macros) {
            std::snprintf(key, sizeof key, "macro_%02X", button);
            out << key << '=' << HexBytes(image) << '\n';
        }
        if (!out.flush())
            return false;
    }
    // Replaced whole, so a crash mid-write leaves the old file.
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

VirtualMouseState LoadMouseState(const std::string& path, std::map<uint8_t, SettingBytes> factory) {
    VirtualMouseState state = VirtualMouseState::Factory(std::move(factory));
    const std::optional<std::string> text = ReadStateFile(path);
    if (!text)
        return state;
    std::istringstream in(*text);
    for (std::string line; std::getline(in, line);) {
        const auto equals = line.find('=');
        std::vector<uint8_t> bytes;
        if (equals == std::string::npos || !ParseHex(line.substr(equals + 1), bytes))
            continue;
        ApplyLine(state, line.substr(0, equals), bytes);
    }
    return state;
}

}  // namespace tessaly::emulator
