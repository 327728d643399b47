#pragma once
// The environment a test gives the real program: its own runtime, config and
// data folders under `home`, and the program folder.

#include <filesystem>
#include <string>
#include <vector>

namespace tessaly::test {

inline std::vector<std::string> ProgramEnvironment(const std::filesystem::path& home,
                                                   const std::string& program_dir) {
    return {"XDG_RUNTIME_DIR=" + home.string(), "XDG_CONFIG_HOME=" + (home / "config").string(),
            "XDG_DATA_HOME=" + (home / "data").string(), "TESSALY_PROGRAM_DIR=" + program_dir,
            "LC_ALL=C"};
}

}  // namespace tessaly::test
