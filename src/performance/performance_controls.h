#pragma once
// The performance page's controls, found by id in page 52 of the main
// window. Every accessor gives null when the control is missing, so callers
// on a window without the page do nothing.

#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/dpi_control.h"
#include "ui/toolkit/controls/edits.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/progress.h"
#include "ui/toolkit/controls/report_ctrl.h"
#include "ui/toolkit/controls/tabs.h"
#include "ui/toolkit/dialog.h"

namespace tessaly {

namespace performance_id {
inline constexpr int kResetDpi = 115;
inline constexpr int kStages = 116;
inline constexpr int kSlider = 117;
inline constexpr int kSendDpi = 118;
inline constexpr int kStageCount = 120;
inline constexpr int kResetReportRate = 124;
inline constexpr int kReportRates = 125;
inline constexpr int kLiftOff1mm = 129;
inline constexpr int kLiftOff2mm = 130;
inline constexpr int kSensorOptions = 134;  // three check boxes share it
inline constexpr int kResponseTime = 139;
inline constexpr int kMoveWakeup = 143;
inline constexpr int kMoveCloseLight = 144;
inline constexpr int kSleepTime = 145;
}  // namespace performance_id

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
