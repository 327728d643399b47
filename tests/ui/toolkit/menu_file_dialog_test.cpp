#include <gtest/gtest.h>

#include "recording_dialog.h"

namespace tessaly::DUI::test {
namespace {

class MenuTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(owner.Open({0, 0, 1300, 788}, u"Tessaly")); }
    HeadlessSession session;
    RecordingDialog owner;
};

TEST_F(MenuTest, ChoiceArrivesAsTheMenuMessage) {
    MenuWnd* menu =
        MenuWnd::Popup(owner, 1709, {102, 52}, 150, {{101, u"Import"}, {102, u"Export"}});
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(HeadlessBackend::OpenMenu(), menu);
    EXPECT_EQ(menu->GetWindowRect(), (Rect{102, 52, 252, 52 + 2 * MenuWnd::kItemHeight}));
    EXPECT_EQ(Toolkit::Get().FindWindow("MWindow", u"Menu Window"), menu->GetSafeHwnd());

    EXPECT_TRUE(HeadlessBackend::ChooseMenuItem(102));
    EXPECT_EQ(HeadlessBackend::OpenMenu(), nullptr);
    session.ProcessPending();
    EXPECT_EQ(owner.messages, (std::vector<WindowMessage>{{1709, 0, 102}}));
}

TEST_F(MenuTest, ClosingTheMenuChoosesNothing) {
    MenuWnd::Popup(owner, 1711, {0, 0}, 120, {{100, u"Top"}});
    WindowHandle menu = Toolkit::Get().FindWindow("MWindow", u"Menu Window");
    Toolkit::Get().PostMessage(menu, kWmClose, 0, 0);
    session.ProcessPending();
    EXPECT_EQ(HeadlessBackend::OpenMenu(), nullptr);
    EXPECT_TRUE(owner.messages.empty());
    EXPECT_FALSE(HeadlessBackend::ChooseMenuItem(100));
}

TEST_F(MenuTest, ANewMenuReplacesTheOpenOne) {
    MenuWnd::Popup(owner, 1709, {0, 0}, 150, {{101, u"Import"}});
    MenuWnd* insert = MenuWnd::Popup(owner, 1710, {0, 0}, 170, {{103, u"Delay"}});
    EXPECT_EQ(Toolkit::Get().OpenMenus(), (std::vector<MenuWnd*>{insert}));
    HeadlessBackend::ChooseMenuItem(999);  // not an item: closes only
    session.ProcessPending();
    EXPECT_TRUE(owner.messages.empty());
}

TEST_F(MenuTest, FileDialogAnswersAsTheCallerSet) {
    auto cancelled = ChooseXmlFile(FileDialogMode::kSave, u"Macro (*.xml)", u"*.xml", &owner);
    EXPECT_FALSE(cancelled.has_value());
    session.backend().SetFileAnswer(u"/tmp/Work.xml");
    auto chosen = ChooseXmlFile(FileDialogMode::kOpen, u"MouseKey (*.xml)", u"*.xml", &owner);
    EXPECT_EQ(chosen, std::optional<std::u16string>(u"/tmp/Work.xml"));
    auto requests = session.backend().FileRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_TRUE(requests[0].save);
    EXPECT_FALSE(requests[1].save);
    EXPECT_EQ(requests[1].filter_description, u"MouseKey (*.xml)");
    EXPECT_EQ(requests[1].owner, owner.GetSafeHwnd());
}

}  // namespace
}  // namespace tessaly::DUI::test
