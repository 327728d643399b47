#pragma once
// Each test gets its own data folder with the model "M100" selected.

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "base/unicode.h"
#include "platform/folders.h"
#include "storage/rows.h"
#include "storage/settings_database.h"
#include "support/temp_dir.h"

namespace tessaly::test {

inline ProfileInfo NamedProfile(std::u16string name) {
    ProfileInfo profile;
    profile.name = std::move(name);
    return profile;
}

class StorageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetUserDataFolderOverride(dir_.u16(true));
        ASSERT_TRUE(CreateFolderPath(UserDataFolder() + u"db"));
        ASSERT_TRUE(Select(u"M100"));
    }
    void TearDown() override {
        SettingsDatabase::Instance().Close();
        SetUserDataFolderOverride(u"");
    }

    bool Select(std::u16string_view model) {
        return SettingsDatabase::Instance().OpenForModel(UserDataFolder(), model);
    }
    std::filesystem::path DatabaseFile(const std::string& model) const {
        return dir_.path() / "db" / (model + "_data.db");
    }

    TempDir dir_;
};

}  // namespace tessaly::test
