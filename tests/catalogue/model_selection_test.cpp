// Loading the catalogue into the main window and selecting models, on
// description files written by the tests.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "base/unicode.h"
#include "catalogue/catalogue_service.h"
#include "catalogue/device_catalogue.h"
#include "catalogue_window_fixture.h"
#include "platform/registry_store.h"
#include "ui/ids/main_window_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/toolkit/controls/device_list.h"
#include "ui/toolkit/image_size.h"

namespace tessaly::test {
namespace {

constexpr const char* kConfig = R"(<?xml version="1.0" encoding="UTF-8"?>
<config>
<device>
<mouse name="Alpha" device_type="11" device_attr="alpha" image="tx7w_list.png">
<mode value="0" vid="1a2b" pid="0x0101" dev_id="ALPH"/>
<mode value="1" vid="0x1a2b" pid="1a2g" dev_id="ALPH"/>
</mouse>
<mouse name="Beta" device_type="12" device_attr="beta" image="tx3_list.png">
<mode value="0" vid="1A2B" pid="0202" dev_id="BETA"/>
</mouse>
<mouse name="Gamma" device_type="13" device_attr="gamma" image="none.png"/>
</device>
<software caption="Tessaly" version="9.8.7">
<website url="https://w.example.invalid/"/>
<feedback url="https://f.example.invalid/"/>
<qa url="https://q.example.invalid/"/>
<store url="https://s.example.invalid/"/>
<upgrade url="https://u.example.invalid/"/>
<copyright info="(c) test"/>
</software>
</config>)";

// Alpha: every section. The picture is the shipped wireless one.
constexpr const char* kAlpha = R"(<mouse>
<image_file mouse_img="tx7w.png"/>
<menu light="1"/>
<custom show_dpitips="1" show_savetips="1" show_lod="1" show_sensor="1"/>
<firmware url="https://fw.example.invalid/alpha"/>
<mouse_key>
<key name="106" key_value="0" direction="0" rect="10#80#45" func_desc="106" func_type="1" func_value="1"/>
<key name="107" key_value="1" direction="1" rect="300#400#60" func_desc="107" func_type="1" func_value="3"/>
<key name="140" key_value="5" direction="1" rect="230#400#170" func_desc="142" func_type="5" func_value="3"/>
</mouse_key>
<mouse_info><light_info>
<light_1 enable="1"/><light_2 enable="0"/><light_3 enable="1"/>
<light_4 enable="1"/><light_5 enable="1"/><light_6 enable="0"/>
</light_info></mouse_info>
</mouse>)";

// Beta: no lighting, custom without show_lod, no light_info.
constexpr const char* kBeta = R"(<mouse>
<image_file mouse_img="tx3.png"/>
<menu light="0"/>
<custom show_dpitips="0" show_savetips="1" show_sensor="1"/>
<mouse_key>
<key name="108" key_value="2" direction="1" rect="1#2#3" func_desc="108" func_type="1" func_value="2"/>
</mouse_key>
</mouse>)";

class ModelSelectionTest : public CatalogueWindowTest {
  protected:
    ModelSelectionTest() {
        UseOwnProgramFolder();
        WriteProgramFile("config.xml", kConfig);
        WriteProgramFile("device/alpha.xml", kAlpha);
        WriteProgramFile("device/beta.xml", kBeta);
    }
    DUI::Size PictureSize(const std::string& name) {
        return DUI::ReadImageSize(program.u16(true) + u"skins/default/device/" + FromUtf8(name));
    }
    std::u16string English(int number) { return LoadLanguageString(number); }
};

