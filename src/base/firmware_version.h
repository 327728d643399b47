#pragma once
// The one written form of a firmware release, in the window and in every
// output of tessalyctl: the release number's hexadecimal digits with a dot
// before the last two (0x0105 and "105" both read "1.05").

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly {

std::string FirmwareVersionText(uint32_t release);
// `hex` as the mouse's version answer gives it ("105"); empty stays empty.
std::u16string FirmwareVersionText(std::u16string_view hex);

}  // namespace tessaly
