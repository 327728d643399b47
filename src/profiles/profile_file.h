#pragma once
// Profile files: one profile's buttons, lighting, DPI stages and the nine
// performance values as an XML document, the user's backup of a profile.

#include <string>
#include <string_view>

namespace tessaly {

struct ProfileFileOptions {
    // The model has the lighting page: lighting items are written and read.
    bool lighting = false;
};

// Writes the file: button items of `key_profile`, everything else of
// `profile`, with `display_name` as the name attribute. False when the file
// could not be written.
bool WriteProfileFile(std::u16string_view path, int key_profile, int profile,
                      std::u16string_view display_name, ProfileFileOptions options);

// Reads the file into `profile`: its button assignments are replaced, the
// other sections overwrite what they carry. False (and nothing changed) when
// the file cannot be loaded or is not a profile file.
bool ReadProfileFile(std::u16string_view path, int profile, ProfileFileOptions options);

// The name an imported profile takes: the file's name without its folder
// and without a ".xml" ending (any case).
std::u16string ProfileNameFromPath(std::u16string_view path);

}  // namespace tessaly