TEST_F(ModelSelectionTest, CatalogueFillsTheDeviceListAndTheIdentities) {
    int cleared = 0;
    std::vector<DeviceDescription> handed;
    DeviceCatalogue::Instance().SetDiscoveryHooks(
        {[&] { ++cleared; }, [&](const DeviceDescription& d) { handed.push_back(d); }});
    Open();
    const auto rows = dlg->GetControlAs<DUI::CDeviceList>(main_id::kDeviceList)->Devices();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, u"Alpha");
    EXPECT_EQ(rows[0].type, 11);
    EXPECT_EQ(rows[0].image, program.u16(true) + u"skins/default/device/tx7w_list.png");
    EXPECT_EQ(rows[2].name, u"Gamma");  // no mode: listed all the same

    // Two modes of Alpha are one row and two identities.
    ASSERT_EQ(handed.size(), 3u);
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(handed[0].product_id, 0x0101);
    EXPECT_EQ(handed[1].vendor_id, 0x1A2B);
    EXPECT_EQ(handed[1].product_id, 0x1A2);
    EXPECT_EQ(handed[1].mode, 1);
    EXPECT_EQ(handed[2].device_type, 12);
    EXPECT_EQ(DeviceCatalogue::Instance().IdentitiesOf(11).size(), 2u);
    EXPECT_EQ(DeviceCatalogue::Instance().DiscoveryIdentities(), handed);

    // A second load rebuilds instead of adding.
    LoadCatalogue(ui::CatalogueContextOf(*dlg));
    EXPECT_EQ(dlg->GetControlAs<DUI::CDeviceList>(main_id::kDeviceList)->Devices().size(), 3u);
    EXPECT_EQ(DeviceCatalogue::Instance().Identities().size(), 3u);
    EXPECT_EQ(cleared, 2);

    // The window's close empties what discovery looks for.
    dlg->CloseWindow();
    EXPECT_TRUE(DeviceCatalogue::Instance().DiscoveryIdentities().empty());
    EXPECT_EQ(DeviceCatalogue::Instance().Models().size(), 3u);
}

TEST_F(ModelSelectionTest, SoftwareSectionGivesVersionLineAndAddresses) {
    Open();
    const std::u16string line = English(17) + u": v9.8.7";
    EXPECT_EQ(dlg->GetControlAs<DUI::MControlFont>(main_id::kVersion)->GetTitle(), line);
    ASSERT_NE(SettingsVersion(), nullptr);
    EXPECT_EQ(SettingsVersion()->GetTitle(), line);
    EXPECT_EQ(dlg->Update().software_version, u"9.8.7");
    EXPECT_EQ(dlg->Update().website_address, u"https://w.example.invalid/");
    EXPECT_EQ(dlg->Update().feedback_address, u"https://f.example.invalid/");
    EXPECT_EQ(dlg->Update().qa_address, u"https://q.example.invalid/");
    EXPECT_EQ(dlg->Update().upgrade_address, u"https://u.example.invalid/");
    const SoftwareLinks links = DeviceCatalogue::Instance().Links();
    EXPECT_EQ(links.store, u"https://s.example.invalid/");
    EXPECT_EQ(links.copyright, u"(c) test");
    EXPECT_FALSE(dlg->IsInputMethodEnabled());
}

TEST_F(ModelSelectionTest, MissingConfigGivesAnEmptyListAndStillSwitchesTheInputMethodOff) {
    std::filesystem::remove(program.path() / "config.xml");
    Open();
    EXPECT_TRUE(dlg->GetControlAs<DUI::CDeviceList>(main_id::kDeviceList)->Devices().empty());
    EXPECT_TRUE(DeviceCatalogue::Instance().Models().empty());
    EXPECT_TRUE(dlg->GetControlAs<DUI::MControlFont>(main_id::kVersion)->GetTitle().empty());
    EXPECT_FALSE(dlg->IsInputMethodEnabled());
}

TEST_F(ModelSelectionTest, SelectionAppliesTheDescriptionToTheWindow) {
    Open();
    Select(11);
    const SelectedModel model = DeviceCatalogue::Instance().Selected();
    EXPECT_EQ(model.name, u"Alpha");
    EXPECT_EQ(model.device_attribute, u"alpha");
    EXPECT_EQ(SettingsDatabase::Instance().Path(), DatabaseFile("alpha"));
    EXPECT_TRUE(SettingsDatabase::Instance().IsOpened());

    DUI::MControl* picture = Control(main_id::kMousePicture);
    EXPECT_EQ(picture->GetImage(), u"device\\tx7w.png");
    const DUI::Size size = PictureSize("tx7w.png");
    ASSERT_GT(size.width, 1);
    // Placed at y 120 by the selection, then at 135 by the re-layout.
    EXPECT_EQ(picture->GetRect(),
              (DUI::Rect{1300 - size.width - 150, 135, 1150, 135 + size.height}));

    EXPECT_TRUE(dlg->tab_ctrl->IsItemVisible(4));
    EXPECT_EQ(dlg->Update().firmware_address, u"https://fw.example.invalid/alpha");

    const auto markers = ButtonPicture()->Items();
    ASSERT_EQ(markers.size(), 3u);
    EXPECT_EQ(markers[0].name, English(106));
    EXPECT_EQ(markers[0].from, (DUI::Point{10, 45}));
    EXPECT_EQ(markers[0].to, (DUI::Point{80, 45}));
    EXPECT_EQ(markers[1].direction, 1);
    EXPECT_EQ(markers[2].key_value, 5);
    EXPECT_EQ(ButtonPicture()->GetCurSel(), 0);

    const auto rows = ButtonList()->Items();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2], (DUI::KeyRow{English(140), English(142), 5}));
    EXPECT_EQ(ButtonList()->GetCurSel(), 0);
    EXPECT_EQ(ButtonList()->GetRect().bottom - ButtonList()->GetRect().top,
              3 * DUI::MouseKeyCtrl::kRowHeight);

    ASSERT_EQ(model.default_assignments.size(), 3u);
    EXPECT_EQ(model.default_assignments[1].key_code, 1);
    EXPECT_EQ(model.default_assignments[1].macro_value, 3);
    EXPECT_EQ(model.default_assignments[1].layout_desc, u"107");

    // light_1 … light_5 are effects 1 … 5, light_6 is effect 0.
    EXPECT_FALSE(model.options.EffectEnabled(0));
    EXPECT_TRUE(model.options.EffectEnabled(1));
    EXPECT_FALSE(model.options.EffectEnabled(2));
    EXPECT_TRUE(model.options.EffectEnabled(5));
}

