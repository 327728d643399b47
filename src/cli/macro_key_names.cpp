#include "cli/macro_key_names.h"

#include <cctype>

#include "base/unicode.h"
#include "platform/raw_keyboard_keys.h"

namespace tessaly::cli {
namespace {

// Linux key codes below this cover every key a US keyboard maps.
constexpr int kLinuxKeyLimit = 0x300;

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

std::optional<RawKeyEvent> KeyByName(std::string_view name) {
    // Each key as one press decodes, with Num Lock on: what the key dialog
    // would capture.
    for (int linux_code = 1; linux_code < kLinuxKeyLimit; ++linux_code) {
        const std::optional<LinuxKeyMapping> key = MapLinuxKey(linux_code, true);
        if (!key)
            continue;
        RawInputRecord record{RawInputType::kKeyboard, MakeKeyboardRecord(*key, true), {}};
        record.keys.Set(key->state_vkey, true);
        ModifierState modifiers;
        RawKeyEvent decoded = DecodeRawInput(record, modifiers);
        if (!decoded.name.empty() && SameName(ToUtf8(decoded.name), name))
            return decoded;
    }
    return std::nullopt;
}

}  // namespace tessaly::cli
