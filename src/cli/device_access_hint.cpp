#include "cli/device_access_hint.h"

#include <fstream>
#include <iterator>

#include "controller/access_hint.h"

namespace tessaly::cli {
namespace {

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

constexpr const char* kReload =
    "  sudo udevadm control --reload && sudo udevadm trigger\n"
    "and plug the mouse in again. The rule gives access to the user logged in at\n"
    "the seat, not to remote (ssh) sessions.\n";

// Built by appending: GCC 12 at -O3 warns falsely on chains of operator+.
std::string InstalledRuleHint(const std::string& installed,
                              const std::vector<const UnopenedInterface*>& denied) {
    std::string hint = "The udev rule ";
    hint.append(installed);
    const std::vector<const UnopenedInterface*> unlisted =
        UnlistedInRule(denied, FileText(installed));
    if (unlisted.empty()) {
        hint.append(" grants access, but udev has not applied it to this device yet. Run\n");
        return hint.append(kReload);
    }
    hint.append(" does not list");
    for (const UnopenedInterface* entry : unlisted)
        hint.append(" ").append(UsbIdsText(*entry));
    hint.append(
        " (it was made from an older catalogue): install this version's rule\n"
        "or package, then run\n");
    return hint.append(kReload);
}

std::string MissingRuleHint() {
    const std::string shipped = ShippedUdevRule();
    std::string hint = "The udev rule ";
    hint.append(kUdevRuleName);
    hint.append(
        " that grants access is not installed. Install the package\n"
        "(sudo apt install ./tessaly_<version>_<arch>.deb) or copy the rule:\n");
    hint.append("  sudo cp ");
    if (shipped.empty())
        hint.append("<build>/packaging/").append(kUdevRuleName);
    else
        hint.append(shipped);
    hint.append(" /etc/udev/rules.d/\nthen run\n");
    return hint.append(kReload);
}

}  // namespace

std::string DeviceAccessHint(const std::vector<UnopenedInterface>& unopened,
                             const std::vector<std::string>& rule_folders) {
    std::vector<const UnopenedInterface*> denied;
    for (const UnopenedInterface& entry : unopened) {
        if (entry.denied)
            denied.push_back(&entry);
    }
    if (denied.empty())
        return {};

    std::string hint = "tessalyctl: a mouse is plugged in but you may not open its device node:\n";
    for (const UnopenedInterface* entry : denied) {
        hint.append("  ").append(entry->path).append(" (");
        hint.append(UsbIdsText(*entry)).append("): ");
        hint.append(entry->error).append("\n");
    }
    const std::string installed = InstalledUdevRule(rule_folders);
    return hint.append(installed.empty() ? MissingRuleHint()
                                         : InstalledRuleHint(installed, denied));
}

}  // namespace tessaly::cli
