#include "ui/dialogs/save_wait_dlg.h"

#include "ui/ids/popup_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/dui.h"

namespace tessaly {

using namespace DUI;

namespace {
constexpr int kControlTimerMs = 2;
}  // namespace

bool SaveWaitDlg::Open(MWindow* parent) {
    if (!Create(parent, kTitle, kDialogStyle, kWsExToolWindow, kRect)) {
        return false;
    }
    CenterWindow(parent);
    return true;
}

bool SaveWaitDlg::OnInitDialog() {
    bool result = MDialog::OnInitDialog();
    SetWindowPos(kHwndTop, 0, 0, 0, 0, kSwpNoSize | kSwpNoMove | kSwpShowWindow);
    SetTimer(kHideTimer, kShowMs);
    SetMTimer(kControlTimerMs);
    return result;
}

void SaveWaitDlg::InitUI(Rect client) {
    auto* logo = CreateArea<MPicture>(save_wait_id::kLogo, {});
    logo->SetImage(u"logo.png");
    Size size = logo->GetImageSize();
    logo->SetRect({10, 10, 10 + size.width, 10 + size.height});

    auto* wait = CreateArea<MText>(save_wait_id::kText, {10, 100, client.right - 10, 130},
                                   LoadLanguageString(text::kSavingSettings));
    wait->SetTextColor(Manager::m_select_color);
    wait->SetFontWidth(20);
    wait->SetAlignment(kAlignCenter);

    auto* progress =
        CreateControl<MProgress2>(save_wait_id::kProgress, {10, 130, client.right - 20, 150});
    progress->SetMaxValue(100);
    progress->AddMTimer(true);
    auto lock = LockToolkit();
    progress_ = progress;
}

void SaveWaitDlg::ShowWait() {
    {
        auto lock = LockToolkit();
        if (progress_ != nullptr) {
            progress_->SetProgress(0);
            progress_->SetRun(true, -1);
            progress_->SetProgress(0);
        }
    }
    SetTimer(kHideTimer, kShowMs);
    ShowWindow(kSwShow);
}

void SaveWaitDlg::OnTimer(uint32_t id) {
    if (id == kHideTimer) {
        KillTimer(kHideTimer);
        ShowWindow(kSwHide);
    }
}

bool SaveWaitDlg::OnEscapeKey() {
    if (!IsVisible()) {
        return false;
    }
    KillTimer(kHideTimer);
    ShowWindow(kSwHide);
    return true;
}

int SaveWaitDlg::OnMessage(int, int event, intptr_t, intptr_t) {
    return event == kEventActivated ? 1 : 0;
}

int SaveWaitDlg::OnDestroy() {
    auto lock = LockToolkit();
    progress_ = nullptr;
    return 0;
}

int ShowSaveWait(std::unique_ptr<SaveWaitDlg>& dialog, MWindow* parent, bool save_tips_on) {
    if (!save_tips_on) {
        return 0;
    }
    if (!dialog) {
        auto created = std::make_unique<SaveWaitDlg>();
        if (!created->Open(parent)) {
            return 0;
        }
        dialog = std::move(created);
    }
    dialog->ShowWait();
    return 1;
}

}  // namespace tessaly
