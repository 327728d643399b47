#include "controller/performance_wiring.h"

#include <functional>
#include <utility>

#include "base/task.h"
#include "base/trace.h"
#include "catalogue/device_catalogue.h"
#include "performance/factory_values.h"
#include "performance/page_events.h"
#include "performance/page_refresh.h"
#include "performance/performance_writes.h"
#include "platform/desktop_mouse_settings.h"
#include "platform/folders.h"
#include "ui/dialogs/dpi_msg_dlg.h"
#include "ui/dialogs/message_box.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/main/window_page_contexts.h"

namespace tessaly {

bool PerformanceWiring::ShowDpiTips() const {
    const ui::DeviceMainDlg* window = controller_.Window();
    return window && window->tips.show_dpi_tips;
}

void PerformanceWiring::ShowDpiPopup(int dpi) {
    if (ui::DeviceMainDlg* window = controller_.Window()) {
        tessaly::ShowDpiPopup(dynamic_cast<DPIMsgDlg*>(window->dpi_popup.get()), dpi);
    }
}

std::u16string PerformanceWiring::DescriptionFilePath() const {
    return ProgramFolder() + u"device/" + DeviceCatalogue::Instance().Selected().device_attribute +
           u".xml";
}

void PerformanceWiring::OpenSystemMouseSettings() {
    if (!OpenDesktopMouseSettings()) {
        // A button that does nothing reads as broken: say why.
        Trace(kTraceDevice, "no mouse settings program found for this desktop");
        ShowMessageBox(LoadLanguageString(text::kNoMouseSettingsProgram),
                       LoadLanguageString(text::kSystemMouseSettings), kMessageBoxOk);
    }
}

void InstallPerformance(PerformanceWiring& host, Controller& controller, ui::DeviceMainDlg& dlg,
                        DeviceWorker& worker) {
    // A write the mouse did not take goes to the command failure handling.
    const auto write_body = [&controller, &worker](int code,
                                                   std::function<bool(HidInterface*)> write) {
        worker.SetTaskBody(code, [&controller, &worker, write = std::move(write)] {
            if (!write(controller.Devices().CurrentInterface())) {
                worker.CommandFailureHandling();
            }
        });
    };
    write_body(kTaskWriteDpiStages, [&host](HidInterface* mouse) {
        return WriteDpiStages(mouse, host.CurrentProfile(), host.Device());
    });
    write_body(kTaskWriteDpiColours, [&host](HidInterface* mouse) {
        return WriteDpiColours(mouse, host.CurrentProfile());
    });
    write_body(kTaskWriteReportRate, [&host](HidInterface* mouse) {
        return WriteReportRate(mouse, host.CurrentProfile());
    });
    write_body(kTaskWriteLiftOffSensor, [&host](HidInterface* mouse) {
        return WriteLiftOffSensor(mouse, host.CurrentProfile());
    });
    write_body(kTaskWriteSleepResponse, [&host](HidInterface* mouse) {
        return WriteSleepResponse(mouse, host.CurrentProfile());
    });
    write_body(kTaskRestoreDpiStages,
               [&host, &dlg](HidInterface* mouse) { return RestoreDpiStages(mouse, host, &dlg); });
    worker.SetPageRefresh(WorkerPage::kPerformance,
                          [&host, &dlg] { RefreshPerformancePage(dlg, host); });
    worker.SetFactoryValues([&host, &dlg] { ApplyFactoryValues(host, FactoryScope::kAll, &dlg); });
    InstallPerformancePage(ui::PerformancePageContextOf(dlg), host);
}

}  // namespace tessaly
