// The device information page: firmware rows for the mouse and the receiver.
// The third row of the original layout is never placed, so it is not built.

#include <array>

#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/main/main_window_layout.h"
#include "ui/main/page_builders.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/static_controls.h"

namespace tessaly::ui {
namespace {

constexpr DUI::Rect kEmpty{};

struct RowIds {
    int box;
    int name;
    int status;
    int button;
    int name_text;
};
constexpr std::array<RowIds, 2> kRows{
    {{237, 243, 246, 248, text::kMouseFirmware}, {238, 244, 247, 249, text::kReceiverFirmware}}};

// The nth control of the class with the id (ids repeat on this page).
template <typename T>
T* FindOfClass(const DUI::MDialog& dlg, int id) {
    for (DUI::MControl* control : dlg.Controls()) {
        if (control->GetId() == id && control->ClassName() == T::kClassName) {
            return static_cast<T*>(control);
        }
    }
    return nullptr;
}

void Place(DUI::MControl* control, DUI::Rect rect) {
    if (control != nullptr) {
        control->SetRect(rect);
    }
}

}  // namespace

void BuildInformationPage(DUI::MDialog&, DUI::MTabLayout& page, const PageStyle& style) {
    auto* background = page.CreateChildArea<DUI::MPicture>(192, kEmpty);
    background->SetImage(u"img_area_bkg.png", 1);
    background->SetShowMode(4, 10);
    background->SetMiddleMode(10, 50, 260, 10);
    auto* band = page.CreateChildArea<DUI::MPicture>(193, kEmpty);
    band->SetImage(u"img_area_caption.png", 1);
    band->SetShowMode(3, 10);
    auto* title = page.CreateChildArea<DUI::MText>(194, kEmpty);
    title->SetTitle(LoadLanguageString(text::kTabDeviceInfo));
    title->SetTextColor(style.frame_text_color);
    title->SetFontWidth(18);
    title->SetFontName(style.state_font);

    for (const RowIds& row : kRows) {
        auto* box = page.CreateChildArea<DUI::MPicture>(row.box, kEmpty);
        box->SetImage(u"img_area_content.png", 1);
        box->SetShowMode(3, 10);
    }
    for (const RowIds& row : kRows) {
        page.CreateChildArea<DUI::CRoundArea>(row.box, kEmpty)
            ->SetColor(DUI::Manager::m_select_color);
    }
    for (const RowIds& row : kRows) {
        auto* name = page.CreateChildArea<DUI::MText>(row.name, kEmpty);
        name->SetTitle(LoadLanguageString(row.name_text));
        name->SetTextColor(style.frame_text_color);
    }
    for (const RowIds& row : kRows) {
        auto* status = page.CreateChildArea<DUI::MText>(row.status, kEmpty);
        status->SetTitle(LoadLanguageString(text::kLatestVersion));
        status->SetTextColor(style.frame_text_color);
    }
    for (const RowIds& row : kRows) {
        auto* button = page.CreateChildControl<DUI::MButton>(row.button, kEmpty);
        button->SetImage(u"img_button.png", 4);
        button->SetTitle(LoadLanguageString(text::kFirmwareCheck));
        button->SetFontWidth(16);
        button->SetTextColor(style.frame_text_color);
    }
}

void LayoutInformationPage(DUI::MDialog& dlg, DUI::Rect, float scale) {
    const InformationLayout info = ComputeInformationLayout(scale);
    Place(FindOfClass<DUI::MPicture>(dlg, 192), info.background);
    if (auto* title = FindOfClass<DUI::MText>(dlg, 194)) {
        title->SetRect(info.title);
        title->SetFontWidth(info.title_font_width);
    }
    for (size_t i = 0; i < kRows.size(); ++i) {
        const RowIds& ids = kRows[i];
        const InformationRow& row = info.rows[i];
        Place(FindOfClass<DUI::MPicture>(dlg, ids.box), row.box);
        Place(FindOfClass<DUI::CRoundArea>(dlg, ids.box), row.marker);
        Place(FindOfClass<DUI::MText>(dlg, ids.name), row.name);
        Place(FindOfClass<DUI::MText>(dlg, ids.status), row.status);
        Place(FindOfClass<DUI::MButton>(dlg, ids.button), row.button);
    }
}

}  // namespace tessaly::ui
