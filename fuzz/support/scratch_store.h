#pragma once
// A settings database in a private temporary folder for the import targets,
// recreated now and then so that what earlier inputs stored does not pile up.

#include <cstddef>
#include <cstdint>
#include <string>

namespace tessaly::fuzz {

class ScratchStore {
  public:
    // Opens the store (again, empty, every `renew_every` inputs) with four
    // profiles, the first active.
    void Prepare(int renew_every = 200);
    // Writes the input to a file in the folder and returns its path.
    std::u16string WriteInput(const uint8_t* data, size_t size, const char* name);

  private:
    void Open();

    std::string folder_;
    int uses_ = 0;
};

}  // namespace tessaly::fuzz
