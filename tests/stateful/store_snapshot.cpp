#include "stateful/store_snapshot.h"

#include <sqlite3.h>

#include <functional>

#include "base/unicode.h"

namespace tessaly::stateful {
namespace {

using Row = std::vector<std::string>;

void Query(sqlite3* db, const char* sql, const std::function<void(const Row&)>& each) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
        return;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        Row row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            const unsigned char* text = sqlite3_column_text(statement, i);
            row.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
        }
        each(row);
    }
    sqlite3_finalize(statement);
}

int Number(const std::string& text) {
    return text.empty() ? 0 : std::atoi(text.c_str());
}

}  // namespace

int StoreSnapshot::ConfigNumber(int profile, std::u16string_view key) const {
    auto p = profiles.find(profile);
    if (p == profiles.end())
        return 0;
    auto v = p->second.config.find(std::u16string(key));
    return v == p->second.config.end() ? 0 : std::atoi(ToUtf8(v->second).c_str());
}

bool StoreSnapshot::HasConfig(int profile, std::u16string_view key) const {
    auto p = profiles.find(profile);
    return p != profiles.end() && p->second.config.contains(std::u16string(key));
}

int StoreSnapshot::ActiveProfile() const {
    for (const auto& [id, profile] : profiles) {
        if (profile.status == 1)
            return id;
    }
    return 0;
}

StoreSnapshot ReadStore(const std::string& database_path) {
    StoreSnapshot snapshot;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(database_path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return snapshot;
    }
    snapshot.opened = true;
    // The worker may be storing what the mouse just reported.
    sqlite3_busy_timeout(db, 2000);
    Query(db, "PRAGMA integrity_check", [&](const Row& row) { snapshot.integrity += row[0]; });
    Query(db, "SELECT profile, name, status FROM t_profile_data", [&](const Row& row) {
        StoredProfile& profile = snapshot.profiles[Number(row[0])];
        profile.name = FromUtf8(row[1]);
        profile.status = Number(row[2]);
    });
    Query(db, "SELECT profile, key, value FROM t_configdata ORDER BY config_id",
          [&](const Row& row) {
              snapshot.profiles[Number(row[0])].config[FromUtf8(row[1])] = FromUtf8(row[2]);
          });
    Query(db,
          "SELECT profile, key_code, macro_type, macro_value, macro_value2, macro_desc "
          "FROM t_key_macro_data WHERE fn_layer = 0 ORDER BY key_id",
          [&](const Row& row) {
              snapshot.profiles[Number(row[0])].buttons[Number(row[1])] = {
                  Number(row[2]), Number(row[3]), Number(row[4]), FromUtf8(row[5])};
          });
    Query(db, "SELECT * FROM t_light_data ORDER BY light_id", [&](const Row& row) {
        std::string joined;
        for (const std::string& field : row)
            joined += field + "|";
        snapshot.profiles[Number(row[1])].lights.push_back(joined);
    });
    Query(db,
          "SELECT profile, mode, brightness, speed, color_value1, color_value2, color_value3, "
          "color_value4, color_value5, color_value6, color_value7, config_func, status "
          "FROM t_light_data",
          [&](const Row& row) {
              Lighting& lighting = snapshot.profiles[Number(row[0])].lighting;
              Light& light = lighting.effects[Number(row[1])];
              light.brightness = Number(row[2]);
              light.speed = Number(row[3]);
              for (size_t i = 0; i < light.colours.size(); ++i)
                  light.colours[i] = Number(row[4 + i]);
              light.groups = Number(row[11]);
              lighting.made = true;
              if (Number(row[12]) == 1)
                  lighting.active = Number(row[1]);
          });
    Query(db, "SELECT macro_id, name FROM t_macro_data ORDER BY macro_id", [&](const Row& row) {
        snapshot.macros.push_back({Number(row[0]), FromUtf8(row[1]), {}});
    });
    for (Macro& macro : snapshot.macros) {
        const std::string sql =
            "SELECT type, value FROM t_macrorecord WHERE macro_id = " + std::to_string(macro.id) +
            " ORDER BY record_index";
        Query(db, sql.c_str(), [&](const Row& row) {
            macro.events.push_back({Number(row[0]), Number(row[1])});
        });
    }
    sqlite3_close(db);
    return snapshot;
}

}  // namespace tessaly::stateful
