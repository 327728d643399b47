#include "update/version_compare.h"

#include <algorithm>
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

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

bool IsDecimalDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool IsHexDigit(char16_t c) {
    return IsDecimalDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool AllowedIn(VersionKind kind, char16_t c) {
    return kind == VersionKind::kSoftware ? IsDecimalDigit(c) || c == u'.' : IsHexDigit(c);
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

std::optional<std::u16string> VersionFromAnswer(std::u16string_view answer, VersionKind kind) {
    while (!answer.empty() && IsBlank(answer.front())) {
        answer.remove_prefix(1);
    }
    while (!answer.empty() && IsBlank(answer.back())) {
        answer.remove_suffix(1);
    }
    const size_t limit =
        kind == VersionKind::kSoftware ? kMaxSoftwareVersionLength : kMaxFirmwareVersionLength;
    if (answer.empty() || answer.size() > limit ||
        !std::all_of(answer.begin(), answer.end(),
                     [kind](char16_t c) { return AllowedIn(kind, c); })) {
        return std::nullopt;
    }
    return std::u16string(answer);
}

}  // namespace tessaly
