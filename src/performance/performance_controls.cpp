#include "performance/performance_controls.h"

#include "ui/pages/control_table.h"
#include "ui/pages/performance_page.h"

namespace tessaly {

namespace id = performance_id;

PerformanceControls::PerformanceControls(const DUI::MDialog& window)
    : window_(window), page_(ui::FindPage(window, ui::kPerformancePageId)) {}

template <typename T>
T* PerformanceControls::Find(int control_id, int nth) const {
    if (page_ == nullptr) {
        return nullptr;
    }
    return dynamic_cast<T*>(ui::FindInPage(window_, page_, control_id, nth));
}

DUI::DPIControl* PerformanceControls::Stages() const {
    return Find<DUI::DPIControl>(id::kStages);
}

DUI::DPISlider* PerformanceControls::Slider() const {
    return Find<DUI::DPISlider>(id::kSlider);
}

DUI::MComboBox* PerformanceControls::StageCount() const {
    return Find<DUI::MComboBox>(id::kStageCount);
}

DUI::ReporteCtrl* PerformanceControls::ReportRates() const {
    return Find<DUI::ReporteCtrl>(id::kReportRates);
}

DUI::CRadioButton* PerformanceControls::LiftOff(int control_id) const {
    return Find<DUI::CRadioButton>(control_id);
}

DUI::CCheckButton* PerformanceControls::SensorOption(int nth) const {
    return Find<DUI::CCheckButton>(id::kSensorOptions, nth);
}

DUI::NumberEdit* PerformanceControls::ResponseTime() const {
    return Find<DUI::NumberEdit>(id::kResponseTime);
}

DUI::MComboBox* PerformanceControls::SleepTime() const {
    return Find<DUI::MComboBox>(id::kSleepTime);
}

DUI::CCheckButton* PerformanceControls::Check(int control_id) const {
    return Find<DUI::CCheckButton>(control_id);
}

}  // namespace tessaly
