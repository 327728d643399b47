#include "catalogue/catalogue_service.h"

#include <utility>

#include "app/app_config.h"
#include "app/registry_values.h"
#include "catalogue/catalogue_file.h"
#include "catalogue/description_file.h"
#include "catalogue/device_catalogue.h"
#include "platform/folders.h"
#include "storage/settings_database.h"
#include "ui/ids/button_page_ids.h"
#include "ui/ids/main_window_ids.h"
#include "ui/ids/settings_page_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/controls/device_list.h"
#include "ui/toolkit/controls/mouse_controls.h"
#include "ui/toolkit/controls/static_controls.h"

namespace tessaly {
namespace {

using Context = ui::CatalogueContext;

constexpr int kPictureTop = 120;
constexpr int kPictureRightMargin = 150;

// Ids repeat across pages; the class tells the button controls apart.
template <typename T>
T* FindControl(const Context& context, int id) {
    for (DUI::MControl* control : context.window.Controls()) {
        if (control->GetId() == id) {
            if (auto* typed = dynamic_cast<T*>(control)) {
                return typed;
            }
        }
    }
    return nullptr;
}

std::u16string ListImageFolder() {
    return ProgramFolder() + u"skins/" + DUI::Manager::GetTheme() + u"/device/";
}

std::u16string DescriptionPath(std::u16string_view device_attribute) {
    return ProgramFolder() + u"device/" + std::u16string(device_attribute) + u".xml";
}

// Dialog code runs on the UI thread; a selection made by the worker posts it.
void Relayout(const Context& context) {
    if (DUI::Toolkit::Get().IsUiThread()) {
        context.window.UISize(context.window.GetClientRect());
        return;
    }
    DUI::Toolkit::Get().PostToWindow(context.window.GetSafeHwnd(), [](DUI::MWindow& window) {
        window.UISize(window.GetClientRect());
    });
}

void ApplySoftware(const Context& context, const SoftwareLinks& links) {
    context.update.software_version = links.version;
    const std::u16string line = SoftwareVersionLine(links.version);
    if (auto* text =
            dynamic_cast<DUI::MControlFont*>(context.window.GetControl(main_id::kVersion))) {
        text->SetTitle(line);
    }
    if (auto* text = context.settings.FindAs<DUI::MControlFont>(settings_id::kVersion)) {
        text->SetTitle(line);
    }
    context.update.website_address = links.website;
    context.update.feedback_address = links.feedback;
    context.update.qa_address = links.qa;
    context.update.upgrade_address = links.upgrade;
    DeviceCatalogue::Instance().SetLinks(links);
}

void ApplyPicture(const Context& context, std::u16string_view mouse_img, DeviceOptions& options) {
    options.mouse_picture = u"device\\" + std::u16string(mouse_img);
    DUI::MControl* picture = context.window.GetControl(main_id::kMousePicture);
    if (picture == nullptr) {
        return;
    }
    picture->SetImage(options.mouse_picture, 1);
    // The lighting page shows the new model's lights once it has read them.
    if (auto* lit = dynamic_cast<DUI::MPicture*>(picture)) {
        lit->SetLightZone({});
    }
    const DUI::Size size = picture->GetImageSize();
    if (size.width > 1) {
        const DUI::Rect client = context.window.GetClientRect();
        const int left = (client.right - client.left) - (size.width + kPictureRightMargin);
        picture->SetRect({left, kPictureTop, left + size.width, kPictureTop + size.height});
    }
}

void ApplyLightingPage(const Context& context, bool shown, DeviceOptions& options) {
    options.lighting_page = shown;
    if (context.tabs != nullptr) {
        context.tabs->SetItemVisible(main_id::kLightingTab, shown);
    }
    Relayout(context);
}

void ApplyCustom(const Context& context, const CustomSection& custom, DeviceOptions& options) {
    options.show_dpi_tips = context.tips.show_dpi_tips = custom.show_dpi_tips;
    options.show_save_tips = context.tips.show_save_tips = custom.show_save_tips;
    options.show_lift_off = context.tips.show_lift_off = custom.show_lift_off;
    options.show_sensor = context.tips.show_sensor = custom.show_sensor;
    Relayout(context);
}

void FillButtonControls(const Context& context, const std::vector<ButtonDescription>& buttons) {
    auto* picture = FindControl<DUI::MouseCtrl>(context, button_id::kPicture);
    auto* list = FindControl<DUI::MouseKeyCtrl>(context, button_id::kList);
    if (picture != nullptr) {
        picture->DeleteAllItems();
    }
    if (list != nullptr) {
        list->DeleteAllItems();
    }
    for (const ButtonDescription& button : buttons) {
        const std::u16string name = LoadLanguageString(button.name);
        if (picture != nullptr) {
            picture->AddItem(name, button.key_value, button.direction, {button.x1, button.y},
                             {button.x2, button.y});
        }
        if (list != nullptr) {
            list->AddItem(name, LoadLanguageString(button.func_desc), button.key_value);
        }
    }
    if (picture != nullptr) {
        picture->SelectItem(0);
    }
    if (list != nullptr) {
        list->SelectItem(0);
        list->FitToItems();
    }
}

// light_1 … light_5 are effects 1 … 5, light_6 is effect 0.
void ApplyLights(const DescriptionFile& file, DeviceOptions& options) {
    for (size_t i = 0; i < file.lights.size(); ++i) {
        if (file.lights[i]) {
            options.lighting_effects[(i + 1) % kLightingEffectCount] = *file.lights[i];
        }
    }
}

void ApplyDescription(const Context& context, const DescriptionFile& file, SelectedModel& model) {
    DeviceOptions& options = model.options;
    if (file.mouse_img) {
        ApplyPicture(context, *file.mouse_img, options);
    }
    if (file.lighting_page) {
        ApplyLightingPage(context, *file.lighting_page, options);
    }
    if (file.custom) {
        ApplyCustom(context, *file.custom, options);
    }
    if (file.firmware_address) {
        options.firmware_address = context.update.firmware_address = *file.firmware_address;
    }
    options.flash_bytes = file.flash_size.value_or(kDefaultFlashBytes);
    if (file.buttons) {
        FillButtonControls(context, *file.buttons);
        model.buttons = *file.buttons;
        model.default_assignments = file.default_assignments;
    }
    ApplyLights(file, options);
}

}  // namespace

void LoadCatalogue(const Context& context) {
    DeviceCatalogue& catalogue = DeviceCatalogue::Instance();
    catalogue.Clear();
    auto* list = context.window.GetControlAs<DUI::CDeviceList>(main_id::kDeviceList);
    if (list != nullptr) {
        list->ClearList();
    }
    const CatalogueFile file = ReadCatalogueFile(ConfigFilePath(), ListImageFolder());
    for (const DeviceDescription& model : file.models) {
        catalogue.AddModel(model);
        if (list != nullptr) {
            list->AddDevice(model.name, model.device_type, model.image);
        }
    }
    for (const DeviceDescription& identity : file.identities) {
        catalogue.AddIdentity(identity);
    }
    if (file.software) {
        ApplySoftware(context, *file.software);
    }
    // Keyboard layouts that compose text would swallow the keys the button
    // and macro pages capture.
    context.window.SetInputMethodEnabled(false);
}

void SelectDevice(const Context& context, int device_type) {
    DeviceCatalogue& catalogue = DeviceCatalogue::Instance();
    SelectedModel model = catalogue.Selected();
    model.device_type = device_type;
    const std::optional<DeviceDescription> entry = catalogue.FindModel(device_type);
    model.name = entry ? entry->name : std::u16string();
    model.device_attribute = entry ? entry->device_attribute : std::u16string();

    if (model.device_attribute.empty()) {
        // No model is known yet (the start selects a placeholder type): keep
        // nothing rather than make a database that belongs to no mouse.
        SettingsDatabase::Instance().Close();
    } else {
        SettingsDatabase::Instance().OpenForModel(UserDataFolder(), model.device_attribute);
    }

    if (const auto file = ReadDescriptionFile(DescriptionPath(model.device_attribute))) {
        ApplyDescription(context, *file, model);
    }
    catalogue.SetSelected(std::move(model));
}

void SelectRememberedDevice(const Context& context) {
    SelectDevice(context, ReadDeviceType());
}

void RememberDevice(int device_type) {
    // The write itself is skipped when the program key does not exist.
    WriteDeviceType(device_type);
}

}  // namespace tessaly
