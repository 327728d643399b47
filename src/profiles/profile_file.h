#pragma once
// Profile files: one profile's buttons, lighting, DPI stages and the nine
// performance values as an XML document, the user's backup of a profile.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "app/sensor_limits.h"

namespace tessaly {

struct ProfileFileOptions {
    // The model has the lighting page: lighting items are written and read.
    bool lighting = false;
};

// What an import holds the file's values to beyond the pages' own ranges.
struct ProfileImportLimits {
    // What the mouse takes: DPI values and report rates (the limits and
    // capability as the last state read found them).
    SensorLimits sensor{};
    uint8_t report_capability = 4;
    // Called before each row the import writes; false ends the import
    // there, as a failed write does (a fault injected by tests).
    std::function<bool()> before_write;
};

// Writes the file: button items of `key_profile`, everything else of
// `profile`, with `display_name` as the name attribute. False when the file
// could not be written (an existing file is then as it was).
bool WriteProfileFile(std::u16string_view path, int key_profile, int profile,
                      std::u16string_view display_name, ProfileFileOptions options);

struct ProfileImport {
    bool loaded = false;  // a well-formed file with a profile element
    bool stored = false;  // what it carries is in the store
    int taken = 0;        // values (a button row counts as one) stored
    int refused = 0;      // values outside what the pages allow, not stored
};

// Reads the file into `profile` as one transaction: its button assignments
// are replaced, the other sections overwrite what they carry. Every value
// is checked against what the pages allow; one outside keeps the profile's
// current value (a refused button row is not stored, so that button keeps
// its factory function). When the file cannot be loaded, when a write
// fails, or when every value it carries was refused, nothing changes.
ProfileImport ReadProfileFile(std::u16string_view path, int profile, ProfileFileOptions options,
                              const ProfileImportLimits& limits = {});

// The name an imported profile takes: the file's name without its folder
// and without a ".xml" ending (any case).
std::u16string ProfileNameFromPath(std::u16string_view path);

}  // namespace tessaly
