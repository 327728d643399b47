#include "xml/code_page_conversion.h"

#include <array>
#include <cerrno>
#include <string>

#include <iconv.h>

namespace tessaly {
namespace {

struct CodePageName {
    int code_page;
    const char* iconv_name;
};

// Where glibc's name is not simply "CP<code page>". Windows' IBM-Thai
// (20838), EBCDIC Latin-9 (20924) and HZ (52936) have no glibc converter:
// reading falls back to the ANSI code page, writing fails.
constexpr std::array<CodePageName, 58> kIconvNames{{
    {1200, "UTF-16LE"},
    {1201, "UTF-16BE"},
    {12000, "UTF-32LE"},
    {12001, "UTF-32BE"},
    {65000, "UTF-7"},
    {65001, "UTF-8"},
    {20127, "ASCII"},
    {28591, "ISO-8859-1"},
    {28592, "ISO-8859-2"},
    {28593, "ISO-8859-3"},
    {28594, "ISO-8859-4"},
    {28595, "ISO-8859-5"},
    {28596, "ISO-8859-6"},
    {28597, "ISO-8859-7"},
    {28598, "ISO-8859-8"},
    {38598, "ISO-8859-8"},
    {28599, "ISO-8859-9"},
    {28603, "ISO-8859-13"},
    {28605, "ISO-8859-15"},
    {708, "ASMO-708"},
    {20866, "KOI8-R"},
    {21866, "KOI8-U"},
    {20932, "EUC-JP"},
    {51932, "EUC-JP"},
    {51936, "EUC-CN"},
    {51949, "EUC-KR"},
    {54936, "GB18030"},
    {50220, "ISO-2022-JP"},
    {50221, "ISO-2022-JP"},
    {50222, "ISO-2022-JP"},
    {50225, "ISO-2022-KR"},
    {1361, "JOHAB"},
    {10000, "MACINTOSH"},
    {10006, "MAC-GREEK"},
    {10007, "MAC-CYRILLIC"},
    {10017, "MAC-UK"},
    {10029, "MAC-CENTRALEUROPE"},
    {10079, "MAC-IS"},
    {10081, "MAC-TURKISH"},
    {37, "IBM037"},
    {20105, "ISO_646.IRV:1991"},
    {20106, "ISO646-DE"},
    {20107, "ISO646-SE"},
    {20108, "ISO646-NO"},
    {20273, "IBM273"},
    {20277, "IBM277"},
    {20278, "IBM278"},
    {20280, "IBM280"},
    {20284, "IBM284"},
    {20285, "IBM285"},
    {20290, "IBM290"},
    {20297, "IBM297"},
    {20420, "IBM420"},
    {20423, "IBM423"},
    {20424, "IBM424"},
    {20871, "IBM871"},
    {20880, "IBM880"},
    {20905, "IBM905"},
}};

std::string IconvName(int code_page) {
    for (const auto& entry : kIconvNames) {
        if (entry.code_page == code_page)
            return entry.iconv_name;
    }
    return "CP" + std::to_string(code_page);
}

class Converter {
  public:
    Converter(const std::string& to, const std::string& from)
        : handle_(::iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (ok())
            ::iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return handle_; }

  private:
    iconv_t handle_;
};

void AppendUnits(std::u16string& out, const char* bytes, size_t count) {
    for (size_t i = 0; i + 1 < count; i += 2) {
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
}

}  // namespace

std::optional<std::u16string> DecodeCodePage(std::string_view bytes, int code_page) {
    Converter converter("UTF-16LE", IconvName(code_page));
    if (!converter.ok())
        return std::nullopt;
    std::u16string out;
    out.reserve(bytes.size());
    char* in = const_cast<char*>(bytes.data());
    size_t in_left = bytes.size();
    char buffer[8192];
    while (in_left > 0) {
        char* out_ptr = buffer;
        size_t out_left = sizeof buffer;
        const size_t result = ::iconv(converter.get(), &in, &in_left, &out_ptr, &out_left);
        AppendUnits(out, buffer, sizeof buffer - out_left);
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            // An invalid or cut-short sequence: one replacement character per byte.
            out.push_back(u'\uFFFD');
            ++in;
            --in_left;
        }
    }
    return out;
}

std::optional<EncodedText> EncodeCodePage(std::u16string_view text, int code_page) {
    Converter converter(IconvName(code_page), "UTF-16LE");
    if (!converter.ok())
        return std::nullopt;
    EncodedText encoded;
    std::string units;
    units.reserve(text.size() * 2);
    for (char16_t c : text) {
        units.push_back(static_cast<char>(c & 0xFF));
        units.push_back(static_cast<char>(c >> 8));
    }
    char* in = units.data();
    size_t in_left = units.size();
    char buffer[8192];
    while (in_left > 0) {
        char* out_ptr = buffer;
        size_t out_left = sizeof buffer;
        const size_t result = ::iconv(converter.get(), &in, &in_left, &out_ptr, &out_left);
        encoded.bytes.append(buffer, sizeof buffer - out_left);
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            // No equivalent (or a lone surrogate): a '?' stands for the unit.
            encoded.loss = true;
            encoded.bytes.push_back('?');
            in += 2;
            in_left = in_left >= 2 ? in_left - 2 : 0;
        }
    }
    char* out_ptr = buffer;
    size_t out_left = sizeof buffer;
    ::iconv(converter.get(), nullptr, nullptr, &out_ptr, &out_left);  // shift back (ISO-2022)
    encoded.bytes.append(buffer, sizeof buffer - out_left);
    return encoded;
}

std::u16string DecodeUtf32Le(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size() / 4);
    for (size_t i = 0; i + 3 < bytes.size(); i += 4) {
        char32_t cp = 0;
        for (int b = 3; b >= 0; --b)
            cp = (cp << 8) | static_cast<unsigned char>(bytes[i + b]);
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(u'\uFFFD');
        } else if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 | (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 | (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string EncodeUtf32Le(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 4);
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        for (int b = 0; b < 4; ++b)
            out.push_back(static_cast<char>((cp >> (8 * b)) & 0xFF));
    }
    return out;
}

bool CodePageReportsLoss(int code_page) {
    if (code_page >= 50220 && code_page <= 50222)
        return false;
    if (code_page == 50225 || code_page == 50227 || code_page == 50229)
        return false;
    if (code_page == 52936 || code_page == 54936)
        return false;
    if (code_page >= 57002 && code_page <= 57011)
        return false;
    return code_page != 65000 && code_page != 65001;
}

}  // namespace tessaly
