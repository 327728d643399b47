#include "stateful/known_faults.h"

#include <algorithm>
#include <cstdlib>

namespace tessaly::stateful {

bool Tolerated(std::string_view fault) {
    const char* all = std::getenv("TESSALY_STATEFUL_ALL");
    if (all != nullptr && std::string_view(all) == "1")
        return false;
    return std::find(kKnownFaults.begin(), kKnownFaults.end(), fault) != kKnownFaults.end();
}

}  // namespace tessaly::stateful
