#pragma once
// The settings page (page 56): version and update check, language, start
// with the system, the close button's behaviour, factory reset and links.
// Its state is read once, when it is built.

#include <functional>

#include "ui/ids/main_window_ids.h"
#include "ui/main/page_builders.h"

namespace tessaly::ui {

class DeviceMainDlg;

// The page's own events: return, update check (`software_check`),
// language, start with the desktop session, start minimised and the close
// button's behaviour. Factory reset and the links are the main window's.
void InstallSettingsPageEvents(DeviceMainDlg& dlg, std::function<void()> software_check);
// One activation of a control of the page; 1 when it was the page's.
int OnSettingsPageEvent(DeviceMainDlg& dlg, int id, const std::function<void()>& software_check);

}  // namespace tessaly::ui
