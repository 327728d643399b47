#pragma once
// A settings database with four profiles in a temporary data folder, a
// numbered language, and helpers to fill and compare one profile's settings.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/decimal.h"
#include "base/text_format.h"
#include "base/unicode.h"
#include "catalogue/device_catalogue.h"
#include "lighting/light_defaults.h"
#include "profiles/profiles_host.h"
#include "storage/config_store.h"
#include "storage/key_table.h"
#include "storage/light_table.h"
#include "storage/profile_table.h"
#include "storage/storage_fixture.h"
#include "ui/dialogs/numbered_language.h"

namespace tessaly::test {

// Keys a profile file carries, each with a value the pages allow that
// differs from the defaults of a new profile.
struct ProfileValue {
    std::u16string_view key;
    std::u16string_view value;
};
inline constexpr ProfileValue kProfileValues[] = {
    {u"dpi_flag", u"5"},
    {u"dpi_index", u"3"},
    {u"dpi_count", u"4"},
    {u"dpi_group0_value", u"500"},
    {u"dpi_group1_value", u"1250"},
    {u"dpi_group5_value", u"9000"},
    {u"dpi_group0_rgb", u"4660"},
    {u"dpi_group5_rgb", u"1193046"},
    {u"button_respondtime", u"3"},
    {u"report_rate", u"8"},
    {u"sensor_flag", u"20"},
    {u"liftoff_height", u"2"},
    {u"scroll_flag", u"0"},
    {u"e-sports_flag", u"1"},
    {u"sleep_light", u"120"},
    {u"move_wakeup", u"0"},
    {u"move_closelight", u"0"},
};
inline constexpr auto kProfileKeys = [] {
    std::array<std::u16string_view, std::size(kProfileValues)> keys{};
    for (size_t i = 0; i < keys.size(); ++i) {
        keys[i] = kProfileValues[i].key;
    }
    return keys;
}();

// Records what the profile code asks of the program around it.
class FakeProfilesHost : public ProfilesHost {
  public:
    int CurrentProfile() const override { return profile; }
    void SetCurrentProfile(int id) override { profile = id; }
    void QueueTask(int32_t code) override { tasks.push_back(code); }
    void ShowProfileName() override { ++names_shown; }
    bool DevicePresent() const override { return present; }
    DeviceState& Device() override { return device; }
    int ShowMessageBox(std::u16string_view message, std::u16string_view title,
                       uint32_t buttons) override {
        boxes.push_back({std::u16string(message), std::u16string(title), buttons});
        return 1;
    }
    struct Box {
        std::u16string message;
        std::u16string title;
        uint32_t buttons;
    };
    int profile = 1;
    bool present = true;
    DeviceState device;
    std::vector<int32_t> tasks;
    int names_shown = 0;
    std::vector<Box> boxes;
};

class ProfileStore {
  public:
    ProfileStore() {
        SetUserDataFolderOverride(dir.u16(true));
        CreateFolderPath(UserDataFolder() + u"db");
        opened = SettingsDatabase::Instance().OpenForModel(UserDataFolder(), u"P100");
        for (int n = 1; n <= 4; ++n) {
            AddProfile(NamedProfile(Format(u"Profile %d", n)));
        }
        SetActiveProfile(1);
        SelectedModel model;
        model.device_type = 1;
        DeviceCatalogue::Instance().SetSelected(model);
    }
    ~ProfileStore() {
        DeviceCatalogue::Instance().Reset();
        SettingsDatabase::Instance().Close();
        SetUserDataFolderOverride(u"");
    }
    std::u16string Path(const std::string& name) const {
        return FromUtf8((dir.path() / name).string());
    }
    std::string Read(const std::u16string& path) const {
        std::ifstream in(ToUtf8(path), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void Write(const std::u16string& path, const std::string& text) const {
        std::ofstream(ToUtf8(path), std::ios::binary) << text;
    }

    TempDir dir;
    bool opened = false;
};

inline std::u16string Stored(int profile, std::u16string_view key) {
    std::u16string value;
    GetConfigValue(profile, key, value);
    return value;
}

inline KeyAssignment Key(int profile, int key_code, int type, int value, std::u16string desc) {
    KeyAssignment key;
    key.profile = profile;
    key.key_code = key_code;
    key.macro_type = type;
    key.macro_value = value;
    key.macro_value2 = value + 1;
    key.macro_value3 = value + 2;
    key.macro_desc = std::move(desc);
    return key;
}

// Every setting a profile file carries, different from the defaults.
inline void FillProfile(int profile) {
    // Ctrl+Alt+C and a repeated click of 30, every 31 ms.
    SaveKeyAssignment(Key(profile, 1, 2, 0x06, u"Ctrl+C"));
    SaveKeyAssignment(Key(profile, 5, 7, 30, u"a <\"quoted\"> & 'b'"));
    CreateDefaultLights(profile, DeviceOptions{});
    LightSetting breathing;
    GetLight(profile, 2, breathing);
    breathing.brightness = 1;
    breathing.speed = 3;
    breathing.direction = 1;
    breathing.colorful = 0;
    breathing.color_index = 5;
    breathing.color_values = {1, 2, 3, 4, 5, 6, 0x123456};
    UpdateLight(2, breathing);
    SetActiveLight(profile, 2);
    for (const ProfileValue& entry : kProfileValues) {
        SetConfigValue(profile, entry.key, entry.value);
    }
}

inline std::vector<KeyAssignment> Keys(int profile) {
    std::vector<KeyAssignment> keys;
    ListKeyAssignments(profile, keys);
    return keys;
}

inline std::vector<LightSetting> Lights(int profile) {
    std::vector<LightSetting> lights;
    ListLights(profile, lights);
    return lights;
}

inline bool HaveXmllint() {
    return std::system("command -v xmllint >/dev/null 2>&1") == 0;
}

// xmllint's verdict on the file: 0 when it is well-formed XML.
inline int Xmllint(const std::u16string& path) {
    return std::system(("xmllint --noout '" + ToUtf8(path) + "' 2>/dev/null").c_str());
}

}  // namespace tessaly::test
