// The button changes as the page and the command line both make them:
// refusals, the stored row, the table task and the wait dialog.

#include "buttons/button_operations.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

#include "app/language_state.h"
#include "base/unicode.h"
#include "buttons/assignment_model.h"
#include "buttons/key_function_table.h"
#include "buttons/key_usage.h"
#include "platform/folders.h"
#include "storage/key_table.h"
#include "storage/storage_fixture.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {
namespace {

class RecordingHost : public ButtonHost {
  public:
    int CurrentProfile() const override { return 1; }
    void QueueTask(int32_t code) override { tasks.push_back(code); }
    void ShowSaveWait() override { ++waits; }
    int ShowMessageBox(std::u16string_view, std::u16string_view, uint32_t) override {
        ++boxes;
        return 0;
    }
    bool MacroFitsDevice(int macro_id) const override { return !too_long.contains(macro_id); }

    std::vector<int32_t> tasks;
    int waits = 0;
    int boxes = 0;
    std::set<int> too_long;
};

constexpr int kButton = 3;
constexpr int kVirtualKeyA = 0x41;

class ButtonOperationsTest : public test::StorageTest {
  protected:
    // Shown texts come from the shipped English file of the build tree.
    void SetUp() override {
        StorageTest::SetUp();
        SetProgramFolderOverride(FromUtf8(std::string(TESSALY_BINARY_DIR) + "/"));
        SetCurrentLcid(1033);
        ReloadLanguageFiles();
        TakePendingMacroKey();
    }
    void TearDown() override {
        SetProgramFolderOverride(u"");
        ReloadLanguageFiles();
        StorageTest::TearDown();
    }
    std::vector<KeyAssignment> Rows() const {
        std::vector<KeyAssignment> rows;
        ListKeyAssignments(1, rows);
        return rows;
    }
    void ExpectNothingDone() const {
        EXPECT_TRUE(Rows().empty());
        EXPECT_TRUE(host_.tasks.empty());
        EXPECT_EQ(host_.waits, 0);
        // The caller shows the refusal; the change asks nothing itself.
        EXPECT_EQ(host_.boxes, 0);
    }
    void ExpectRowSent(int category, int value, int value2) const {
        const std::vector<KeyAssignment> rows = Rows();
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].key_code, kButton);
        EXPECT_EQ(rows[0].macro_type, category);
        EXPECT_EQ(rows[0].macro_value, value);
        EXPECT_EQ(rows[0].macro_value2, value2);
        EXPECT_EQ(host_.tasks, std::vector<int32_t>{kTaskWriteButtonTable});
        EXPECT_EQ(host_.waits, 1);
    }

    RecordingHost host_;
};

TEST_F(ButtonOperationsTest, TheLockedButtonRefusesEveryFunction) {
    KeyCombination ctrl_a;
    ctrl_a.ctrl = true;
    ctrl_a.virtual_key = kVirtualKeyA;
    const ButtonChange changes[] = {
        AssignFunction(host_, kLockedKeyCode, kCategoryMouse, 3, u"Right button"),
        AssignFunction(host_, kLockedKeyCode, kCategoryMacro, 1, u"Macro"),
        AssignCombination(host_, kLockedKeyCode, ctrl_a),
        AssignRepeat(host_, kLockedKeyCode, 10, 10),
        DisableButton(host_, kLockedKeyCode),
    };
    for (const ButtonChange& change : changes) {
        EXPECT_FALSE(change.ok);
        EXPECT_EQ(change.refusal, text::kPrimaryButtonLocked);
    }
    ExpectNothingDone();
    EXPECT_EQ(TakePendingMacroKey(), -1);
}

// Every kind of function: the row as stored, then one table write with the
// wait, and the text the button list shows.
TEST_F(ButtonOperationsTest, EachFunctionIsStoredThenTheTableIsQueuedWithTheWait) {
    KeyCombination ctrl_a;
    ctrl_a.ctrl = true;
    ctrl_a.virtual_key = kVirtualKeyA;
    ctrl_a.key_name = u"A";
    struct Case {
        const char* kind;
        std::function<ButtonChange(ButtonHost&)> change;
        int category, value, value2;
        std::u16string shown;
    };
    const Case cases[] = {
        {"media",
         [](ButtonHost& host) {
             return AssignFunction(host, kButton, kCategoryMultimedia, 6, u"Volume up");
         },
         kCategoryMultimedia, 6, 0, u"Volume up"},
        {"disable", [](ButtonHost& host) { return DisableButton(host, kButton); }, kCategoryDisable,
         1, 0, LoadLanguageString(text::kDisable)},
        {"repeat", [](ButtonHost& host) { return AssignRepeat(host, kButton, 20, 2); },
         kCategoryRepeat, 20, 2, LoadLanguageString(text::kRapidFire)},
        {"key", [&](ButtonHost& host) { return AssignCombination(host, kButton, ctrl_a); },
         kCategoryKeyboard, VirtualKeyToUsage(kVirtualKeyA), kModifierCtrl, u"Ctrl + A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        ResetAllKeys(1);
        host_.tasks.clear();
        host_.waits = 0;
        const ButtonChange change = c.change(host_);
        ASSERT_TRUE(change.ok);
        EXPECT_FALSE(change.limited);
        EXPECT_EQ(change.shown, c.shown);
        EXPECT_EQ(change.stored.macro_type, c.category);
        ExpectRowSent(c.category, c.value, c.value2);
        EXPECT_EQ(ShownFunction(1, kButton), c.shown);
    }
}

TEST_F(ButtonOperationsTest, AMacroTooLongIsRefusedAndAFittingOneIsSentBeforeTheTable) {
    host_.too_long = {7};
    const ButtonChange refused = AssignFunction(host_, kButton, kCategoryMacro, 7, u"Long");
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.refusal, text::kMacroTooLongForButton);
    ExpectNothingDone();
    EXPECT_EQ(TakePendingMacroKey(), -1);

    ASSERT_TRUE(AssignFunction(host_, kButton, kCategoryMacro, 8, u"Short").ok);
    ExpectRowSent(kCategoryMacro, 8, 0);
    EXPECT_EQ(TakePendingMacroKey(), kButton);
}

