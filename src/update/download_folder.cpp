#include "update/download_folder.h"

#include <stdlib.h>

#include <filesystem>

#include "base/trace.h"
#include "base/unicode.h"
#include "platform/folders.h"

namespace tessaly {

DownloadFolder::DownloadFolder() {
    const std::u16string parent = UserDataFolder();
    CreateFolderPath(parent);
    std::string name = ToUtf8(parent) + kDownloadFolderPrefix + "XXXXXX";
    if (::mkdtemp(name.data()) == nullptr) {
        Trace(kTraceDevice, "no download folder under %s", ToUtf8(parent).c_str());
        return;
    }
    path_ = FromUtf8(name) + u"/";
}

DownloadFolder::~DownloadFolder() {
    if (!Made() || kept_) {
        return;
    }
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(ToUtf8(path_)).parent_path(), ignored);
}

}  // namespace tessaly
