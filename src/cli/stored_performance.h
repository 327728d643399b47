#pragma once
// The performance values of a profile as the store holds them, in the
// page's units: stage values and colours, rate in Hz, lift-off in mm.

#include "cli/output_value.h"

namespace tessaly::cli {

OutputValue StoredPerformance(int profile);

}  // namespace tessaly::cli
