#include "performance/factory_values.h"

#include <string>

#include "base/decimal.h"
#include "base/task.h"
#include "base/text_format.h"
#include "performance/colour_text.h"
#include "performance/performance_controls.h"
#include "performance/performance_store.h"
#include "storage/config_store.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "xml/xml_text_document.h"

namespace tessaly {
namespace {

constexpr uint32_t kConfirmButtons = 4;
constexpr int kConfirmed = 1;

using Values = std::vector<FactoryValue>;

// The attribute's text as it stands; an empty one would overwrite a working
// value with nothing.
void TakeAttribute(const XmlTextDocument& doc, std::u16string_view attribute,
                   std::u16string_view key, Values& values) {
    std::u16string text = doc.GetAttribute(attribute);
    if (!text.empty()) {
        values.push_back({std::u16string(key), std::move(text)});
    }
}

bool EnterPath(XmlTextDocument& doc, std::u16string_view first, std::u16string_view second) {
    return doc.FindElement(first) && doc.EnterElement() && doc.FindElement(second) &&
           doc.EnterElement();
}

void TakeStages(XmlTextDocument& doc, Values& values) {
    TakeAttribute(doc, u"default_dpi", u"dpi_index", values);
    TakeAttribute(doc, u"dpi_count", u"dpi_flag", values);
    TakeAttribute(doc, u"dpi_count", u"dpi_count", values);
    if (!doc.EnterElement()) {
        return;
    }
    for (int n = 1; n <= kMaxStageCount; ++n) {
        // Not found leaves the position, so later stages are still found.
        if (!doc.FindElement(Format(u"dpi_%d", n))) {
            continue;
        }
        TakeAttribute(doc, u"value", StageValueKey(n - 1), values);
        const std::u16string colour = doc.GetAttribute(u"color");
        if (!colour.empty()) {
            values.push_back({StageColourKey(n - 1), IntToDecimal(ColourFromText(colour))});
        }
    }
    doc.LeaveElement();
}

void TakeTheRest(XmlTextDocument& doc, Values& values) {
    if (doc.FindElement(u"report_rate")) {
        // Both rate keys, as every other setter of the rate keeps them: a
        // reset must not leave the wireless rate of before behind.
        TakeAttribute(doc, u"default_value", u"report_rate", values);
        TakeAttribute(doc, u"default_value", u"report_rate_wireless", values);
    }
    constexpr std::u16string_view kValueKeys[] = {u"sleep_light", u"move_wakeup",
                                                  u"move_closelight"};
    for (std::u16string_view key : kValueKeys) {
        if (doc.FindElement(key)) {
            TakeAttribute(doc, u"value", key, values);
        }
    }
}

void SelectRate(const DUI::MDialog* window, int code) {
    if (window == nullptr) {
        return;
    }
    if (DUI::ReporteCtrl* rates = PerformanceControls(*window).ReportRates()) {
        rates->SelectKeyValue(code);
    }
}

std::optional<int> FactoryReportRate(std::u16string_view description_file) {
    XmlTextDocument doc;
    if (!doc.LoadFile(description_file) || !EnterPath(doc, u"mouse", u"mouse_info") ||
        !doc.FindElement(u"report_rate")) {
        return std::nullopt;
    }
    const std::u16string text = doc.GetAttribute(u"default_value");
    if (text.empty()) {
        return std::nullopt;
    }
    return DecimalToInt(text);
}

}  // namespace

std::optional<std::vector<FactoryValue>> ReadFactoryValues(std::u16string_view description_file,
                                                           FactoryScope scope) {
    XmlTextDocument doc;
    if (!doc.LoadFile(description_file)) {
        return std::nullopt;
    }
    Values values;
    if (!EnterPath(doc, u"mouse", u"mouse_info")) {
        return values;
    }
    if (doc.FindElement(u"dpi_info")) {
        TakeStages(doc, values);
    }
    if (scope == FactoryScope::kAll) {
        TakeTheRest(doc, values);
    }
    return values;
}

FactoryResult ApplyFactoryValues(std::u16string_view description_file, int profile,
                                 FactoryScope scope) {
    FactoryResult result;
    const std::optional<Values> values = ReadFactoryValues(description_file, scope);
    if (!values) {
        return result;
    }
    result.loaded = true;
    for (const FactoryValue& value : *values) {
        if (!SetConfigValue(profile, value.key, value.text)) {
            result.stored = false;
        }
        if (value.key == u"report_rate") {
            result.report_rate = DecimalToInt(value.text);
        }
    }
    return result;
}

FactoryResult ApplyFactoryValues(PerformanceHost& host, FactoryScope scope,
                                 const DUI::MDialog* window) {
    FactoryResult result =
        ApplyFactoryValues(host.DescriptionFilePath(), host.CurrentProfile(), scope);
    if (result.report_rate) {
        SelectRate(window, *result.report_rate);
    }
    return result;
}

void ResetReportRate(PerformanceHost& host, const DUI::MDialog* window) {
    const std::optional<int> rate = FactoryReportRate(host.DescriptionFilePath());
    if (!rate) {
        host.QueueTask(kTaskWriteReportRate);
        return;
    }
    const int profile = host.CurrentProfile();
    WriteConfigNumber(profile, u"report_rate", *rate);
    WriteConfigNumber(profile, u"report_rate_wireless", *rate);
    SelectRate(window, *rate);
    host.QueueTask(kTaskWriteReportRate);
    host.ShowSaveWait();
}

void ResetDpiStages(PerformanceHost& host) {
    const int answer = host.ShowMessageBox(LoadLanguageString(text::kResetDpiQuestion),
                                           LoadLanguageString(text::kResetDpi), kConfirmButtons);
    if (answer != kConfirmed) {
        return;
    }
    host.QueueTask(kTaskRestoreDpiStages);
    host.ShowSaveWait();
}

}  // namespace tessaly
