#include "support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "base/unicode.h"

namespace tessaly::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessaly-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::u16string TempDir::u16(bool trailing_separator) const {
    std::string text = path_.string();
    if (trailing_separator)
        text += '/';
    return FromUtf8(text);
}

std::filesystem::path TempDir::Write(const std::string& name, const std::string& bytes) const {
    const auto file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << bytes;
    return file;
}

std::string TempDir::Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace tessaly::test
