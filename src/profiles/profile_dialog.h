#pragma once
// Switching profiles and the profile dialog, and the window's profile
// messages: the profile name control opens the dialog, whose requests come
// back as message 1705.

#include "profiles/profile_operations.h"
#include "ui/main/page_context.h"

namespace tessaly {

// Shows the dialog over the profile name control, only with a mouse
// connected (a message box otherwise). UI thread.
void OpenProfileDialog(DUI::MDialog& window, ProfilesHost& host);

// The profile name control's handler and the handlers of message 1705,
// registered with the router. The host must outlive the window's use of them.
void InstallProfiles(const ui::ProfilesContext& context, ProfilesHost& host);

}  // namespace tessaly
