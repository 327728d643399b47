#include "ui/pages/record_edit_dlg.h"

#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/dui.h"

namespace tessaly::ui {

using namespace DUI;

namespace {

constexpr int kCloseId = 32;
constexpr int kKeyFieldId = 34;
constexpr int kOkId = 35;

}  // namespace

bool RecordEditDlg::Open(MWindow* parent, CaptureSwitch capture) {
    capture_ = std::move(capture);
    if (!Create(parent, kTitle, kDialogStyle, 0, kRect)) {
        return false;
    }
    CenterWindow(parent);
    return true;
}

void RecordEditDlg::InitUI(Rect client) {
    CreateArea<MText>(31, {})->SetAlignment(kAlignCenter);
    auto* close = CreateControl<CImageButton>(32, {});
    close->SetImage(u"sysbtn_close.png", 4);
    close->SetTooltip(LoadLanguageString(text::kClose));
    CreateArea<MText>(33, {}, LoadLanguageString(text::kKey));
    auto* field = CreateControl<MEdit>(34, {});
    field->SetImage(u"img_edit.png");
    field->SetAlignment(kAlignCenter);
    field->SetLimitText(10);
    field->SetInputMode(EditMode::kCapture);
    auto* ok = CreateControl<MButton>(35, {}, LoadLanguageString(text::kDialogOk));
    ok->SetImage(u"img_button.png", 4);
    UISize(client);
    Toolkit::Get().DeliverFocus(*field, true);
}

int RecordEditDlg::OnMessage(int id, int event, intptr_t, intptr_t) {
    if (id == kKeyFieldId && (event == kEventSetFocus || event == kEventKillFocus)) {
        const bool on = event == kEventSetFocus;
        if (on) {
            code_ = 0;
            name_.clear();
            if (auto* field = dynamic_cast<MEdit*>(GetControl(kKeyFieldId))) {
                field->SetTitle(u"");
            }
        }
        if (capture_) {
            capture_(on);
        }
    } else if (id == kOkId && event == kEventActivated) {
        EndModal(1);
    } else if (id == kCloseId && event == kEventActivated) {
        EndModal(2);
    }
    return 0;
}

bool RecordEditDlg::OnEscapeKey() {
    const MControl* focus = GetFocusControl();
    if (focus != nullptr && focus->GetId() == kKeyFieldId) {
        return false;
    }
    EndModal(2);
    return true;
}

void RecordEditDlg::SetCapturedKey(int code, std::u16string_view name) {
    code_ = code;
    name_ = std::u16string(name);
    if (auto* field = dynamic_cast<MEdit*>(GetControl(kKeyFieldId))) {
        field->SetTitle(name);
    }
}

void RecordEditDlg::UISize(Rect client) {
    int w = client.Width();
    int h = client.Height();
    int x = (w - 120) / 2;
    const std::pair<int, Rect> rects[] = {
        {31, {w / 2 - 100, 10, w / 2 + 100, 40}},
        {32, {w - 40, 15, w - 10, 45}},
        {33, {25, 60, 125, 90}},
        {34, {125, 60, 325, 90}},
        {35, {x + 40, h - 50, x + 160, h - 20}},
    };
    for (const auto& [id, rect] : rects) {
        if (MControl* control = GetControl(id)) {
            control->SetRect(rect);
        }
    }
}

}  // namespace tessaly::ui
