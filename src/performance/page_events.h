#pragma once
// The performance page's events: each user action on the page becomes one
// change operation. InstallPerformancePage registers the handlers with the
// router; the host must outlive the window's use of them.

#include "performance/performance_host.h"
#include "ui/main/page_context.h"

namespace tessaly {

void InstallPerformancePage(const ui::PerformancePageContext& context, PerformanceHost& host);

}  // namespace tessaly
