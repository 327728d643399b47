#include "ui/pages/profile_dlg.h"

#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/dui.h"

namespace tessaly::ui {

using namespace DUI;

Rect ProfileDlg::RectAbove(Rect name) {
    return {name.left, name.top - 210, name.right, name.top - 5};
}

bool ProfileDlg::Open(MWindow* parent, Rect name_control_on_screen) {
    return Create(parent, kTitle, kStyle, 0, RectAbove(name_control_on_screen));
}

void ProfileDlg::InitUI(Rect client) {
    int w = client.Width();
    int h = client.Height();
    auto* background = CreateArea<MPicture>(30, {10, 10, w - 10, h - 45});
    background->SetImage(u"img_area_content.png");
    background->SetShowMode(3, 10);

    auto* list = CreateControl<DListBox>(31, {10, 10, w - 10, h - 45});
    list->SetFontWidth(14);
    list->SetAlignment(kAlignCenter);
    list->SetSubImage(ImageRole::kBackground, u"img_list_bkg.png");

    auto* import = CreateControl<MButton>(32, {10, h - 35, w / 2 - 5, h - 7},
                                          LoadLanguageString(text::kImport));
    import->SetImage(u"img_button.png", 4);
    auto* exporting = CreateControl<MButton>(33, {w / 2 + 5, h - 35, w - 10, h - 7},
                                             LoadLanguageString(text::kExport));
    exporting->SetImage(u"img_button.png", 4);
}

}  // namespace tessaly::ui
