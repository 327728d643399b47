#include "ui/main/localised_texts.h"

#include <algorithm>

#include "ui/toolkit/toolkit.h"

namespace tessaly::ui {

void LocalisedTexts::SetTitle(DUI::MControlFont* control, Builder build) {
    if (control == nullptr || !build) {
        return;
    }
    auto lock = DUI::LockToolkit();
    control->SetTitle(build());
    Forget(control);
    entries_.push_back({control, std::move(build)});
}

void LocalisedTexts::Forget(const DUI::MControl* control) {
    auto lock = DUI::LockToolkit();
    std::erase_if(entries_, [control](const Entry& entry) { return entry.control == control; });
}

void LocalisedTexts::Rebuild() {
    auto lock = DUI::LockToolkit();
    for (const Entry& entry : entries_) {
        entry.control->SetTitle(entry.build());
    }
}

}  // namespace tessaly::ui
