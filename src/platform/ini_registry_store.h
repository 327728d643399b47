#pragma once
// Registry keys kept as sections of one INI file. Every operation reads the
// file afresh (other processes of the same name share it) and every change is
// written to a temporary file that then replaces the old one, so a crash never
// leaves a half-written store. One process-wide lock covers each
// read-modify-write.

#include <string>

#include "platform/registry_store.h"

namespace tessaly {

class IniRegistryStore : public RegistryStore {
  public:
    explicit IniRegistryStore(std::string file_path);

    KeyOpen OpenKey(std::u16string_view key) override;
    bool CreateKey(std::u16string_view key) override;
    std::optional<std::u16string> ReadValue(std::u16string_view key,
                                            std::u16string_view name) override;
    bool WriteValue(std::u16string_view key, std::u16string_view name,
                    std::u16string_view text) override;

    const std::string& file_path() const { return file_path_; }

  private:
    std::string file_path_;
};

}  // namespace tessaly
