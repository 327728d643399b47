#pragma once
// The catalogue of supported models and the state of the selected one,
// shared by the main window, device discovery and the feature pages. One
// process-wide object; every accessor takes its lock and hands out copies,
// so the device worker may read it while the UI thread rebuilds it.

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/button_description.h"
#include "catalogue/device_description.h"
#include "catalogue/device_options.h"
#include "catalogue/software_links.h"
#include "storage/rows.h"

namespace tessaly {

// The selected model as its description file left it.
struct SelectedModel {
    int device_type = 0;
    // Both empty when the selected type matches no catalogue entry.
    std::u16string name;
    std::u16string device_attribute;
    DeviceOptions options;
    std::vector<ButtonDescription> buttons;
    // The factory button layout, in the key assignment record shape: key
    // code and layout value the key value, layout_desc the name's number
    // as written, macro_desc the function's number as written.
    std::vector<KeyAssignment> default_assignments;
};

// How the catalogue tells device discovery what to look for (discovery
// lives in a layer the catalogue does not build on).
struct DiscoveryIdentityHooks {
    std::function<void()> clear_identities;
    std::function<void(const DeviceDescription& identity)> add_identity;
};

class DeviceCatalogue {
  public:
    static DeviceCatalogue& Instance();

    DeviceCatalogue(const DeviceCatalogue&) = delete;
    DeviceCatalogue& operator=(const DeviceCatalogue&) = delete;

    // One entry per mouse element, in file order.
    std::vector<DeviceDescription> Models() const;
    // One entry per mode element, in file order.
    std::vector<DeviceDescription> Identities() const;
    // The identities as discovery last received them; emptied on close.
    std::vector<DeviceDescription> DiscoveryIdentities() const;
    // The first model of the type.
    std::optional<DeviceDescription> FindModel(int device_type) const;
    // Every identity of the type, in file order.
    std::vector<DeviceDescription> IdentitiesOf(int device_type) const;

    SelectedModel Selected() const;
    DeviceOptions Options() const;
    std::vector<KeyAssignment> DefaultAssignments() const;

    // The software section as the last catalogue load found it.
    SoftwareLinks Links() const;

    void SetDiscoveryHooks(DiscoveryIdentityHooks hooks);

    // Writers, used by the catalogue's own reading.
    // Empties the three lists and discovery's identities.
    void Clear();
    void AddModel(const DeviceDescription& model);
    // Appends to the identity list and hands the identity to discovery.
    void AddIdentity(const DeviceDescription& identity);
    // Empties only the copy discovery uses (the main window's close).
    void ClearDiscoveryIdentities();
    void SetSelected(SelectedModel model);
    void SetLinks(SoftwareLinks links);
    // Back to the state of a fresh process (tests).
    void Reset();

  private:
    DeviceCatalogue() = default;

    mutable std::mutex lock_;
    std::vector<DeviceDescription> models_;
    std::vector<DeviceDescription> identities_;
    std::vector<DeviceDescription> discovery_identities_;
    SelectedModel selected_;
    SoftwareLinks links_;
    DiscoveryIdentityHooks hooks_;
};

}  // namespace tessaly
