#pragma once
// The catalogue's part of the main window's services.

#include "ui/main/device_main_dlg.h"

namespace tessaly {

// Fills load_catalogue and select_model, and adds the emptying of
// discovery's identities to clear_identities.
void InstallCatalogueServices(ui::MainWindowServices& services);

}  // namespace tessaly
