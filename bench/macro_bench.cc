// Macro collections: export and import of 1,000 macros of 50 events each,
// the size a heavy user's backup reaches. Beside each direction, the share
// of it that is the tables' alone (listing every macro's events) or the
// document's alone (loading the file and reading what the importer reads).

#include <cstdlib>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "base/unicode.h"
#include "macros/macro_event_list.h"
#include "macros/macro_files.h"
#include "platform/folders.h"
#include "storage/macro_table.h"
#include "storage/settings_database.h"
#include "xml/xml_text_document.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

constexpr int kMacros = 1000;
constexpr int kKeysPerMacro = 12;  // 4 items each, plus 2 delays: 50 events

class Fixture {
  public:
    Fixture() {
        std::string pattern = (fs::temp_directory_path() / "tessaly-macro-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        folder_ = pattern;
        SetUserDataFolderOverride(FromUtf8(folder_.string() + "/"));
        CreateFolderPath(UserDataFolder() + u"db");
        if (!SettingsDatabase::Instance().OpenForModel(UserDataFolder(), u"BENCH"))
            std::abort();
        for (int m = 0; m < kMacros; ++m) {
            const int id = AddMacro(u"Macro & \"more\"");
            MacroEventList list;
            for (int k = 0; k < kKeysPerMacro; ++k)
                list.InsertKeyEvents(list.size(), 65 + k, u"A", static_cast<uint32_t>(k * 3));
            list.InsertDelay(list.size(), 1);
            list.InsertDelay(list.size(), 2);
            SaveEventList(id, list.events());
        }
        file_ = FromUtf8((folder_ / "all.xml").string());
    }
    ~Fixture() {
        SettingsDatabase::Instance().Close();
        SetUserDataFolderOverride(u"");
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    const std::u16string& file() const { return file_; }

  private:
    fs::path folder_;
    std::u16string file_;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_ExportCollection(benchmark::State& state) {
    Fixture& fixture = Shared();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteMacroCollection(fixture.file()));
    state.SetItemsProcessed(state.iterations() * kMacros);
}
BENCHMARK(BM_ExportCollection)->Unit(benchmark::kMillisecond);

void BM_ImportCollection(benchmark::State& state) {
    Fixture& fixture = Shared();
    WriteMacroCollection(fixture.file());
    for (auto _ : state) {
        state.PauseTiming();
        // Keep the table at its starting size between runs.
        std::vector<MacroInfo> macros;
        ListMacros(macros);
        for (size_t i = kMacros; i < macros.size(); ++i)
            DeleteMacro(macros[i].macro_id);
        state.ResumeTiming();
        benchmark::DoNotOptimize(ReadMacroCollection(fixture.file()));
    }
    state.SetItemsProcessed(state.iterations() * kMacros);
}
BENCHMARK(BM_ImportCollection)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ListEventsOfEveryMacro(benchmark::State& state) {
    Shared();
    for (auto _ : state) {
        std::vector<MacroInfo> macros;
        ListMacros(macros);
        size_t events = 0;
        for (const MacroInfo& macro : macros) {
            std::vector<MacroEvent> list;
            events += static_cast<size_t>(ListMacroEvents(macro.macro_id, list));
        }
        benchmark::DoNotOptimize(events);
    }
    state.SetItemsProcessed(state.iterations() * kMacros);
}
BENCHMARK(BM_ListEventsOfEveryMacro)->Unit(benchmark::kMillisecond);

void BM_ReadCollectionDocument(benchmark::State& state) {
    Fixture& fixture = Shared();
    WriteMacroCollection(fixture.file());
    constexpr const char16_t* kMacroAttributes[] = {u"macro_name", u"macro_type", u"play_times",
                                                    u"delay_type", u"delay_time"};
    constexpr const char16_t* kEventAttributes[] = {u"type", u"index", u"value", u"timestamp",
                                                    u"desc"};
    for (auto _ : state) {
        XmlTextDocument doc;
        size_t units = 0;
        if (!doc.LoadFile(fixture.file()) || !doc.FindElement(u"macro") || !doc.EnterElement())
            std::abort();
        while (doc.FindElement(u"macro_item")) {
            for (const char16_t* name : kMacroAttributes)
                units += doc.GetAttribute(name).size();
            doc.EnterElement();
            if (doc.FindElement(u"record_item") && doc.EnterElement()) {
                while (doc.FindElement(u"item")) {
                    for (const char16_t* name : kEventAttributes)
                        units += doc.GetAttribute(name).size();
                }
                doc.LeaveElement();
            }
            doc.LeaveElement();
        }
        benchmark::DoNotOptimize(units);
    }
    state.SetItemsProcessed(state.iterations() * kMacros);
}
BENCHMARK(BM_ReadCollectionDocument)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessaly

BENCHMARK_MAIN();
