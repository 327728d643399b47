#include "app/startup.h"

#include <algorithm>
#include <cstdio>

#include "app/app_config.h"
#include "app/language_choice.h"
#include "app/registry_values.h"
#include "base/application_name.h"
#include "base/trace.h"
#include "base/unicode.h"
#include "platform/folders.h"
#include "platform/home_folder.h"

namespace tessaly {
namespace {

// The autostart entry starts the program with "-autorun". Such a start
// honours the settings page's "start minimised" box; without a tray the GUI
// still shows the window, which nothing could bring back otherwise.
bool StartsMinimisedByAutorun(const CommandLine& line) {
    const bool autorun =
        std::find(line.rest.begin(), line.rest.end(), "-autorun") != line.rest.end();
    return autorun && ReadRegistryNumber(kValueAutorunMinimize) == 1;
}

}  // namespace

// The DPI-awareness decision is not taken here: it is the GUI's, from its
// screen.
StartupState PrepareStartup(const CommandLine& line, RunRole role) {
    StartupState state;
    if (!line.trace_file.empty())
        SetTraceFile(line.trace_file);
    if (!line.program_dir.empty())
        SetProgramFolderOverride(line.program_dir);
    if (!line.data_dir.empty())
        SetUserDataFolderOverride(line.data_dir);
    if (!line.config_dir.empty())
        SetConfigFolderOverride(line.config_dir);

    ReadAppConfig();

    if (!HomeFolderPath()) {
        state.outcome = StartupOutcome::kNoHomeFolder;
        return state;
    }
    if (role == RunRole::kWindow) {
        state.instance = SingleInstance::Acquire();
        if (!state.instance) {
            state.activated = SendInstanceRequest(InstanceRequest::kActivate);
            state.outcome = StartupOutcome::kSecondInstance;
            return state;
        }
    }
    state.locks = TakeRunLocks(line, role);
    if (!state.locks.problem.empty()) {
        state.outcome = StartupOutcome::kInUse;
        return state;
    }

    ChooseLanguageAtStart();
    CreateFolderPath(UserDataFolder() + u"db");
    state.start_hidden = StartsHidden(line.text) || StartsMinimisedByAutorun(line);
    return state;
}

int RunApplication(const CommandLine& line, MainWindowHost& host) {
    if (!line.error.empty()) {
        std::fprintf(stderr, "tessaly: %s\n", line.error.c_str());
        return 2;
    }
    if (line.send) {
        if (!line.program_dir.empty())
            SetProgramFolderOverride(line.program_dir);
        ReadAppConfig();
        if (SendInstanceRequest(*line.send))
            return 0;
        std::fprintf(stderr, "tessaly: no running instance answered\n");
        return 1;
    }
    StartupState state = PrepareStartup(line);
    if (state.outcome == StartupOutcome::kSecondInstance) {
        if (state.activated)
            return 0;
        // The first is still starting (waiting for a run of the tool, say).
        std::fprintf(
            stderr,
            "tessaly: %s is already running or starting and does not answer; not started again\n",
            ToUtf8(ApplicationName()).c_str());
        return 1;
    }
    if (state.outcome == StartupOutcome::kInUse) {
        std::fprintf(stderr, "tessaly: not started: %s\n", state.locks.problem.c_str());
        return 1;
    }
    if (state.outcome == StartupOutcome::kNoHomeFolder) {
        std::fprintf(stderr, "tessaly: %s\n", kNoHomeFolderMessage);
        return 1;
    }
    return host.Run(state.start_hidden, *state.instance);
}

}  // namespace tessaly
