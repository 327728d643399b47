#pragma once
// Why a mouse that is plugged in cannot be used, and what gives the user
// access to it, as the terminal says it: each refused node with its error,
// then the udev rule to install, replace or apply. The rule is found as the
// window's hint finds it (controller/access_hint.h).

#include <string>
#include <vector>

#include "device/device_manager.h"

namespace tessaly::cli {

// Empty when every interface that failed failed for another reason than
// access. `rule_folders` are searched for the installed rule.
std::string DeviceAccessHint(const std::vector<UnopenedInterface>& unopened,
                             const std::vector<std::string>& rule_folders);

}  // namespace tessaly::cli
