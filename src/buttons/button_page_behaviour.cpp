#include "buttons/button_page_behaviour.h"

#include <algorithm>
#include <vector>

#include "app/language_state.h"
#include "base/decimal.h"
#include "base/text_format.h"
#include "buttons/assignment_model.h"
#include "buttons/assignment_ranges.h"
#include "buttons/assignment_text.h"
#include "buttons/button_operations.h"
#include "buttons/key_function_table.h"
#include "buttons/key_usage.h"
#include "catalogue/device_catalogue.h"
#include "storage/key_table.h"
#include "ui/dialogs/message_box.h"
#include "ui/ids/button_page_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly {
namespace {

namespace id = button_id;

// Which category each choice assigns, and where it rests.
struct ChoiceRow {
    int choice;
    int category;
};
constexpr ChoiceRow kChoiceCategories[] = {
    {id::kMouseChoice, kCategoryMouse}, {id::kMultimediaChoice, kCategoryMultimedia},
    {id::kMacroChoice, kCategoryMacro}, {id::kShortcutChoice, kCategoryShortcut},
    {id::kDpiChoice, kCategoryDpi},     {id::kSpecialChoice, kCategorySpecial},
};

// The functions without a list of their own show on their switch.
constexpr ChoiceRow kFunctionSwitches[] = {
    {id::kOpenCombination, kCategoryKeyboard},
    {id::kOpenRepeat, kCategoryRepeat},
    {id::kDisable, kCategoryDisable},
};

constexpr int kModifierBoxes[] = {id::kCtrl, id::kWin, id::kAlt, id::kShift};

int CategoryOfChoice(int choice) {
    for (const ChoiceRow& row : kChoiceCategories) {
        if (row.choice == choice) {
            return row.category;
        }
    }
    return 0;
}

bool IsSidedModifier(int code) {
    return code >= 160 && code <= 165;
}

std::u16string FactoryText(const std::vector<KeyAssignment>& factory, int key_code) {
    for (const KeyAssignment& entry : factory) {
        if (entry.key_code == key_code) {
            return DescribeFactory(entry);
        }
    }
    return {};
}

}  // namespace

// --- events -------------------------------------------------------------------

int ButtonPage::OnPageEvent(int control, int, intptr_t) {
    switch (control) {
        case id::kList:
            SelectFromList();
            return 1;
        case id::kPicture:
            SelectFromPicture();
            return 1;
        case id::kResetAll:
            ResetAll();
            return 1;
        case id::kResetButton:
            ResetCurrent();
            return 1;
        case id::kOpenCombination:
            OpenCombination();
            return 1;
        case id::kOpenRepeat:
            OpenRepeat();
            return 1;
        case id::kDisable:
            Disable();
            return 1;
        default:
            if (CategoryOfChoice(control) != 0) {
                AssignChoice(control);
                return 1;
            }
            return 0;
    }
}

int ButtonPage::OnPanelEvent(int control, int, intptr_t) {
    switch (control) {
        case id::kApplyCombination:
            ApplyCombination();
            return 1;
        case id::kCloseCombination:
            Controls().ShowCombinationPanel(false);
            return 1;
        case id::kApplyRepeat:
            ApplyRepeat();
            return 1;
        case id::kCloseRepeat:
            Controls().ShowRepeatPanel(false);
            return 1;
        default:
            return 0;
    }
}

int ButtonPage::OnEditEvent(int control, int event, intptr_t) {
    if (control == id::kCapturedKey) {
        if (event == DUI::kEventSetFocus) {
            StartCapture();
        } else if (event == DUI::kEventKillFocus) {
            StopCapture();
        }
        return 1;
    }
    if (event != DUI::kEventKillFocus) {
        return 1;
    }
    if (control == id::kRepeatSecond) {
        ClampField(control, kRepeatSecondMin, kRepeatSecondMax);
    } else if (control == id::kRepeatFirst) {
        ClampField(control, kRepeatFirstMin, kRepeatFirstMax);
    }
    return 1;
}

// --- selecting a button ---------------------------------------------------------

