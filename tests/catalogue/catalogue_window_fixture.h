#pragma once
// A main window on the headless toolkit with the catalogue's services, an
// INI registry and a user data folder in a temporary folder. The program
// folder is either the build tree (the shipped data) or a temporary one
// holding the shipped language files and pictures plus a test's own XML.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/language_state.h"
#include "app/registry_values.h"
#include "catalogue/catalogue_service.h"
#include "catalogue/device_catalogue.h"
#include "platform/folders.h"
#include "platform/ini_registry_store.h"
#include "platform/process_exit.h"
#include "platform/registry_store.h"
#include "storage/settings_database.h"
#include "support/temp_dir.h"
#include "ui/ids/button_page_ids.h"
#include "ui/ids/settings_page_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/main/device_main_dlg.h"
#include "ui/main/window_page_contexts.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/controls/mouse_controls.h"
#include "ui/toolkit/headless_backend.h"

namespace tessaly::test {

class CatalogueWindowTest : public ::testing::Test {
  protected:
    CatalogueWindowTest() {
        SetRegistryStore(std::make_shared<IniRegistryStore>((user.path() / "reg.ini").string()));
        ReadRegistryNumber(kValueExitMode);  // creates the program key, as start-up does
        SetUserDataFolderOverride(user.u16(true));
        SetProcessExitInterceptor([](int) {});
        SetCurrentLcid(1033);
        DeviceCatalogue::Instance().Reset();
    }
    ~CatalogueWindowTest() override {
        if (dlg) {
            dlg->CloseWindow();
            dlg.reset();
        }
        SettingsDatabase::Instance().Close();
        DeviceCatalogue::Instance().Reset();
        SetProgramFolderOverride(u"");
        SetUserDataFolderOverride(u"");
        SetProcessExitInterceptor({});
        SetRegistryStore(nullptr);
        SetCurrentLcid(1033);
        ReloadLanguageFiles();
    }

    // A program folder of our own: the shipped language files and pictures.
    void UseOwnProgramFolder() {
        namespace fs = std::filesystem;
        const fs::path shipped = TESSALY_BINARY_DIR;
        fs::copy(shipped / "language", program.path() / "language", fs::copy_options::recursive);
        fs::create_directories(program.path() / "skins/default/device");
        fs::copy(shipped / "skins/default/device", program.path() / "skins/default/device",
                 fs::copy_options::recursive);
        fs::create_directories(program.path() / "device");
        SetProgramFolderOverride(program.u16(true));
        ReloadLanguageFiles();
    }
    void WriteProgramFile(const std::string& name, const std::string& text) {
        program.Write(name, text);
    }

    // Creates the window; its initialisation loads the catalogue. The
    // services are the catalogue's part of the program's wiring.
    void Open(int width = 1300, int height = 788) {
        ui::MainWindowServices services;
        services.load_catalogue = [](ui::DeviceMainDlg& window) {
            LoadCatalogue(ui::CatalogueContextOf(window));
        };
        services.select_model = [this](int device_type) {
            SelectDevice(ui::CatalogueContextOf(*dlg), device_type);
        };
        services.clear_identities = [] { DeviceCatalogue::Instance().ClearDiscoveryIdentities(); };
        dlg = std::make_unique<ui::DeviceMainDlg>(tray, ui::WindowState{device, update},
                                                  std::move(services));
        ASSERT_TRUE(dlg->Create(nullptr, u"Tessaly", DUI::kDialogStyle, 0, {0, 0, width, height}));
        AddButtonControlsIfMissing();
    }
    void Select(int device_type) { dlg->Services().select_model(device_type); }

    DUI::MControl* Control(int id, int nth = 0) {
        return DUI::HeadlessBackend::Find(*dlg, id, nth);
    }
    template <typename T>
    T* Typed(int id) {
        for (DUI::MControl* control : dlg->Controls()) {
            if (control->GetId() == id) {
                if (auto* typed = dynamic_cast<T*>(control)) {
                    return typed;
                }
            }
        }
        return nullptr;
    }
    DUI::MouseKeyCtrl* ButtonList() { return Typed<DUI::MouseKeyCtrl>(button_id::kList); }
    DUI::MouseCtrl* ButtonPicture() { return Typed<DUI::MouseCtrl>(button_id::kPicture); }
    DUI::MControlFont* SettingsVersion() {
        return dynamic_cast<DUI::MControlFont*>(
            ui::FindInPage(*dlg, dlg->settings_page, settings_id::kVersion));
    }
    std::string DatabaseFile(const std::string& stem) {
        return (user.path() / "db" / (stem + "_data.db")).string();
    }

    DUI::HeadlessSession session;
    TempDir user;
    TempDir program;
    ui::MemoryTrayIcon tray;
    DeviceState device;
    UpdateState update;
    std::unique_ptr<ui::DeviceMainDlg> dlg;

  private:
    // The button page builds its two button controls; until it is part of
    // the program the test puts them where that page will.
    void AddButtonControlsIfMissing() {
        if (ButtonList() == nullptr) {
            auto* list =
                dlg->button_page->CreateChildControl<DUI::MouseKeyCtrl>(button_id::kList, {});
            list->SetRect({500, 150, 900, 150});
        }
        if (ButtonPicture() == nullptr) {
            dlg->button_page->CreateChildControl<DUI::MouseCtrl>(button_id::kPicture, {});
        }
    }
};

}  // namespace tessaly::test
