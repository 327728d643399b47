// Random macro files (one macro or a collection) through the import into a
// scratch store, and through the check that stores nothing.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "macros/macro_files.h"
#include "storage/macro_table.h"
#include "support/scratch_store.h"

namespace {

tessaly::fuzz::ScratchStore store;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tessaly;
    if (size < 1)
        return 0;
    store.Prepare();
    const bool collection = data[0] & 1;
    const int device_id = data[0] & 2 ? 1007 : 1;
    const std::u16string path = store.WriteInput(data + 1, size - 1, "macro.xml");

    std::vector<MacroInfo> before;
    ListMacros(before);
    (void)CheckMacroFileValues(path, collection, device_id);
    std::vector<MacroInfo> after_check;
    ListMacros(after_check);
    if (after_check.size() != before.size())
        __builtin_trap();  // the check stored something

    const MacroImport result =
        collection ? ReadMacroCollection(path, device_id) : ReadMacroFile(path, device_id);
    std::vector<MacroInfo> after;
    ListMacros(after);
    if (after.size() != before.size() + result.macros.size())
        __builtin_trap();  // a macro stored without being reported, or the reverse
    for (const MacroInfo& macro : result.macros) {
        std::vector<MacroEvent> events;
        ListMacroEvents(macro.macro_id, events);
    }
    return 0;
}