void ButtonPage::SelectFromList() {
    const ButtonControls c = Controls();
    DUI::MouseKeyCtrl* list = c.List();
    if (list == nullptr) {
        return;
    }
    const int index = list->GetCurSel();
    const float s = context_.scale;
    const int width = index < 0 ? 260 : 500;
    if (index >= 0) {
        if (DUI::MouseCtrl* picture = c.Picture()) {
            picture->SelectItem(index);
        }
        SelectIndex(index);
    }
    if (DUI::MControl* background = c.Background()) {
        DUI::Rect rect{230, 80, 230 + static_cast<int>(width * s), 80 + static_cast<int>(658 * s)};
        // Below the design size the unscaled top would end it past its page.
        if (const DUI::MTabLayout* page = background->GetParentLayout()) {
            rect = DUI::ClippedTo(rect, page->GetRect());
        }
        background->SetRect(rect);
    }
    if (DUI::MTabLayout* panel = c.Panel()) {
        panel->SetVisible(index >= 0);
    }
}

void ButtonPage::SelectFromPicture() {
    const ButtonControls c = Controls();
    DUI::MouseCtrl* picture = c.Picture();
    DUI::MouseKeyCtrl* list = c.List();
    if (picture == nullptr || list == nullptr) {
        return;
    }
    const int index = picture->GetCurSel();
    list->SelectItem(index);
    SelectIndex(index);
}

void ButtonPage::SelectIndex(int index) {
    const ButtonControls c = Controls();
    DUI::MouseKeyCtrl* list = c.List();
    current_key_ = list->GetItemKeyValue(index);
    if (DUI::MControlFont* name = c.ButtonName()) {
        name->SetTitle(list->GetItemText(index));
    }
    RefreshPanel();
}

// --- refreshing -------------------------------------------------------------------

void ButtonPage::RefreshPanel() {
    const ButtonControls c = Controls();
    c.ShowCombinationPanel(false);
    c.ShowRepeatPanel(false);
    for (int box : kModifierBoxes) {
        if (DUI::MButton3* check = c.ModifierBox(box)) {
            check->SetCheck(false);
        }
    }
    ShowFunction(CurrentFunction(host_->CurrentProfile(), current_key_.load()));
}

// A list showing an item reads as the button's function, so only the list
// of the function's kind shows one; the others show nothing.
void ButtonPage::ShowFunction(const std::optional<KeyAssignment>& function) {
    const ButtonControls c = Controls();
    const int category = function ? function->macro_type : 0;
    for (const ChoiceRow& row : kChoiceCategories) {
        DUI::MComboBox2* choice = c.Choice(row.choice);
        if (choice == nullptr) {
            continue;
        }
        const bool own = row.category == category;
        choice->SetCheck(own);
        if (own) {
            choice->SelectData(function->macro_value);
        } else {
            choice->SelectItem(-1);
        }
    }
    for (const ChoiceRow& row : kFunctionSwitches) {
        if (DUI::MButton2* button = c.FunctionSwitch(row.choice)) {
            button->SetCheck(row.category == category);
        }
    }
}

void ButtonPage::ShowFactoryTexts() {
    DUI::MouseKeyCtrl* list = Controls().List();
    if (list == nullptr) {
        return;
    }
    const std::vector<KeyAssignment> factory = DeviceCatalogue::Instance().DefaultAssignments();
    for (int i = 0; i < list->GetItemCount(); ++i) {
        const int key = list->GetItemKeyValue(i);
        list->SetItemKeyDesc(key, FactoryText(factory, key));
    }
}

void ButtonPage::RefreshList() {
    const ButtonControls c = Controls();
    DUI::MouseKeyCtrl* list = c.List();
    if (list == nullptr) {
        return;
    }
    current_key_ = 0;
    list->SelectItem(0);
    if (DUI::MouseCtrl* picture = c.Picture()) {
        picture->SelectItem(0);
    }
    if (DUI::MControlFont* name = c.ButtonName()) {
        name->SetTitle(list->GetItemText(0));
    }
    ShowFactoryTexts();
    std::vector<KeyAssignment> rows;
    ListKeyAssignments(host_->CurrentProfile(), rows);
    const int lcid = CurrentLcid();
    for (const KeyAssignment& row : rows) {
        list->SetItemKeyDesc(row.key_code, DescribeAssignment(row, lcid));
    }
    RefreshPanel();
}

// --- assigning ----------------------------------------------------------------------

void ButtonPage::ShowRefusal(int text_id) {
    host_->ShowMessageBox(LoadLanguageString(text_id), LoadLanguageString(text::kButtonNoticeTitle),
                          kMessageBoxOk);
}

