#pragma once
// The results the macro operations share: a refusal, and the macro as the
// store holds it.

#include "macros/macro_operations.h"

namespace tessaly {

MacroChange RefusedChange(MacroRefusal reason, int text = 0);
// The stored row and events; false when no macro has the id.
bool LoadStored(int macro_id, MacroChange& change);

}  // namespace tessaly
