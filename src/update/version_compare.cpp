#include "update/version_compare.h"

#include <vector>

#include "base/decimal.h"

namespace tessaly {
namespace {

std::vector<std::u16string_view> SplitAtDots(std::u16string_view text) {
    std::vector<std::u16string_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t dot = text.find(u'.', start);
        if (dot == std::u16string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, dot - start));
        start = dot + 1;
    }
}

}  // namespace

int CompareVersions(std::u16string_view local, std::u16string_view remote) {
    const std::vector<std::u16string_view> mine = SplitAtDots(local);
    const std::vector<std::u16string_view> theirs = SplitAtDots(remote);
    if (mine.size() != theirs.size()) {
        return 2;
    }
    for (size_t i = 0; i < mine.size(); ++i) {
        const int a = DecimalToInt(mine[i]);
        const int b = DecimalToInt(theirs[i]);
        if (a > b) {
            return -1;
        }
        if (a < b) {
            return 1;
        }
    }
    return 0;
}

}  // namespace tessaly
