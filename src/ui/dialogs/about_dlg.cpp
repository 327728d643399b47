#include "ui/dialogs/about_dlg.h"

#include <utility>

#include "base/firmware_version.h"
#include "base/text_format.h"
#include "ui/ids/about_box_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/dui.h"

namespace tessaly {

using namespace DUI;

namespace {
constexpr Color kGrey = 0xFFB4B4B4;
// Opaque, and dark enough for the grey lines and the light logo.
constexpr Color kBackTop = 0xFF1A1A1A;
constexpr Color kBackBottom = 0xFF2C2C2C;
}  // namespace

std::u16string FirmwareVersionLine(int caption, std::u16string_view hex) {
    const std::u16string version = FirmwareVersionText(hex);
    return Format(u"%s: %s", LoadLanguageString(caption),
                  version.empty() ? std::u16string(u"-") : u"V" + version);
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
    GetPaintManager().SetBackColor(kBackTop, kBackBottom);
    return result;
}

void AboutDlg::InitUI(Rect client) {
    auto* close = CreateControl<CImageButton>(about_id::kClose,
                                              {client.right - 40, 15, client.right - 21, 34});
    close->SetImage(u"sysbtn_close.png", 4);
    close->SetTooltip(LoadLanguageString(text::kClose));

    int logo_left = (client.right - client.left - 260) / 2;
    CreateArea<MPicture>(about_id::kLogo, {logo_left, 80, logo_left + 260, 120})
        ->SetImage(u"logo.png");

    const std::u16string software =
        versions_.software.empty()
            ? LoadLanguageString(text::kSoftwareVersion)
            : Format(u"%s: v%s", LoadLanguageString(text::kSoftwareVersion), versions_.software);
    const std::pair<int, std::u16string> lines[] = {
        {about_id::kVersion, software},
        {about_id::kMouseFirmware,
         FirmwareVersionLine(text::kMouseFirmware, versions_.mouse_firmware)},
        {about_id::kReceiverFirmware,
         FirmwareVersionLine(text::kReceiverFirmware, versions_.receiver_firmware)}};
    const int c = (client.right - client.left) / 2;
    int top = 140;
    for (const auto& [id, line] : lines) {
        auto* version = CreateArea<MText>(id, {c - 200, top, c + 200, top + 30}, line);
        version->SetTextColor(kGrey);
        version->SetAlignment(kAlignCenter);
        top += 32;
    }
    auto* copyright = CreateArea<MText>(
        about_id::kCopyright, {10, client.bottom - 40, client.right - 10, client.bottom - 5},
        LoadLanguageString(text::kCopyright));
    copyright->SetTextColor(kGrey);
    copyright->SetAlignment(kAlignCenter);
}

int AboutDlg::OnMessage(int id, int event, intptr_t, intptr_t) {
    if (id == about_id::kClose && event == kEventActivated) {
        DoOK();
        return 1;
    }
    return 0;
}

}  // namespace tessaly
