#pragma once
// Numbers kept as decimal texts (configuration store, registry, XML attributes)
// are written with "%d" and read with a plain decimal conversion.

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly {

// Leading white space, an optional sign, then digits up to the first
// non-digit. Missing or non-numeric text gives 0; out-of-range values saturate.
int DecimalToInt(std::u16string_view text);
int DecimalToInt(std::string_view text);

std::u16string IntToDecimal(int64_t value);

}  // namespace tessaly
