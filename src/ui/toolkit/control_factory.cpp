#include "ui/toolkit/control_factory.h"

#include <array>
#include <utility>

#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/device_list.h"
#include "ui/toolkit/controls/dpi_control.h"
#include "ui/toolkit/controls/edits.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/mouse_controls.h"
#include "ui/toolkit/controls/palette.h"
#include "ui/toolkit/controls/progress.h"
#include "ui/toolkit/controls/record_list.h"
#include "ui/toolkit/controls/report_ctrl.h"
#include "ui/toolkit/controls/static_controls.h"
#include "ui/toolkit/controls/tabs.h"

namespace tessaly::DUI {
namespace {

using Maker = std::unique_ptr<MControl> (*)();

template <typename T>
std::unique_ptr<MControl> Make() {
    return std::make_unique<T>();
}

template <typename T>
constexpr std::pair<std::string_view, Maker> Entry() {
    return {T::kClassName, &Make<T>};
}

constexpr std::array kControlClasses = {
    Entry<MPicture>(),     Entry<MText>(),        Entry<MButton>(),      Entry<MButton2>(),
    Entry<MButton3>(),     Entry<CImageButton>(), Entry<CTextButton>(),  Entry<CIconButton>(),
    Entry<CCheckButton>(), Entry<CRadioButton>(), Entry<CColorButton>(), Entry<CHelpButton>(),
    Entry<MComboBox>(),    Entry<MComboBox2>(),   Entry<MEdit>(),        Entry<NumberEdit>(),
    Entry<MProgress>(),    Entry<MProgress2>(),   Entry<MTabCtrl>(),     Entry<MTabLayout>(),
    Entry<CArea>(),        Entry<CRoundArea>(),   Entry<BatteryCtrl>(),  Entry<CDeviceState>(),
    Entry<CDeviceList>(),  Entry<DPIControl>(),   Entry<DPISlider>(),    Entry<LightSlider>(),
    Entry<MPalette>(),     Entry<MouseCtrl>(),    Entry<MouseKeyCtrl>(), Entry<MacroList>(),
    Entry<CRecordList>(),  Entry<ReporteCtrl>(),  Entry<DListBox>(),
};

}  // namespace

std::unique_ptr<MControl> MakeControl(std::string_view class_name) {
    for (const auto& [name, make] : kControlClasses) {
        if (name == class_name) {
            return make();
        }
    }
    return nullptr;
}

}  // namespace tessaly::DUI
