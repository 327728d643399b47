// Loading and saving: byte-order marks, declared encodings, conversions.

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

#include "base/atomic_file.h"
#include "base/decimal.h"
#include "base/unicode.h"
#include "xml/code_page_conversion.h"
#include "xml/encoding_names.h"
#include "xml/xml_document_impl.h"

namespace tessaly {
namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

std::u16string Number(size_t n) {
    return IntToDecimal(static_cast<int64_t>(n));
}

void LogFileError(xml::ResultLog& log, int error) {
    std::string message = std::strerror(error);
    message = message.substr(0, message.find_first_of("\r\n"));
    if (message.size() >= 99)
        message.clear();
    log.Add(u"file_error", {{u"msg", FromUtf8(message)}, {u"n", IntToDecimal(error)}});
}

bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// A pseudo-attribute inside a declaration or tag: name="value" or 'value'.
std::u16string TagAttribute(std::u16string_view tag, std::u16string_view name, bool any_case) {
    auto same = [&](std::u16string_view a) {
        return any_case ? AsciiLower(a) == AsciiLower(name) : a == name;
    };
    size_t i = 0;
    while (i < tag.size()) {
        while (i < tag.size() && !xml::IsXmlSpace(tag[i]))
            ++i;
        while (i < tag.size() && xml::IsXmlSpace(tag[i]))
            ++i;
        const size_t start = i;
        while (i < tag.size() && tag[i] != u'=' && !xml::IsXmlSpace(tag[i]) && tag[i] != u'>')
            ++i;
        const auto attribute = tag.substr(start, i - start);
        while (i < tag.size() && xml::IsXmlSpace(tag[i]))
            ++i;
        if (i >= tag.size() || tag[i] != u'=')
            continue;
        ++i;
        while (i < tag.size() && xml::IsXmlSpace(tag[i]))
            ++i;
        if (i >= tag.size())
            break;
        size_t value_start = i;
        size_t value_end;
        if (tag[i] == u'"' || tag[i] == u'\'') {
            value_start = i + 1;
            value_end = tag.find(tag[i], value_start);
            if (value_end == std::u16string_view::npos)
                value_end = tag.size();
            i = value_end + 1;
        } else {
            while (i < tag.size() && !xml::IsXmlSpace(tag[i]) && tag[i] != u'>')
                ++i;
            value_end = i;
        }
        if (same(attribute))
            return std::u16string(tag.substr(value_start, value_end - value_start));
    }
    return {};
}

std::u16string TagName(std::u16string_view text, size_t at) {
    size_t end = at;
    while (end < text.size() && !xml::IsXmlSpace(text[end]) && text[end] != u'>' &&
           text[end] != u'/') {
        ++end;
    }
    return AsciiLower(text.substr(at, end - at));
}

// The encoding a text declares: an XML declaration first in the text, or an
// HTML meta Content-Type inside <html> before </head>.
std::u16string DeclaredEncoding(std::u16string_view text) {
    if (StartsWith(text, u"<?xml") && text.size() > 5 &&
        (xml::IsXmlSpace(text[5]) || text[5] == u'?')) {
        const size_t end = text.find(u"?>");
        return TagAttribute(text.substr(5, end == std::u16string_view::npos ? end : end - 5),
                            u"encoding", false);
    }
    bool in_html = false;
    size_t i = 0;
    while ((i = text.find(u'<', i)) != std::u16string_view::npos) {
        const auto rest = text.substr(i);
        std::u16string_view terminator = u">";
        if (StartsWith(rest, u"<!--")) {
            terminator = u"-->";
        } else if (StartsWith(rest, u"<?")) {
            terminator = u"?>";
        } else if (StartsWith(rest, u"</")) {
            if (TagName(text, i + 2) == u"head")
                return {};
        } else if (!StartsWith(rest, u"<!")) {
            const std::u16string name = TagName(text, i + 1);
            if (name.empty())
                return {};
            if (!in_html) {
                if (name != u"html")
                    return {};
                in_html = true;
            } else if (name == u"meta") {
                const size_t end = text.find(u'>', i);
                const auto tag = text.substr(i, end == std::u16string_view::npos ? end : end - i);
                if (AsciiLower(TagAttribute(tag, u"http-equiv", true)) == u"content-type") {
                    const std::u16string content = TagAttribute(tag, u"content", true);
                    const size_t charset = AsciiLower(content).find(u"charset=");
                    if (charset != std::u16string::npos) {
                        auto value = std::u16string_view(content).substr(charset + 8);
                        return std::u16string(value.substr(0, value.find_first_of(u"; \t\"'")));
                    }
                }
            }
        }
        const size_t end = text.find(terminator, i + 1);
        if (end == std::u16string_view::npos)
            return {};
        i = end + terminator.size();
    }
    return {};
}

// The sequence-length test of the UTF-8 check: bits 5 to 3 of a lead byte.
bool LooksLikeUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        size_t length;
        if ((lead & 0x20) == 0) {
            length = 2;
        } else if ((lead & 0x10) == 0) {
            length = 3;
        } else if ((lead & 0x08) == 0) {
            length = 4;
        } else {
            return false;
        }
        if (i + length > bytes.size())
            return false;
        for (size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0x80) == 0)
                return false;
        }
        i += length;
    }
    return true;
}

