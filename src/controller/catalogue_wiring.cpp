#include "controller/catalogue_wiring.h"

#include <memory>
#include <utility>

#include "catalogue/catalogue_service.h"
#include "catalogue/device_catalogue.h"
#include "ui/main/window_page_contexts.h"

namespace tessaly {

void InstallCatalogueServices(ui::MainWindowServices& services) {
    // The window the catalogue was loaded into is the one a selection changes.
    auto window = std::make_shared<ui::DeviceMainDlg*>(nullptr);
    services.load_catalogue = [window](ui::DeviceMainDlg& dlg) {
        *window = &dlg;
        LoadCatalogue(ui::CatalogueContextOf(dlg));
    };
    services.select_model = [window](int device_type) {
        if (*window != nullptr) {
            SelectDevice(ui::CatalogueContextOf(**window), device_type);
        }
    };
    services.clear_identities = [previous = std::move(services.clear_identities)] {
        if (previous) {
            previous();
        }
        DeviceCatalogue::Instance().ClearDiscoveryIdentities();
    };
}

}  // namespace tessaly
