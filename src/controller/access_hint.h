#pragma once
// The home page's notice for a mouse that is plugged in but that this user
// may not open: which udev rule gives access and the commands that apply it,
// as tessalyctl devices says it.

#include <cstdint>
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

inline constexpr const char* kUdevRuleName = "70-tessaly.rules";

// The folders udev reads rules from, in the order it prefers them, and the
// rule this build or installed tree carries (empty when none is found).
std::vector<std::string> UdevRuleSearchFolders();
std::string ShippedUdevRule();
// The rule in the first of the folders that holds one; empty when none does.
std::string InstalledUdevRule(const std::vector<std::string>& folders);

// A USB vendor or product id as udev and lsusb write it: four hex digits;
// and "vvvv:pppp" for an interface.
std::string UsbIdText(uint16_t id);
std::string UsbIdsText(const UnopenedInterface& entry);
// The interfaces refused for want of access whose ids the rule's text does
// not list (a rule made from an older catalogue).
std::vector<const UnopenedInterface*> UnlistedInRule(
    const std::vector<const UnopenedInterface*>& denied, const std::string& rule_text);

}  // namespace tessaly