bool IsUtf32(std::u16string_view encoding) {
    return StartsWith(encoding, u"UTF-32");
}

std::u16string Decode(std::string_view bytes, std::u16string_view encoding) {
    if (IsUtf32(encoding))
        return DecodeUtf32Le(bytes);
    const int code_page = CodePageFromEncodingName(encoding);
    if (auto text = DecodeCodePage(bytes, code_page))
        return std::move(*text);
    if (auto text = DecodeCodePage(bytes, kAnsiCodePage))
        return std::move(*text);
    return FromUtf8(bytes);
}

}  // namespace

bool XmlTextDocument::LoadFile(std::u16string_view path) {
    auto& d = *impl_;
    d.log.Clear();
    d.bom = Impl::Bom::kNone;
    d.text.clear();
    File file(std::fopen(ToUtf8(path).c_str(), "rb"));
    std::string bytes;
    bool read_ok = file != nullptr;
    if (file) {
        char buffer[65536];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
            bytes.append(buffer, n);
        read_ok = std::ferror(file.get()) == 0;
    }
    // Offsets in the index are 32-bit: no text of 2^31 units or more. A byte
    // file is refused here when even two bytes a unit would be too many.
    if (!read_ok || bytes.size() / 2 > static_cast<size_t>(INT32_MAX)) {
        LogFileError(d.log, read_ok ? EFBIG : errno);
        return d.Refuse();
    }
    file.reset();

    const std::string_view head = std::string_view(bytes).substr(0, 1024);
    std::u16string encoding;
    size_t skip = 0;
    bool wide = false;
    bool big_endian = false;
    if (head.substr(0, 3) == "\xEF\xBB\xBF") {
        encoding = u"UTF-8", d.bom = Impl::Bom::kUtf8, skip = 3;
    } else if (head.substr(0, 2) == "\xFF\xFE") {
        encoding = u"UTF-16LE", d.bom = Impl::Bom::kUtf16Le, skip = 2, wide = true;
    } else if (head.substr(0, 2) == "\xFE\xFF") {
        encoding = u"UTF-16BE", d.bom = Impl::Bom::kUtf16Be, skip = 2, wide = true;
        big_endian = true;
    }
    if (skip != 0) {
        d.log.Add(u"bom");
    } else {
        encoding = DeclaredEncoding(FromUtf8(head));
        if (encoding.empty() && !head.empty() && head[0] == '<')
            encoding = u"UTF-8";
    }

    std::string_view body = std::string_view(bytes).substr(skip);
    size_t nulls = 0;
    if (wide) {
        std::u16string units;
        units.reserve(body.size() / 2);
        for (size_t i = 0; i + 1 < body.size(); i += 2) {
            const auto a = static_cast<unsigned char>(body[i]);
            const auto b = static_cast<unsigned char>(body[i + 1]);
            const auto unit = static_cast<char16_t>(big_endian ? (a << 8) | b : a | (b << 8));
            if (unit == 0) {
                ++nulls;
            } else {
                units.push_back(unit);
            }
        }
        d.log.Add(u"read", {{u"encoding", encoding}, {u"length", Number(units.size())}});
        if (nulls != 0)
            d.log.Add(u"nulls_removed", {{u"count", Number(nulls)}});
        if (big_endian)
            d.log.Add(u"endian_swap");
        d.text = std::move(units);
    } else {
        std::string plain;
        // Zero bytes are part of every character of a 32-bit text.
        if (IsUtf32(encoding)) {
            plain.assign(body);
        } else {
            plain.reserve(body.size());
            for (char c : body) {
                if (c == '\0') {
                    ++nulls;
                } else {
                    plain.push_back(c);
                }
            }
        }
        d.log.Add(u"read", {{u"encoding", encoding}, {u"length", Number(plain.size())}});
        if (nulls != 0)
            d.log.Add(u"nulls_removed", {{u"count", Number(nulls)}});
        if (encoding.empty()) {
            d.log.Add(u"utf8_detection");
            if (LooksLikeUtf8(plain))
                encoding = u"UTF-8";
        }
        d.text = Decode(plain, encoding);
        d.log.Add(u"converted_to", {{u"encoding", u"UTF-16"}, {u"length", Number(d.text.size())}});
    }
    if (d.text.size() > static_cast<size_t>(INT32_MAX)) {
        LogFileError(d.log, EFBIG);
        return d.Refuse();
    }
    d.Reparse();
    return d.well_formed;
}

