#include "cli/device_access_hint.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/unicode.h"
#include "platform/folders.h"

namespace tessaly::cli {
namespace {

namespace fs = std::filesystem;

std::string IdText(uint16_t vendor_id, uint16_t product_id) {
    std::string text = UsbIdText(vendor_id);
    return text.append(":").append(UsbIdText(product_id));
}

// The line the generated rule holds for these ids.
std::string RuleMatch(uint16_t vendor_id, uint16_t product_id) {
    char text[96];
    std::snprintf(text, sizeof text, "ATTRS{idVendor}==\"%04x\", ATTRS{idProduct}==\"%04x\"",
                  vendor_id, product_id);
    return text;
}

std::string FileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The rule this build or installed tree carries: beside the build's
// executables, or in the tree the executable was installed into.
std::string ShippedRule() {
    const fs::path folder = fs::path(ToUtf8(ExecutablePath())).parent_path();
    std::error_code error;
    for (const fs::path& candidate :
         {folder / "packaging" / kUdevRuleName,
          folder.parent_path() / "lib" / "udev" / "rules.d" / kUdevRuleName}) {
        if (fs::is_regular_file(candidate, error))
            return fs::weakly_canonical(candidate, error).string();
    }
    return {};
}

}  // namespace

std::string UsbIdText(uint16_t id) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", id);
    return text;
}

std::vector<std::string> UdevRuleFolders() {
    return {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/local/lib/udev/rules.d",
            "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};
}

std::string DeviceAccessHint(const std::vector<UnopenedInterface>& unopened,
                             const std::vector<std::string>& rule_folders) {
    std::vector<const UnopenedInterface*> denied;
    for (const UnopenedInterface& entry : unopened) {
        if (entry.denied)
            denied.push_back(&entry);
    }
    if (denied.empty())
        return {};

    // Built by appending: GCC 12 at -O3 warns falsely on chains of operator+.
    std::string hint = "tessalyctl: a mouse is plugged in but you may not open its device node:\n";
    for (const UnopenedInterface* entry : denied) {
        hint.append("  ").append(entry->path).append(" (");
        hint.append(IdText(entry->vendor_id, entry->product_id)).append("): ");
        hint.append(entry->error).append("\n");
    }

    std::string installed;
    std::error_code error;
    for (const std::string& folder : rule_folders) {
        const fs::path candidate = fs::path(folder) / kUdevRuleName;
        if (fs::is_regular_file(candidate, error)) {
            installed = candidate.string();
            break;
        }
    }
    const char* reload =
        "  sudo udevadm control --reload && sudo udevadm trigger\n"
        "and plug the mouse in again. The rule gives access to the user logged in at\n"
        "the seat, not to remote (ssh) sessions.\n";
    if (!installed.empty()) {
        const std::string rule = FileText(installed);
        std::string missing;
        for (const UnopenedInterface* entry : denied) {
            if (rule.find(RuleMatch(entry->vendor_id, entry->product_id)) == std::string::npos)
                missing.append(" ").append(IdText(entry->vendor_id, entry->product_id));
        }
        hint.append("The udev rule ").append(installed);
        if (!missing.empty()) {
            hint.append(" does not list").append(missing);
            hint.append(
                " (it was made from an older catalogue): install this version's rule\n"
                "or package, then run\n");
        } else {
            hint.append(" grants access, but udev has not applied it to this device yet. Run\n");
        }
        return hint.append(reload);
    }
    const std::string shipped = ShippedRule();
    hint.append("The udev rule ").append(kUdevRuleName);
    hint.append(
        " that grants access is not installed. Install the package\n"
        "(sudo apt install ./tessaly_<version>_<arch>.deb) or copy the rule:\n");
    hint.append("  sudo cp ");
    if (shipped.empty())
        hint.append("<build>/packaging/").append(kUdevRuleName);
    else
        hint.append(shipped);
    hint.append(" /etc/udev/rules.d/\nthen run\n");
    return hint.append(reload);
}

}  // namespace tessaly::cli