TEST_F(ModelSelectionTest, PictureStaysAtTheSelectionsPlaceWithoutARelayout) {
    WriteProgramFile("device/beta.xml", R"(<mouse><image_file mouse_img="tx3.png"/></mouse>)");
    Open(1400, 900);
    Select(12);
    const DUI::Size size = PictureSize("tx3.png");
    EXPECT_EQ(Control(main_id::kMousePicture)->GetRect(),
              (DUI::Rect{1400 - size.width - 150, 120, 1250, 120 + size.height}));
}

TEST_F(ModelSelectionTest, SelectionOffTheUiThreadLeavesTheRelayoutToIt) {
    Open();
    std::thread worker([&] { SelectDevice(ui::CatalogueContextOf(*dlg), 11); });
    worker.join();
    const DUI::Size size = PictureSize("tx7w.png");
    EXPECT_EQ(Control(main_id::kMousePicture)->GetRect().top, 120);
    EXPECT_EQ(ButtonList()->GetItemCount(), 3);
    DUI::Toolkit::Get().ProcessPending();
    EXPECT_EQ(Control(main_id::kMousePicture)->GetRect(),
              (DUI::Rect{1300 - size.width - 150, 135, 1150, 135 + size.height}));
}

TEST_F(ModelSelectionTest, PictureWithoutSizeLeavesTheControlWhereItWas) {
    WriteProgramFile("device/beta.xml", R"(<mouse><image_file mouse_img="missing.png"/></mouse>)");
    Open();
    const DUI::Rect before = Control(main_id::kMousePicture)->GetRect();
    Select(12);
    EXPECT_EQ(Control(main_id::kMousePicture)->GetImage(), u"device\\missing.png");
    EXPECT_EQ(Control(main_id::kMousePicture)->GetRect(), before);
}

TEST_F(ModelSelectionTest, AbsentElementsKeepThePreviousModelsValues) {
    Open();
    Select(11);
    Select(12);
    // custom without show_lod turns it off; the others follow the file.
    EXPECT_FALSE(dlg->tips.show_lift_off);
    EXPECT_FALSE(dlg->tips.show_dpi_tips);
    EXPECT_TRUE(dlg->tips.show_sensor);
    EXPECT_FALSE(dlg->tab_ctrl->IsItemVisible(4));
    // No firmware and no light_info in Beta: Alpha's stay.
    EXPECT_EQ(dlg->Update().firmware_address, u"https://fw.example.invalid/alpha");
    EXPECT_FALSE(DeviceCatalogue::Instance().Options().EffectEnabled(2));

    // No custom at all keeps the flags as Beta left them.
    WriteProgramFile("device/beta.xml", R"(<mouse><menu light="1"/></mouse>)");
    Select(12);
    EXPECT_FALSE(dlg->tips.show_lift_off);
    EXPECT_FALSE(dlg->tips.show_dpi_tips);
    EXPECT_TRUE(dlg->tab_ctrl->IsItemVisible(4));
    EXPECT_EQ(ButtonList()->GetItemCount(), 1);
}

