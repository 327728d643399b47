#include "ui/dialogs/mouse_palette_dlg.h"

#include <gtest/gtest.h>

#include <functional>

#include "numbered_language.h"
#include "ui/dialogs/colour_values.h"
#include "ui/ids/popup_ids.h"
#include "ui/toolkit/control_events.h"
#include "ui/toolkit/dui.h"

namespace tessaly {
namespace {

using namespace DUI;
using H = HeadlessBackend;

class MousePaletteTest : public ::testing::Test {
  protected:
    // Runs the chooser; `act` plays the user inside the modal run.
    uint32_t Choose(uint32_t initial, std::function<void(MDialog&)> act) {
        session.backend().SetModalPolicy([act](MWindow& window) {
            act(static_cast<MDialog&>(window));
            return ModalAnswer::None();
        });
        return MousePaletteDlg::Choose(nullptr, initial);
    }
    static std::u16string Field(const MDialog& d, int id) {
        return H::FindAs<MEdit>(d, id)->GetTitle();
    }
    static Color Preview(const MDialog& d) {
        return H::FindAs<CArea>(d, palette_id::kPreview)->GetColor();
    }

    test::NumberedLanguage language;
    HeadlessSession session;
};

TEST(ColourValuesTest, ConvertsBetweenStoreAndToolkitOrder) {
    EXPECT_EQ(BgrToArgb(0x0000FF), 0xFFFF0000u);  // red
    EXPECT_EQ(BgrToArgb(0xFF0000), 0xFF0000FFu);  // blue
    EXPECT_EQ(ArgbToBgr(0xFF123456), 0x563412u);
    EXPECT_EQ(ArgbToBgr(BgrToArgb(0xD027FB)), 0xD027FBu);
    EXPECT_EQ(BgrFromComponents(1, 2, 3), 0x030201u);
}

TEST_F(MousePaletteTest, OpensShowingTheInitialColour) {
    uint32_t result = Choose(0x336699, [](MDialog& d) {
        EXPECT_EQ(d.GetTitle(), u"PaletteDlg");
        EXPECT_EQ(d.GetStyle(), 0x96000000u);
        EXPECT_EQ(d.GetWindowRect().Width(), 330);
        EXPECT_EQ(d.GetWindowRect().Height(), 320);
        EXPECT_EQ(Field(d, palette_id::kFirstField), u"153");  // red 0x99
        EXPECT_EQ(Field(d, palette_id::kFirstField + 1), u"102");
        EXPECT_EQ(Field(d, palette_id::kFirstField + 2), u"51");
        EXPECT_EQ(Preview(d), BgrToArgb(0x336699));
        EXPECT_EQ(H::FindAs<MPalette>(d, palette_id::kPalette)->GetSelectColor(),
                  BgrToArgb(0x336699));
        EXPECT_EQ(H::Find(d, palette_id::kClose)->GetRect(), (Rect{280, 15, 310, 45}));
        EXPECT_EQ(H::Find(d, palette_id::kOk)->GetRect(), (Rect{210, 270, 310, 300}));
        EXPECT_EQ(H::Find(d, palette_id::kFirstPreset + 7)->GetRect(), (Rect{275, 230, 301, 256}));
        EXPECT_EQ(H::FindAs<MEdit>(d, palette_id::kFirstField + 2)->GetLimitText(), 3);
        EXPECT_EQ(H::FindAs<MText>(d, palette_id::kFirstLabel + 2)->GetTitle(), u"B:");
        EXPECT_TRUE(H::Click(d, palette_id::kOk));
    });
    EXPECT_EQ(result, 0x336699u);
}

TEST_F(MousePaletteTest, CloseButtonCancelsWithZero) {
    EXPECT_EQ(Choose(0x336699,
                     [](MDialog& d) {
                         H::Click(d,
                                  palette_id::kFirstPreset + 1);  // a preset first: still cancelled
                         EXPECT_TRUE(H::Click(d, palette_id::kClose));
                     }),
              0u);
    // Closed from outside (title bar, popups closing) is a cancel too.
    EXPECT_EQ(Choose(0x336699, [](MDialog& d) { Toolkit::Get().DeliverClose(d.GetSafeHwnd()); }),
              0u);
}

TEST_F(MousePaletteTest, PresetPaletteAndFieldsEachSetTheResult) {
    EXPECT_EQ(Choose(0x123456,
                     [](MDialog& d) {
                         EXPECT_TRUE(H::Click(d, palette_id::kFirstPreset + 1));  // 0xFF0000, blue
                         EXPECT_EQ(Field(d, palette_id::kFirstField + 2), u"255");
                         EXPECT_EQ(Field(d, palette_id::kFirstField), u"0");
                         EXPECT_EQ(H::FindAs<MPalette>(d, palette_id::kPalette)->GetSelectColor(),
                                   0xFF0000FFu);
                         EXPECT_TRUE(
                             H::FindAs<CColorButton>(d, palette_id::kFirstPreset + 1)->GetCheck());
                         H::Click(d, palette_id::kOk);
                     }),
              0xFF0000u);

    EXPECT_EQ(
        Choose(0x123456,
               [](MDialog& d) {
                   // Moving over the field: ARGB 0xFF102030 is BGR 0x302010.
                   EXPECT_TRUE(H::Deliver(d, palette_id::kPalette, DUI::kEventDragged, 0xFF102030));
                   EXPECT_EQ(Field(d, palette_id::kFirstField), u"16");
                   EXPECT_EQ(Preview(d), 0xFF102030u);
                   H::Click(d, palette_id::kOk);
               }),
        0x302010u);

    EXPECT_EQ(Choose(0x000001,
                     [](MDialog& d) {
                         EXPECT_TRUE(H::Type(d, palette_id::kFirstField, u"300"));
                         H::Deliver(d, palette_id::kFirstField, DUI::kEventTextChanged);
                         EXPECT_EQ(Field(d, palette_id::kFirstField), u"255")
                             << "limited and rewritten";
                         H::Type(d, palette_id::kFirstField + 1, u"16");
                         H::Deliver(d, palette_id::kFirstField + 1, DUI::kEventTextChanged);
                         H::Type(d, palette_id::kFirstField + 2, u"");
                         H::Deliver(d, palette_id::kFirstField + 2, DUI::kEventTextChanged);
                         EXPECT_EQ(H::FindAs<MPalette>(d, palette_id::kPalette)->GetSelectColor(),
                                   0xFFFF1000u);
                         H::Click(d, palette_id::kOk);
                     }),
              0x0010FFu);
}

TEST_F(MousePaletteTest, ConfirmingBlackReadsAsCancelled) {
    EXPECT_EQ(Choose(0x0000FF,
                     [](MDialog& d) {
                         for (int id : {37, 38, 39}) {
                             H::Type(d, id, u"0");
                             H::Deliver(d, id, 26);
                         }
                         H::Click(d, palette_id::kOk);
                     }),
              0u);
}

}  // namespace
}  // namespace tessaly
