#include "ui/pages/record_edit_dlg.h"

#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/dui.h"

namespace tessaly::ui {

using namespace DUI;

bool RecordEditDlg::Open(MWindow* parent) {
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
