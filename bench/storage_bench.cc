// Settings writes happen on every slider move and a macro recording is stored in
// one go; both are measured against the same work written straight on SQLite.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include "base/unicode.h"
#include "platform/folders.h"
#include "storage/config_store.h"
#include "storage/macro_table.h"
#include "storage/profile_table.h"
#include "storage/settings_database.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

constexpr int kMacroEvents = 10000;

// A data folder with one model's database and one profile, for the whole run.
class Fixture {
  public:
    Fixture() {
        std::string pattern = (fs::temp_directory_path() / "tessaly-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        folder_ = pattern;
        SetUserDataFolderOverride(FromUtf8(folder_.string() + "/"));
        CreateFolderPath(UserDataFolder() + u"db");
        ProfileInfo profile;
        profile.name = u"bench";
        // The hand-written loops get a file of their own, made the same way.
        auto& database = SettingsDatabase::Instance();
        if (!database.OpenForModel(UserDataFolder(), u"HAND"))
            std::abort();
        hand_profile_ = AddProfile(profile);
        hand_macro_ = AddMacro(u"bench");
        hand_database_ = database.Path();
        if (!database.OpenForModel(UserDataFolder(), u"BENCH"))
            std::abort();
        profile_ = AddProfile(profile);
        macro_ = AddMacro(u"bench");
    }
    ~Fixture() {
        SettingsDatabase::Instance().Close();
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    int profile() const { return profile_; }
    int macro() const { return macro_; }
    int hand_profile() const { return hand_profile_; }
    int hand_macro() const { return hand_macro_; }
    const std::string& hand_database() const { return hand_database_; }

  private:
    fs::path folder_;
    int profile_ = 0;
    int macro_ = 0;
    int hand_profile_ = 0;
    int hand_macro_ = 0;
    std::string hand_database_;
};

Fixture& TheFixture() {
    static Fixture fixture;
    return fixture;
}

// A connection opened like the system's own.
sqlite3* OpenRaw(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK)
        std::abort();
    sqlite3_exec(db, "PRAGMA synchronous = OFF; ", nullptr, nullptr, nullptr);
    return db;
}

void BM_SetConfigValue(benchmark::State& state) {
    const int profile = TheFixture().profile();
    const std::u16string values[] = {u"1", u"2"};
    int n = 0;
    for (auto _ : state) {
        if (!SetConfigValue(profile, u"dpi_index", values[n++ & 1]))
            state.SkipWithError("SetConfigValue failed");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetConfigValue)->MinTime(1.0)->UseRealTime();

void BM_HandWrittenUpdate(benchmark::State& state) {
    const int profile = TheFixture().hand_profile();
    sqlite3* db = OpenRaw(TheFixture().hand_database());
    const char* values[] = {"1", "2"};
    const char* sql = "UPDATE t_configdata SET value = ? WHERE profile = ? and key = ?";
    int n = 0;
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
        sqlite3_bind_text(statement, 1, values[n++ & 1], -1, SQLITE_STATIC);
        sqlite3_bind_int(statement, 2, profile);
        sqlite3_bind_text(statement, 3, "dpi_index", -1, SQLITE_STATIC);
        if (sqlite3_step(statement) != SQLITE_DONE)
            state.SkipWithError("update failed");
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_HandWrittenUpdate)->MinTime(1.0)->UseRealTime();

std::vector<MacroEvent> Recording(int macro_id) {
    // Copies of one event: GCC 12 at -O3 takes a text assigned in the loop
    // for an overlapping copy (a false -Wrestrict).
    MacroEvent key;
    key.macro_id = macro_id;
    key.delay_time = 15;
    key.desc = u"A";
    std::vector<MacroEvent> events(kMacroEvents, key);
    for (int i = 0; i < kMacroEvents; ++i) {
        events[i].type = i % 2;
        events[i].record_index = i;
        events[i].value = 4 + i % 26;
    }
    return events;
}

void BM_InsertMacroEvents(benchmark::State& state) {
    const int macro = TheFixture().macro();
    const std::vector<MacroEvent> events = Recording(macro);
    for (auto _ : state) {
        state.PauseTiming();
        DeleteMacroEvents(macro);
        state.ResumeTiming();
        InsertMacroEvents(events);
    }
    std::vector<MacroEvent> stored;
    if (ListMacroEvents(macro, stored) != kMacroEvents)
        state.SkipWithError("events missing");
    state.SetItemsProcessed(state.iterations() * kMacroEvents);
}
BENCHMARK(BM_InsertMacroEvents)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();

// For reference: the bracketed insert with the statement prepared anew per event.
void BM_HandWrittenInsertPreparedPerEvent(benchmark::State& state) {
    const int macro = TheFixture().hand_macro();
    sqlite3* db = OpenRaw(TheFixture().hand_database());
    const char* sql =
        "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) "
        "VALUES (?, ?, ?, ?, ?, ?);";
    for (auto _ : state) {
        state.PauseTiming();
        sqlite3_exec(db, "DELETE FROM t_macrorecord", nullptr, nullptr, nullptr);
        state.ResumeTiming();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        for (int i = 0; i < kMacroEvents; ++i) {
            const std::string desc = "A";
            sqlite3_stmt* statement = nullptr;
            sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
            sqlite3_bind_int(statement, 1, macro);
            sqlite3_bind_int(statement, 2, i % 2);
            sqlite3_bind_int(statement, 3, i);
            sqlite3_bind_text(statement, 4, desc.c_str(), -1, SQLITE_STATIC);
            sqlite3_bind_int(statement, 5, 4 + i % 26);
            sqlite3_bind_int(statement, 6, 15);
            sqlite3_step(statement);
            sqlite3_finalize(statement);
        }
        sqlite3_exec(db, "END", nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * kMacroEvents);
}
BENCHMARK(BM_HandWrittenInsertPreparedPerEvent)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->UseRealTime();

}  // namespace
}  // namespace tessaly

// The machine is shared: repetitions in random order keep a burst of other work
// from landing on one side of a comparison. Flags given on the command line win.
int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    std::string repetitions = "--benchmark_repetitions=5";
    std::string aggregates = "--benchmark_report_aggregates_only=true";
    args.insert(args.begin() + 1, {interleave.data(), repetitions.data(), aggregates.data()});
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
