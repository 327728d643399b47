#pragma once
// A private folder for the files a target writes, in memory where there is
// /dev/shm: a fuzzer writes one per input.

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace tessaly::fuzz {

inline const std::string& TempFolder() {
    static const std::string folder = [] {
        std::string pattern = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
        pattern += "/tessaly-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            abort();
        return pattern + "/";
    }();
    return folder;
}

}  // namespace tessaly::fuzz
