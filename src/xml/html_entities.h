#pragma once
// Character references by name: the HTML 4.01 entity set plus apos.

#include <cstddef>
#include <optional>
#include <string_view>

namespace tessaly {

// Exact, case-sensitive lookup; every entity of the set lies in the BMP.
std::optional<char16_t> LookUpHtmlEntity(std::u16string_view name);
size_t HtmlEntityCount();

}  // namespace tessaly
