#include "ui/dialogs/update_tip_dlg.h"

#include "base/text_format.h"
#include "ui/ids/popup_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/dui.h"

namespace tessaly {

using namespace DUI;

bool UpdateTipDlg::Open(MWindow* parent) {
    if (!Create(parent, kTitle, kDialogStyle, kWsExToolWindow, kRect)) {
        return false;
    }
    CenterWindow(parent);
    return true;
}

bool UpdateTipDlg::OnInitDialog() {
    bool result = MDialog::OnInitDialog();
    SetWindowPos(kHwndTop, 0, 0, 0, 0, kSwpNoSize | kSwpNoMove | kSwpShowWindow);
    return result;
}

void UpdateTipDlg::InitUI(Rect client) {
    SetLayeredWindow(true);
    LoadBKImage(u"img_upgrade_bkg.png");
    auto* notice = CreateArea<MText>(update_tip_id::kText, {20, 10, client.right - 20, 60},
                                     LoadLanguageString(text::kUpgradeWarning));
    notice->SetTextColor(0xFFC80A0A);
    notice->SetMultiLine(true);
    auto* status =
        CreateArea<MText>(update_tip_id::kText, {20, 60, client.right - 20, 80}, u"升级中");
    auto* progress =
        CreateControl<MProgress>(update_tip_id::kProgress, {20, 80, client.right - 20, 116});
    auto lock = LockToolkit();
    status_ = status;
    progress_ = progress;
}

void UpdateTipDlg::SetUpgradeProgress(int percent, std::u16string_view label) {
    auto lock = LockToolkit();
    if (progress_ == nullptr) {
        return;
    }
    status_->SetTitle(Format(u"%s: %d%%", label, percent));
    progress_->SetProgress(percent);
}

int UpdateTipDlg::OnDestroy() {
    auto lock = LockToolkit();
    progress_ = nullptr;
    status_ = nullptr;
    return 0;
}

}  // namespace tessaly
