#include "profiles/profile_operations.h"

#include <gmock/gmock.h>

#include "profiles/profile_rename.h"
#include "profiles_fixture.h"
#include "ui/localisation/text_ids.h"

namespace tessaly::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ProfileOperationsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(store.opened); }
    static std::u16string Name(int profile) {
        std::u16string name;
        GetProfileName(profile, name);
        return name;
    }

    NumberedLanguage language;
    ProfileStore store;
    FakeProfilesHost host;
};

TEST_F(ProfileOperationsTest, SwitchingMakesTheProfileCurrentAndSendsEverything) {
    EXPECT_TRUE(SwitchProfile(host, 3).ok());
    EXPECT_EQ(host.profile, 3);
    EXPECT_EQ(GetActiveProfile(), 3);
    EXPECT_EQ(host.names_shown, 1);
    EXPECT_THAT(host.tasks, ElementsAre(5));

    for (int missing : {0, 5, -1}) {
        EXPECT_EQ(SwitchProfile(host, missing).refusal, ProfileRefusal::kNoProfile) << missing;
    }
    EXPECT_EQ(host.profile, 3);
    EXPECT_EQ(GetActiveProfile(), 3);
    EXPECT_THAT(host.tasks, ElementsAre(5));
}

TEST_F(ProfileOperationsTest, RenamingStoresOnlyANameThatCanBeKept) {
    EXPECT_TRUE(RenameStoredProfile(2, u"Games").ok());
    EXPECT_EQ(Name(2), u"Games");
    struct Refusal {
        std::u16string name;
        ProfileRefusal refusal;
        int text;
    };
    const Refusal refused[] = {
        {u"", ProfileRefusal::kEmptyName, text::kProfileNameEmpty},
        {u" \t ", ProfileRefusal::kEmptyName, text::kProfileNameEmpty},
        {std::u16string(kMaxProfileNameLength + 1, u'x'), ProfileRefusal::kTooLong,
         text::kProfileNameTooLong},
    };
    for (const Refusal& r : refused) {
        const ProfileChange change = RenameStoredProfile(2, r.name);
        EXPECT_EQ(change.refusal, r.refusal) << r.name.size();
        EXPECT_EQ(change.refusal_text, r.text) << r.name.size();
        EXPECT_EQ(Name(2), u"Games");
    }
    const std::u16string longest(kMaxProfileNameLength, u'x');
    EXPECT_TRUE(RenameStoredProfile(2, longest).ok());
    EXPECT_EQ(Name(2), longest);
    EXPECT_EQ(RenameStoredProfile(7, u"Nobody").refusal, ProfileRefusal::kNoProfile);
    // A rename alone neither switches nor sends.
    EXPECT_EQ(GetActiveProfile(), 1);
    EXPECT_THAT(host.tasks, IsEmpty());
}

TEST_F(ProfileOperationsTest, AnExportImportsBackIntoTheCurrentProfileUnderTheFilesName) {
    FillProfile(1);
    const std::u16string file = store.Path("Work.xml");
    ASSERT_TRUE(ExportProfileTo(host, file, 1).ok());
    // The name inside is the one the window shows, the file's name wins.
    EXPECT_NE(
        store.Read(file).find("<profileinfo name=\"" + ToUtf8(NumberedLanguage::T(61)) + "  1\""),
        std::string::npos);
    EXPECT_THAT(host.tasks, IsEmpty());

    host.profile = 2;
    const ProfileImportChange imported = ImportProfileFrom(host, file);
    ASSERT_TRUE(imported.change.ok());
    EXPECT_TRUE(imported.values.stored);
    EXPECT_EQ(imported.values.refused, 0);
    EXPECT_EQ(Name(2), u"Work");
    EXPECT_EQ(Keys(2).size(), Keys(1).size());
    EXPECT_EQ(Stored(2, u"dpi_group5_value"), u"9000");
    EXPECT_EQ(host.names_shown, 1);
    EXPECT_THAT(host.tasks, ElementsAre(5));
}

TEST_F(ProfileOperationsTest, AnExportThatCannotBeWrittenIsReported) {
    EXPECT_EQ(ExportProfileTo(host, store.Path("no folder/Saved.xml"), 1).refusal,
              ProfileRefusal::kNotWritten);
    EXPECT_EQ(ExportProfileTo(host, store.Path(""), 1).refusal, ProfileRefusal::kNotWritten);
}

TEST_F(ProfileOperationsTest, AFileThatCannotBeTakenChangesNothing) {
    SaveKeyAssignment(Key(2, 3, 1, 9, u"mine"));
    host.profile = 2;
    const std::u16string broken = store.Path("Broken.xml");
    store.Write(broken, "<profile><profileinfo name=\"x\">");
    const ProfileImportChange unreadable = ImportProfileFrom(host, broken);
    EXPECT_EQ(unreadable.change.refusal, ProfileRefusal::kNotLoaded);
    EXPECT_EQ(unreadable.change.refusal_text, 0);

    const std::u16string hostile = store.Path("Hostile.xml");
    store.Write(hostile,
                "<profile><profileinfo><Mouse_DPI dpi_index=\"-5\" dpi_count=\"99\"/>"
                "<Mouse><report_rate value=\"77\"/></Mouse></profileinfo></profile>");
    const ProfileImportChange refused = ImportProfileFrom(host, hostile);
    EXPECT_EQ(refused.change.refusal, ProfileRefusal::kNothingTaken);
    EXPECT_EQ(refused.change.refusal_text, text::kProfileFileUnusable);
    EXPECT_EQ(refused.values.refused, 3);

    EXPECT_EQ(Name(2), u"Profile 2");
    EXPECT_EQ(Keys(2).size(), 1u);
    EXPECT_THAT(host.tasks, IsEmpty());
    EXPECT_EQ(host.names_shown, 0);
    // The caller words the refusal; the operation shows nothing.
    EXPECT_THAT(host.boxes, IsEmpty());
}

}  // namespace
}  // namespace tessaly::test
