#pragma once
// The home page's notice for a mouse that is plugged in but that this user
// may not open: which udev rule gives access and the commands that apply it,
// as tessalyctl devices says it.

#include <string>
#include <vector>

#include "device/device_manager.h"

namespace tessaly {

// Empty when no interface was refused for want of access. `rule_folders` are
// searched for the installed rule; `shipped_rule` is the rule this build or
// installed tree carries (empty when none is found).
std::u16string WindowAccessHint(const std::vector<UnopenedInterface>& unopened,
                                const std::vector<std::string>& rule_folders,
                                const std::string& shipped_rule);

// The folders udev reads rules from, and the rule beside the executable.
std::vector<std::string> UdevRuleSearchFolders();
std::string ShippedUdevRule();

}  // namespace tessaly
