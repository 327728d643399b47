#include "ui/toolkit/file_dialog.h"

#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

namespace tessaly::DUI {

std::optional<std::u16string> ChooseXmlFile(FileDialogMode mode,
                                            std::u16string_view filter_description,
                                            std::u16string_view filter_pattern,
                                            const MWindow* owner) {
    Toolkit& toolkit = Toolkit::Get();
    if (!toolkit.IsUiThread()) {
        return std::nullopt;
    }
    FileDialogRequest request;
    request.save = mode == FileDialogMode::kSave;
    request.filter_description = filter_description;
    request.filter_pattern = filter_pattern;
    request.owner = owner != nullptr ? owner->GetSafeHwnd() : 0;
    std::optional<std::u16string> path = toolkit.backend().ChooseFile(request);
    if (path && path->empty()) {
        return std::nullopt;
    }
    return path;
}

}  // namespace tessaly::DUI
