#pragma once
// A fresh folder per test, removed afterwards.

#include <filesystem>
#include <string>

namespace tessaly::test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as a UTF-16 text, with or without a trailing separator.
    std::u16string u16(bool trailing_separator = false) const;
    std::filesystem::path Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;

  private:
    std::filesystem::path path_;
};

}  // namespace tessaly::test
