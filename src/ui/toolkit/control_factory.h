#pragma once
// Makes a control from its class name, as dialogs create them.

#include <memory>
#include <string_view>

#include "ui/toolkit/control.h"

namespace tessaly::DUI {

// Null for a name the toolkit does not know.
std::unique_ptr<MControl> MakeControl(std::string_view class_name);

}  // namespace tessaly::DUI
