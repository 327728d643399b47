#pragma once
// Small operations on the main window's controls by id, for the worker's
// window effects. A missing control is skipped.

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "ui/main/device_main_dlg.h"

namespace tessaly {

void ShowControls(ui::DeviceMainDlg& dlg, std::initializer_list<int> ids, bool visible);
void SetControlTitle(ui::DeviceMainDlg& dlg, int id, std::u16string_view text);
// The title from a language text number.
void SetControlText(ui::DeviceMainDlg& dlg, int id, int text_number);
// A title made from numbered texts: built now and again after a change of
// language.
void SetLocalisedTitle(ui::DeviceMainDlg& dlg, int id, std::function<std::u16string()> build);
void SetControlEnabled(ui::DeviceMainDlg& dlg, int id, bool enabled);
void SelectTabIndex(ui::DeviceMainDlg& dlg, int index);

}  // namespace tessaly
