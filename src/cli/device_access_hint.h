#pragma once
// Why a mouse that is plugged in cannot be used, and what gives the user
// access to it: the udev rule the package installs.

#include <cstdint>
#include <string>
#include <vector>

#include "device/device_manager.h"

namespace tessaly::cli {

inline constexpr const char* kUdevRuleName = "70-tessaly.rules";

// A USB vendor or product id as udev and lsusb write it: four hex digits.
std::string UsbIdText(uint16_t id);

// The folders udev reads rules from, in the order it prefers them.
std::vector<std::string> UdevRuleFolders();

// Empty when every interface that failed failed for another reason than
// access. `rule_folders` are searched for the installed rule.
std::string DeviceAccessHint(const std::vector<UnopenedInterface>& unopened,
                             const std::vector<std::string>& rule_folders);

}  // namespace tessaly::cli
