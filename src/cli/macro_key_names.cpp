#include "cli/macro_key_names.h"

#include <cctype>
#include <map>
#include <string>

#include "base/unicode.h"
#include "platform/raw_keyboard_keys.h"

namespace tessaly::cli {
namespace {

// Linux key codes below this cover every key a US keyboard maps.
constexpr int kLinuxKeyLimit = 0x300;

std::string Folded(std::string_view text) {
    std::string folded(text);
    for (char& c : folded)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

// Each key's capture by its folded name; the first Linux key with a name
// keeps it. Num Lock is on, as the key dialog usually sees the keypad.
std::map<std::string, RawKeyEvent> KeysByName() {
    std::map<std::string, RawKeyEvent> keys;
    for (int linux_code = 1; linux_code < kLinuxKeyLimit; ++linux_code) {
        const std::optional<LinuxKeyMapping> key = MapLinuxKey(linux_code, true);
        if (!key)
            continue;
        RawKeyEvent pressed = DecodeKeyPress(*key);
        if (!pressed.name.empty())
            keys.try_emplace(Folded(ToUtf8(pressed.name)), std::move(pressed));
    }
    return keys;
}

}  // namespace

std::optional<RawKeyEvent> KeyByName(std::string_view name) {
    static const std::map<std::string, RawKeyEvent> keys = KeysByName();
    const auto found = keys.find(Folded(name));
    if (found == keys.end())
        return std::nullopt;
    return found->second;
}

}  // namespace tessaly::cli