bool ButtonPage::RefuseLockedKey() {
    if (current_key_.load() != kLockedKeyCode) {
        return false;
    }
    ShowRefusal(text::kPrimaryButtonLocked);
    return true;
}

void ButtonPage::ShowStored(const ButtonChange& change) {
    if (!change.ok || change.stored.macro_type == 0) {
        return;
    }
    if (DUI::MouseKeyCtrl* list = Controls().List()) {
        list->SetItemKeyDesc(change.stored.key_code, change.shown);
    }
    // What the store holds, which a failed save left as it was.
    ShowFunction(CurrentFunction(host_->CurrentProfile(), change.stored.key_code));
}

// The locked button is refused by the assignment itself, which then shows
// the function the button keeps instead of the item just chosen.
void ButtonPage::AssignChoice(int control) {
    const ButtonControls c = Controls();
    c.ShowCombinationPanel(false);
    c.ShowRepeatPanel(false);
    DUI::MComboBox2* choice = c.Choice(control);
    if (choice == nullptr) {
        return;
    }
    const ButtonChange change =
        AssignFunction(*host_, current_key_.load(), CategoryOfChoice(control),
                       static_cast<int>(choice->GetCurData()), choice->GetTitle());
    if (!change.ok) {
        // Show the button's function as it stays.
        ShowRefusal(change.refusal);
        RefreshPanel();
        return;
    }
    ShowStored(change);
}

void ButtonPage::Disable() {
    if (RefuseLockedKey()) {
        return;
    }
    const ButtonControls c = Controls();
    c.ShowCombinationPanel(false);
    c.ShowRepeatPanel(false);
    ShowStored(DisableButton(*host_, current_key_.load()));
}

// --- the key-combination panel --------------------------------------------------------

void ButtonPage::OpenCombination() {
    if (RefuseLockedKey()) {
        return;
    }
    {
        std::lock_guard lock(capture_mutex_);
        captured_code_ = 0;
    }
    const ButtonControls c = Controls();
    c.ShowRepeatPanel(false);
    c.ShowCombinationPanel(true);
    for (int box : kModifierBoxes) {
        if (DUI::MButton3* check = c.ModifierBox(box)) {
            check->SetCheck(false);
        }
    }
    if (DUI::MEdit* field = c.Field(id::kCapturedKey)) {
        field->SetTitle(u"");
        field->OnFocus(0);
    }
}

void ButtonPage::StartCapture() {
    if (DUI::MEdit* field = Controls().Field(id::kCapturedKey)) {
        field->SetTitle(u"");
    }
    std::lock_guard lock(capture_mutex_);
    capture_.reset();
    capture_ =
        std::make_unique<CaptureSet>(context_.capture, context_.list.Window(), kCaptureCustomKey);
}

void ButtonPage::StopCapture() {
    std::lock_guard lock(capture_mutex_);
    capture_.reset();
}

intptr_t ButtonPage::OnCapturedKey(const RawKeyEvent& key) {
    if (IsSidedModifier(key.code)) {
        return 0;
    }
    {
        std::lock_guard lock(capture_mutex_);
        captured_code_ = key.code;
    }
    if (DUI::MEdit* field = Controls().Field(id::kCapturedKey)) {
        field->SetTitle(key.name);
    }
    return 1;
}

int ButtonPage::CapturedKeyCode() const {
    std::lock_guard lock(capture_mutex_);
    return captured_code_;
}

void ButtonPage::ApplyCombination() {
    if (RefuseLockedKey()) {
        return;
    }
    const ButtonControls c = Controls();
    auto checked = [&c](int box) {
        DUI::MButton3* check = c.ModifierBox(box);
        return check != nullptr && check->GetCheck();
    };
    KeyCombination combination;
    combination.shift = checked(id::kShift);
    combination.ctrl = checked(id::kCtrl);
    combination.win = checked(id::kWin);
    combination.alt = checked(id::kAlt);
    combination.virtual_key = CapturedKeyCode();
    if (DUI::MEdit* field = c.Field(id::kCapturedKey)) {
        combination.key_name = field->GetTitle();
    }
    ShowStored(AssignCombination(*host_, current_key_.load(), combination));
}

// --- the repeat panel -------------------------------------------------------------------

