#include "buttons/button_controls.h"

#include "ui/ids/button_page_ids.h"

namespace tessaly {
namespace {

namespace id = button_id;

constexpr int kCombinationPanel[] = {id::kCombinationBackground,
                                     id::kCloseCombination,
                                     id::kCombinationTitle,
                                     id::kCapturedKey,
                                     id::kCtrl,
                                     id::kWin,
                                     id::kAlt,
                                     id::kShift,
                                     id::kApplyCombination};
constexpr int kRepeatPanel[] = {
    id::kRepeatBackground, id::kRepeatTitle,           id::kRepeatCountCaption,
    id::kRepeatSecond,     id::kRepeatIntervalCaption, id::kRepeatIntervalUnit,
    id::kRepeatFirst,      id::kApplyRepeat,           id::kCloseRepeat};

}  // namespace

DUI::MouseKeyCtrl* ButtonControls::List() const {
    return dynamic_cast<DUI::MouseKeyCtrl*>(list_.Find(button_id::kList));
}

DUI::MouseCtrl* ButtonControls::Picture() const {
    return dynamic_cast<DUI::MouseCtrl*>(list_.Find(button_id::kPicture));
}

DUI::MTabLayout* ButtonControls::Panel() const {
    return panel_.Layout();
}

DUI::MControl* ButtonControls::Background() const {
    return list_.Find(button_id::kBackground);
}

DUI::MControl* ButtonControls::InPanel(int id, int nth) const {
    return panel_.Layout() ? panel_.Find(id, nth) : nullptr;
}

DUI::MControlFont* ButtonControls::ButtonName() const {
    return dynamic_cast<DUI::MControlFont*>(InPanel(button_id::kButtonName));
}

DUI::MComboBox2* ButtonControls::Choice(int id) const {
    // The shortcut choice shares its id with its caption, created first.
    const int nth = id == button_id::kShortcutChoice ? 1 : 0;
    return dynamic_cast<DUI::MComboBox2*>(InPanel(id, nth));
}

DUI::MButton2* ButtonControls::FunctionSwitch(int id) const {
    return dynamic_cast<DUI::MButton2*>(InPanel(id));
}

DUI::MButton3* ButtonControls::ModifierBox(int id) const {
    return dynamic_cast<DUI::MButton3*>(InPanel(id));
}

DUI::MEdit* ButtonControls::Field(int id) const {
    return dynamic_cast<DUI::MEdit*>(InPanel(id));
}

void ButtonControls::ShowCombinationPanel(bool shown) const {
    for (int id : kCombinationPanel) {
        if (DUI::MControl* control = InPanel(id)) {
            control->SetVisible(shown);
        }
    }
}

void ButtonControls::ShowRepeatPanel(bool shown) const {
    for (int id : kRepeatPanel) {
        if (DUI::MControl* control = InPanel(id)) {
            control->SetVisible(shown);
        }
    }
}

}  // namespace tessaly
