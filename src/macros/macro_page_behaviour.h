#pragma once
// The macro page's behaviour: the macro list and the key page's macro
// choice, the event list of the selected macro, its settings, editing and
// recording. Every change of the events is saved at once.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "macros/macro_event_list.h"
#include "macros/macro_files.h"
#include "macros/macro_host.h"
#include "macros/macro_operations.h"
#include "macros/macro_recorder.h"
#include "ui/main/page_context.h"
#include "ui/pages/record_edit_dlg.h"
#include "ui/toolkit/menu_wnd.h"

namespace tessaly {

class CaptureSet;
namespace DUI {
class MComboBox;
class MControl;
}  // namespace DUI

class MacroPage {
  public:
    MacroPage(const ui::MacroPageContext& context, std::shared_ptr<MacroHost> host);
    ~MacroPage();
    MacroPage(const MacroPage&) = delete;
    MacroPage& operator=(const MacroPage&) = delete;

    // Both lists from the store, the first macro selected and shown.
    void Refill();
    void ShowSelectedMacro();
    int SelectedMacro() const;

    void NewMacro();
    void RemoveMacro();
    void ApplyMacroName();
    void SaveMacroSettings();
    void OnDelayChoice(int control_id);
    void OnPlayChoice(int control_id);
    void OnFieldLeft(int control_id);

    void DeleteEvent();
    void ClearEvents();
    void MoveEvent(MoveDirection direction);

    void ToggleRecording();
    bool recording() const;
    // A link change or a closing of popups: a running recording stops and
    // is saved into its macro (any thread).
    void StopRecordingIfRunning();
    // A decoded key while recording.
    void OnRecordedKey(bool released, int code, std::u16string_view name);

    // The three menus and their choices (messages 1709-1711).
    std::vector<DUI::MenuItem> MacroMenuItems() const;
    void OpenMacroMenu();
    // The same menu from the page's import and export button, above it.
    void OpenMacroMenuAtButton();
    void OpenInsertMenu();
    void OpenEventMenu();
    void OnMenuChoice(uint32_t message, int item);
    void InsertMouseClick(int button_bit);
    void InsertDelay();
    void InsertKey(int code, std::u16string_view name);
    // Insert menu item 101: a key captured in RecordEditDlg.
    void InsertCapturedKey();

    // Macro files through the file dialog.
    void ExportMacroFile();
    void ImportMacroFile();
    void ExportMacroCollection();
    void ImportMacroCollection();

    // The event editor of the selected event.
    void OpenEventEditor();
    void OnKindChoice();
    void OnEditorFocus(bool focused);
    void OnButtonChoice();
    void OnEditorKey(int code, std::u16string_view name);

    int OnPageEvent(int control_id, int event);
    int OnListEvent(int control_id, int event);
    int OnEditEvent(int control_id, int event);

  private:
    DUI::MControl* Find(int id) const;
    // Used where the control classes are complete.
    template <typename T>
    T* Control(int id) const {
        return dynamic_cast<T*>(Find(id));
    }
    // The key page's macro choice.
    DUI::MComboBox* MacroChoice() const;
    MacroEventList EventsShown() const;
    void ShowEvents(const MacroEventList& list);
    // The events an operation left stored, and its selection.
    void ShowChange(const MacroChange& change);
    // Inserted after the selected event; a full list is told.
    void InsertEvents(const MacroInsertion& insertion);
    void AddImported(const MacroFileImport& imported);
    // The delay type of the checked delay choice (0 with none checked).
    int CheckedDelayType() const;
    void StartRecording();
    // Both with the recording lock held.
    void StopRecording();
    void FinishRecording();
    void SetRecordingControls(bool recording);
    // Field 187 and choice 188 for the kind data (1 mouse, 2 key, 3 delay).
    void ShowEditorFields(int kind, const MacroEvent* event);
    int EditorKind() const;
    int SelectedEvent() const;

    const ui::MacroPageContext context_;
    // The owner of the page's menus and dialogs.
    DUI::MDialog& dlg_;
    std::shared_ptr<MacroHost> host_;
    // Keys arrive on the UI thread, link changes and refills on the worker.
    mutable std::recursive_mutex recording_mutex_;
    MacroRecorder recorder_;
    MacroEventList recording_list_;
    int recording_macro_ = 0;
    std::unique_ptr<CaptureSet> capture_;
    // The user was told once that only this window's keys are recorded.
    bool told_window_only_ = false;
    // The event editor's key capture (mode 12).
    std::unique_ptr<CaptureSet> editor_capture_;
    // The open key dialog, which takes captured keys meanwhile.
    ui::RecordEditDlg* record_edit_ = nullptr;
    int editor_code_ = 0;
    std::u16string editor_name_;
};

// Builds the page's behaviour and registers its handlers with the router.
std::shared_ptr<MacroPage> InstallMacroPage(const ui::MacroPageContext& context,
                                            std::shared_ptr<MacroHost> host);

}  // namespace tessaly
