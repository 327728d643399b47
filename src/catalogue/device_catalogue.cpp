#include "catalogue/device_catalogue.h"

#include <algorithm>
#include <utility>

namespace tessaly {

DeviceCatalogue& DeviceCatalogue::Instance() {
    static DeviceCatalogue catalogue;
    return catalogue;
}

std::vector<DeviceDescription> DeviceCatalogue::Models() const {
    std::lock_guard guard(lock_);
    return models_;
}

std::vector<DeviceDescription> DeviceCatalogue::Identities() const {
    std::lock_guard guard(lock_);
    return identities_;
}

std::vector<DeviceDescription> DeviceCatalogue::DiscoveryIdentities() const {
    std::lock_guard guard(lock_);
    return discovery_identities_;
}

std::optional<DeviceDescription> DeviceCatalogue::FindModel(int device_type) const {
    std::lock_guard guard(lock_);
    const auto it = std::find_if(models_.begin(), models_.end(), [&](const auto& model) {
        return model.device_type == device_type;
    });
    if (it == models_.end()) {
        return std::nullopt;
    }
    return *it;
}

std::vector<DeviceDescription> DeviceCatalogue::IdentitiesOf(int device_type) const {
    std::lock_guard guard(lock_);
    std::vector<DeviceDescription> found;
    std::copy_if(identities_.begin(), identities_.end(), std::back_inserter(found),
                 [&](const auto& identity) { return identity.device_type == device_type; });
    return found;
}

SelectedModel DeviceCatalogue::Selected() const {
    std::lock_guard guard(lock_);
    return selected_;
}

DeviceOptions DeviceCatalogue::Options() const {
    std::lock_guard guard(lock_);
    return selected_.options;
}

std::vector<KeyAssignment> DeviceCatalogue::DefaultAssignments() const {
    std::lock_guard guard(lock_);
    return selected_.default_assignments;
}

SoftwareLinks DeviceCatalogue::Links() const {
    std::lock_guard guard(lock_);
    return links_;
}

void DeviceCatalogue::SetLinks(SoftwareLinks links) {
    std::lock_guard guard(lock_);
    links_ = std::move(links);
}

void DeviceCatalogue::SetDiscoveryHooks(DiscoveryIdentityHooks hooks) {
    std::lock_guard guard(lock_);
    hooks_ = std::move(hooks);
}

// The hooks run outside the lock: discovery may read the catalogue from them.
void DeviceCatalogue::Clear() {
    std::function<void()> clear;
    {
        std::lock_guard guard(lock_);
        models_.clear();
        identities_.clear();
        discovery_identities_.clear();
        clear = hooks_.clear_identities;
    }
    if (clear) {
        clear();
    }
}

void DeviceCatalogue::AddModel(const DeviceDescription& model) {
    std::lock_guard guard(lock_);
    models_.push_back(model);
}

void DeviceCatalogue::AddIdentity(const DeviceDescription& identity) {
    std::function<void(const DeviceDescription&)> add;
    {
        std::lock_guard guard(lock_);
        identities_.push_back(identity);
        discovery_identities_.push_back(identity);
        add = hooks_.add_identity;
    }
    if (add) {
        add(identity);
    }
}

void DeviceCatalogue::ClearDiscoveryIdentities() {
    std::lock_guard guard(lock_);
    discovery_identities_.clear();
}

void DeviceCatalogue::SetSelected(SelectedModel model) {
    std::lock_guard guard(lock_);
    selected_ = std::move(model);
}

void DeviceCatalogue::Reset() {
    std::lock_guard guard(lock_);
    models_.clear();
    identities_.clear();
    discovery_identities_.clear();
    selected_ = SelectedModel{};
    links_ = SoftwareLinks{};
    hooks_ = DiscoveryIdentityHooks{};
}

}  // namespace tessaly
