#pragma once
// The per-user settings store ("the registry" in the rest of the program):
// keys are sections of an INI file, values are texts. Injectable, so tests can make a key
// unreadable.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

enum class KeyOpen { kOpened, kMissing, kFailed };

class RegistryStore {
  public:
    virtual ~RegistryStore() = default;
    // Whether the key exists and can be read and written.
    virtual KeyOpen OpenKey(std::u16string_view key) = 0;
    virtual bool CreateKey(std::u16string_view key) = 0;
    // Nothing when the key or the value is absent.
    virtual std::optional<std::u16string> ReadValue(std::u16string_view key,
                                                    std::u16string_view name) = 0;
    // Fails when the key does not exist.
    virtual bool WriteValue(std::u16string_view key, std::u16string_view name,
                            std::u16string_view text) = 0;
};

// The store used by the registry values; the INI store under
// $XDG_CONFIG_HOME/<application name>/ unless one was injected.
std::shared_ptr<RegistryStore> CurrentRegistryStore();
// Injects a store (tests); nullptr goes back to the default.
void SetRegistryStore(std::shared_ptr<RegistryStore> store);

// "$XDG_CONFIG_HOME" or "~/.config", without a trailing separator.
std::string ConfigHomeFolder();

}  // namespace tessaly
