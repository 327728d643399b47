#include "ui/dialogs/mouse_palette_dlg.h"

#include <gtest/gtest.h>

#include <functional>

#include "numbered_language.h"
#include "ui/dialogs/colour_values.h"
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
    static Color Preview(const MDialog& d) { return H::FindAs<CArea>(d, 33)->GetColor(); }

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
        EXPECT_EQ(Field(d, 37), u"153");  // red 0x99
        EXPECT_EQ(Field(d, 38), u"102");
        EXPECT_EQ(Field(d, 39), u"51");
        EXPECT_EQ(Preview(d), BgrToArgb(0x336699));
        EXPECT_EQ(H::FindAs<MPalette>(d, 32)->GetSelectColor(), BgrToArgb(0x336699));
        EXPECT_EQ(H::Find(d, 31)->GetRect(), (Rect{280, 15, 310, 45}));
        EXPECT_EQ(H::Find(d, 48)->GetRect(), (Rect{210, 270, 310, 300}));
        EXPECT_EQ(H::Find(d, 47)->GetRect(), (Rect{275, 230, 301, 256}));
        EXPECT_EQ(H::FindAs<MEdit>(d, 39)->GetLimitText(), 3);
        EXPECT_EQ(H::FindAs<MText>(d, 36)->GetTitle(), u"B:");
        EXPECT_TRUE(H::Click(d, 48));
    });
    EXPECT_EQ(result, 0x336699u);
}

TEST_F(MousePaletteTest, CloseButtonCancelsWithZero) {
    EXPECT_EQ(Choose(0x336699,
                     [](MDialog& d) {
                         H::Click(d, 41);  // a preset first: still cancelled
                         EXPECT_TRUE(H::Click(d, 31));
                     }),
              0u);
    // Closed from outside (title bar, popups closing) is a cancel too.
    EXPECT_EQ(Choose(0x336699, [](MDialog& d) { Toolkit::Get().DeliverClose(d.GetSafeHwnd()); }),
              0u);
}

TEST_F(MousePaletteTest, PresetPaletteAndFieldsEachSetTheResult) {
    EXPECT_EQ(Choose(0x123456,
                     [](MDialog& d) {
                         EXPECT_TRUE(H::Click(d, 41));  // 0xFF0000, blue
                         EXPECT_EQ(Field(d, 39), u"255");
                         EXPECT_EQ(Field(d, 37), u"0");
                         EXPECT_EQ(H::FindAs<MPalette>(d, 32)->GetSelectColor(), 0xFF0000FFu);
                         EXPECT_TRUE(H::FindAs<CColorButton>(d, 41)->GetCheck());
                         H::Click(d, 48);
                     }),
              0xFF0000u);

    EXPECT_EQ(Choose(0x123456,
                     [](MDialog& d) {
                         // Moving over the field: ARGB 0xFF102030 is BGR 0x302010.
                         EXPECT_TRUE(H::Deliver(d, 32, 27, 0xFF102030));
                         EXPECT_EQ(Field(d, 37), u"16");
                         EXPECT_EQ(Preview(d), 0xFF102030u);
                         H::Click(d, 48);
                     }),
              0x302010u);

    EXPECT_EQ(Choose(0x000001,
                     [](MDialog& d) {
                         EXPECT_TRUE(H::Type(d, 37, u"300"));
                         H::Deliver(d, 37, 26);
                         EXPECT_EQ(Field(d, 37), u"255") << "limited and rewritten";
                         H::Type(d, 38, u"16");
                         H::Deliver(d, 38, 26);
                         H::Type(d, 39, u"");
                         H::Deliver(d, 39, 26);
                         EXPECT_EQ(H::FindAs<MPalette>(d, 32)->GetSelectColor(), 0xFFFF1000u);
                         H::Click(d, 48);
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
                         H::Click(d, 48);
                     }),
              0u);
}

}  // namespace
}  // namespace tessaly
