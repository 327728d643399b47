// The device information page: firmware rows for the mouse and the receiver,
// and a third row that is built but never placed.

#include <array>

#include "ui/ids/information_page_ids.h"
#include "ui/ids/main_window_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/main/main_window_layout.h"
#include "ui/main/page_builders.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/static_controls.h"

namespace tessaly::ui {
namespace {

struct RowIds {
    int box;
    int name;
    int status;
    int button;
    int name_text;
};
constexpr std::array<RowIds, 2> kRows{
    {{information_id::kMouseRow, information_id::kMouseName, information_id::kMouseStatus,
      information_id::kMouseFirmwareCheck, text::kMouseFirmware},
     {information_id::kReceiverRow, information_id::kReceiverName, information_id::kReceiverStatus,
      information_id::kReceiverInfo, text::kReceiverFirmware}}};

constexpr RowIds kUnplacedRow{information_id::kUnplacedRow, information_id::kUnplacedName, 0,
                              information_id::kUnplacedFactoryReset, text::kFactoryResetHidden};

// The control of the class with the id on this page (ids repeat on it, and
// the lighting page uses some of them too).
template <typename T>
T* FindOfClass(const DUI::MDialog& dlg, int id) {
    const DUI::MTabLayout* page = nullptr;
    for (DUI::MControl* control : dlg.Controls()) {
        if (control->GetId() == kInformationPageId &&
            control->ClassName() == DUI::MTabLayout::kClassName) {
            page = static_cast<const DUI::MTabLayout*>(control);
        }
    }
    for (DUI::MControl* control : dlg.Controls()) {
        if (control->GetId() == id && control->ClassName() == T::kClassName &&
            control->GetParentLayout() == page) {
            return static_cast<T*>(control);
        }
    }
    return nullptr;
}

void SetTitle(DUI::MControlFont* control, int number) {
    if (control != nullptr) {
        control->SetTitle(LoadLanguageString(number));
    }
}

void Place(DUI::MControl* control, DUI::Rect rect) {
    if (control == nullptr) {
        return;
    }
    // Below the design size the unscaled top margin would push the bottom
    // past the page; the control ends with it.
    if (const DUI::MTabLayout* page = control->GetParentLayout()) {
        rect = DUI::ClippedTo(rect, page->GetRect());
    }
    control->SetRect(rect);
}

}  // namespace

void BuildInformationPage(DUI::MDialog&, DUI::MTabLayout& page, const PageStyle& style) {
    auto* background = page.CreateChildArea<DUI::MPicture>(information_id::kBackground, kEmpty);
    background->SetImage(u"img_area_bkg.png", 1);
    background->SetShowMode(4, 10);
    background->SetMiddleMode(10, 50, 260, 10);
    auto* band = page.CreateChildArea<DUI::MPicture>(information_id::kTitleBand, kEmpty);
    band->SetImage(u"img_area_caption.png", 1);
    band->SetShowMode(3, 10);
    auto* title = page.CreateChildArea<DUI::MText>(information_id::kTitle, kEmpty);
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
        status->SetTitle(LoadLanguageString(text::kNotCheckedYet));
        status->SetTextColor(style.frame_text_color);
    }
    for (const RowIds& row : kRows) {
        auto* button = page.CreateChildControl<DUI::MButton>(row.button, kEmpty);
        button->SetImage(u"img_button.png", 4);
        button->SetTitle(LoadLanguageString(text::kFirmwareCheck));
        button->SetFontWidth(16);
        button->SetTextColor(style.frame_text_color);
    }

    page.CreateChildArea<DUI::MPicture>(kUnplacedRow.box, kEmpty)
        ->SetImage(u"img_area_content.png");
    page.CreateChildArea<DUI::CRoundArea>(information_id::kUnplacedMarker, kEmpty)
        ->SetColor(DUI::Manager::m_select_color);
    auto* name = page.CreateChildArea<DUI::MText>(kUnplacedRow.name, kEmpty);
    name->SetTitle(LoadLanguageString(kUnplacedRow.name_text));
    name->SetTextColor(style.frame_text_color);
    auto* button = page.CreateChildControl<DUI::MButton>(kUnplacedRow.button, kEmpty);
    button->SetImage(u"img_button.png", 4);
    button->SetTitle(LoadLanguageString(kUnplacedRow.name_text));
    button->SetTextColor(style.frame_text_color);
}

void ReapplyInformationPageTexts(DUI::MDialog& dlg, const PageStyle& style) {
    auto* title = FindOfClass<DUI::MText>(dlg, information_id::kTitle);
    SetTitle(title, text::kTabDeviceInfo);
    if (title != nullptr) {
        title->SetFontName(style.state_font);
    }
    for (const RowIds& row : kRows) {
        // The rows' own refreshes (device state, update check) rebuild
        // their versions afterwards; until then they read as at start.
        SetTitle(FindOfClass<DUI::MText>(dlg, row.name), row.name_text);
        SetTitle(FindOfClass<DUI::MText>(dlg, row.status), text::kNotCheckedYet);
        SetTitle(FindOfClass<DUI::MButton>(dlg, row.button), text::kFirmwareCheck);
    }
    SetTitle(FindOfClass<DUI::MText>(dlg, kUnplacedRow.name), kUnplacedRow.name_text);
    SetTitle(FindOfClass<DUI::MButton>(dlg, kUnplacedRow.button), kUnplacedRow.name_text);
}

void LayoutInformationPage(DUI::MDialog& dlg, DUI::Rect, float scale) {
    const InformationLayout info = ComputeInformationLayout(scale);
    Place(FindOfClass<DUI::MPicture>(dlg, information_id::kBackground), info.background);
    if (auto* title = FindOfClass<DUI::MText>(dlg, information_id::kTitle)) {
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
