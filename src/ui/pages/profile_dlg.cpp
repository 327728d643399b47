#include "ui/pages/profile_dlg.h"

#include "ui/dialogs/message_box.h"
#include "ui/ids/profile_dialog_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/dui.h"

namespace tessaly::ui {

using namespace DUI;

Rect ProfileDlg::RectAbove(Rect name) {
    return {name.left, name.top - 210, name.right, name.top - 5};
}

bool ProfileDlg::Open(MWindow* parent, Rect name_control_on_screen) {
    return Create(parent, kTitle, kDialogStyle, 0, RectAbove(name_control_on_screen));
}

void ProfileDlg::InitUI(Rect client) {
    int w = client.Width();
    int h = client.Height();
    auto* background =
        CreateArea<MPicture>(profile_dialog_id::kBackground, {10, 10, w - 10, h - 45});
    background->SetImage(u"img_area_content.png");
    background->SetShowMode(3, 10);

    auto* list = CreateControl<DListBox>(profile_dialog_id::kList, {10, 10, w - 10, h - 45});
    list->SetFontWidth(14);
    list->SetAlignment(kAlignCenter);
    list->SetTooltip(LoadLanguageString(text::kProfileListHint));
    list->SetSubImage(ImageRole::kBackground, u"img_list_bkg.png");
    for (const ProfileListItem& profile : profiles_) {
        list->AddItem(profile.name, profile.id);
    }
    list->SelectData(current_profile_);

    auto* import =
        CreateControl<MButton>(profile_dialog_id::kImport, {10, h - 35, w / 2 - 5, h - 7},
                               LoadLanguageString(text::kImport));
    import->SetImage(u"img_button.png", 4);
    auto* exporting =
        CreateControl<MButton>(profile_dialog_id::kExport, {w / 2 + 5, h - 35, w - 10, h - 7},
                               LoadLanguageString(text::kExport));
    exporting->SetImage(u"img_button.png", 4);
}

void ProfileDlg::Post(ProfileRequest request, int profile) const {
    Toolkit::Get().PostMessage(main_window_, kProfileRequestMessage,
                               static_cast<uintptr_t>(request), profile);
}

void ProfileDlg::SwitchToRenamed() const {
    if (renamed_) {
        Post(ProfileRequest::kSwitch, renamed_profile_);
    }
}

int ProfileDlg::SelectedProfile() const {
    auto* list = GetControlAs<DListBox>(profile_dialog_id::kList);
    return list != nullptr ? static_cast<int>(list->GetCurData()) : 0;
}

void ProfileDlg::OnRenamed() {
    auto* list = GetControlAs<DListBox>(profile_dialog_id::kList);
    if (list == nullptr || list->GetCurSel() < 0 || !rename_) {
        return;
    }
    const int index = list->GetCurSel();
    const int profile = static_cast<int>(list->GetCurData());
    const std::u16string name = list->GetItemText(index);
    if (const int refusal = rename_(profile, name); refusal != 0) {
        Refuse(index, refusal);
        return;
    }
    for (ProfileListItem& item : profiles_) {
        if (item.id == profile) {
            item.name = name;  // what a later refusal shows again
        }
    }
    renamed_profile_ = profile;
    renamed_ = true;
}

void ProfileDlg::Refuse(int index, int text_number) {
    if (auto* list = GetControlAs<DListBox>(profile_dialog_id::kList)) {
        const intptr_t profile = list->GetItemData(index);
        for (const ProfileListItem& item : profiles_) {
            if (item.id == profile) {
                list->SetItemText(index, item.name);
            }
        }
    }
    // The box takes the activation; the dialog stays until it is answered.
    telling_ = true;
    ShowMessageBox(LoadLanguageString(text_number), this, LoadLanguageString(text::kNoticeTitle),
                   kMessageBoxOk);
    telling_ = false;
}

void ProfileDlg::Close(bool ok) {
    closing_ = true;
    if (ok) {
        DoOK();
    } else {
        DoCancel();
    }
}

int ProfileDlg::OnMessage(int id, int event, intptr_t, intptr_t) {
    if (closing_) {
        return 0;
    }
    if (id == profile_dialog_id::kList && event == kEventActivated) {
        Post(ProfileRequest::kSwitch, SelectedProfile());
        Close(true);
        return 1;
    }
    if (id == profile_dialog_id::kList && event == kEventKillFocus) {
        OnRenamed();
        return 1;
    }
    if ((id == profile_dialog_id::kImport || id == profile_dialog_id::kExport) &&
        event == kEventActivated) {
        SwitchToRenamed();
        Post(id == profile_dialog_id::kImport ? ProfileRequest::kImport : ProfileRequest::kExport,
             SelectedProfile());
        Close(true);
        return 1;
    }
    return 0;
}

bool ProfileDlg::OnEscapeKey() {
    if (closing_ || !IsCreated()) {
        return false;
    }
    SwitchToRenamed();
    Close(false);
    return true;
}

int ProfileDlg::OnNcActivate(bool active) {
    if (!active && !closing_ && !telling_ && IsCreated()) {
        SwitchToRenamed();
        Close(false);
    }
    return MDialog::OnNcActivate(active);
}

}  // namespace tessaly::ui
