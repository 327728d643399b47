// The macro file operations: import adds whole macros only, export reports
// whether the file was written.

#include "macros/macro_change_results.h"
#include "macros/macro_files.h"
#include "macros/macro_operations.h"
#include "storage/macro_table.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {

MacroFileImport ImportMacros(MacroHost& host, std::u16string_view path, MacroFileFormat format) {
    const MacroImport read = format == MacroFileFormat::kAll
                                 ? ReadMacroCollection(path, host.CurrentDeviceId())
                                 : ReadMacroFile(path, host.CurrentDeviceId());
    MacroFileImport result;
    result.macros = read.macros;
    result.counts = read.counts;
    if (read.counts.AllRefused()) {
        result.reason = MacroRefusal::kOutOfRange;
        result.refusal = text::kMacroFileAllRefused;
    } else if (read.macros.empty()) {
        result.reason = MacroRefusal::kNothingRead;
    } else {
        result.ok = true;
    }
    return result;
}

MacroChange ExportOneMacro(int macro_id, std::u16string_view path, std::u16string_view name) {
    MacroChange change;
    if (!LoadStored(macro_id, change)) {
        return RefusedChange(MacroRefusal::kNoMacro);
    }
    change.ok = WriteMacroFile(path, change.macro, name);
    change.reason = change.ok ? MacroRefusal::kNone : MacroRefusal::kNotWritten;
    return change;
}

MacroChange ExportAllMacros(std::u16string_view path) {
    std::vector<MacroInfo> macros;
    if (ListMacros(macros) == 0) {
        return RefusedChange(MacroRefusal::kNoMacro);
    }
    MacroChange change;
    change.ok = WriteMacroCollection(path);
    change.reason = change.ok ? MacroRefusal::kNone : MacroRefusal::kNotWritten;
    return change;
}

}  // namespace tessaly
