#pragma once
// How a stored profile name is shown: "Profile…" and "配置…" names are shown
// with the word for profile of the current language.

#include <string>
#include <string_view>

namespace tessaly {

std::u16string DisplayProfileName(std::u16string_view stored);

}  // namespace tessaly
