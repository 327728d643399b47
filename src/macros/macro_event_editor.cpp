// The macro page's event editor: the kind and value of the selected event,
// a delay typed in, a key captured from the keyboard or a mouse button.

#include "base/decimal.h"
#include "buttons/key_capture.h"
#include "macros/macro_event_texts.h"
#include "macros/macro_page_behaviour.h"
#include "ui/ids/macro_page_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/dui.h"

namespace tessaly {
namespace {

// The editor's controls other than the value field and the button choice.
constexpr int kEditorIds[] = {macro_id::kEditorPanel, macro_id::kEditorKindLabel,
                              macro_id::kEditorKind,  macro_id::kEditorValueLabel,
                              macro_id::kMoveUp,      macro_id::kMoveDown};

constexpr int kKindMouse = 1;
constexpr int kKindKey = 2;
constexpr int kKindDelay = 3;

constexpr int kDelayFieldLimit = 5;
constexpr int kKeyFieldLimit = 10;

// The button choice's items carry the mouse function numbers of the key
// page (1 left, 3 right, 2 middle, 5 forward, 6 back); events store the
// button bit their text names.
struct ChoiceBit {
    intptr_t data;
    int bit;
};
constexpr ChoiceBit kChoiceBits[] = {
    {1, kMouseButtonLeft},    {3, kMouseButtonRight}, {2, kMouseButtonMiddle},
    {5, kMouseButtonForward}, {6, kMouseButtonBack},
};

int BitOfChoice(intptr_t data) {
    for (const ChoiceBit& row : kChoiceBits) {
        if (row.data == data) {
            return row.bit;
        }
    }
    return 0;
}

intptr_t ChoiceOfBit(int bit) {
    for (const ChoiceBit& row : kChoiceBits) {
        if (row.bit == bit) {
            return row.data;
        }
    }
    return 0;
}

int KindOf(int type) {
    switch (type) {
        case kEventDelay:
            return kKindDelay;
        case kEventKeyPress:
        case kEventKeyRelease:
            return kKindKey;
        case kEventMousePress:
        case kEventMouseRelease:
            return kKindMouse;
        default:
            return 0;
    }
}

int KindText(int kind) {
    switch (kind) {
        case kKindMouse:
            return text::kKindMouseButton;
        case kKindKey:
            return text::kKindKey;
        default:
            return text::kKindDelay;
    }
}

}  // namespace

int MacroPage::SelectedEvent() const {
    auto* list = Control<DUI::CRecordList>(macro_id::kEventList);
    return list ? list->GetCurSel() : -1;
}

int MacroPage::EditorKind() const {
    auto* kind = Control<DUI::MComboBox>(macro_id::kEditorKind);
    return kind ? static_cast<int>(kind->GetItemData(0)) : 0;
}

void MacroPage::OpenEventEditor() {
    const int position = SelectedEvent();
    const MacroEventList events = EventsShown();
    if (position < 0 || position >= events.size()) {
        return;
    }
    const MacroEvent& event = events.events()[position];
    const int kind = KindOf(event.type);
    if (kind == 0) {
        return;
    }
    for (int id : kEditorIds) {
        if (auto* control = Control<DUI::MControl>(id)) {
            control->SetVisible(true);
        }
    }
    if (auto* choice = Control<DUI::MComboBox>(macro_id::kEditorKind)) {
        choice->DeleteAllItems();
        choice->AddItem(LoadLanguageString(KindText(kind)), kind);
        choice->SelectItem(0);
    }
    ShowEditorFields(kind, &event);
}

void MacroPage::ShowEditorFields(int kind, const MacroEvent* event) {
    auto* field = Control<DUI::MEdit>(macro_id::kEditorValue);
    auto* buttons = Control<DUI::MComboBox>(macro_id::kEditorButton);
    if (!field || !buttons) {
        return;
    }
    field->SetVisible(kind != kKindMouse);
    buttons->SetVisible(kind == kKindMouse);
    field->SetTitle(u"");
    field->SetTipInfo(u"");
    if (kind == kKindDelay) {
        field->SetLimitText(kDelayFieldLimit);
        field->SetInputMode(DUI::EditMode::kNumber);
        field->SetTitle(event ? IntToDecimal(event->value) : u"10");
    } else if (kind == kKindKey) {
        field->SetLimitText(kKeyFieldLimit);
        field->SetInputMode(DUI::EditMode::kCapture);
        field->SetTipInfo(LoadLanguageString(text::kPressAKeyEvent));
        if (event && event->desc.size() > 2) {
            field->SetTitle(std::u16string_view(event->desc).substr(2));
        }
    } else if (event) {
        buttons->SelectData(ChoiceOfBit(event->value));
    }
}

void MacroPage::OnKindChoice() {
    ShowEditorFields(EditorKind(), nullptr);
}

void MacroPage::OnEditorFocus(bool focused) {
    auto* field = Control<DUI::MEdit>(macro_id::kEditorValue);
    if (!field) {
        return;
    }
    const int kind = EditorKind();
    if (kind == kKindKey) {
        if (focused) {
            editor_code_ = 0;
            editor_name_.clear();
            field->SetTitle(u"");
            editor_capture_ =
                std::make_unique<CaptureSet>(context_.capture, dlg_, kCaptureMacroKey);
            return;
        }
        editor_capture_.reset();
        if (!editor_name_.empty()) {
            ShowChange(
                SetMacroEventKey(SelectedMacro(), SelectedEvent(), editor_code_, editor_name_));
        }
        return;
    }
    if (focused || kind != kKindDelay) {
        return;
    }
    const int position = SelectedEvent();
    const MacroChange change =
        SetMacroDelay(SelectedMacro(), position, DecimalToInt(field->GetTitle()));
    if (change.ok) {
        // The field shows the delay as limited and stored.
        field->SetTitle(IntToDecimal(change.events[position].value));
    }
    ShowChange(change);
}

void MacroPage::OnEditorKey(int code, std::u16string_view name) {
    if (record_edit_) {
        record_edit_->SetCapturedKey(code, name);
        return;
    }
    editor_code_ = code;
    editor_name_ = std::u16string(name);
    if (auto* field = Control<DUI::MEdit>(macro_id::kEditorValue)) {
        field->SetTitle(name);
    }
}

void MacroPage::OnButtonChoice() {
    if (auto* buttons = Control<DUI::MComboBox>(macro_id::kEditorButton)) {
        ShowChange(SetMacroEventButton(SelectedMacro(), SelectedEvent(),
                                       BitOfChoice(buttons->GetCurData())));
    }
}

}  // namespace tessaly
