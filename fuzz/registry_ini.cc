// Random registry files: the INI reader takes any bytes, what it writes reads
// back the same, and a value written through the store reads back as written.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/ini_file.h"
#include "platform/ini_registry_store.h"
#include "support/temp_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tessaly;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const IniFile ini = IniFile::Parse(bytes);
    const std::string written = ini.Serialise();
    if (IniFile::Parse(written).Serialise() != written)
        __builtin_trap();

    const std::string path = tessaly::fuzz::TempFolder() + "reg.ini";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    IniRegistryStore store(path);
    const std::u16string key = u"Software\\Tessaly";
    (void)store.OpenKey(key);
    (void)store.ReadValue(key, u"Language");
    for (const IniFile::Section& section : ini.sections()) {
        for (const IniFile::Entry& entry : section.entries)
            (void)store.ReadValue(section.name, entry.name);
    }
    if (store.CreateKey(key) && store.WriteValue(key, u"Language", u"1033")) {
        const auto value = store.ReadValue(key, u"Language");
        if (!value || *value != u"1033")
            __builtin_trap();
    }
    return 0;
}
