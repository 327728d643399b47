// The deployment data in data/ read through the program's own readers: every
// shipped model selects cleanly in the main window, and the files are
// complete and agree with each other and with the language files.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "app/app_config.h"
#include "app/language_state.h"
#include "base/decimal.h"
#include "base/unicode.h"
#include "catalogue/catalogue_file.h"
#include "catalogue/description_file.h"
#include "catalogue_window_fixture.h"
#include "ui/ids/main_window_ids.h"
#include "ui/localisation/language_file.h"
#include "ui/toolkit/controls/device_list.h"
#include "ui/toolkit/image_size.h"
#include "xml/xml_text_document.h"

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;

const fs::path kShipped = TESSALY_BINARY_DIR;
constexpr int kVendorId = 0x1A2B;

std::u16string Path(const fs::path& path) {
    return FromUtf8(path.string());
}

CatalogueFile ShippedCatalogue() {
    return ReadCatalogueFile(Path(kShipped / "config.xml"),
                             Path(kShipped / "skins/default/device") + u"/");
}

DescriptionFile ShippedDescription(const DeviceDescription& model) {
    auto file =
        ReadDescriptionFile(Path(kShipped / "device" / (ToUtf8(model.device_attribute) + ".xml")));
    return file ? *file : DescriptionFile{};
}

