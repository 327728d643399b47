#include "ui/dialogs/message_box.h"

#include "ui/dialogs/colour_values.h"
#include "ui/ids/message_box_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/dui.h"

namespace tessaly {

using namespace DUI;

namespace {
constexpr int kFontWidth = 16;
constexpr int kButtonProperty = 8;
}  // namespace

bool CUIMessageBox::Open(MWindow* parent) {
    LoadBKImage(u"bk_prompt.png");
    SetBackMode(1, 30);
    if (!Create(parent, kTitle, kDialogStyle, kWsExToolWindow, kRect)) {
        return false;
    }
    CenterWindow(parent);
    return true;
}

bool CUIMessageBox::OnInitDialog() {
    bool result = MDialog::OnInitDialog();
    SetWindowPos(kHwndTopMost, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize);
    return result;
}

void CUIMessageBox::AddButton(int id, int text_number, int left, int right, int top, int bottom) {
    auto* button =
        CreateControl<MButton>(id, {left, top, right, bottom}, LoadLanguageString(text_number));
    button->SetImage(u"img_button.png", 4);
    button->SetFontWidth(kFontWidth);
    button->SetTextColor(kWhite);
    button->SetStyle(kButtonProperty);
}

void CUIMessageBox::InitUI(Rect client) {
    SetLayeredWindow(true);
    auto* title =
        CreateArea<MText>(message_box_id::kTitle, {20, 15, client.right - 20, 45}, title_);
    title->SetFontWidth(kFontWidth);
    title->SetAlignment(kAlignCenter);
    title->SetTextColor(kWhite);

    auto* message = CreateArea<MText>(message_box_id::kMessage,
                                      {20, 50, client.right - 20, client.bottom - 50}, message_);
    message->SetFontWidth(kFontWidth);
    message->SetVAlignment(kAlignVCenter);
    message->SetAlignment(kAlignCenter);
    message->SetMultiLine(true);
    message->SetTextColor(kWhite);

    int top = client.bottom - 50;
    int bottom = client.bottom - 14;
    if (buttons_ == kMessageBoxOk) {
        AddButton(message_box_id::kFirstButton, text::kOk, 60, client.right - 60, top, bottom);
    } else if (buttons_ == kMessageBoxConfirm) {
        int c = (client.right - client.left) / 2;
        AddButton(message_box_id::kFirstButton, text::kConfirm, c - 120, c - 20, top, bottom);
        AddButton(message_box_id::kSecondButton, text::kCancel, c + 20, c + 120, top, bottom);
    }
}

int CUIMessageBox::OnMessage(int id, int event, intptr_t, intptr_t) {
    if (event != kEventActivated) {
        return 0;
    }
    if (id == message_box_id::kFirstButton) {
        DoOK();
        return 1;
    }
    if (id == message_box_id::kSecondButton) {
        DoCancel();
        return 1;
    }
    return 0;
}

int ShowMessageBox(std::u16string_view message, MWindow* parent, std::u16string_view title,
                   uint32_t buttons) {
    CUIMessageBox box(title, message, buttons);
    if (!box.Open(parent)) {
        return -1;
    }
    int result = box.ShowModal(kSwShowNormal);
    box.DestroyWindow();
    return result;
}

}  // namespace tessaly
