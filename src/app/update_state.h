#pragma once
// The program's addresses and versions: the catalogue sets the addresses and
// the local version on the UI thread, the update checks and the mouse reads
// set the versions on the worker. The controller owns the one instance.

#include <string>

#include "base/guarded_text.h"

namespace tessaly {

struct UpdateState {
    std::u16string website_address;
    std::u16string feedback_address;
    std::u16string qa_address;
    std::u16string upgrade_address;
    std::u16string software_version;
    std::u16string firmware_address;
    // What the version checks found.
    GuardedText new_software_version;
    GuardedText new_firmware_version;
    // The connected mouse's and receiver's firmware as the mouse gives them
    // ("105"); the about box shows them.
    GuardedText mouse_firmware_version;
    GuardedText receiver_firmware_version;
};

}  // namespace tessaly
