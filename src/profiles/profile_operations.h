#pragma once
// What the profile dialog does, without the dialog: switching, renaming,
// export and import. Each checks its values, stores, then queues the task
// that sends everything (task 5) where the dialog's request does. A refusal
// changes nothing; it carries the text the dialog's message box shows (0
// where the dialog refuses silently). UI thread.

#include <string>
#include <string_view>

#include "profiles/profile_file.h"
#include "profiles/profiles_host.h"

namespace tessaly {

enum class ProfileRefusal {
    kNone,
    kNoProfile,     // no stored profile has the id
    kEmptyName,     // no name, or blanks only
    kTooLong,       // longer than a profile name may be
    kNotStored,     // the store did not keep it
    kNotWritten,    // the file could not be written (an existing one is as it was)
    kNotLoaded,     // not a well-formed profile file
    kNothingTaken,  // every value in the file is outside what the mouse takes
};

struct ProfileChange {
    ProfileRefusal refusal = ProfileRefusal::kNone;
    // The text number of the dialog's message box for the refusal, or 0.
    int refusal_text = 0;
    bool ok() const { return refusal == ProfileRefusal::kNone; }
};

bool ProfileExists(int profile);

// The profile becomes current and active, its name is shown and everything
// is sent.
ProfileChange SwitchProfile(ProfilesHost& host, int profile);
// What follows a switch the window has already made current and queued.
void ActivateProfile(ProfilesHost& host, int profile);

// Stores the name only: the dialog switches to the renamed profile when it
// closes, so a caller acting for it switches next.
ProfileChange RenameStoredProfile(int profile, std::u16string_view name);

// Saves the profile's buttons and the current profile's other settings
// under the current profile's shown name.
ProfileChange ExportProfileTo(ProfilesHost& host, std::u16string_view path, int profile);

struct ProfileImportChange {
    ProfileChange change;
    ProfileImport values;  // what the file held and what of it was taken
};
// Reads the file into the current profile, names the profile after the file
// and sends everything.
ProfileImportChange ImportProfileFrom(ProfilesHost& host, std::u16string_view path);

}  // namespace tessaly