void ButtonPage::OpenRepeat() {
    if (RefuseLockedKey()) {
        return;
    }
    const ButtonControls c = Controls();
    c.ShowCombinationPanel(false);
    c.ShowRepeatPanel(true);
    const std::pair<int, std::u16string_view> fields[] = {{id::kRepeatFirst, u"5"},
                                                          {id::kRepeatSecond, u"1"}};
    for (const auto& [field_id, text] : fields) {
        if (DUI::MEdit* field = c.Field(field_id)) {
            field->SetTitle(text);
            field->OnFocus(0);
        }
    }
}

void ButtonPage::ClampField(int field_id, int low, int high) {
    DUI::MEdit* field = Controls().Field(field_id);
    if (field == nullptr) {
        return;
    }
    const int typed = DecimalToInt(field->GetTitle());
    const int clamped = std::clamp(typed, low, high);
    if (clamped != typed) {
        field->SetTitle(Format(u"%d", clamped));
    }
}

void ButtonPage::ApplyRepeat() {
    if (RefuseLockedKey()) {
        return;
    }
    const ButtonControls c = Controls();
    DUI::MEdit* first = c.Field(id::kRepeatFirst);
    DUI::MEdit* second = c.Field(id::kRepeatSecond);
    const int typed_first = first ? DecimalToInt(first->GetTitle()) : 0;
    const int typed_second = second ? DecimalToInt(second->GetTitle()) : 0;
    const ButtonChange change =
        AssignRepeat(*host_, current_key_.load(), typed_first, typed_second);
    // A number typed and applied without leaving the field shows what was
    // kept, as one that lost the focus does.
    if (first != nullptr && change.stored.macro_value != typed_first) {
        first->SetTitle(Format(u"%d", change.stored.macro_value));
    }
    if (second != nullptr && change.stored.macro_value2 != typed_second) {
        second->SetTitle(Format(u"%d", change.stored.macro_value2));
    }
    ShowStored(change);
}

// --- resets --------------------------------------------------------------------------------

bool ButtonPage::ConfirmReset() {
    // Only a confirmed question resets: a box that could not run is no yes.
    return host_->ShowMessageBox(LoadLanguageString(text::kResetButtonsQuestion),
                                 LoadLanguageString(text::kResetButtonsTitle),
                                 kMessageBoxConfirm) == kMessageBoxFirst;
}

void ButtonPage::ResetAll() {
    if (!ConfirmReset()) {
        return;
    }
    const ButtonControls c = Controls();
    current_key_ = 0;
    if (DUI::MouseKeyCtrl* list = c.List()) {
        list->SelectItem(0);
        if (DUI::MControlFont* name = c.ButtonName()) {
            name->SetTitle(list->GetItemText(0));
        }
    }
    if (DUI::MouseCtrl* picture = c.Picture()) {
        picture->SelectItem(0);
    }
    ShowFactoryTexts();
    ResetAllButtons(*host_);
    RefreshPanel();
}

void ButtonPage::ResetCurrent() {
    if (!ConfirmReset()) {
        return;
    }
    const ButtonChange change = ResetButton(*host_, current_key_.load());
    if (DUI::MouseKeyCtrl* list = Controls().List()) {
        list->SetItemKeyDesc(change.stored.key_code, change.shown);
    }
    RefreshPanel();
}

// --- installation ------------------------------------------------------------------------

std::shared_ptr<ButtonPage> InstallButtonPage(const ui::ButtonPageContext& context,
                                              std::shared_ptr<ButtonHost> host) {
    auto page = std::make_shared<ButtonPage>(context, std::move(host));
    ui::PageRouter& router = context.router;
    router.SetPageHandler(ui::RouteSlot::kButtonPage,
                          [page](int control, int event, intptr_t param) {
                              return page->OnPageEvent(control, event, param);
                          });
    router.SetPageHandler(ui::RouteSlot::kCustomKeyPage,
                          [page](int control, int event, intptr_t param) {
                              return page->OnPanelEvent(control, event, param);
                          });
    router.SetPageHandler(ui::RouteSlot::kCustomKeyEdit,
                          [page](int control, int event, intptr_t param) {
                              return page->OnEditEvent(control, event, param);
                          });
    std::weak_ptr<ButtonPage> weak = page;
    SetCaptureConsumer(kCaptureCustomKey, [weak](const RawKeyEvent& key) -> intptr_t {
        auto alive = weak.lock();
        return alive ? alive->OnCapturedKey(key) : 1;
    });
    return page;
}

}  // namespace tessaly
