#include "ui/dialogs/update_process_dlg.h"

#include "base/text_format.h"
#include "ui/ids/popup_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/dui.h"

namespace tessaly {

using namespace DUI;

bool UpdateProcessDlg::Open(MWindow* parent) {
    if (!Create(parent, kTitle, kDialogStyle, kWsExToolWindow, kRect)) {
        return false;
    }
    CenterWindow(parent);
    return true;
}

bool UpdateProcessDlg::OnInitDialog() {
    bool result = MDialog::OnInitDialog();
    SetWindowPos(kHwndTop, 0, 0, 0, 0, kSwpNoSize | kSwpNoMove | kSwpShowWindow);
    return result;
}

void UpdateProcessDlg::InitUI(Rect client) {
    SetLayeredWindow(true);
    SetBackMode(1, 16);
    LoadBKImage(u"img_area_content.png");
    auto* status = CreateArea<MText>(update_progress_id::kStatus, {10, 30, client.right - 20, 50});
    status->SetTextColor(0xFFFFFFFF);
    auto* progress =
        CreateControl<MProgress>(update_progress_id::kProgress, {10, 60, client.right - 20, 80});
    progress->SetMaxValue(100);
    auto lock = LockToolkit();
    status_ = status;
    progress_ = progress;
}

void UpdateProcessDlg::SetDownloadProgress(int percent) {
    auto lock = LockToolkit();
    if (progress_ == nullptr) {
        return;
    }
    progress_->SetProgress(percent);
    status_->SetTitle(Format(u"%s: %d%%", LoadLanguageString(text::kDownloading), percent));
}

int UpdateProcessDlg::OnDestroy() {
    auto lock = LockToolkit();
    progress_ = nullptr;
    status_ = nullptr;
    return 0;
}

}  // namespace tessaly
