#include "base/text_format.h"

#include <cstdio>
#include <vector>

namespace tessaly {
namespace {

struct Directive {
    bool left = false;
    bool zero = false;
    int width = 0;
    int precision = -1;
    char16_t conversion = 0;
};

void Pad(std::u16string& out, std::u16string_view body, const Directive& directive, bool numeric) {
    const int fill = directive.width - static_cast<int>(body.size());
    if (fill <= 0 || directive.left) {
        out.append(body);
        if (fill > 0)
            out.append(static_cast<size_t>(fill), u' ');
        return;
    }
    if (directive.zero && numeric) {
        size_t sign = (!body.empty() && body[0] == u'-') ? 1 : 0;
        out.append(body.substr(0, sign));
        out.append(static_cast<size_t>(fill), u'0');
        out.append(body.substr(sign));
        return;
    }
    out.append(static_cast<size_t>(fill), u' ');
    out.append(body);
}

std::u16string Widen(const char* text) {
    std::u16string out;
    for (; *text; ++text)
        out.push_back(static_cast<unsigned char>(*text));
    return out;
}

std::u16string FormatInteger(int64_t value, char16_t conversion) {
    char buffer[32];
    switch (conversion) {
        case u'x':
            std::snprintf(buffer, sizeof buffer, "%llx",
                          static_cast<unsigned long long>(static_cast<uint32_t>(value)));
            break;
        case u'X':
            std::snprintf(buffer, sizeof buffer, "%llX",
                          static_cast<unsigned long long>(static_cast<uint32_t>(value)));
            break;
        case u'u':
            std::snprintf(buffer, sizeof buffer, "%llu",
                          static_cast<unsigned long long>(static_cast<uint32_t>(value)));
            break;
        default:
            std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
    }
    return Widen(buffer);
}

std::u16string FormatArgument(const FormatArg* arg, const Directive& directive) {
    if (arg == nullptr)
        return {};
    const auto& v = arg->value();
    switch (directive.conversion) {
        case u's':
            if (auto* s = std::get_if<std::u16string_view>(&v)) {
                if (directive.precision >= 0 &&
                    static_cast<size_t>(directive.precision) < s->size())
                    return std::u16string(s->substr(0, static_cast<size_t>(directive.precision)));
                return std::u16string(*s);
            }
            return {};
        case u'c':
            if (auto* i = std::get_if<int64_t>(&v))
                return std::u16string(1, static_cast<char16_t>(*i));
            return {};
        case u'f': {
            double d = 0;
            if (auto* f = std::get_if<double>(&v))
                d = *f;
            else if (auto* i = std::get_if<int64_t>(&v))
                d = static_cast<double>(*i);
            else
                return {};
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.*f",
                          directive.precision < 0 ? 6 : directive.precision, d);
            return Widen(buffer);
        }
        default:
            if (auto* i = std::get_if<int64_t>(&v))
                return FormatInteger(*i, directive.conversion);
            return {};
    }
}

}  // namespace

std::u16string FormatText(std::u16string_view format, std::initializer_list<FormatArg> args) {
    std::vector<const FormatArg*> list;
    for (const auto& a : args)
        list.push_back(&a);
    size_t next = 0;
    std::u16string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != u'%') {
            out.push_back(format[i]);
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == u'%') {
            out.push_back(u'%');
            ++i;
            continue;
        }
        Directive directive;
        size_t j = i + 1;
        for (; j < format.size() && (format[j] == u'-' || format[j] == u'0'); ++j) {
            (format[j] == u'-' ? directive.left : directive.zero) = true;
        }
        for (; j < format.size() && format[j] >= u'0' && format[j] <= u'9'; ++j)
            directive.width = directive.width * 10 + (format[j] - u'0');
        if (j < format.size() && format[j] == u'.') {
            directive.precision = 0;
            for (++j; j < format.size() && format[j] >= u'0' && format[j] <= u'9'; ++j)
                directive.precision = directive.precision * 10 + (format[j] - u'0');
        }
        while (j < format.size() && (format[j] == u'l' || format[j] == u'h'))
            ++j;
        if (j >= format.size()) {
            out.append(format.substr(i));
            break;
        }
        directive.conversion = format[j] == u'i' ? u'd' : format[j];
        const FormatArg* arg = next < list.size() ? list[next] : nullptr;
        ++next;
        const bool numeric = directive.conversion != u's' && directive.conversion != u'c';
        Pad(out, FormatArgument(arg, directive), directive, numeric);
        i = j;
    }
    return out;
}

}  // namespace tessaly
