#include "profiles/profile_dialog.h"

#include <gmock/gmock.h>

#include "profiles/profile_file.h"
#include "profiles/profile_names.h"
#include "profiles/profile_rename.h"
#include "profiles/profile_transfer.h"
#include "profiles_fixture.h"
#include "ui/ids/main_window_ids.h"
#include "ui/ids/profile_dialog_ids.h"
#include "ui/localisation/text_ids.h"
#include "ui/main/controller_fixture.h"
#include "ui/pages/profile_dlg.h"
#include "ui/toolkit/dui.h"

namespace tessaly::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using H = DUI::HeadlessBackend;
using T = NumberedLanguage;

class ProfileDialogTest : public ui::test::ControllerFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(store.opened);
        Open();
        dlg->ShowDevicePages();
        InstallProfiles(ui::ProfilesContextOf(*dlg), host);
    }
    // Opens the dialog from the profile name control; `act` plays the user.
    void OpenDialog(std::function<void(DUI::MDialog&)> act) {
        session.backend().SetModalPolicy([act](DUI::MWindow& window) {
            act(static_cast<DUI::MDialog&>(window));
            return DUI::ModalAnswer::None();
        });
        ASSERT_TRUE(H::Click(*dlg, main_id::kProfile));
        session.ProcessPending();
    }
    static std::u16string ProfileName(int profile) {
        std::u16string name;
        GetProfileName(profile, name);
        return name;
    }

    T language;
    ProfileStore store;
    FakeProfilesHost host;
};

TEST(DisplayProfileNameTest, ProfileAndConfigurationPrefixesTakeTheLanguagesWord) {
    T language;
    EXPECT_EQ(DisplayProfileName(u"Profile 1"), T::T(61) + u"  1");
    EXPECT_EQ(DisplayProfileName(u"配置3"), T::T(61) + u" 3");
    EXPECT_EQ(DisplayProfileName(u"Work"), u"Work");
    EXPECT_EQ(DisplayProfileName(u"profile 2"), u"profile 2");
    EXPECT_EQ(DisplayProfileName(u"Profil"), u"Profil");
}

TEST_F(ProfileDialogTest, WithoutAMouseOnlyTheMessageBoxShows) {
    host.present = false;
    ASSERT_TRUE(H::Click(*dlg, main_id::kProfile));
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].message, T::T(57));
    EXPECT_EQ(host.boxes[0].title, T::T(576));
    EXPECT_EQ(host.boxes[0].buttons, 0u);
    EXPECT_THAT(session.backend().ModalRuns(), IsEmpty());
}

TEST_F(ProfileDialogTest, ListsTheProfilesAndSwitchesOnAClick) {
    host.profile = 2;
    dlg->Device().current_profile = 2;
    RenameProfile(3, u"Work");
    OpenDialog([](DUI::MDialog& d) {
        EXPECT_EQ(d.GetTitle(), u"ProfileDlg");
        auto* list = H::FindAs<DUI::DListBox>(d, profile_dialog_id::kList);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->GetItemCount(), 4);
        EXPECT_EQ(list->GetItemText(0), T::T(61) + u"  1");
        EXPECT_EQ(list->GetItemText(2), u"Work");
        EXPECT_EQ(list->GetCurData(), 2);
        EXPECT_TRUE(H::Deliver(d, profile_dialog_id::kList, DUI::kEventActivated, 3));
    });
    // The window keeps the number and queues task 5; the handler does the rest.
    EXPECT_EQ(dlg->Device().current_profile.load(), 4);
    EXPECT_EQ(GetActiveProfile(), 4);
    EXPECT_EQ(host.names_shown, 1);
    std::vector<int32_t> queued;  // after the start-up tasks
    while (std::optional<int32_t> code = tasks.TakeFront()) {
        queued.push_back(*code);
    }
    EXPECT_THAT(queued, ElementsAre(1, 23, 5));
    ASSERT_EQ(session.backend().ModalRuns().size(), 1u);
    EXPECT_EQ(session.backend().ModalRuns()[0].result, 1);
}

TEST_F(ProfileDialogTest, TheDialogSitsAboveTheNameControl) {
    const DUI::Rect name = dlg->GetControl(main_id::kProfile)->GetRect();
    OpenDialog([name](DUI::MDialog& d) {
        const DUI::Rect rect = d.GetWindowRect();
        EXPECT_EQ(rect.left, name.left);
        EXPECT_EQ(rect.right, name.right);
        EXPECT_EQ(rect.top, name.top - 210);
        EXPECT_EQ(rect.bottom, name.top - 5);
        EXPECT_EQ(d.GetStyle(), 0x96000000u);
        d.DoCancel();
    });
}

TEST_F(ProfileDialogTest, ARenameIsStoredAndSwitchedToBeforeAnExport) {
    session.backend().SetFileAnswer(store.Path("renamed.xml"));
    OpenDialog([](DUI::MDialog& d) {
        auto* list = H::FindAs<DUI::DListBox>(d, profile_dialog_id::kList);
        list->SelectItem(1);
        ASSERT_TRUE(H::Type(d, profile_dialog_id::kList, u"Games"));
        ASSERT_TRUE(H::Deliver(d, profile_dialog_id::kList, DUI::kEventKillFocus));
        EXPECT_TRUE(H::Click(d, profile_dialog_id::kExport));
    });
    EXPECT_EQ(ProfileName(2), u"Games");
    EXPECT_EQ(dlg->Device().current_profile.load(), 2);
    ASSERT_EQ(session.backend().FileRequests().size(), 1u);
    EXPECT_TRUE(session.backend().FileRequests()[0].save);
    EXPECT_EQ(session.backend().FileRequests()[0].filter_description, u"Profile (*.xml)");
    EXPECT_NE(store.Read(store.Path("renamed.xml")).find("<profileinfo"), std::string::npos);
}

