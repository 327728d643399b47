#pragma once
// The open or save dialog for one XML file type, owned by a window.

#include <optional>
#include <string>
#include <string_view>

namespace tessaly::DUI {

class MWindow;

enum class FileDialogMode { kOpen, kSave };

// UI thread. The chosen full path as the dialog gives it (no extension is
// added), or nothing when the user cancelled. The open dialog does not
// require the file to exist.
std::optional<std::u16string> ChooseXmlFile(FileDialogMode mode,
                                            std::u16string_view filter_description,
                                            std::u16string_view filter_pattern,
                                            const MWindow* owner);

}  // namespace tessaly::DUI
