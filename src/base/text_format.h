#pragma once
// printf-style formatting of UTF-16 texts, for the formats the system shows
// ("%s: v%s", "%s %d", "%d%%", "%02X"). Arguments are checked at run time:
// a missing or mismatched argument formats as empty text, never as garbage.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace tessaly {

class FormatArg {
  public:
    FormatArg(int v) : value_(static_cast<int64_t>(v)) {}
    FormatArg(unsigned v) : value_(static_cast<int64_t>(v)) {}
    FormatArg(long v) : value_(static_cast<int64_t>(v)) {}
    FormatArg(unsigned long v) : value_(static_cast<int64_t>(v)) {}
    FormatArg(long long v) : value_(static_cast<int64_t>(v)) {}
    FormatArg(double v) : value_(v) {}
    FormatArg(std::u16string_view v) : value_(v) {}
    FormatArg(const std::u16string& v) : value_(std::u16string_view(v)) {}
    FormatArg(const char16_t* v) : value_(std::u16string_view(v)) {}

    const std::variant<int64_t, double, std::u16string_view>& value() const { return value_; }

  private:
    std::variant<int64_t, double, std::u16string_view> value_;
};

// Supports %s %d %i %u %x %X %c %f %%, with flags '-' '0', a width and a precision.
std::u16string FormatText(std::u16string_view format, std::initializer_list<FormatArg> args);

template <typename... Args>
std::u16string Format(std::u16string_view format, const Args&... args) {
    return FormatText(format, {FormatArg(args)...});
}

}  // namespace tessaly
