#include "support/scratch_store.h"

#include <filesystem>
#include <fstream>

#include "base/unicode.h"
#include "platform/folders.h"
#include "storage/profile_table.h"
#include "storage/settings_database.h"
#include "support/temp_folder.h"

namespace tessaly::fuzz {

void ScratchStore::Prepare(int renew_every) {
    if (!folder_.empty() && uses_++ < renew_every)
        return;
    uses_ = 0;
    Open();
}

void ScratchStore::Open() {
    SettingsDatabase::Instance().Close();
    if (folder_.empty())
        folder_ = TempFolder();
    std::filesystem::remove_all(folder_ + "db");
    SetUserDataFolderOverride(FromUtf8(folder_));
    CreateFolderPath(UserDataFolder() + u"db");
    if (!SettingsDatabase::Instance().OpenForModel(UserDataFolder(), u"P100"))
        abort();
    for (int n = 1; n <= 4; ++n) {
        ProfileInfo profile;
        profile.name = u"Profile " + FromUtf8(std::to_string(n));
        AddProfile(profile);
    }
    SetActiveProfile(1);
}

std::u16string ScratchStore::WriteInput(const uint8_t* data, size_t size, const char* name) {
    const std::string path = folder_ + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return FromUtf8(path);
}

}  // namespace tessaly::fuzz
