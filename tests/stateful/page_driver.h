#pragma once
// The pages' controls as a user works them: a click in a list, a button, a
// menu choice. The page's own handlers do the work.

#include "stateful/program_under_test.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/record_list.h"

namespace tessaly::stateful {

class PageDriver {
  public:
    explicit PageDriver(ProgramUnderTest& program) : program_(program) {}

    DUI::MacroList* MacroList() const;
    DUI::CRecordList* EventList() const;
    // A click on a control (event 2), then what it posted.
    void Click(int id, intptr_t param = 0);
    // The macro list's entry of the macro; false when there is none.
    bool SelectMacro(int macro_id);
    // A click on an event, or on no event at all (-1).
    void SelectEvent(int index);
    // The insert button, then the item of its menu; the key dialog, when
    // the item opens it, captures this key and closes with OK.
    bool Insert(int item, int vkey = 0);
    // The button list's row of the key code, clicked; false when none.
    bool SelectButton(int key_code);

  private:
    ProgramUnderTest& program_;
};

}  // namespace tessaly::stateful
