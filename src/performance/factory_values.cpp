#include "performance/factory_values.h"

#include <string>

#include "base/decimal.h"
#include "base/text_format.h"
#include "performance/colour_text.h"
#include "performance/performance_controls.h"
#include "performance/performance_store.h"
#include "performance/performance_tasks.h"
#include "storage/config_store.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "xml/xml_text_document.h"

namespace tessaly {
namespace {

constexpr uint32_t kConfirmButtons = 4;
constexpr int kConfirmed = 1;

// Stores the attribute's text as it stands; an empty one would overwrite a
// working value with nothing.
void StoreAttribute(const XmlTextDocument& doc, std::u16string_view attribute, int profile,
                    std::u16string_view key) {
    const std::u16string text = doc.GetAttribute(attribute);
    if (!text.empty()) {
        SetConfigValue(profile, key, text);
    }
}

bool EnterPath(XmlTextDocument& doc, std::u16string_view first, std::u16string_view second) {
    return doc.FindElement(first) && doc.EnterElement() && doc.FindElement(second) &&
           doc.EnterElement();
}

void ApplyStages(XmlTextDocument& doc, int profile) {
    StoreAttribute(doc, u"default_dpi", profile, u"dpi_index");
    StoreAttribute(doc, u"dpi_count", profile, u"dpi_flag");
    StoreAttribute(doc, u"dpi_count", profile, u"dpi_count");
    if (!doc.EnterElement()) {
        return;
    }
    for (int n = 1; n <= kMaxStageCount; ++n) {
        // Not found leaves the position, so later stages are still found.
        if (!doc.FindElement(Format(u"dpi_%d", n))) {
            continue;
        }
        StoreAttribute(doc, u"value", profile, StageValueKey(n - 1));
        const std::u16string colour = doc.GetAttribute(u"color");
        if (!colour.empty()) {
            WriteConfigNumber(profile, StageColourKey(n - 1), ColourFromText(colour));
        }
    }
    doc.LeaveElement();
}

std::optional<int> ApplyTheRest(XmlTextDocument& doc, int profile) {
    std::optional<int> rate;
    if (doc.FindElement(u"report_rate")) {
        const std::u16string text = doc.GetAttribute(u"default_value");
        if (!text.empty()) {
            SetConfigValue(profile, u"report_rate", text);
            rate = DecimalToInt(text);
        }
    }
    constexpr std::u16string_view kValueKeys[] = {u"sleep_light", u"move_wakeup",
                                                  u"move_closelight"};
    for (std::u16string_view key : kValueKeys) {
        if (doc.FindElement(key)) {
            StoreAttribute(doc, u"value", profile, key);
        }
    }
    return rate;
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

FactoryResult ApplyFactoryValues(std::u16string_view description_file, int profile,
                                 FactoryScope scope) {
    FactoryResult result;
    XmlTextDocument doc;
    if (!doc.LoadFile(description_file)) {
        return result;
    }
    result.loaded = true;
    if (!EnterPath(doc, u"mouse", u"mouse_info")) {
        return result;
    }
    if (doc.FindElement(u"dpi_info")) {
        ApplyStages(doc, profile);
    }
    if (scope == FactoryScope::kAll) {
        result.report_rate = ApplyTheRest(doc, profile);
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
