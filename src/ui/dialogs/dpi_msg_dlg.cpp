#include "ui/dialogs/dpi_msg_dlg.h"

#include "base/text_format.h"
#include "ui/ids/popup_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/dui.h"

namespace tessaly {

using namespace DUI;

bool DPIMsgDlg::Open(MWindow* parent) {
    if (!Create(parent, kTitle, kDialogStyle, kWsExToolWindow, kRect)) {
        return false;
    }
    // Nothing would hide a popup shown before its first value.
    ShowWindow(kSwHide);
    return true;
}

bool DPIMsgDlg::OnInitDialog() {
    bool result = MDialog::OnInitDialog();
    SetWindowPos(kHwndTopMost, 0, 0, 0, 0, kSwpNoSize | kSwpNoMove | kSwpShowWindow);
    MoveToCorner();
    return result;
}

void DPIMsgDlg::MoveToCorner() {
    Rect area = Toolkit::Get().WorkArea();
    MoveWindow({area.right - 302, area.bottom - 132, area.right - 2, area.bottom - 2}, true);
}

void DPIMsgDlg::InitUI(Rect client) {
    auto* close = CreateControl<CImageButton>(dpi_notice_id::kClose,
                                              {client.right - 36, 10, client.right - 6, 40});
    close->SetImage(u"sysbtn_close.png", 4);
    close->SetTooltip(LoadLanguageString(text::kClose));

    auto* value = CreateArea<MText>(dpi_notice_id::kValue, {10, 30, 170, 80}, u"1600");
    value->SetTextColor(Manager::m_select_color);
    value->SetFontWidth(36);

    auto* unit = CreateArea<MText>(dpi_notice_id::kUnit, {170, 50, 310, 80}, u"DPI");
    unit->SetFontWidth(20);
    unit->SetTextColor(0xFFC8C8C8);

    auto* progress =
        CreateControl<MProgress>(dpi_notice_id::kProgress, {10, 80, client.right - 20, 100});
    progress->SetMaxValue(kMaxDpi);

    auto lock = LockToolkit();
    value_text_ = value;
    progress_ = progress;
}

void DPIMsgDlg::ShowValue(int dpi) {
    {
        auto lock = LockToolkit();
        if (progress_ == nullptr) {
            return;  // closed
        }
        last_value_ = dpi;
        value_text_->SetTitle(Format(u"%d", dpi));
        progress_->SetProgress(dpi);
    }
    MoveToCorner();
    ShowWindow(kSwShow);
    SetTimer(kHideTimer, kShowMs);
    InvalidateRect();
}

int DPIMsgDlg::LastValue() const {
    auto lock = LockToolkit();
    return last_value_;
}

void DPIMsgDlg::OnTimer(uint32_t id) {
    if (id == kHideTimer) {
        KillTimer(kHideTimer);
        ShowWindow(kSwHide);
    }
}

int DPIMsgDlg::OnMessage(int id, int event, intptr_t, intptr_t) {
    if (id == dpi_notice_id::kClose && event == kEventActivated) {
        ShowWindow(kSwHide);
        return 1;
    }
    return 0;
}

int DPIMsgDlg::OnDestroy() {
    auto lock = LockToolkit();
    progress_ = nullptr;
    value_text_ = nullptr;
    return 0;
}

void ShowDpiPopup(DPIMsgDlg* popup, int dpi) {
    if (popup != nullptr) {
        popup->ShowValue(dpi);
    }
}

}  // namespace tessaly
