// Random update server answers: version texts of both kinds, the comparison
// of what is accepted, and archives whose entries must stay in the folder.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "base/unicode.h"
#include "support/temp_folder.h"
#include "update/archive_extract.h"
#include "update/version_compare.h"

namespace {

bool OnlyUnder(const std::filesystem::path& root, const std::filesystem::path& inside) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root, error)) {
        if (entry.path() != inside)
            return false;
    }
    return true;
}

void Versions(std::string_view bytes) {
    using namespace tessaly;
    const std::u16string answer = FromUtf8(bytes);
    const auto software = VersionFromAnswer(answer, VersionKind::kSoftware);
    const auto firmware = VersionFromAnswer(answer, VersionKind::kFirmware);
    if (software && (software->empty() || software->size() > kMaxSoftwareVersionLength))
        __builtin_trap();
    if (firmware && (firmware->empty() || firmware->size() > kMaxFirmwareVersionLength))
        __builtin_trap();
    if (software) {
        const int result = CompareVersions(u"1.0.2", *software);
        if (result < -1 || result > 2 || CompareVersions(*software, *software) != 0)
            __builtin_trap();
    }
    (void)CompareVersions(answer, answer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tessaly;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Texts up to the first NUL are a version answer (and an entry name);
    // a "PK" input is a whole archive.
    const std::string_view text = bytes.substr(0, bytes.find('\0'));
    Versions(text);
    (void)IsSafeEntryName(text);
    if (bytes.size() < 4 || bytes.substr(0, 2) != "PK")
        return 0;

    const std::filesystem::path root = tessaly::fuzz::TempFolder() + "root";
    const std::filesystem::path folder = root / "unpacked";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(folder);
    const std::string archive = tessaly::fuzz::TempFolder() + "update.zip";
    std::ofstream(archive, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    (void)ExtractArchive(archive, folder.string() + "/", 1 << 20);
    if (!OnlyUnder(root, folder))
        __builtin_trap();  // an entry was written outside the folder
    return 0;
}