TEST_F(ProfileDialogTest, AnEmptyOrTooLongNameIsRefusedWithItsTextAndTheOldNameShown) {
    const std::u16string too_long(kMaxProfileNameLength + 1, u'x');
    std::vector<std::u16string> told;
    std::vector<std::u16string> shown;
    session.backend().SetModalPolicy([&](DUI::MWindow& window) {
        auto& d = static_cast<DUI::MDialog&>(window);
        if (window.GetTitle() != ui::ProfileDlg::kTitle) {
            auto* message = H::FindAs<DUI::MText>(d, 32);  // the box's message
            told.push_back(message != nullptr ? message->GetTitle() : window.GetTitle());
            return DUI::ModalAnswer::FirstButton();
        }
        auto* list = H::FindAs<DUI::DListBox>(d, 31);
        list->SelectItem(1);
        for (std::u16string_view name :
             {std::u16string_view(u"  "), std::u16string_view(too_long)}) {
            EXPECT_TRUE(H::Type(d, 31, name));
            EXPECT_TRUE(H::Deliver(d, 31, 29));
            shown.push_back(list->GetItemText(1));
        }
        EXPECT_TRUE(window.IsModal()) << "the refusal does not close the list";
        return DUI::ModalAnswer::Close();
    });
    ASSERT_TRUE(H::Click(*dlg, 45));
    session.ProcessPending();
    EXPECT_THAT(told, ElementsAre(u"T780", u"T781"));
    EXPECT_THAT(shown,
                ElementsAre(DisplayProfileName(u"Profile 2"), DisplayProfileName(u"Profile 2")));
    ASSERT_EQ(session.backend().ModalRuns().size(), 3u);
    EXPECT_EQ(dlg->Device().current_profile.load(), 1) << "nothing renamed, nothing switched";
}

TEST_F(ProfileDialogTest, LosingActivationAfterARenameSwitchesToIt) {
    OpenDialog([](DUI::MDialog& d) {
        H::FindAs<DUI::DListBox>(d, profile_dialog_id::kList)->SelectItem(2);
        ASSERT_TRUE(H::Type(d, profile_dialog_id::kList, u"Office"));
        ASSERT_TRUE(H::Deliver(d, profile_dialog_id::kList, DUI::kEventKillFocus));
        DUI::Toolkit::Get().DeliverActivate(d.GetSafeHwnd(), false);
    });
    EXPECT_EQ(ProfileName(3), u"Office");
    EXPECT_EQ(dlg->Device().current_profile.load(), 3);
    EXPECT_EQ(session.backend().ModalRuns()[0].result, 2);
}

TEST_F(ProfileDialogTest, ImportRenamesTheCurrentProfileAfterTheFile) {
    FillProfile(1);
    const std::u16string exported = store.Path("Work.xml");
    ASSERT_TRUE(WriteProfileFile(exported, 1, 1, u"Somebody else's name", {.lighting = true}));
    host.profile = 2;
    session.backend().SetFileAnswer(exported);
    OpenDialog([](DUI::MDialog& d) { EXPECT_TRUE(H::Click(d, profile_dialog_id::kImport)); });
    EXPECT_EQ(ProfileName(2), u"Work");
    EXPECT_EQ(Keys(2).size(), Keys(1).size());
    EXPECT_EQ(host.names_shown, 1);
    EXPECT_THAT(host.tasks, ElementsAre(5));
    ASSERT_EQ(session.backend().FileRequests().size(), 1u);
    EXPECT_FALSE(session.backend().FileRequests()[0].save);
    EXPECT_EQ(session.backend().FileRequests()[0].filter_description, u"MouseKey (*.xml)");
}

TEST_F(ProfileDialogTest, AFileWithNothingThisMouseTakesSaysSoAndChangesNothing) {
    const std::u16string file = store.Path("Hostile.xml");
    store.Write(file,
                "<profile><profileinfo><Mouse_DPI dpi_index=\"-5\" dpi_count=\"99\"/>"
                "<Mouse><report_rate value=\"77\"/></Mouse></profileinfo></profile>");
    host.profile = 2;
    session.backend().SetFileAnswer(file);
    const ProfileImport result = ImportProfile(*dlg, host);
    EXPECT_EQ(result.refused, 3);
    EXPECT_FALSE(result.stored);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].message, T::T(text::kProfileFileUnusable));

    // Some values refused, some taken: imported, with no message.
    store.Write(file,
                "<profile><profileinfo><Mouse><report_rate value=\"77\"/>"
                "<sleep_light value=\"60\"/></Mouse></profileinfo></profile>");
    const ProfileImport partial = ImportProfile(*dlg, host);
    EXPECT_TRUE(partial.stored);
    EXPECT_EQ(partial.refused, 1);
    EXPECT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(ProfileName(2), u"Hostile");
    EXPECT_EQ(Stored(2, u"sleep_light"), u"60");
    EXPECT_THAT(host.tasks, ElementsAre(5));
}

TEST_F(ProfileDialogTest, ACancelledFileDialogChangesNothing) {
    SaveKeyAssignment(Key(1, 2, 1, 4, u"k"));
    session.backend().SetFileAnswer(std::nullopt);
    EXPECT_FALSE(ImportProfile(*dlg, host).loaded);
    EXPECT_FALSE(ExportProfile(*dlg, host, 1));
    EXPECT_EQ(Keys(1).size(), 1u);
    EXPECT_EQ(ProfileName(1), u"Profile 1");
    EXPECT_THAT(host.tasks, IsEmpty());
}

}  // namespace
}  // namespace tessaly::test