TEST_F(ModelSelectionTest, ReselectingTheSameModelReloadsItsFile) {
    Open();
    Select(11);
    ButtonList()->AddItem(u"stray", u"stray", 9);
    WriteProgramFile("device/alpha.xml", R"(<mouse><mouse_key>
<key name="110" key_value="3" rect="5#6#7" func_desc="110" func_type="1" func_value="6"/>
</mouse_key></mouse>)");
    Select(11);
    ASSERT_EQ(ButtonList()->GetItemCount(), 1);
    EXPECT_EQ(ButtonList()->GetItemText(0), English(110));
    ASSERT_EQ(ButtonPicture()->GetItemCount(), 1);
    EXPECT_EQ(ButtonPicture()->GetItemKeyValue(0), 3);
    const auto defaults = DeviceCatalogue::Instance().DefaultAssignments();
    ASSERT_EQ(defaults.size(), 1u);
    EXPECT_EQ(defaults[0].key_code, 3);
}

// A type no model has opens no database (none is made for it) and looks
// for device/.xml.
TEST_F(ModelSelectionTest, UnmatchedTypeOpensNoDatabaseAndLooksForDotXml) {
    Open();
    Select(11);
    Select(99);
    EXPECT_FALSE(SettingsDatabase::Instance().IsOpened());
    EXPECT_FALSE(std::filesystem::exists(DatabaseFile("")));
    EXPECT_TRUE(DeviceCatalogue::Instance().Selected().device_attribute.empty());
    // No device/.xml: Alpha's options and buttons stay on screen.
    EXPECT_TRUE(dlg->tab_ctrl->IsItemVisible(4));
    EXPECT_EQ(ButtonList()->GetItemCount(), 3);
    EXPECT_EQ(DeviceCatalogue::Instance().DefaultAssignments().size(), 3u);

    // The file the unmatched type looks for is exactly device/.xml.
    WriteProgramFile("device/.xml", R"(<mouse><menu light="0"/></mouse>)");
    Select(98);
    EXPECT_FALSE(dlg->tab_ctrl->IsItemVisible(4));
}

TEST_F(ModelSelectionTest, MissingDescriptionStillSwitchesTheDatabase) {
    Open();
    Select(11);
    Select(13);  // Gamma has no description file
    EXPECT_EQ(SettingsDatabase::Instance().Path(), DatabaseFile("gamma"));
    EXPECT_EQ(DeviceCatalogue::Instance().Selected().name, u"Gamma");
    EXPECT_EQ(Control(main_id::kMousePicture)->GetImage(), u"device\\tx7w.png");
    EXPECT_EQ(ButtonList()->GetItemCount(), 3);
}

TEST_F(ModelSelectionTest, RememberedTypeSelectsItsModel) {
    Open();
    RememberDevice(12);
    SelectRememberedDevice(ui::CatalogueContextOf(*dlg));
    EXPECT_EQ(DeviceCatalogue::Instance().Selected().device_attribute, u"beta");
}

TEST_F(ModelSelectionTest, ConcurrencyReadersSeeWholeListsWhileTheCatalogueReloads) {
    Open();
    std::atomic<bool> done{false};
    std::thread reader([&] {
        while (!done.load()) {
            const size_t n = DeviceCatalogue::Instance().Identities().size();
            EXPECT_TRUE(n <= 3u);
            DeviceCatalogue::Instance().FindModel(12);
            DeviceCatalogue::Instance().Options();
        }
    });
    for (int i = 0; i < 20; ++i) {
        LoadCatalogue(ui::CatalogueContextOf(*dlg));
        SelectDevice(ui::CatalogueContextOf(*dlg), i % 2 == 0 ? 11 : 12);
    }
    done.store(true);
    reader.join();
    EXPECT_EQ(DeviceCatalogue::Instance().Identities().size(), 3u);
}

// "DeviceType" is written only into an existing program key.
class RememberDeviceTest : public ::testing::Test {
  protected:
    RememberDeviceTest() {
        store = std::make_shared<IniRegistryStore>((temp.path() / "reg.ini").string());
        SetRegistryStore(store);
    }
    ~RememberDeviceTest() override { SetRegistryStore(nullptr); }
    TempDir temp;
    std::shared_ptr<IniRegistryStore> store;
};

TEST_F(RememberDeviceTest, WrittenOnlyWhenTheProgramKeyExists) {
    RememberDevice(1007);
    EXPECT_EQ(store->OpenKey(ProgramKey()), KeyOpen::kMissing);
    EXPECT_EQ(ReadDeviceType(), 0);

    ASSERT_TRUE(store->CreateKey(ProgramKey()));
    RememberDevice(1007);
    EXPECT_EQ(store->ReadValue(ProgramKey(), kValueDeviceType), u"1007");
    EXPECT_EQ(ReadDeviceType(), 1007);
}

}  // namespace
}  // namespace tessaly::test
