#pragma once
// A settings database with one profile and a host that records what the
// performance settings ask of the controller, with the values stored at
// the moment each task was queued.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "base/unicode.h"
#include "performance/performance_host.h"
#include "performance/performance_store.h"
#include "storage/profile_table.h"
#include "storage/storage_fixture.h"

namespace tessaly::test {

struct QueuedTask {
    int32_t code;
    int dpi_index;
    int dpi_count;
    int stage0;
};

class RecordingHost : public PerformanceHost {
  public:
    int CurrentProfile() const override { return profile; }
    void QueueTask(int32_t code) override {
        tasks.push_back({code, ReadConfigNumber(profile, u"dpi_index"),
                         ReadConfigNumber(profile, u"dpi_count"), ReadStageValue(profile, 0)});
        log.push_back("task " + std::to_string(code));
    }
    void ShowSaveWait() override {
        ++waits;
        log.push_back("wait");
    }
    bool ShowDpiTips() const override { return dpi_tips; }
    void ShowDpiPopup(int dpi) override {
        popups.push_back(dpi);
        log.push_back("popup " + std::to_string(dpi));
    }
    int ShowMessageBox(std::u16string_view message, std::u16string_view title,
                       uint32_t buttons) override {
        boxes.push_back({std::u16string(message), std::u16string(title), buttons});
        return box_answer;
    }
    std::u16string DescriptionFilePath() const override { return description_file; }
    DeviceState& Device() override { return state; }
    void OpenSystemMouseSettings() override { ++system_settings; }

    std::vector<int32_t> Codes() const {
        std::vector<int32_t> codes;
        for (const QueuedTask& task : tasks) {
            codes.push_back(task.code);
        }
        return codes;
    }
    void Forget() {
        tasks.clear();
        popups.clear();
        boxes.clear();
        log.clear();
        waits = 0;
    }

    struct Box {
        std::u16string message;
        std::u16string title;
        uint32_t buttons;
    };

    int profile = 1;
    bool dpi_tips = true;
    int box_answer = 1;
    std::u16string description_file;
    DeviceState state;
    std::vector<QueuedTask> tasks;
    std::vector<int> popups;
    std::vector<Box> boxes;
    std::vector<std::string> log;
    int waits = 0;
    int system_settings = 0;
};

// A database in a temporary data folder with profile 1 and its defaults.
class PerformanceStore {
  public:
    PerformanceStore() {
        SetUserDataFolderOverride(dir.u16(true));
        CreateFolderPath(UserDataFolder() + u"db");
        opened = SettingsDatabase::Instance().OpenForModel(UserDataFolder(), u"M100");
        profile = AddProfile(NamedProfile(u"Profile 1"));
    }
    ~PerformanceStore() {
        SettingsDatabase::Instance().Close();
        SetUserDataFolderOverride(u"");
    }
    // A description file in the folder; returns its path.
    std::u16string WriteFile(const std::string& name, const std::string& text) const {
        const auto path = dir.path() / name;
        std::ofstream(path) << text;
        return FromUtf8(path.string());
    }

    TempDir dir;
    bool opened = false;
    int profile = 0;
};

class PerformanceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(store.opened);
        ASSERT_GT(store.profile, 0);
        host.profile = store.profile;
    }
    int Stored(std::u16string_view key) const { return ReadConfigNumber(store.profile, key); }
    void Store(std::u16string_view key, int value) const {
        ASSERT_TRUE(WriteConfigNumber(store.profile, key, value));
    }

    PerformanceStore store;
    RecordingHost host;
};

}  // namespace tessaly::test
