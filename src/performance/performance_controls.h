#pragma once
// The performance page's controls, found by id in page 52 of the main
// window. Every accessor gives null when the control is missing, so callers
// on a window without the page do nothing.

#include "ui/ids/performance_page_ids.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/dpi_control.h"
#include "ui/toolkit/controls/edits.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/progress.h"
#include "ui/toolkit/controls/report_ctrl.h"
#include "ui/toolkit/controls/tabs.h"
#include "ui/toolkit/dialog.h"

namespace tessaly {

class PerformanceControls {
  public:
    explicit PerformanceControls(const DUI::MDialog& window);

    DUI::DPIControl* Stages() const;
    DUI::DPISlider* Slider() const;
    DUI::MComboBox* StageCount() const;
    DUI::ReporteCtrl* ReportRates() const;
    DUI::CRadioButton* LiftOff(int id) const;
    // nth 0 … 2: the options of bits 4, 8 and 16.
    DUI::CCheckButton* SensorOption(int nth) const;
    DUI::NumberEdit* ResponseTime() const;
    DUI::MComboBox* SleepTime() const;
    DUI::CCheckButton* Check(int id) const;

  private:
    template <typename T>
    T* Find(int id, int nth = 0) const;

    const DUI::MDialog& window_;
    const DUI::MTabLayout* page_;
};

}  // namespace tessaly
