// The macro page's three menus, insertion from the insert menu and the
// macro files they offer.

#include <optional>
#include <span>

#include "buttons/key_capture.h"
#include "macros/macro_event_texts.h"
#include "macros/macro_names.h"
#include "macros/macro_page_behaviour.h"
#include "ui/ids/macro_page_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/main/window_messages.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/dui.h"
#include "ui/toolkit/file_dialog.h"
#include "ui/toolkit/menu_wnd.h"

namespace tessaly {
namespace {

constexpr std::u16string_view kFilterDescription = u"Macro (*.xml)";
constexpr std::u16string_view kFilterPattern = u"*.xml";

struct MenuRow {
    int id;
    int text;
};

// Macro menu: import is always offered, the rest with a selected macro.
constexpr MenuRow kImportOne = {macro_id::kImportOneItem, text::kImport};
constexpr MenuRow kMacroMenuWithSelection[] = {
    {macro_id::kExportOneItem, text::kExport},
    {macro_id::kImportAllItem, text::kImportAllMacros},
    {macro_id::kExportAllItem, text::kExportAllMacros},
};
constexpr MenuRow kInsertMenu[] = {
    {macro_id::kLeftClickItem, text::kInsertLeftClick},
    {macro_id::kMiddleClickItem, text::kInsertMiddleClick},
    {macro_id::kRightClickItem, text::kInsertRightClick},
    {macro_id::kInsertKeyItem, text::kInsertKey},
    {macro_id::kInsertDelayItem, text::kInsertDelay},
};

struct MoveRow {
    int id;
    int text;
    MoveDirection direction;
};
constexpr MoveRow kEventMenu[] = {
    {macro_id::kMoveToTopItem, text::kMoveToTop, MoveDirection::kTop},
    {macro_id::kMoveUpItem, text::kMoveUp, MoveDirection::kUp},
    {macro_id::kMoveDownItem, text::kMoveDown, MoveDirection::kDown},
    {macro_id::kMoveToBottomItem, text::kMoveToBottom, MoveDirection::kBottom},
};

constexpr int kMacroMenuWidth = 150;
constexpr int kInsertMenuWidth = 170;
constexpr int kEventMenuWidth = 120;
constexpr int kInsertMenuRise = 140;

constexpr std::pair<int, int> kClickItems[] = {{macro_id::kLeftClickItem, kMouseButtonLeft},
                                               {macro_id::kMiddleClickItem, kMouseButtonMiddle},
                                               {macro_id::kRightClickItem, kMouseButtonRight}};

// Any table of rows with an item id and a text number.
template <typename Rows>
std::vector<DUI::MenuItem> Items(const Rows& rows) {
    std::vector<DUI::MenuItem> items;
    for (const auto& row : rows) {
        items.push_back({row.id, LoadLanguageString(row.text)});
    }
    return items;
}

DUI::Point Offset(DUI::Point point, int dx, int dy) {
    return {point.x + dx, point.y + dy};
}

std::optional<std::u16string> Choose(DUI::FileDialogMode mode, const DUI::MWindow& owner) {
    return DUI::ChooseXmlFile(mode, kFilterDescription, kFilterPattern, &owner);
}

}  // namespace

std::vector<DUI::MenuItem> MacroPage::MacroMenuItems() const {
    std::vector<DUI::MenuItem> items = Items(std::span(&kImportOne, 1));
    if (SelectedMacro() > 0) {
        for (const DUI::MenuItem& item : Items(kMacroMenuWithSelection)) {
            items.push_back(item);
        }
    }
    return items;
}

void MacroPage::OpenMacroMenu() {
    const DUI::Point at = Offset(DUI::Toolkit::Get().CursorPos(), 2, 2);
    DUI::MenuWnd::Popup(dlg_, ui::kWmMacroMenu1, at, kMacroMenuWidth, MacroMenuItems());
}

void MacroPage::OpenMacroMenuAtButton() {
    std::vector<DUI::MenuItem> items = MacroMenuItems();
    DUI::Point at;
    if (auto* button = Control<DUI::MControl>(macro_id::kFilesButton)) {
        const DUI::Rect rect = button->GetRect();
        const int rise = static_cast<int>(items.size()) * DUI::MenuWnd::kItemHeight;
        at = dlg_.ClientToScreen({rect.left, rect.top - rise});
    }
    DUI::MenuWnd::Popup(dlg_, ui::kWmMacroMenu1, at, kMacroMenuWidth, std::move(items));
}

void MacroPage::OpenInsertMenu() {
    auto* events = Control<DUI::CRecordList>(macro_id::kEventList);
    if (events && events->GetEventCount() >= kMaxEditedEvents) {
        host_->ShowMessage(LoadLanguageString(text::kEventListFull),
                           LoadLanguageString(text::kMacroNoticeTitle));
        return;
    }
    DUI::Point at;
    if (auto* button = Control<DUI::MControl>(macro_id::kInsert)) {
        const DUI::Rect rect = button->GetRect();
        at = dlg_.ClientToScreen({rect.left, rect.top - kInsertMenuRise});
    }
    DUI::MenuWnd::Popup(dlg_, ui::kWmMacroMenu2, at, kInsertMenuWidth, Items(kInsertMenu));
}

void MacroPage::OpenEventMenu() {
    const DUI::Point at = Offset(DUI::Toolkit::Get().CursorPos(), -125, 2);
    DUI::MenuWnd::Popup(dlg_, ui::kWmMacroMenu3, at, kEventMenuWidth, Items(kEventMenu));
}

void MacroPage::OnMenuChoice(uint32_t message, int item) {
    if (message == ui::kWmMacroMenu1) {
        switch (item) {
            case macro_id::kImportOneItem:
                ImportMacroFile();
                break;
            case macro_id::kExportOneItem:
                ExportMacroFile();
                break;
            case macro_id::kImportAllItem:
                ImportMacroCollection();
                break;
            case macro_id::kExportAllItem:
                ExportMacroCollection();
                break;
            default:
                break;
        }
    } else if (message == ui::kWmMacroMenu2) {
        for (const auto& [id, bit] : kClickItems) {
            if (item == id) {
                InsertMouseClick(bit);
            }
        }
        if (item == macro_id::kInsertDelayItem) {
            InsertDelay();
        } else if (item == macro_id::kInsertKeyItem) {
            InsertCapturedKey();
        }
    } else if (message == ui::kWmMacroMenu3) {
        for (const MoveRow& row : kEventMenu) {
            if (item == row.id) {
                MoveEvent(row.direction);
            }
        }
    }
}

void MacroPage::InsertEvents(const MacroInsertion& insertion) {
    auto* list = Control<DUI::CRecordList>(macro_id::kEventList);
    if (!list || SelectedMacro() <= 0) {
        return;
    }
    const MacroChange change =
        InsertIntoMacro(*host_, SelectedMacro(), list->GetCurSel(), insertion);
    if (change.refusal != 0) {
        host_->ShowMessage(LoadLanguageString(change.refusal),
                           LoadLanguageString(text::kMacroNoticeTitle));
        return;
    }
    ShowChange(change);
}

void MacroPage::InsertMouseClick(int button_bit) {
    InsertEvents(MacroInsertion::Click(button_bit));
}

void MacroPage::InsertDelay() {
    InsertEvents(MacroInsertion::Delay());
}

void MacroPage::InsertKey(int code, std::u16string_view name) {
    InsertEvents(MacroInsertion::Key(code, name));
}

void MacroPage::InsertCapturedKey() {
    ui::RecordEditDlg edit;
    record_edit_ = &edit;
    const bool opened = edit.Open(&dlg_, [this](bool on) {
        editor_capture_.reset();
        if (on) {
            editor_capture_ =
                std::make_unique<CaptureSet>(context_.capture, dlg_, kCaptureMacroKey);
        }
    });
    const int result = opened ? edit.ShowModal(DUI::kSwShow) : 0;
    editor_capture_.reset();
    record_edit_ = nullptr;
    if (result == 1 && edit.captured_code() != 0) {
        InsertKey(edit.captured_code(), edit.captured_name());
    }
}

// --- files -----------------------------------------------------------------

void MacroPage::ExportMacroFile() {
    auto* list = Control<DUI::MacroList>(macro_id::kMacroList);
    if (!list || list->GetCurSel() < 0 || SelectedMacro() <= 0) {
        return;
    }
    if (const auto path = Choose(DUI::FileDialogMode::kSave, dlg_)) {
        ExportOneMacro(SelectedMacro(), *path, list->GetItemText(list->GetCurSel()));
    }
}

void MacroPage::ExportMacroCollection() {
    if (SelectedMacro() <= 0) {
        return;
    }
    if (const auto path = Choose(DUI::FileDialogMode::kSave, dlg_)) {
        ExportAllMacros(*path);
    }
}

void MacroPage::ImportMacroFile() {
    if (const auto path = Choose(DUI::FileDialogMode::kOpen, dlg_)) {
        AddImported(ImportMacros(*host_, *path, MacroFileFormat::kOne));
    }
}

void MacroPage::ImportMacroCollection() {
    if (const auto path = Choose(DUI::FileDialogMode::kOpen, dlg_)) {
        AddImported(ImportMacros(*host_, *path, MacroFileFormat::kAll));
    }
}

void MacroPage::AddImported(const MacroFileImport& imported) {
    // Some values refused is told only in the trace; none usable, here.
    if (imported.refusal != 0) {
        host_->ShowMessage(LoadLanguageString(imported.refusal),
                           LoadLanguageString(text::kMacroNoticeTitle));
        return;
    }
    auto* list = Control<DUI::MacroList>(macro_id::kMacroList);
    DUI::MComboBox* choice = MacroChoice();
    for (const MacroInfo& macro : imported.macros) {
        if (list) {
            list->AddItem(macro.name, macro.macro_id);
        }
        if (choice) {
            choice->AddItem(macro.name, macro.macro_id);
        }
    }
}

}  // namespace tessaly
