#pragma once
// Which assignments a button may hold: the numbers each function category
// takes, as the button page makes them (and, for the few functions only
// profile files carry, as the mouse knows them). Values from outside are
// checked against these before they are stored.

#include <span>

#include "storage/rows.h"

namespace tessaly {

// The repeat panel's two fields: clicks, and the interval.
inline constexpr int kRepeatFirstMin = 5;
inline constexpr int kRepeatFirstMax = 255;
inline constexpr int kRepeatSecondMin = 0;
inline constexpr int kRepeatSecondMax = 255;

// The assignment's numbers fit its category, and its key code is a button
// that can be given a function: not the locked first button, within the
// function table and, when `key_codes` is not empty, one of the model's
// buttons. A macro assignment must name one of `macros`.
bool IsAssignable(const KeyAssignment& assignment, std::span<const int> key_codes,
                  std::span<const MacroInfo> macros);

}  // namespace tessaly
