#pragma once
// What the settings database holds, read from the file with a connection of
// the test's own (plain SQL, not the program's tables code).

#include <map>
#include <string>
#include <vector>

#include "stateful/user_model.h"

namespace tessaly::stateful {

struct StoredProfile {
    std::u16string name;
    int status = 0;
    std::map<std::u16string, std::u16string> config;  // key → stored text
    std::map<int, Assignment> buttons;                // layer 0, by key code
    std::vector<std::string> lights;                  // every column, one text per row
    Lighting lighting;                                // the same rows as the page edits them
};

struct StoreSnapshot {
    bool opened = false;
    std::string integrity;  // "ok" when the file is sound
    std::map<int, StoredProfile> profiles;
    std::vector<Macro> macros;  // in id order

    int ConfigNumber(int profile, std::u16string_view key) const;
    bool HasConfig(int profile, std::u16string_view key) const;
    int ActiveProfile() const;  // 0 when none is marked
};

StoreSnapshot ReadStore(const std::string& database_path);

}  // namespace tessaly::stateful
