#pragma once
// The catalogue's part in the main window: loading the device list,
// selecting a model (its database, description file and the controls they
// change) and remembering the selection.

#include "ui/main/device_main_dlg.h"

namespace tessaly {

// Reads config.xml's device section into the catalogue and the device list
// (control 57), then the software section's version line and addresses.
void LoadCatalogue(ui::DeviceMainDlg& dlg);

// Makes the type the selected model: switches the settings database and
// applies the model's description file to the window.
void SelectDevice(ui::DeviceMainDlg& dlg, int device_type);
// SelectDevice for the remembered type ("DeviceType", 0 when absent).
void SelectRememberedDevice(ui::DeviceMainDlg& dlg);

// Writes "DeviceType", only when the program key exists.
void RememberDevice(int device_type);

// Fills load_catalogue and select_model, and adds the emptying of
// discovery's identities to clear_identities.
void InstallCatalogueServices(ui::MainWindowServices& services);

}  // namespace tessaly