bool XmlTextDocument::SaveFile(std::u16string_view path) {
    auto& d = *impl_;
    d.log.Clear();
    // Everything is converted before the file is touched: a text that cannot
    // be written in its encoding leaves the old file as it was.
    std::string bytes;
    if (!d.text.empty()) {
        std::u16string encoding;
        switch (d.bom) {
            case Impl::Bom::kUtf8:
                bytes = "\xEF\xBB\xBF", encoding = u"UTF-8";
                break;
            case Impl::Bom::kUtf16Le:
                bytes = "\xFF\xFE", encoding = u"UTF-16LE";
                break;
            case Impl::Bom::kUtf16Be:
                bytes = "\xFE\xFF", encoding = u"UTF-16BE";
                break;
            case Impl::Bom::kNone:
                encoding = DeclaredEncoding(d.text);
                if (encoding.empty())
                    encoding = u"UTF-8";
        }
        const int code_page = IsUtf32(encoding) ? 12000 : CodePageFromEncodingName(encoding);
        if (code_page == kCodePageUtf16Le || code_page == kCodePageUtf16Be) {
            const bool big_endian = code_page == kCodePageUtf16Be;
            for (char16_t c : d.text) {
                const char low = static_cast<char>(c & 0xFF);
                const char high = static_cast<char>(c >> 8);
                bytes.push_back(big_endian ? high : low);
                bytes.push_back(big_endian ? low : high);
            }
        } else if (IsUtf32(encoding)) {
            bytes += EncodeUtf32Le(d.text);
        } else {
            const auto encoded = EncodeCodePage(d.text, code_page);
            if (!encoded) {
                d.log.Add(u"conversion_loss");
                return false;
            }
            bytes += encoded->bytes;
            d.log.Add(u"converted_from",
                      {{u"encoding", encoding}, {u"length", Number(d.text.size())}});
            if (encoded->loss && CodePageReportsLoss(code_page))
                d.log.Add(u"conversion_loss");
        }
        d.log.Add(u"write", {{u"encoding", encoding}, {u"length", Number(d.text.size())}});
    }
    if (const int error = ReplaceFile(ToUtf8(path), bytes); error != 0) {
        LogFileError(d.log, error);
        return false;
    }
    return true;
}

}  // namespace tessaly
