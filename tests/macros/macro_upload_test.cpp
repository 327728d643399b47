#include "macros/macro_upload.h"

#include <gtest/gtest.h>

#include "buttons/assignment_model.h"
#include "macros/macro_event_list.h"
#include "macros/macro_event_texts.h"
#include "storage/key_table.h"
#include "storage/macro_table.h"
#include "storage/storage_fixture.h"

namespace tessaly::test {
namespace {

constexpr int kKeyA = 65;
constexpr int kButton = 5;

class MacroUploadTest : public StorageTest {
  protected:
    // Key events only, so each is one record. Only a file brings this many:
    // the editor stops at 200 items.
    static int MacroOfKeys(int count) {
        const int macro = AddMacro(u"Keys");
        MacroEventList list;
        for (int i = 0; i < count; ++i) {
            list.Append(i % 2 ? kEventKeyRelease : kEventKeyPress, kKeyA, u"A", i);
        }
        SaveEventList(macro, list.events());
        return macro;
    }
    static void Assign(int category, int value) {
        ASSERT_GT(SaveKeyAssignment(MakeAssignment(1, kButton, category, value, 0, u"x")), 0);
    }
};

TEST_F(MacroUploadTest, OneMacroCommandCarriesAtMost101Records) {
    EXPECT_TRUE(MacroFitsDevice(MacroOfKeys(0)));
    EXPECT_TRUE(MacroFitsDevice(MacroOfKeys(101)));
    EXPECT_FALSE(MacroFitsDevice(MacroOfKeys(102)));
}

// Without a mouse any packet sent fails, so true says nothing was sent.
TEST_F(MacroUploadTest, OnlyAnExistingMacroThatFitsIsSent) {
    EXPECT_TRUE(UploadPendingMacro(nullptr, 1, kButton)) << "no row";
    Assign(kCategoryDisable, 1);
    EXPECT_TRUE(UploadPendingMacro(nullptr, 1, kButton)) << "no macro assigned";
    Assign(kCategoryMacro, 999);
    EXPECT_TRUE(UploadPendingMacro(nullptr, 1, kButton)) << "a deleted macro";
    Assign(kCategoryMacro, MacroOfKeys(102));
    EXPECT_TRUE(UploadPendingMacro(nullptr, 1, kButton)) << "too long";

    Assign(kCategoryMacro, MacroOfKeys(101));
    EXPECT_FALSE(UploadPendingMacro(nullptr, 1, kButton)) << "sent, and not taken";
}

}  // namespace
}  // namespace tessaly::test
