// Random profile files through the import into a scratch store: the reader
// must refuse what the pages do not allow and never leave half an import.

#include <cstddef>
#include <cstdint>

#include "catalogue/device_catalogue.h"
#include "profiles/profile_file.h"
#include "storage/profile_table.h"
#include "support/scratch_store.h"

namespace {

tessaly::fuzz::ScratchStore store;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tessaly;
    if (size < 1)
        return 0;
    store.Prepare();
    SelectedModel model;
    model.device_type = 1;
    DeviceCatalogue::Instance().SetSelected(model);

    // The first byte picks the profile and whether the model has lighting.
    const int profile = 1 + data[0] % 4;
    const std::u16string path = store.WriteInput(data + 1, size - 1, "profile.xml");
    const ProfileImport result = ReadProfileFile(path, profile, {.lighting = (data[0] & 8) != 0});
    if (result.stored && !result.loaded)
        __builtin_trap();
    if (!result.loaded && (result.taken != 0))
        __builtin_trap();
    (void)ProfileNameFromPath(path);
    return 0;
}
