#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "base/decimal.h"
#include "storage/config_store.h"
#include "storage/key_table.h"
#include "storage/macro_table.h"
#include "storage/profile_table.h"
#include "storage_fixture.h"

namespace tessaly {
namespace {

using test::NamedProfile;

// The UI thread switches between two models while the worker thread keeps
// running table operations, as device tasks do.
class StorageConcurrency : public test::StorageTest {
  protected:
    static constexpr int kUiMacro = 1;
    static constexpr int kWorkerMacro = 2;

    void SetUp() override {
        test::StorageTest::SetUp();
        for (const char16_t* model : {u"M100", u"M200"}) {
            ASSERT_TRUE(Select(model));
            ASSERT_EQ(AddProfile(NamedProfile(model)), 1);
            ASSERT_EQ(AddMacro(u"ui"), kUiMacro);
            ASSERT_EQ(AddMacro(u"worker"), kWorkerMacro);
        }
    }

    static MacroEvent Event(int macro_id, int record_index) {
        MacroEvent event;
        event.macro_id = macro_id;
        event.record_index = record_index;
        event.desc = u"\u5de6\u952e";
        return event;
    }
};

TEST_F(StorageConcurrency, TableOperationsDuringModelSwitches) {
    constexpr int kSwitches = 60;
    constexpr int kWorkerBatch = 3;
    std::atomic<bool> switching{true};
    int worker_failures = 0;
    int worker_events = 0;

    std::thread worker([&] {
        for (int i = 0; switching.load(); ++i) {
            std::u16string value;
            if (!SetConfigValue(1, u"dpi_index", IntToDecimal(i % 6)))
                ++worker_failures;
            if (!GetConfigValue(1, u"dpi_index", value))
                ++worker_failures;
            KeyAssignment key;
            key.profile = 1;
            key.key_code = 1 + i % 4;
            key.macro_value = i + 1;
            if (SaveKeyAssignment(key) == 0)
                ++worker_failures;
            InsertMacroEvents(std::vector(kWorkerBatch, Event(kWorkerMacro, i)));
            worker_events += kWorkerBatch;
        }
    });

    int wrong_model = 0;
    for (int n = 0; n < kSwitches; ++n) {
        const bool first = n % 2 == 0;
        ASSERT_TRUE(Select(first ? u"M100" : u"M200"));
        std::u16string name;
        GetProfileName(1, name);
        if (name != (first ? u"M100" : u"M200"))
            ++wrong_model;
        // Record index tells which model the UI thread had selected.
        InsertMacroEvent(Event(kUiMacro, first ? 100 : 200));
    }
    switching = false;
    worker.join();

    EXPECT_EQ(wrong_model, 0);
    EXPECT_EQ(worker_failures, 0);
    int stored_worker_events = 0;
    for (const char16_t* model : {u"M100", u"M200"}) {
        ASSERT_TRUE(Select(model));
        std::vector<MacroEvent> events;
        EXPECT_EQ(ListMacroEvents(kUiMacro, events), kSwitches / 2);
        for (const MacroEvent& event : events)
            EXPECT_EQ(event.record_index, model == std::u16string_view(u"M100") ? 100 : 200);
        stored_worker_events += ListMacroEvents(kWorkerMacro, events);
        // Delete and insert of a save are one operation: one row per button.
        std::vector<KeyAssignment> keys;
        EXPECT_LE(ListKeyAssignments(1, keys), 4);
    }
    EXPECT_EQ(stored_worker_events, worker_events);
}

}  // namespace
}  // namespace tessaly
