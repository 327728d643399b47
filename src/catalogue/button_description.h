#pragma once
// One physical button of a model: a key element of the description file's
// mouse_key section.

#include <string_view>

namespace tessaly {

struct ButtonDescription {
    int name = 0;  // language text number of the button's name
    int key_value = 0;
    // Side on which the label is drawn, handed to the picture control.
    int direction = 0;
    // The callout runs from (x1, y) to (x2, y) on the mouse picture.
    int x1 = 0;
    int x2 = 0;
    int y = 0;
    int func_desc = 0;  // language text number of the factory function
    int func_type = 0;
    int func_value = 0;
    bool operator==(const ButtonDescription&) const = default;
};

struct ButtonRect {
    int x1 = 0;
    int x2 = 0;
    int y = 0;
    bool operator==(const ButtonRect&) const = default;
};

// "x1#x2#y", each part a plain decimal; a missing "#" leaves the whole rest
// as the earlier part.
ButtonRect ParseButtonRect(std::u16string_view text);

}  // namespace tessaly
