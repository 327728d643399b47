#pragma once
// The profiles host for callers without the profile dialog: the window's
// current profile, the worker's profile name and the controller's tasks.

#include <memory>

#include "controller/controller.h"
#include "profiles/profiles_host.h"

namespace tessaly {

std::unique_ptr<ProfilesHost> MakeProfilesHost(Controller& controller);

}  // namespace tessaly
