#pragma once
// Switching profiles and the profile dialog, and the window's profile
// messages: the profile name control opens the dialog, whose requests come
// back as message 1705.

#include "profiles/profiles_host.h"
#include "ui/main/device_main_dlg.h"

namespace tessaly {

// The profile becomes current and active, its name is shown and everything
// is sent (task 5).
void SwitchProfile(ProfilesHost& host, int profile);
// What follows a switch the window has already made current and queued.
void ActivateProfile(ProfilesHost& host, int profile);

// Shows the dialog over the profile name control, only with a mouse
// connected (a message box otherwise). UI thread.
void OpenProfileDialog(ui::DeviceMainDlg& dlg, ProfilesHost& host);

// The profile name control's handler and the handlers of message 1705. The
// host must outlive the window's use of them.
void InstallProfiles(ui::DeviceMainDlg& dlg, ProfilesHost& host);

}  // namespace tessaly
