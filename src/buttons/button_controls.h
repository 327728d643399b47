#pragma once
// The button page's controls as the page code uses them: page 50 holds the
// list and the picture, sub-page 51 the function panel and its two small
// panels. Every accessor may give null (a window without the page).

#include "ui/ids/button_page_ids.h"
#include "ui/main/page_context.h"
#include "ui/toolkit/dui.h"

namespace tessaly {

class ButtonControls {
  public:
    ButtonControls(ui::PageView list, ui::PageView panel) : list_(list), panel_(panel) {}
    explicit ButtonControls(const ui::ButtonPageContext& pages)
        : ButtonControls(pages.list, pages.panel) {}

    DUI::MouseKeyCtrl* List() const;
    DUI::MouseCtrl* Picture() const;
    DUI::MTabLayout* Panel() const;
    DUI::MControl* Background() const;
    DUI::MControlFont* ButtonName() const;
    // The category choices by their ids (73, 75, 77, 79, 81, 83).
    DUI::MComboBox2* Choice(int id) const;
    // The two panels' openers (85, 87) and disable (89), which are checked
    // for the functions they give.
    DUI::MButton2* FunctionSwitch(int id) const;
    DUI::MButton3* ModifierBox(int id) const;
    DUI::MEdit* Field(int id) const;
    // Shows or hides the key-combination panel (90 … 98) or the repeat
    // panel (99 … 107).
    void ShowCombinationPanel(bool shown) const;
    void ShowRepeatPanel(bool shown) const;

  private:
    DUI::MControl* InPanel(int id, int nth = 0) const;
    ui::PageView list_;
    ui::PageView panel_;
};

}  // namespace tessaly