TEST_F(ButtonOperationsTest, RepeatNumbersAreHeldToTheirLimits) {
    struct Case {
        int first, second, kept_first, kept_second;
        bool limited;
    };
    const Case cases[] = {
        {5, 0, 5, 0, false},      {255, 255, 255, 255, false}, {4, 0, 5, 0, true},
        {256, 10, 255, 10, true}, {10, 999, 10, 255, true},    {0, -1, 5, 0, true},
    };
    for (const Case& c : cases) {
        const ButtonChange change = AssignRepeat(host_, kButton, c.first, c.second);
        ASSERT_TRUE(change.ok);
        EXPECT_EQ(change.limited, c.limited) << c.first << " " << c.second;
        KeyAssignment row;
        ASSERT_TRUE(GetKeyAssignment(1, kButton, row));
        EXPECT_EQ(row.macro_type, kCategoryRepeat);
        EXPECT_EQ(row.macro_value, c.kept_first) << c.first;
        EXPECT_EQ(row.macro_value2, c.kept_second) << c.second;
    }
}

TEST_F(ButtonOperationsTest, ACombinationStoresTheUsageAndModifierBits) {
    EXPECT_TRUE(AssignCombination(host_, kButton, KeyCombination{}).ok);
    ExpectNothingDone();

    KeyCombination combination;
    combination.ctrl = true;
    combination.shift = true;
    combination.virtual_key = kVirtualKeyA;
    combination.key_name = u"A";
    const ButtonChange change = AssignCombination(host_, kButton, combination);
    ASSERT_TRUE(change.ok);
    ExpectRowSent(kCategoryKeyboard, VirtualKeyToUsage(kVirtualKeyA),
                  kModifierCtrl | kModifierShift);
    EXPECT_NE(change.shown.find(u"A"), std::u16string::npos);

    // Modifiers alone are a combination too.
    KeyCombination alt;
    alt.alt = true;
    ASSERT_TRUE(AssignCombination(host_, kButton, alt).ok);
    KeyAssignment row;
    ASSERT_TRUE(GetKeyAssignment(1, kButton, row));
    EXPECT_EQ(row.macro_value, 0);
    EXPECT_EQ(row.macro_value2, kModifierAlt);
}

TEST_F(ButtonOperationsTest, ResetsRestoreTheFactoryFunctionAndSendTheTable) {
    ASSERT_TRUE(DisableButton(host_, kButton).ok);
    ASSERT_TRUE(DisableButton(host_, kButton + 1).ok);
    host_.tasks.clear();

    const ButtonChange reset = ResetButton(host_, kButton);
    EXPECT_TRUE(reset.ok);
    EXPECT_EQ(reset.stored.key_code, kButton);
    KeyAssignment row;
    EXPECT_FALSE(GetKeyAssignment(1, kButton, row) && row.macro_type == kCategoryDisable);
    EXPECT_TRUE(GetKeyAssignment(1, kButton + 1, row) && row.macro_type == kCategoryDisable);

    ResetAllButtons(host_);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(host_.tasks, (std::vector<int32_t>{kTaskWriteButtonTable, kTaskWriteButtonTable}));
}

// A row the locked button holds (from a file or an older store) can still go.
TEST_F(ButtonOperationsTest, TheLockedButtonCanBeResetToItsClick) {
    ASSERT_GT(SaveKeyAssignment(MakeAssignment(1, kLockedKeyCode, kCategoryMouse, 3, 0, u"x")), 0);
    const ButtonChange reset = ResetButton(host_, kLockedKeyCode);
    EXPECT_TRUE(reset.ok);
    KeyAssignment row;
    EXPECT_FALSE(GetKeyAssignment(1, kLockedKeyCode, row));
    EXPECT_EQ(reset.stored.key_code, kLockedKeyCode);
    EXPECT_EQ(host_.tasks, std::vector<int32_t>{kTaskWriteButtonTable});
}

}  // namespace
}  // namespace tessaly
