#include "ui/pages/performance_page.h"

#include <array>

#include "base/text_format.h"
#include "ui/dialogs/colour_values.h"
#include "ui/ids/performance_page_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/localisation/unit_texts.h"
#include "ui/pages/control_table.h"
#include "ui/pages/page_look.h"
#include "ui/toolkit/dui.h"

namespace tessaly::ui {

using namespace DUI;
namespace t = text;

namespace {

constexpr std::u16string_view kArea = u"img_area_content.png";
constexpr std::u16string_view kHelp = u"img_help.png";

constexpr ControlSpec kRows[] = {
    {.class_name = "MPicture",
     .id = performance_id::kBackground,
     .flags = ui::kArea,
     .image = u"img_area_bkg.png"},
    {.class_name = "MPicture",
     .id = performance_id::kCaptionBar,
     .flags = ui::kArea,
     .image = u"img_area_caption.png"},
    {.class_name = "MText",
     .id = performance_id::kTitle,
     .flags = ui::kArea,
     .text = t::kPerformancePageTitle},
    {.class_name = "MPicture", .id = performance_id::kDpiArea, .flags = ui::kArea, .image = kArea},
    {.class_name = "MText",
     .id = performance_id::kDpiCaption,
     .flags = ui::kArea,
     .text = t::kDpiSettings},
    {.class_name = "CHelpButton",
     .id = performance_id::kDpiHelp,
     .image = kHelp,
     .text = t::kDpiHelp},
    {.class_name = "CImageButton",
     .id = performance_id::kResetDpi,
     .image = u"btn_reset.png",
     .frames = 4,
     .tooltip = t::kResetDpi},
    {.class_name = "DPIControl", .id = performance_id::kStages},
    {.class_name = "MButton",
     .id = performance_id::kSendDpi,
     .image = u"img_button.png",
     .frames = 4,
     .text = t::kSendDpi},
    {.class_name = "MText",
     .id = performance_id::kStageCountLabel,
     .flags = ui::kArea,
     .text = t::kStageCount},
    {.class_name = "MComboBox", .id = performance_id::kStageCount},
    {.class_name = "DPISlider", .id = performance_id::kSlider},
    {.class_name = "MPicture",
     .id = performance_id::kReportRateArea,
     .flags = ui::kArea,
     .image = kArea},
    {.class_name = "MText",
     .id = performance_id::kReportRateCaption,
     .flags = ui::kArea,
     .text = t::kReportRate},
    {.class_name = "CHelpButton",
     .id = performance_id::kReportRateHelp,
     .image = kHelp,
     .text = t::kReportRateHelp},
    {.class_name = "CImageButton",
     .id = performance_id::kResetReportRate,
     .image = u"btn_reset.png",
     .frames = 4,
     .tooltip = t::kResetReportRate},
    {.class_name = "ReporteCtrl", .id = performance_id::kReportRates},
    {.class_name = "MPicture",
     .id = performance_id::kLiftOffArea,
     .flags = ui::kArea,
     .image = kArea},
    {.class_name = "MText",
     .id = performance_id::kLiftOffCaption,
     .flags = ui::kArea,
     .text = t::kLiftOffDistance},
    {.class_name = "CHelpButton",
     .id = performance_id::kLiftOffHelp,
     .image = kHelp,
     .text = t::kLiftOffHelp},
    {.class_name = "CRadioButton",
     .id = performance_id::kLiftOff1mm,
     .flags = kChecked,
     .image = u"btn_radiobox.png",
     .frames = 8,
     .literal = u"1.0",
     .group = u"IDC_PER_STC_LOD"},
    {.class_name = "CRadioButton",
     .id = performance_id::kLiftOff2mm,
     .image = u"btn_radiobox.png",
     .frames = 8,
     .literal = u"2.0",
     .group = u"IDC_PER_STC_LOD"},
    {.class_name = "MPicture",
     .id = performance_id::kSensorArea,
     .flags = ui::kArea,
     .image = kArea},
    {.class_name = "MText",
     .id = performance_id::kSensorCaption,
     .flags = ui::kArea,
     .text = t::kSensorSettings},
    {.class_name = "CHelpButton", .id = performance_id::kSensorHelp, .image = kHelp},
    {.class_name = "CCheckButton",
     .id = performance_id::kSensorOptions,
     .image = u"btn_checkbox.png",
     .frames = 8,
     .text = t::kSensorOption1},
    {.class_name = "CCheckButton",
     .id = performance_id::kSensorOptions,
     .image = u"btn_checkbox.png",
     .frames = 8,
     .text = t::kSensorOption2},
    {.class_name = "CCheckButton",
     .id = performance_id::kSensorOptions,
     .flags = kChecked,
     .image = u"btn_checkbox.png",
     .frames = 8,
     .text = t::kSensorOption3},
    {.class_name = "MPicture",
     .id = performance_id::kResponseTimeArea,
     .flags = ui::kArea,
     .image = kArea},
    {.class_name = "MText",
     .id = performance_id::kResponseTimeCaption,
     .flags = ui::kArea,
     .text = t::kResponseTime},
    {.class_name = "NumberEdit", .id = performance_id::kResponseTime, .image = u"img_edit.png"},
    {.class_name = "MPicture",
     .id = performance_id::kPowerArea,
     .flags = ui::kArea,
     .image = kArea},
    {.class_name = "MText",
     .id = performance_id::kSleepCaption,
     .flags = ui::kArea,
     .text = t::kSleepTime},
    {.class_name = "MComboBox",
     .id = performance_id::kSleepTime,
     .image = u"img_combobox.png",
     .frames = 4},
    {.class_name = "MText",
     .id = performance_id::kWakeCaption,
     .flags = ui::kArea,
     .text = t::kWakeUp},
    {.class_name = "CCheckButton",
     .id = performance_id::kMoveWakeup,
     .image = u"btn_checkbox.png",
     .frames = 8,
     .text = t::kMoveWakeUp},
    {.class_name = "CCheckButton",
     .id = performance_id::kMoveCloseLight,
     .image = u"btn_checkbox.png",
     .frames = 8,
     .text = t::kMoveCloseLight},
    {.class_name = "MPicture",
     .id = performance_id::kSystemMouseArea,
     .flags = ui::kArea,
     .image = kArea},
    {.class_name = "MText",
     .id = performance_id::kSystemMouseCaption,
     .flags = ui::kArea,
     .text = t::kSystemMouseSettings},
    {.class_name = "MPicture",
     .id = performance_id::kSystemMousePicture,
     .flags = ui::kArea,
     .image = u"icon//icon_windows.png"},
    {.class_name = "MButton",
     .id = performance_id::kSystemMouseSettings,
     .image = u"img_button.png",
     .frames = 4,
     .text = t::kOpenSystemSettings},
};

struct StageDefault {
    int dpi;
    uint32_t bgr;
};
constexpr std::array<StageDefault, 6> kStages{{{800, 0x0009F1},
                                               {1600, 0xEF6B00},
                                               {2400, 0x4CF500},
                                               {3200, 0x20A3FF},
                                               {6400, 0xFFFF00},
                                               {26000, 0xC9018F}}};

struct RateDefault {
    int hertz;
    int code;
    uint32_t bgr;
};
constexpr std::array<RateDefault, 4> kRates{
    {{125, 8, 0x0108F1}, {250, 4, 0xED6B00}, {500, 2, 0x4DF600}, {1000, 1, 0x20A3FF}}};

// The lift-off distances' radio buttons, with their distance.
constexpr std::array<std::pair<int, std::u16string_view>, 2> kLiftOffChoices{
    {{performance_id::kLiftOff1mm, u"1.0"}, {performance_id::kLiftOff2mm, u"2.0"}}};

void SetUnitTexts(const MDialog& dlg, const MTabLayout* page) {
    for (const auto& [id, distance] : kLiftOffChoices) {
        if (auto* choice = dynamic_cast<MControlFont*>(FindInPage(dlg, page, id))) {
            choice->SetTitle(WithUnit(Unit::kMillimetre, distance));
        }
    }
}

// The rates already listed, written again in the current language; each
// text starts with its number.
void RewriteRateTexts(ReporteCtrl& rates) {
    const std::vector<RateItem> items = rates.Items();
    const int chosen = rates.GetCurSel();
    rates.DeleteAllItems();
    for (const RateItem& item : items) {
        const size_t digits = item.text.find_first_not_of(u"0123456789");
        rates.AddItem(WithUnit(Unit::kHertz, std::u16string_view(item.text).substr(0, digits)),
                      item.key_value, item.color);
    }
    if (chosen >= 0) {
        rates.SelectItem(chosen);
    }
}

constexpr std::array<std::pair<int, int>, 6> kSleepTimes{
    {{1, 6}, {2, 12}, {6, 36}, {10, 60}, {20, 120}, {30, 180}}};

constexpr auto Argb = BgrToArgb;

std::u16string SleepTimeText(int minutes) {
    return Format(u"%d %s", minutes, LoadLanguageString(t::kMinutes));
}

void SetSensorHelp(const MDialog& dlg, const MTabLayout* page) {
    if (auto* help =
            dynamic_cast<MControlFont*>(FindInPage(dlg, page, performance_id::kSensorHelp))) {
        auto s = [](int number) { return LoadLanguageString(number); };
        help->SetTitle(Format(u"%s\n%s\n%s\n%s\n\n%s\n%s\n\n%s\n%s", s(t::kSensorSettings),
                              s(t::kSensorHelpOption1), s(t::kSensorHelpOption1Line1),
                              s(t::kSensorHelpOption1Line2), s(t::kSensorHelpOption2),
                              s(t::kSensorHelpOption2Line1), s(t::kSensorHelpOption3),
                              s(t::kSensorHelpOption3Line1)));
    }
}

void FillInitialState(const MDialog& dlg, const MTabLayout* page) {
    if (auto* stages = dynamic_cast<DPIControl*>(FindInPage(dlg, page, performance_id::kStages))) {
        stages->ClearList();
        for (const StageDefault& stage : kStages) {
            stages->AddItem(stage.dpi, Argb(stage.bgr));
        }
    }
    if (auto* count =
            dynamic_cast<MComboBox*>(FindInPage(dlg, page, performance_id::kStageCount))) {
        for (int n = 1; n <= 6; ++n) {
            count->AddItem(Format(u"%d", n), n);
        }
        count->SelectData(6);
    }
    if (auto* rates =
            dynamic_cast<ReporteCtrl*>(FindInPage(dlg, page, performance_id::kReportRates))) {
        for (const RateDefault& rate : kRates) {
            rates->AddItem(WithUnit(Unit::kHertz, rate.hertz), rate.code, Argb(rate.bgr));
        }
        rates->SelectItem(2);
    }
    if (auto* sleep = dynamic_cast<MComboBox*>(FindInPage(dlg, page, performance_id::kSleepTime))) {
        for (auto [count, data] : kSleepTimes) {
            sleep->AddItem(SleepTimeText(count), data);
        }
    }
    SetSensorHelp(dlg, page);
    SetUnitTexts(dlg, page);
    if (auto* slider = dynamic_cast<DPISlider*>(FindInPage(dlg, page, performance_id::kSlider))) {
        slider->SetSubImage(ImageRole::kThumb, u"img_dpi_bar.png");
        slider->SetSubImage(ImageRole::kBackground, u"img_area2.png");
    }
}

// One group: its area picture, the controls in it (relative to the group's
// top) and its height, all in page units at scale 1.
struct Group {
    int area_id;
    int height;
    std::span<const Placement> members;
};

constexpr int kWidth = 1000;
constexpr Placement kDpiGroup[] = {
    {performance_id::kDpiArea, 0, {0, 0, kWidth, 190}},
    {performance_id::kDpiCaption, 0, {15, 10, 215, 40}},
    {performance_id::kDpiHelp, 0, {220, 13, 244, 37}},
    {performance_id::kResetDpi, 0, {kWidth - 45, 10, kWidth - 15, 40}},
    {performance_id::kStages, 0, {15, 45, 700, 125}},
    {performance_id::kStageCountLabel, 0, {720, 50, 840, 80}},
    {performance_id::kStageCount, 0, {850, 50, 950, 80}},
    {performance_id::kSendDpi, 0, {850, 90, 1010, 120}},
    {performance_id::kSlider, 0, {15, 135, kWidth - 15, 180}},
};
constexpr Placement kRateGroup[] = {
    {performance_id::kReportRateArea, 0, {0, 0, kWidth, 70}},
    {performance_id::kReportRateCaption, 0, {15, 5, 215, 35}},
    {performance_id::kReportRateHelp, 0, {220, 8, 244, 32}},
    {performance_id::kResetReportRate, 0, {kWidth - 45, 5, kWidth - 15, 35}},
    {performance_id::kReportRates, 0, {15, 35, kWidth - 15, 65}},
};
constexpr Placement kLiftOffGroup[] = {
    {performance_id::kLiftOffArea, 0, {0, 0, kWidth, 50}},
    {performance_id::kLiftOffCaption, 0, {15, 10, 215, 40}},
    {performance_id::kLiftOffHelp, 0, {220, 13, 244, 37}},
    {performance_id::kLiftOff1mm, 0, {300, 10, 450, 40}},
    {performance_id::kLiftOff2mm, 0, {460, 10, 610, 40}},
};
constexpr Placement kSensorGroup[] = {
    {performance_id::kSensorArea, 0, {0, 0, kWidth, 50}},
    {performance_id::kSensorCaption, 0, {15, 10, 215, 40}},
    {performance_id::kSensorHelp, 0, {220, 13, 244, 37}},
    {performance_id::kSensorOptions, 0, {300, 10, 530, 40}},
    {performance_id::kSensorOptions, 1, {540, 10, 770, 40}},
    {performance_id::kSensorOptions, 2, {780, 10, 995, 40}},
};
constexpr Placement kResponseGroup[] = {
    {performance_id::kResponseTimeArea, 0, {0, 0, kWidth, 50}},
    {performance_id::kResponseTimeCaption, 0, {15, 10, 280, 40}},
    {performance_id::kResponseTime, 0, {300, 10, 400, 40}},
};
constexpr Placement kPowerGroup[] = {
    {performance_id::kPowerArea, 0, {0, 0, kWidth, 80}},
    {performance_id::kSleepCaption, 0, {15, 5, 280, 35}},
    {performance_id::kSleepTime, 0, {300, 5, 450, 35}},
    {performance_id::kWakeCaption, 0, {15, 42, 280, 72}},
    {performance_id::kMoveWakeup, 0, {300, 42, 600, 72}},
    {performance_id::kMoveCloseLight, 0, {610, 42, 910, 72}},
};
constexpr Placement kWindowsGroup[] = {
    {performance_id::kSystemMouseArea, 0, {0, 0, kWidth, 50}},
    {performance_id::kSystemMouseCaption, 0, {15, 10, 400, 40}},
    {performance_id::kSystemMousePicture, 0, {560, 10, 590, 40}},
    {performance_id::kSystemMouseSettings, 0, {600, 10, 800, 40}},
};
constexpr Group kGroups[] = {
    {performance_id::kDpiArea, 190, kDpiGroup},
    {performance_id::kReportRateArea, 70, kRateGroup},
    {performance_id::kLiftOffArea, 50, kLiftOffGroup},
    {performance_id::kSensorArea, 50, kSensorGroup},
    {performance_id::kResponseTimeArea, 50, kResponseGroup},
    {performance_id::kPowerArea, 80, kPowerGroup},
    {performance_id::kSystemMouseArea, 50, kWindowsGroup},
};
constexpr int kGroupGap = 8;

void SetGroupVisible(const MDialog& dlg, const MTabLayout* page, const Group& group, bool visible) {
    for (const Placement& member : group.members) {
        if (MControl* control = FindInPage(dlg, page, member.id, member.nth)) {
            control->SetVisible(visible);
        }
    }
}

}  // namespace

void BuildPerformancePage(MDialog& dlg, MTabLayout& page, const PageStyle& style) {
    CreateControls(dlg, &page, kRows, style);
    FillInitialState(dlg, &page);
}

void ReapplyPerformancePageTexts(MDialog& dlg, const PageStyle& style) {
    const MTabLayout* page = FindPage(dlg, kPerformancePageId);
    ReapplyTexts(dlg, page, kRows, style);
    SetSensorHelp(dlg, page);
    SetUnitTexts(dlg, page);
    if (auto* rates =
            dynamic_cast<ReporteCtrl*>(FindInPage(dlg, page, performance_id::kReportRates))) {
        RewriteRateTexts(*rates);
    }
    if (auto* sleep = dynamic_cast<MComboBox*>(FindInPage(dlg, page, performance_id::kSleepTime))) {
        for (size_t i = 0; i < kSleepTimes.size(); ++i) {
            sleep->SetItemText(static_cast<int>(i), SleepTimeText(kSleepTimes[i].first));
        }
    }
}

void SetPerformanceGroupsVisible(MDialog& dlg, bool show_liftoff, bool show_sensor) {
    const MTabLayout* page = FindPage(dlg, kPerformancePageId);
    SetGroupVisible(dlg, page, kGroups[2], show_liftoff);
    SetGroupVisible(dlg, page, kGroups[3], show_sensor);
}

void LayoutPerformancePage(MDialog& dlg, Rect, float scale) {
    const MTabLayout* page = FindPage(dlg, kPerformancePageId);
    if (page == nullptr) {
        return;
    }
    Place(dlg, page, kPageOrigin, scale,
          std::array<Placement, 3>{{{performance_id::kBackground, 0, {0, 0, kWidth + 30, 658}},
                                    {performance_id::kCaptionBar, 0, {0, 0, kWidth + 30, 40}},
                                    {performance_id::kTitle, 0, {15, 0, 400, 40}}}});
    int top = kFirstGroupTop;
    for (const Group& group : kGroups) {
        MControl* area = FindInPage(dlg, page, group.area_id);
        if (area == nullptr || !area->IsVisible()) {
            continue;
        }
        Point origin{kPageOrigin.x + 15,
                     kPageOrigin.y + static_cast<int>(static_cast<float>(top) * scale)};
        Place(dlg, page, origin, scale, group.members);
        top += group.height + kGroupGap;
    }
}

}  // namespace tessaly::ui
