// Random language files: any bytes give a file whose texts are cut to the
// lookup buffer.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ui/localisation/language_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tessaly;
    const LanguageFile file =
        LanguageFile::FromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    for (int number : {0, 1, 2, 10, 100, 741, -1}) {
        if (file.Text(kLanguageSection, number).size() > LanguageFile::kMaxTextLength)
            __builtin_trap();
    }
    for (std::u16string_view key : {u"", u"a", u"name", u"1 ", u"\u00e9"}) {
        if (file.Text(kLanguageSection, key).size() > LanguageFile::kMaxTextLength)
            __builtin_trap();
        if (file.Text(u"", key).size() > LanguageFile::kMaxTextLength)
            __builtin_trap();
    }
    return 0;
}
