#include "ui/pages/record_edit_dlg.h"

#include "ui/ids/record_edit_dialog_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/dui.h"

namespace tessaly::ui {

using namespace DUI;

bool RecordEditDlg::Open(MWindow* parent, CaptureSwitch capture) {
    capture_ = std::move(capture);
    if (!Create(parent, kTitle, kDialogStyle, 0, kRect)) {
        return false;
    }
    CenterWindow(parent);
    return true;
}

void RecordEditDlg::InitUI(Rect client) {
    CreateArea<MText>(record_edit_id::kTitle, {})->SetAlignment(kAlignCenter);
    auto* close = CreateControl<CImageButton>(record_edit_id::kClose, {});
    close->SetImage(u"sysbtn_close.png", 4);
    close->SetTooltip(LoadLanguageString(text::kClose));
    CreateArea<MText>(record_edit_id::kKeyLabel, {}, LoadLanguageString(text::kKey));
    auto* field = CreateControl<MEdit>(record_edit_id::kKeyField, {});
    field->SetImage(u"img_edit.png");
    field->SetAlignment(kAlignCenter);
    field->SetLimitText(10);
    field->SetInputMode(EditMode::kCapture);
    auto* ok = CreateControl<MButton>(record_edit_id::kOk, {}, LoadLanguageString(text::kDialogOk));
    ok->SetImage(u"img_button.png", 4);
    UISize(client);
    Toolkit::Get().DeliverFocus(*field, true);
}

int RecordEditDlg::OnMessage(int id, int event, intptr_t, intptr_t) {
    if (id == record_edit_id::kKeyField && (event == kEventSetFocus || event == kEventKillFocus)) {
        const bool on = event == kEventSetFocus;
        if (on) {
            code_ = 0;
            name_.clear();
            if (auto* field = dynamic_cast<MEdit*>(GetControl(record_edit_id::kKeyField))) {
                field->SetTitle(u"");
            }
        }
        if (capture_) {
            capture_(on);
        }
    } else if (id == record_edit_id::kOk && event == kEventActivated) {
        EndModal(1);
    } else if (id == record_edit_id::kClose && event == kEventActivated) {
        EndModal(2);
    }
    return 0;
}

bool RecordEditDlg::OnEscapeKey() {
    const MControl* focus = GetFocusControl();
    if (focus != nullptr && focus->GetId() == record_edit_id::kKeyField) {
        return false;
    }
    EndModal(2);
    return true;
}

void RecordEditDlg::SetCapturedKey(int code, std::u16string_view name) {
    code_ = code;
    name_ = std::u16string(name);
    if (auto* field = dynamic_cast<MEdit*>(GetControl(record_edit_id::kKeyField))) {
        field->SetTitle(name);
    }
}

void RecordEditDlg::UISize(Rect client) {
    int w = client.Width();
    int h = client.Height();
    int x = (w - 120) / 2;
    const std::pair<int, Rect> rects[] = {
        {record_edit_id::kTitle, {w / 2 - 100, 10, w / 2 + 100, 40}},
        {record_edit_id::kClose, {w - 40, 15, w - 10, 45}},
        {record_edit_id::kKeyLabel, {25, 60, 125, 90}},
        {record_edit_id::kKeyField, {125, 60, 325, 90}},
        {record_edit_id::kOk, {x + 40, h - 50, x + 160, h - 20}},
    };
    for (const auto& [id, rect] : rects) {
        if (MControl* control = GetControl(id)) {
            control->SetRect(rect);
        }
    }
}

}  // namespace tessaly::ui
