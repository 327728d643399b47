#pragma once
// The profile dialog's messages and the profile operations, plugged into the
// controller: the current profile, the worker's profile name and the
// controller's tasks.

#include <memory>

#include "controller/controller.h"
#include "profiles/profiles_host.h"

namespace tessaly {

// For callers without the profile dialog.
std::unique_ptr<ProfilesHost> MakeProfilesHost(Controller& controller);

// On the UI thread, as the window initialises; the controller keeps the
// host as long as the window, whose handlers refer to it.
std::unique_ptr<ProfilesHost> InstallProfilesWiring(Controller& controller, ui::DeviceMainDlg& dlg);

}  // namespace tessaly
