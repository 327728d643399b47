#pragma once
// The functions the button page's choices offer, by category: each item's
// text and the value a button stores for it. The page fills its drop-downs
// from these and the command line finds a function by them.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tessaly::ui {

struct ListItemSpec {
    int text = 0;  // language number; 0 uses literal
    std::u16string_view literal = {};
    intptr_t data = 0;
};

// The item's text in the current language.
std::u16string ItemText(const ListItemSpec& item);

std::span<const ListItemSpec> MouseFunctionItems();
std::span<const ListItemSpec> MediaFunctionItems();
std::span<const ListItemSpec> ShortcutFunctionItems();
std::span<const ListItemSpec> DpiFunctionItems();
std::span<const ListItemSpec> SpecialFunctionItems();

}  // namespace tessaly::ui
