#include "ui/localisation/language_strings.h"

#include <mutex>
#include <optional>

#include "app/language_state.h"
#include "base/text_format.h"
#include "ui/localisation/language_file.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {
namespace {

// One parsed file: the one of the language last asked for. A change of
// language (or of program folder) reads the new file on the next lookup.
struct LanguageCache {
    std::mutex lock;
    std::u16string path;
    std::optional<LanguageFile> file;
};

LanguageCache& TheCache() {
    static LanguageCache cache;
    return cache;
}

}  // namespace

std::u16string LoadLanguageString(std::u16string_view section, int number) {
    const std::u16string path = LanguageFilePath(CurrentLcid());
    auto& cache = TheCache();
    std::lock_guard guard(cache.lock);
    if (!cache.file || cache.path != path) {
        cache.file = LanguageFile::Read(path);
        cache.path = path;
    }
    return cache.file->Text(section, number);
}

std::u16string LoadLanguageString(int number) {
    return LoadLanguageString(kLanguageSection, number);
}

void ReloadLanguageFiles() {
    auto& cache = TheCache();
    std::lock_guard guard(cache.lock);
    cache.file.reset();
}

std::u16string SoftwareVersionLine(std::u16string_view version) {
    return Format(u"%s: v%s", LoadLanguageString(text::kSoftwareVersion), version);
}

}  // namespace tessaly
