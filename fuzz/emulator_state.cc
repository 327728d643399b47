// Random emulator state files: any file loads, and what the mouse saves
// loads back as it was.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "emulator/virtual_mouse_state.h"
#include "support/temp_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tessaly::emulator;
    const std::string path = tessaly::fuzz::TempFolder() + "mouse.state";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const VirtualMouseState state = LoadMouseState(path);
    (void)state.DpiStageByte();

    const std::string again = tessaly::fuzz::TempFolder() + "again.state";
    if (!SaveMouseState(state, again))
        return 0;
    const VirtualMouseState reloaded = LoadMouseState(again);
    if (reloaded.settings != state.settings || reloaded.macros != state.macros ||
        reloaded.battery_level != state.battery_level || reloaded.charging != state.charging ||
        reloaded.mouse_on != state.mouse_on)
        __builtin_trap();
    return 0;
}