std::vector<int> LanguageFileIds() {
    std::vector<int> ids;
    for (const auto& entry : fs::directory_iterator(kShipped / "language")) {
        if (entry.path().extension() == ".lan") {
            ids.push_back(DecimalToInt(entry.path().stem().string()));
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::u16string Text(int lcid, int number) {
    static std::map<int, LanguageFile> files;
    auto it = files.find(lcid);
    if (it == files.end()) {
        const fs::path path = kShipped / "language" / (std::to_string(lcid) + ".lan");
        it = files.emplace(lcid, LanguageFile::Read(Path(path))).first;
    }
    return it->second.Text(kLanguageSection, number);
}

// --- the files themselves -----------------------------------------------------

TEST(ShippedDataTest, ConfigOffersEveryLanguageFileAndNamesTheSoftware) {
    ReadAppConfig(Path(kShipped / "config.xml"));
    const std::vector<int> offered = LanguageSet();
    EXPECT_EQ(CurrentLcid(), 1033);
    EXPECT_EQ(offered.size(), 7u);
    const std::vector<int> files = LanguageFileIds();
    for (int lcid : offered) {
        EXPECT_TRUE(std::binary_search(files.begin(), files.end(), lcid)) << lcid;
    }

    const CatalogueFile file = ShippedCatalogue();
    ASSERT_TRUE(file.loaded);
    ASSERT_TRUE(file.software);
    const SoftwareLinks& s = *file.software;
    EXPECT_FALSE(s.version.empty());
    for (const std::u16string* address : {&s.website, &s.feedback, &s.qa, &s.store, &s.upgrade}) {
        // There is no real server: every address must fail fast.
        EXPECT_NE(address->find(u".example.invalid/"), std::u16string::npos) << ToUtf8(*address);
    }
    EXPECT_EQ(s.upgrade.back(), u'/');
    EXPECT_FALSE(s.copyright.empty());
}

TEST(ShippedDataTest, CatalogueHasAWirelessAndAWiredModelWithDistinctIdentities) {
    const CatalogueFile file = ShippedCatalogue();
    ASSERT_GE(file.models.size(), 2u);
    std::set<int> types;
    std::set<int> product_ids;
    bool wireless = false;
    for (const DeviceDescription& model : file.models) {
        EXPECT_TRUE(types.insert(model.device_type).second) << "type given twice";
        EXPECT_GT(model.device_type, 0);
        // 101 is what an interface with a short device id is given.
        EXPECT_NE(model.device_type, 101);
        EXPECT_FALSE(model.name.empty());
        EXPECT_FALSE(model.device_attribute.empty());
        std::set<int> modes;
        for (const DeviceDescription& identity : file.identities) {
            if (identity.device_type != model.device_type) {
                continue;
            }
            EXPECT_EQ(identity.vendor_id, kVendorId);
            EXPECT_TRUE(product_ids.insert(identity.product_id).second) << "product id given twice";
            EXPECT_EQ(identity.device_id.size(), 4u);
            EXPECT_TRUE(modes.insert(identity.mode).second);
        }
        EXPECT_FALSE(modes.empty()) << ToUtf8(model.name) << " can never be found";
        wireless = wireless || modes == std::set<int>{0, 1};
    }
    EXPECT_TRUE(wireless);
}

// The built-in slots of key codes 0–7 as (function type, value).
constexpr std::pair<int, int> kFactorySlots[] = {{1, 1}, {1, 3}, {1, 2}, {1, 6},
                                                 {1, 5}, {5, 3}, {6, 1}, {6, 1}};

TEST(ShippedDataTest, DescriptionFilesAreCompleteAndMatchTheLanguageFiles) {
    const std::vector<int> languages = LanguageFileIds();
    ASSERT_EQ(languages.size(), 7u);
    for (const DeviceDescription& model : ShippedCatalogue().models) {
        SCOPED_TRACE(ToUtf8(model.device_attribute));
        const DescriptionFile file = ShippedDescription(model);
        ASSERT_TRUE(file.mouse_img);
        ASSERT_TRUE(file.lighting_page);
        ASSERT_TRUE(file.custom);
        ASSERT_TRUE(file.firmware_address);
        EXPECT_NE(file.firmware_address->find(u".example.invalid/"), std::u16string::npos);
        for (const auto& light : file.lights) {
            EXPECT_TRUE(light);
        }
        ASSERT_TRUE(file.buttons);
        EXPECT_GE(file.buttons->size(), 8u);
        EXPECT_LE(file.buttons->size(), 9u);

        const DUI::Size picture =
            DUI::ReadImageSize(Path(kShipped / "skins/default/device" / ToUtf8(*file.mouse_img)));
        EXPECT_GT(picture.width, 1) << "mouse picture missing";
        EXPECT_GT(DUI::ReadImageSize(model.image).width, 1) << "list picture missing";

        std::set<int> codes;
        for (const ButtonDescription& button : *file.buttons) {
            SCOPED_TRACE(button.key_value);
            EXPECT_GE(button.key_value, 0);
            EXPECT_LE(button.key_value, 20);
            EXPECT_TRUE(codes.insert(button.key_value).second) << "key code given twice";
            for (int x : {button.x1, button.x2}) {
                EXPECT_TRUE(x >= 0 && x < picture.width);
            }
            EXPECT_TRUE(button.y >= 0 && button.y < picture.height);
            if (button.key_value < 8) {
                EXPECT_EQ(std::make_pair(button.func_type, button.func_value),
                          kFactorySlots[button.key_value]);
            }
            for (int lcid : languages) {
                EXPECT_FALSE(Text(lcid, button.name).empty())
                    << "text " << button.name << " in " << lcid;
                EXPECT_FALSE(Text(lcid, button.func_desc).empty())
                    << "text " << button.func_desc << " in " << lcid;
            }
        }
    }
}

// The factory values Part of the file is read by the performance settings;
// its contents are checked here through the document reader.
TEST(ShippedDataTest, FactoryValuesAreWithinTheirRanges) {
    const std::set<int> rates{1, 2, 4, 8, 16, 32, 64};
    const std::set<int> sleep{6, 12, 36, 60, 120, 180};
    for (const DeviceDescription& model : ShippedCatalogue().models) {
        SCOPED_TRACE(ToUtf8(model.device_attribute));
        XmlTextDocument doc;
        ASSERT_TRUE(
            doc.LoadFile(Path(kShipped / "device" / (ToUtf8(model.device_attribute) + ".xml"))));
        ASSERT_TRUE(doc.FindElement(u"mouse"));
        doc.EnterElement();
        for (const char16_t* section :
             {u"image_file", u"menu", u"custom", u"firmware", u"mouse_key", u"mouse_info"}) {
            ASSERT_TRUE(doc.FindElement(section)) << ToUtf8(section) << " missing or out of order";
        }
        doc.EnterElement();
        ASSERT_TRUE(doc.FindElement(u"light_info"));
        ASSERT_TRUE(doc.FindElement(u"dpi_info"));
        const int count = DecimalToInt(doc.GetAttribute(u"dpi_count"));
        EXPECT_EQ(count, 6);
        const int index = DecimalToInt(doc.GetAttribute(u"default_dpi"));
        EXPECT_TRUE(index >= 0 && index < count);
        doc.EnterElement();
        for (int stage = 1; stage <= 6; ++stage) {
            ASSERT_TRUE(doc.FindElement(u"dpi_" + IntToDecimal(stage)));
            // Every sensor takes 200 … 4800 DPI in steps of 100.
            const int dpi = DecimalToInt(doc.GetAttribute(u"value"));
            EXPECT_TRUE(dpi >= 200 && dpi <= 4800 && dpi % 100 == 0) << dpi;
            const std::u16string colour = doc.GetAttribute(u"color");
            ASSERT_EQ(colour.size(), 7u);
            EXPECT_EQ(colour[0], u'#');
            EXPECT_EQ(colour.find_first_not_of(u"0123456789ABCDEFabcdef", 1), std::u16string::npos)
                << ToUtf8(colour);
        }
        doc.LeaveElement();
        ASSERT_TRUE(doc.FindElement(u"report_rate"));
        EXPECT_TRUE(rates.count(DecimalToInt(doc.GetAttribute(u"default_value"))));
        ASSERT_TRUE(doc.FindElement(u"sleep_light"));
        EXPECT_TRUE(sleep.count(DecimalToInt(doc.GetAttribute(u"value"))));
        for (const char16_t* flag : {u"move_wakeup", u"move_closelight"}) {
            ASSERT_TRUE(doc.FindElement(flag));
            const std::u16string value = doc.GetAttribute(u"value");
            EXPECT_TRUE(value == u"0" || value == u"1");
        }
    }
}

// --- every shipped model in the main window -------------------------------------

class ShippedModelWindowTest : public CatalogueWindowTest {};

TEST_F(ShippedModelWindowTest, EachModelSelectsWithItsPictureTabsButtonsAndDatabase) {
    Open();
    const CatalogueFile catalogue = ShippedCatalogue();
    const auto rows = dlg->GetControlAs<DUI::CDeviceList>(main_id::kDeviceList)->Devices();
    ASSERT_EQ(rows.size(), catalogue.models.size());
    const std::u16string version_line = u"Software version: v" + catalogue.software->version;
    EXPECT_EQ(dlg->GetControlAs<DUI::MControlFont>(main_id::kVersion)->GetTitle(), version_line);
    EXPECT_EQ(SettingsVersion()->GetTitle(), version_line);

    for (size_t i = 0; i < catalogue.models.size(); ++i) {
        const DeviceDescription& model = catalogue.models[i];
        SCOPED_TRACE(ToUtf8(model.device_attribute));
        EXPECT_EQ(rows[i].name, model.name);
        EXPECT_EQ(rows[i].type, model.device_type);
        const DescriptionFile file = ShippedDescription(model);
        ASSERT_TRUE(file.buttons && file.mouse_img && file.lighting_page);

        for (int lcid : {1033, 2052}) {
            SCOPED_TRACE(lcid);
            SetCurrentLcid(lcid);
            Select(model.device_type);
            EXPECT_EQ(SettingsDatabase::Instance().Path(),
                      DatabaseFile(ToUtf8(model.device_attribute)));

            const DUI::Size size = Control(main_id::kMousePicture)->GetImageSize();
            ASSERT_GT(size.width, 1);
            EXPECT_EQ(Control(main_id::kMousePicture)->GetRect(),
                      (DUI::Rect{1300 - size.width - 150, 135, 1150, 135 + size.height}));
            EXPECT_EQ(dlg->tab_ctrl->IsItemVisible(4), *file.lighting_page);

            const auto list = ButtonList()->Items();
            const auto markers = ButtonPicture()->Items();
            ASSERT_EQ(list.size(), file.buttons->size());
            ASSERT_EQ(markers.size(), file.buttons->size());
            for (size_t k = 0; k < list.size(); ++k) {
                const ButtonDescription& button = (*file.buttons)[k];
                EXPECT_EQ(list[k].name, Text(lcid, button.name));
                EXPECT_EQ(list[k].key_desc, Text(lcid, button.func_desc));
                EXPECT_EQ(list[k].key_value, button.key_value);
                EXPECT_EQ(markers[k].name, Text(lcid, button.name));
                EXPECT_EQ(markers[k].from, (DUI::Point{button.x1, button.y}));
            }
        }
        // The two languages really differ, so the texts above were looked up.
        EXPECT_NE(Text(1033, (*file.buttons)[0].name), Text(2052, (*file.buttons)[0].name));
        SetCurrentLcid(1033);
    }
}

}  // namespace
}  // namespace tessaly::test
