#include "ui/dialogs/about_dlg.h"

#include "base/text_format.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/dui.h"

namespace tessaly {

using namespace DUI;

namespace {
constexpr int kCloseId = 30;
constexpr int kLogoId = 32;
constexpr int kVersionId = 34;
constexpr int kSecondVersionId = 33;
constexpr int kCopyrightId = 35;
constexpr Color kGrey = 0xFF969696;
}  // namespace

std::u16string FirmwareVersionLine(int version) {
    std::u16string hex = Format(u"%x", version);
    std::u16string major = hex.substr(0, 1);
    std::u16string minor = hex.size() < 2 ? hex : hex.substr(hex.size() - 2);
    return Format(u"%s: v%s.%s", LoadLanguageString(text::kFirmwareVersion), major, minor);
}

bool AboutDlg::Open(MWindow* parent) {
    if (!Create(parent, kTitle, kDialogStyle, 0, kRect)) {
        return false;
    }
    CenterWindow(parent);
    return true;
}

bool AboutDlg::OnInitDialog() {
    bool result = MDialog::OnInitDialog();
    GetPaintManager().SetBackColor(0x1A1A1A, 0x969696);
    return result;
}

void AboutDlg::InitUI(Rect client) {
    auto* close =
        CreateControl<CImageButton>(kCloseId, {client.right - 40, 15, client.right - 21, 34});
    close->SetImage(u"sysbtn_close.png", 4);
    close->SetTooltip(LoadLanguageString(text::kClose));

    int logo_left = (client.right - client.left - 260) / 2;
    CreateArea<MPicture>(kLogoId, {logo_left, 80, logo_left + 260, 120})->SetImage(u"logo.png");

    std::u16string line = FirmwareVersionLine(firmware_version_);
    int c = (client.right - client.left) / 2;
    for (auto [id, top] : {std::pair{kVersionId, 150}, std::pair{kSecondVersionId, 185}}) {
        auto* version = CreateArea<MText>(id, {c - 100, top, c + 100, top + 35}, line);
        version->SetTextColor(kGrey);
        version->SetAlignment(kAlignCenter);
    }
    auto* copyright = CreateArea<MText>(
        kCopyrightId, {10, client.bottom - 40, client.right - 10, client.bottom - 5},
        LoadLanguageString(text::kCopyright));
    copyright->SetTextColor(kGrey);
    copyright->SetAlignment(kAlignCenter);
}

int AboutDlg::OnMessage(int id, int event, intptr_t, intptr_t) {
    if (id == kCloseId && event == kEventActivated) {
        DoOK();
        return 1;
    }
    return 0;
}

}  // namespace tessaly
