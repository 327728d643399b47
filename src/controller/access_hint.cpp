#include "controller/access_hint.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/text_format.h"
#include "base/unicode.h"
#include "platform/folders.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

constexpr std::u16string_view kReload = u"sudo udevadm control --reload && sudo udevadm trigger";

// The line the generated rule holds for these ids.
std::string RuleMatch(uint16_t vendor_id, uint16_t product_id) {
    char text[96];
    std::snprintf(text, sizeof text, "ATTRS{idVendor}==\"%04x\", ATTRS{idProduct}==\"%04x\"",
                  vendor_id, product_id);
    return text;
}

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::string InstalledUdevRule(const std::vector<std::string>& folders) {
    std::error_code error;
    for (const std::string& folder : folders) {
        const fs::path candidate = fs::path(folder) / kUdevRuleName;
        if (fs::is_regular_file(candidate, error)) {
            return candidate.string();
        }
    }
    return {};
}

std::string UsbIdText(uint16_t id) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", id);
    return text;
}

std::string UsbIdsText(const UnopenedInterface& entry) {
    return UsbIdText(entry.vendor_id).append(":").append(UsbIdText(entry.product_id));
}

std::vector<const UnopenedInterface*> UnlistedInRule(
    const std::vector<const UnopenedInterface*>& denied, const std::string& rule_text) {
    std::vector<const UnopenedInterface*> unlisted;
    for (const UnopenedInterface* entry : denied) {
        if (rule_text.find(RuleMatch(entry->vendor_id, entry->product_id)) == std::string::npos) {
            unlisted.push_back(entry);
        }
    }
    return unlisted;
}

std::vector<std::string> UdevRuleSearchFolders() {
    return {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/local/lib/udev/rules.d",
            "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};
}

std::string ShippedUdevRule() {
    const fs::path folder = fs::path(ToUtf8(ExecutablePath())).parent_path();
    std::error_code error;
    for (const fs::path& candidate :
         {folder / "packaging" / kUdevRuleName,
          folder.parent_path() / "lib" / "udev" / "rules.d" / kUdevRuleName}) {
        if (fs::is_regular_file(candidate, error)) {
            return fs::weakly_canonical(candidate, error).string();
        }
    }
    return {};
}

std::u16string WindowAccessHint(const std::vector<UnopenedInterface>& unopened,
                                const std::vector<std::string>& rule_folders,
                                const std::string& shipped_rule) {
    std::vector<const UnopenedInterface*> denied;
    for (const UnopenedInterface& entry : unopened) {
        if (entry.denied) {
            denied.push_back(&entry);
        }
    }
    if (denied.empty()) {
        return {};
    }
    const std::string installed = InstalledUdevRule(rule_folders);
    const std::string source =
        shipped_rule.empty() ? std::string("<build>/packaging/") + kUdevRuleName : shipped_rule;
    const std::u16string copy =
        u"\nsudo cp " + FromUtf8(source) + u" /etc/udev/rules.d/\n" + std::u16string(kReload);
    std::u16string hint;
    if (installed.empty()) {
        hint = Format(LoadLanguageString(text::kAccessRuleMissing), FromUtf8(kUdevRuleName)) + copy;
    } else if (!UnlistedInRule(denied, FileText(installed)).empty()) {
        // Reloading an older rule would not help: it has to be replaced.
        hint = Format(LoadLanguageString(text::kAccessRuleLacksMouse), FromUtf8(installed)) + copy;
    } else {
        hint = Format(LoadLanguageString(text::kAccessRuleNotApplied), FromUtf8(installed));
        hint.append(u"\n").append(kReload);
    }
    return hint.append(u"\n").append(LoadLanguageString(text::kPlugInAgain));
}

}  // namespace tessaly
