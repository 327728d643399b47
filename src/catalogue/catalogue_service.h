#pragma once
// The catalogue's part in the main window: loading the device list,
// selecting a model (its database, description file and the controls they
// change) and remembering the selection.

#include "ui/main/page_context.h"

namespace tessaly {

// Reads config.xml's device section into the catalogue and the device list
// (control 57), then the software section's version line and addresses.
void LoadCatalogue(const ui::CatalogueContext& context);

// Makes the type the selected model: switches the settings database and
// applies the model's description file to the window.
void SelectDevice(const ui::CatalogueContext& context, int device_type);
// SelectDevice for the remembered type ("DeviceType", 0 when absent).
void SelectRememberedDevice(const ui::CatalogueContext& context);

// Writes "DeviceType", only when the program key exists.
void RememberDevice(int device_type);

}  // namespace tessaly
