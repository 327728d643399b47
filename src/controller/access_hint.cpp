#include "controller/access_hint.h"

#include <algorithm>
#include <filesystem>

#include "base/text_format.h"
#include "base/unicode.h"
#include "platform/folders.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRuleName = "70-tessaly.rules";
constexpr std::u16string_view kReload = u"sudo udevadm control --reload && sudo udevadm trigger";

std::string InstalledRule(const std::vector<std::string>& folders) {
    std::error_code error;
    for (const std::string& folder : folders) {
        const fs::path candidate = fs::path(folder) / kRuleName;
        if (fs::is_regular_file(candidate, error)) {
            return candidate.string();
        }
    }
    return {};
}

}  // namespace

std::vector<std::string> UdevRuleSearchFolders() {
    return {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/local/lib/udev/rules.d",
            "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};
}

std::string ShippedUdevRule() {
    const fs::path folder = fs::path(ToUtf8(ExecutablePath())).parent_path();
    std::error_code error;
    for (const fs::path& candidate :
         {folder / "packaging" / kRuleName,
          folder.parent_path() / "lib" / "udev" / "rules.d" / kRuleName}) {
        if (fs::is_regular_file(candidate, error)) {
            return fs::weakly_canonical(candidate, error).string();
        }
    }
    return {};
}

std::u16string WindowAccessHint(const std::vector<UnopenedInterface>& unopened,
                                const std::vector<std::string>& rule_folders,
                                const std::string& shipped_rule) {
    if (std::ranges::none_of(unopened, &UnopenedInterface::denied)) {
        return {};
    }
    const std::string installed = InstalledRule(rule_folders);
    std::u16string hint;
    if (!installed.empty()) {
        hint = Format(LoadLanguageString(text::kAccessRuleNotApplied), FromUtf8(installed));
        hint.append(u"\n").append(kReload);
    } else {
        const std::string source =
            shipped_rule.empty() ? std::string("<build>/packaging/") + kRuleName : shipped_rule;
        hint = Format(LoadLanguageString(text::kAccessRuleMissing), FromUtf8(kRuleName));
        hint.append(u"\nsudo cp ").append(FromUtf8(source)).append(u" /etc/udev/rules.d/\n");
        hint.append(kReload);
    }
    return hint.append(u"\n").append(LoadLanguageString(text::kPlugInAgain));
}

}  // namespace tessaly
