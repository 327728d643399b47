#include "macros/macro_page_behaviour.h"

#include <algorithm>
#include <array>

#include "app/language_state.h"
#include "base/decimal.h"
#include "base/trace.h"
#include "buttons/assignment_model.h"
#include "buttons/assignment_text.h"
#include "buttons/button_controls.h"
#include "buttons/key_capture.h"
#include "macros/macro_limits.h"
#include "macros/macro_names.h"
#include "macros/macro_operations.h"
#include "storage/key_table.h"
#include "storage/macro_table.h"
#include "ui/ids/macro_page_ids.h"
#include "ui/ids/main_window_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/dui.h"

namespace tessaly {
namespace {

constexpr int kEventEditorIds[] = {macro_id::kEditorPanel,  macro_id::kEditorKindLabel,
                                   macro_id::kEditorKind,   macro_id::kEditorValue,
                                   macro_id::kEditorButton, macro_id::kEditorValueLabel,
                                   macro_id::kMoveUp,       macro_id::kMoveDown};

// The delay choices give delay types 0-2 in order; the play choices give
// play types 1, 2, 0.
constexpr std::array<int, 3> kDelayChoices = {macro_id::kNoDelays, macro_id::kRecordedDelays,
                                              macro_id::kFixedDelay};
constexpr std::array<std::pair<int, int>, 3> kPlayChoices = {{{macro_id::kPlayWhileHeld, 1},
                                                              {macro_id::kPlayUntilPressedAgain, 2},
                                                              {macro_id::kPlayCount, 0}}};

constexpr std::u16string_view kRecordIcon = u"icon\\icon_rec.png";
constexpr std::u16string_view kStopIcon = u"icon\\icon_stop_rec.png";

std::u16string Text(int number) {
    return LoadLanguageString(number);
}

// The number a field holds; an empty field counts as the value given.
int FieldNumber(DUI::MEdit* field, int empty_value) {
    if (!field || field->GetTitle().empty()) {
        return empty_value;
    }
    return DecimalToInt(field->GetTitle());
}

}  // namespace

MacroPage::MacroPage(const ui::MacroPageContext& context, std::shared_ptr<MacroHost> host)
    : context_(context), dlg_(context.page.Window()), host_(std::move(host)) {}

MacroPage::~MacroPage() = default;

DUI::MControl* MacroPage::Find(int id) const {
    return context_.page.Find(id);
}

DUI::MComboBox* MacroPage::MacroChoice() const {
    return context_.button_panel.FindAs<DUI::MComboBox>(button_id::kMacroChoice);
}

int MacroPage::SelectedMacro() const {
    auto* list = Control<DUI::MacroList>(macro_id::kMacroList);
    return list ? static_cast<int>(list->GetCurData()) : 0;
}

void MacroPage::Refill() {
    std::lock_guard lock(recording_mutex_);
    auto* list = Control<DUI::MacroList>(macro_id::kMacroList);
    auto* choice = MacroChoice();
    auto* events = Control<DUI::CRecordList>(macro_id::kEventList);
    if (!list) {
        return;
    }
    // A recording ends before the lists are rebuilt under it, and its
    // macro stays selected.
    int recorded = 0;
    if (recorder_.recording()) {
        recorded = recording_macro_;
        StopRecording();
    }
    // The button page's macro choice shows the current button's macro, if
    // it has one; the refill keeps that.
    const intptr_t chosen = choice && choice->GetCurSel() >= 0 ? choice->GetCurData() : 0;
    list->DeleteAllItems();
    if (choice) {
        choice->DeleteAllItems();
    }
    if (events) {
        events->DeleteAllItems();
    }
    for (const MacroEntry& entry : ListMacroEntries()) {
        list->AddItem(entry.shown, entry.macro.macro_id);
        if (choice) {
            choice->AddItem(entry.shown, entry.macro.macro_id);
        }
    }
    int selected = 0;
    for (int i = 0; recorded > 0 && i < list->GetItemCount(); ++i) {
        if (list->GetItemData(i) == recorded) {
            selected = i;
        }
    }
    list->SelectItem(selected);
    if (choice && chosen > 0) {
        choice->SelectData(chosen);
    }
    ShowSelectedMacro();
}

void MacroPage::ShowSelectedMacro() {
    for (int id : kEventEditorIds) {
        if (auto* control = Control<DUI::MControl>(id)) {
            control->SetVisible(false);
        }
    }
    auto* fixed = Control<DUI::MEdit>(macro_id::kFixedDelayField);
    auto* count = Control<DUI::MEdit>(macro_id::kPlayCountField);
    if (fixed) {
        fixed->SetEnabled(false);
    }
    if (count) {
        count->SetEnabled(false);
    }
    MacroInfo macro;
    if (!GetMacro(SelectedMacro(), macro)) {
        ShowEvents({});
        return;
    }
    for (int type = 0; type < static_cast<int>(kDelayChoices.size()); ++type) {
        if (auto* radio = Control<DUI::CRadioButton>(kDelayChoices[type])) {
            radio->SetCheck(macro.delay_type == type);
        }
    }
    if (macro.delay_type == kDelayModeFixed && fixed) {
        fixed->SetEnabled(true);
        fixed->SetTitle(IntToDecimal(macro.delay_time));
    }
    for (const auto& [id, type] : kPlayChoices) {
        if (auto* radio = Control<DUI::CRadioButton>(id)) {
            radio->SetCheck(macro.play_type == type);
        }
    }
    if (macro.play_type == 0 && count) {
        count->SetEnabled(true);
        count->SetTitle(IntToDecimal(macro.play_times));
    }
    std::vector<MacroEvent> events;
    ListMacroEvents(macro.macro_id, events);
    ShowEvents(MacroEventList(std::move(events)));
}

MacroEventList MacroPage::EventsShown() const {
    std::vector<MacroEvent> events;
    if (auto* list = Control<DUI::CRecordList>(macro_id::kEventList)) {
        for (const DUI::RecordInfo& record : list->Records()) {
            MacroEvent event;
            event.type = record.type;
            event.value = record.value;
            event.delay_time = static_cast<int>(record.stamp);
            event.desc = record.text;
            events.push_back(std::move(event));
        }
    }
    return MacroEventList(std::move(events));
}

void MacroPage::ShowEvents(const MacroEventList& events) {
    auto* list = Control<DUI::CRecordList>(macro_id::kEventList);
    if (!list) {
        return;
    }
    const int selected = list->GetCurSel();
    list->DeleteAllItems();
    for (const MacroEvent& event : events.events()) {
        list->AddString(event.desc, event.type, event.value,
                        static_cast<uint32_t>(event.delay_time));
    }
    if (selected >= 0 && selected < events.size()) {
        list->SelectItem(selected);
    }
}

void MacroPage::ShowChange(const MacroChange& change) {
    // A refused write shows what the store still holds.
    if (!change.ok && change.reason != MacroRefusal::kStoreFailed) {
        return;
    }
    ShowEvents(MacroEventList(change.events));
    if (change.ok) {
        if (auto* list = Control<DUI::CRecordList>(macro_id::kEventList)) {
            list->SelectItem(change.selected);
        }
    }
}

int MacroPage::CheckedDelayType() const {
    int checked = kDelayModeNone;
    for (int type = 0; type < static_cast<int>(kDelayChoices.size()); ++type) {
        auto* radio = Control<DUI::CRadioButton>(kDelayChoices[type]);
        if (radio && radio->GetCheck()) {
            checked = type;
        }
    }
    return checked;
}

void MacroPage::NewMacro() {
    auto* list = Control<DUI::MacroList>(macro_id::kMacroList);
    if (!list) {
        return;
    }
    const MacroChange change = CreateMacro();
    if (!change.ok) {
        return;
    }
    const std::u16string& name = change.macro.name;
    const int id = change.macro.macro_id;
    list->AddItem(name, id);
    if (auto* choice = MacroChoice()) {
        choice->AddItem(name, id);
    }
    list->SelectItem(list->GetItemCount() - 1);
    ShowSelectedMacro();
}

void MacroPage::RemoveMacro() {
    auto* list = Control<DUI::MacroList>(macro_id::kMacroList);
    const int index = list ? list->GetCurSel() : -1;
    const int id = SelectedMacro();
    if (index < 0 || !EraseMacro(id).ok) {
        return;
    }
    list->RemoveItem(index);
    if (auto* choice = MacroChoice()) {
        for (int i = 0; i < choice->GetItemCount(); ++i) {
            if (choice->GetItemData(i) == id) {
                choice->RemoveItem(i);
                break;
            }
        }
    }
    // The macro now selected shows its own events: an empty list here would
    // be saved over them by the next edit.
    list->SelectItem(std::max(index - 1, 0));
    ShowSelectedMacro();
}

void MacroPage::ApplyMacroName() {
    auto* list = Control<DUI::MacroList>(macro_id::kMacroList);
    const int index = list ? list->GetCurSel() : -1;
    if (index < 0) {
        return;
    }
    const std::u16string text = list->GetItemText(index);
    const MacroChange change = RenameMacroTo(*host_, SelectedMacro(), text);
    if (change.reason == MacroRefusal::kNoMacro) {
        return;
    }
    if (!change.ok) {
        list->ModifyItemString(index, ShownMacroName(change.macro.name));
        return;
    }
    if (auto* choice = MacroChoice()) {
        for (int i = 0; i < choice->GetItemCount(); ++i) {
            if (choice->GetItemData(i) == change.macro.macro_id) {
                choice->SetItemText(i, text);
            }
        }
    }
    // The button list shows the new name at once.
    if (DUI::MouseKeyCtrl* key_list =
            ButtonControls(context_.button_list, context_.button_panel).List()) {
        for (const KeyAssignment& key : change.renamed_buttons) {
            key_list->SetItemKeyDesc(key.key_code, DescribeAssignment(key, CurrentLcid()));
        }
    }
}

void MacroPage::SaveMacroSettings() {
    MacroInfo macro;
    if (!GetMacro(SelectedMacro(), macro)) {
        return;
    }
    // A play type no choice shows (3, from files) is kept.
    MacroSettings settings{macro.play_type, 1, CheckedDelayType(), 0};
    for (const auto& [id, type] : kPlayChoices) {
        auto* radio = Control<DUI::CRadioButton>(id);
        if (radio && radio->GetCheck()) {
            settings.play_type = type;
        }
    }
    auto* fixed = Control<DUI::MEdit>(macro_id::kFixedDelayField);
    auto* count = Control<DUI::MEdit>(macro_id::kPlayCountField);
    settings.delay_time = FieldNumber(fixed, kInsertedDelay);
    settings.play_times = FieldNumber(count, 1);
    const MacroChange change = ChangeMacroSettings(*host_, macro.macro_id, settings);
    if (change.reason == MacroRefusal::kStoreFailed) {
        ShowSelectedMacro();
        return;
    }
    if (!change.ok) {
        return;
    }
    // The fields show the numbers as limited and stored.
    if (change.macro.delay_type == kDelayModeFixed && fixed) {
        fixed->SetTitle(IntToDecimal(change.macro.delay_time));
    }
    if (change.macro.play_type == kPlayTypeCounted && count) {
        count->SetTitle(IntToDecimal(change.macro.play_times));
    }
}

void MacroPage::OnDelayChoice(int control_id) {
    if (auto* fixed = Control<DUI::MEdit>(macro_id::kFixedDelayField)) {
        const bool is_fixed = control_id == kDelayChoices[kDelayModeFixed];
        if (is_fixed) {
            fixed->SetTitle(u"10");
        }
        fixed->SetEnabled(is_fixed);
    }
    SaveMacroSettings();
}

void MacroPage::OnPlayChoice(int control_id) {
    if (auto* count = Control<DUI::MEdit>(macro_id::kPlayCountField)) {
        const bool counted = control_id == kPlayChoices[2].first;
        if (counted) {
            count->SetTitle(u"1");
        }
        count->SetEnabled(counted);
    }
    SaveMacroSettings();
}

void MacroPage::OnFieldLeft(int control_id) {
    if (control_id != macro_id::kFixedDelayField && control_id != macro_id::kPlayCountField) {
        return;
    }
    SaveMacroSettings();
    auto* fixed = Control<DUI::MEdit>(macro_id::kFixedDelayField);
    if (control_id == macro_id::kFixedDelayField && fixed) {
        fixed->SetTooltip(fixed->GetTitle());
    }
}

void MacroPage::DeleteEvent() {
    ShowChange(DeleteMacroEvent(SelectedMacro(), SelectedEvent()));
}

void MacroPage::ClearEvents() {
    ShowChange(ClearMacroEvents(SelectedMacro()));
}

void MacroPage::MoveEvent(MoveDirection direction) {
    ShowChange(MoveMacroEvent(SelectedMacro(), SelectedEvent(), direction));
}

// --- recording -------------------------------------------------------------

void MacroPage::ToggleRecording() {
    if (recording()) {
        StopRecordingIfRunning();
    } else {
        StartRecording();
    }
}

void MacroPage::StartRecording() {
    if (SelectedMacro() <= 0) {
        host_->ShowMessage(Text(text::kSelectMacroFirst), Text(text::kStartRecording));
        return;
    }
    const int mode = CheckedDelayType();
    int fixed = 0;
    if (mode == kDelayModeFixed) {
        auto* field = Control<DUI::MEdit>(macro_id::kFixedDelayField);
        if (field && field->GetTitle().empty()) {
            field->SetTitle(u"10");
        }
        fixed = field ? DecimalToInt(field->GetTitle()) : kInsertedDelay;
    }
    // Keys are recorded whichever window has the focus, where the machine's
    // keyboards can be read; otherwise from this window only.
    capture_ = std::make_unique<CaptureSet>(context_.capture, dlg_, kCaptureRecording,
                                            KeyboardSource::kAllKeyboards);
    if (!capture_->ReadsAllKeyboards()) {
        Trace(kTraceDevice, "macro recording: no keyboard readable, keys of the window only");
        if (!told_window_only_) {
            told_window_only_ = true;
            // The box's own keys are not part of the macro.
            capture_.reset();
            host_->ShowMessage(Text(text::kRecordingWindowOnly), Text(text::kMacroNoticeTitle));
            capture_ = std::make_unique<CaptureSet>(context_.capture, dlg_, kCaptureRecording,
                                                    KeyboardSource::kWindow);
        }
    }
    std::lock_guard lock(recording_mutex_);
    // A refill during the notice may have changed the selection.
    recording_macro_ = SelectedMacro();
    if (recording_macro_ <= 0) {
        capture_.reset();
        return;
    }
    std::vector<MacroEvent> events;
    ListMacroEvents(recording_macro_, events);
    recording_list_ = MacroEventList(std::move(events));
    // The clock starts once the keys are read, after any notice.
    recorder_.Start(mode, fixed, host_->Now());
    SetRecordingControls(true);
}

bool MacroPage::recording() const {
    std::lock_guard lock(recording_mutex_);
    return recorder_.recording();
}

void MacroPage::StopRecording() {
    recorder_.Stop(recording_list_, host_->Now());
    FinishRecording();
}

void MacroPage::FinishRecording() {
    capture_.reset();
    // Saved into the macro the keys were recorded for, whatever the page
    // shows by now.
    MacroInfo macro;
    if (GetMacro(recording_macro_, macro)) {
        SaveEventList(recording_macro_, recording_list_.events());
    }
    recording_macro_ = 0;
    SetRecordingControls(false);
}

void MacroPage::StopRecordingIfRunning() {
    std::lock_guard lock(recording_mutex_);
    if (recorder_.recording()) {
        StopRecording();
    }
}

void MacroPage::OnRecordedKey(bool released, int code, std::u16string_view name) {
    {
        std::lock_guard lock(recording_mutex_);
        if (!recorder_.recording()) {
            return;
        }
        const RecordResult result =
            recorder_.OnKey(recording_list_, released, code, name, host_->Now());
        ShowEvents(recording_list_);
        if (result != RecordResult::kLimit) {
            return;
        }
        FinishRecording();
    }
    host_->ShowMessage(Text(text::kEventListFull), Text(text::kEventList));
}

void MacroPage::SetRecordingControls(bool recording) {
    if (auto* button = Control<DUI::CIconButton>(macro_id::kRecord)) {
        button->SetTitle(Text(recording ? text::kStopRecording : text::kStartRecording));
        button->SetIcon(recording ? kStopIcon : kRecordIcon);
    }
    for (int id = macro_id::kFirstControl; id <= macro_id::kLastControl; ++id) {
        auto* control = Control<DUI::MControl>(id);
        if (control && id != macro_id::kRecord) {
            control->SetEnabled(!recording);
        }
    }
    if (auto* files = Control<DUI::MControl>(macro_id::kFilesButton)) {
        files->SetEnabled(!recording);
    }
    // The page cannot be left while recording.
    if (context_.tabs) {
        context_.tabs->SetEnabled(!recording);
    }
    if (auto* profiles = dlg_.GetControl(main_id::kProfile)) {
        profiles->SetEnabled(!recording);
    }
    if (!recording) {
        ShowSelectedMacro();
    }
}

// --- events ----------------------------------------------------------------

int MacroPage::OnListEvent(int control_id, int event) {
    if (control_id == macro_id::kMacroList && event == DUI::kEventActivated) {
        ShowSelectedMacro();
    } else if (control_id == macro_id::kMacroList && event == DUI::kEventMore) {
        OpenMacroMenu();
    } else if (control_id == macro_id::kMacroList && event == DUI::kEventKillFocus) {
        ApplyMacroName();
    } else if (control_id == macro_id::kEventList && event == DUI::kEventSecondary) {
        OpenEventMenu();
    } else if (control_id == macro_id::kEventList && event == DUI::kEventActivated) {
        OpenEventEditor();
    }
    return 0;
}

int MacroPage::OnEditEvent(int control_id, int event) {
    if (control_id == macro_id::kEditorValue &&
        (event == DUI::kEventKillFocus || event == DUI::kEventSetFocus)) {
        OnEditorFocus(event == DUI::kEventSetFocus);
    } else if (event == DUI::kEventKillFocus) {
        OnFieldLeft(control_id);
    }
    return 0;
}

int MacroPage::OnPageEvent(int control_id, int) {
    switch (control_id) {
        case macro_id::kNewMacro:
            NewMacro();
            break;
        case macro_id::kDeleteMacro:
            RemoveMacro();
            break;
        case macro_id::kDeleteEvent:
            DeleteEvent();
            break;
        case macro_id::kClearEvents:
            ClearEvents();
            break;
        case macro_id::kRecord:
            ToggleRecording();
            break;
        case macro_id::kInsert:
            OpenInsertMenu();
            break;
        case macro_id::kFilesButton:
            OpenMacroMenuAtButton();
            break;
        case macro_id::kEditorKind:
            OnKindChoice();
            break;
        case macro_id::kEditorButton:
            OnButtonChoice();
            break;
        case macro_id::kMoveUp:
            MoveEvent(MoveDirection::kUp);
            break;
        case macro_id::kMoveDown:
            MoveEvent(MoveDirection::kDown);
            break;
        default:
            if (std::ranges::find(kDelayChoices, control_id) != kDelayChoices.end()) {
                OnDelayChoice(control_id);
            } else if (control_id >= kPlayChoices[0].first && control_id <= kPlayChoices[2].first) {
                OnPlayChoice(control_id);
            }
            break;
    }
    return 0;
}

std::shared_ptr<MacroPage> InstallMacroPage(const ui::MacroPageContext& context,
                                            std::shared_ptr<MacroHost> host) {
    auto page = std::make_shared<MacroPage>(context, std::move(host));
    ui::PageRouter& router = context.router;
    router.SetPageHandler(ui::RouteSlot::kMacroLists, [page](int id, int event, intptr_t) {
        return page->OnListEvent(id, event);
    });
    router.SetPageHandler(ui::RouteSlot::kMacroEdit, [page](int id, int event, intptr_t) {
        return page->OnEditEvent(id, event);
    });
    router.SetPageHandler(ui::RouteSlot::kMacroPage, [page](int id, int event, intptr_t) {
        return page->OnPageEvent(id, event);
    });
    router.SetMessageHandler(ui::MessageSlot::kMacroMenu, [page](uintptr_t message, intptr_t item) {
        page->OnMenuChoice(static_cast<uint32_t>(message), static_cast<int>(item));
        return intptr_t{1};
    });
    SetCaptureConsumer(kCaptureRecording,
                       [weak = std::weak_ptr<MacroPage>(page)](const RawKeyEvent& key) {
                           if (auto alive = weak.lock()) {
                               alive->OnRecordedKey(key.released != 0, key.code, key.name);
                           }
                           return intptr_t{0};
                       });
    SetCaptureConsumer(kCaptureMacroKey,
                       [weak = std::weak_ptr<MacroPage>(page)](const RawKeyEvent& key) {
                           if (auto alive = weak.lock()) {
                               alive->OnEditorKey(key.code, key.name);
                           }
                           return intptr_t{0};
                       });
    return page;
}

}  // namespace tessaly
