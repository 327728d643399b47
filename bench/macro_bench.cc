// Macro collections: export and import of 1,000 macros of 50 events each,
// the size a heavy user's backup reaches. Beside each direction, the share
// of it that is the tables' alone (listing every macro's events) or the
// document's alone (loading the file and reading what the importer reads).
// At the end both directions run in turns and their medians and ratio are
// printed: the import should take at most twice the export.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

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

// Keeps the table at its starting size between imports.
void RemoveImported() {
    std::vector<MacroInfo> macros;
    ListMacros(macros);
    for (size_t i = kMacros; i < macros.size(); ++i)
        DeleteMacro(macros[i].macro_id);
}

constexpr int kDeviceId = 101;

void BM_ImportCollection(benchmark::State& state) {
    Fixture& fixture = Shared();
    WriteMacroCollection(fixture.file());
    for (auto _ : state) {
        state.PauseTiming();
        RemoveImported();
        state.ResumeTiming();
        benchmark::DoNotOptimize(ReadMacroCollection(fixture.file(), kDeviceId));
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

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Export and import in turns, so both see the same machine load.
void SideBySide() {
    using Clock = std::chrono::steady_clock;
    Fixture& fixture = Shared();
    constexpr int kRounds = 5;
    // Wall time, and the process's CPU time, which other load on the machine
    // disturbs less.
    std::vector<double> export_ms;
    std::vector<double> import_ms;
    std::vector<double> export_cpu_ms;
    std::vector<double> import_cpu_ms;
    const auto cpu_ms = [] { return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC; };
    for (int round = 0; round < kRounds; ++round) {
        RemoveImported();
        auto start = Clock::now();
        double cpu = cpu_ms();
        if (!WriteMacroCollection(fixture.file())) {
            std::fprintf(stderr, "macro_bench: the export failed\n");
            std::abort();
        }
        export_ms.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        export_cpu_ms.push_back(cpu_ms() - cpu);
        start = Clock::now();
        cpu = cpu_ms();
        const size_t imported = ReadMacroCollection(fixture.file(), kDeviceId).macros.size();
        if (imported != static_cast<size_t>(kMacros)) {
            std::fprintf(stderr, "macro_bench: %zu of %d macros imported\n", imported, kMacros);
            std::abort();
        }
        import_ms.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        import_cpu_ms.push_back(cpu_ms() - cpu);
    }
    const auto print = [](const char* what, double exported, double imported) {
        std::printf("  %s: export %.1f ms, import %.1f ms, import / export %.2f (goal <= 2)\n",
                    what, exported, imported, imported / exported);
    };
    std::printf("side by side, %d macros x 50 events, medians of %d rounds:\n", kMacros, kRounds);
    print("wall", Median(export_ms), Median(import_ms));
    print("CPU ", Median(export_cpu_ms), Median(import_cpu_ms));
}

}  // namespace
}  // namespace tessaly

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    tessaly::SideBySide();
    return 0;
}
