#pragma once
// Numbers with their unit as the current language writes them ("125Hz" in
// English, "125 Гц" in Russian). The language's text holds "%1" where the
// number goes; it is replaced as plain text, never read as a format.

#include <string>
#include <string_view>

namespace tessaly {

enum class Unit { kHertz, kMillimetre, kMillisecond };

// The number and its unit.
std::u16string WithUnit(Unit unit, std::u16string_view number);
std::u16string WithUnit(Unit unit, int number);
// The unit alone, for a label beside a field.
std::u16string UnitName(Unit unit);

}  // namespace tessaly
