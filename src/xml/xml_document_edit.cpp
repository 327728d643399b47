// Attribute scanning, reference decoding and the in-place edits.

#include <algorithm>
#include <numeric>

#include "base/decimal.h"
#include "xml/html_entities.h"
#include "xml/xml_document_impl.h"

namespace tessaly {

using xml::Entry;

namespace xml {
namespace {

bool IsAttributeNameEnd(char16_t c) {
    return c == u'=' || IsXmlSpace(c) || c == u'>' || c == u'/' || c == u'?';
}

void AppendCodePoint(std::u16string& out, char32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 | (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 | (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(cp));
    }
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// The reference at `at` ("&..."): its length and value, or nothing.
std::optional<std::pair<size_t, char32_t>> ReadReference(std::u16string_view value, size_t at) {
    // No reference is longer than "&#x" and eight digits and ';', so the
    // search for ';' stops there: many lone '&' stay linear.
    constexpr size_t kLongestReference = 12;
    const size_t semicolon = value.substr(0, at + kLongestReference).find(u';', at + 1);
    if (semicolon == std::u16string_view::npos)
        return std::nullopt;
    const auto body = value.substr(at + 1, semicolon - at - 1);
    if (body.size() >= 2 && body[0] == u'#') {
        const bool hex = body[1] == u'x' || body[1] == u'X';
        const auto digits = body.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 8)
            return std::nullopt;
        char32_t cp = 0;
        for (char16_t c : digits) {
            const int d = hex ? HexDigit(c) : (c >= u'0' && c <= u'9' ? c - u'0' : -1);
            if (d < 0)
                return std::nullopt;
            cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(d);
        }
        if (cp == 0 || cp > 0x10FFFF)
            return std::nullopt;
        return std::pair{semicolon - at + 1, cp};
    }
    if (body.empty() || body.size() > 9)
        return std::nullopt;
    for (char16_t c : body) {
        if (c >= 0x80)
            return std::nullopt;
    }
    const auto code = LookUpHtmlEntity(body);
    if (!code)
        return std::nullopt;
    return std::pair{semicolon - at + 1, static_cast<char32_t>(*code)};
}

}  // namespace

std::u16string DecodeReferences(std::u16string_view value) {
    if (value.find(u'&') == std::u16string_view::npos)
        return std::u16string(value);
    std::u16string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == u'&') {
            if (const auto reference = ReadReference(value, i)) {
                AppendCodePoint(out, reference->second);
                i += reference->first - 1;
                continue;
            }
        }
        out.push_back(value[i]);
    }
    return out;
}

std::u16string EscapeValue(std::u16string_view value) {
    std::u16string out;
    out.reserve(value.size());
    for (char16_t c : value) {
        switch (c) {
            case u'<':
                out += u"&lt;";
                break;
            case u'&':
                out += u"&amp;";
                break;
            case u'>':
                out += u"&gt;";
                break;
            case u'\'':
                out += u"&apos;";
                break;
            case u'"':
                out += u"&quot;";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

}  // namespace xml

void XmlTextDocument::Impl::Reparse() {
    attribute_cache_slot = 0;
    order.clear();
    order_built = false;
    well_formed = xml::ParseDocument(text, index, log);
    parent = current = child = 0;
}

bool XmlTextDocument::Impl::Refuse() {
    text.clear();
    Reparse();
    well_formed = false;
    return false;
}

// Readers ask for several attributes of the same element in turn: its start
// tag is cut into attributes once and kept until the next edit.
const std::vector<xml::AttributeSpan>& XmlTextDocument::Impl::Attributes(uint32_t slot) const {
    if (attribute_cache_slot == slot)
        return attribute_cache;
    attribute_cache.clear();
    attribute_cache_slot = slot;
    const Entry& element = index[slot];
    const size_t tag_end = static_cast<size_t>(element.start) + element.start_tag_length;
    size_t i = static_cast<size_t>(element.start) + 1;
    while (i < tag_end && xml::IsXmlSpace(text[i]))
        ++i;
    i += xml::ElementName(text, element).size();
    while (i < tag_end) {
        while (i < tag_end && xml::IsXmlSpace(text[i]))
            ++i;
        if (i >= tag_end || text[i] == u'/' || text[i] == u'>' || text[i] == u'?')
            break;
        xml::AttributeSpan span;
        span.name_start = i;
        while (i < tag_end && !xml::IsAttributeNameEnd(text[i]))
            ++i;
        span.name_end = i;
        size_t j = i;
        while (j < tag_end && xml::IsXmlSpace(text[j]))
            ++j;
        if (j < tag_end && text[j] == u'=') {
            ++j;
            while (j < tag_end && xml::IsXmlSpace(text[j]))
                ++j;
            span.has_value = true;
            if (j < tag_end && (text[j] == u'"' || text[j] == u'\'')) {
                const size_t close = text.find(text[j], j + 1);
                span.quoted = true;
                span.value_start = j + 1;
                span.value_end =
                    close == std::u16string::npos || close >= tag_end ? tag_end - 1 : close;
                i = span.value_end + 1;
            } else {
                span.value_start = j;
                while (j < tag_end && !xml::IsXmlSpace(text[j]) && text[j] != u'>')
                    ++j;
                span.value_end = j;
                i = j;
            }
        } else {
            span.value_start = span.value_end = i;
            if (span.name_end == span.name_start) {
                ++i;  // a stray character: step over it
                continue;
            }
        }
        attribute_cache.push_back(span);
    }
    return attribute_cache;
}

std::optional<xml::AttributeSpan> XmlTextDocument::Impl::FindAttribute(
    uint32_t slot, std::u16string_view name) const {
    for (const auto& span : Attributes(slot)) {
        if (std::u16string_view(text).substr(span.name_start, span.name_end - span.name_start) ==
            name) {
            return span;
        }
    }
    return std::nullopt;
}

void XmlTextDocument::Impl::BuildOrder() {
    if (order_built)
        return;
    order.resize(index.size() - 1);
    std::iota(order.begin(), order.end(), 1u);
    order_built = true;
}

size_t XmlTextDocument::Impl::FirstInOrderFrom(size_t at) const {
    const auto found =
        std::lower_bound(order.begin(), order.end(), at, [this](uint32_t slot, size_t offset) {
            return static_cast<size_t>(index[slot].start) < offset;
        });
    return static_cast<size_t>(found - order.begin());
}

void XmlTextDocument::Impl::Shift(size_t at, int32_t delta, uint32_t except) {
    for (size_t i = FirstInOrderFrom(at); i < order.size(); ++i) {
        if (order[i] != except)
            index[order[i]].start += delta;
    }
}

// A new element starts after everything before its insertion point and
// before everything the insertion has moved.
void XmlTextDocument::Impl::Place(uint32_t slot) {
    const size_t at = FirstInOrderFrom(static_cast<size_t>(index[slot].start));
    order.insert(order.begin() + static_cast<std::ptrdiff_t>(at), slot);
}

void XmlTextDocument::Impl::Grow(uint32_t from, int32_t delta) {
    for (uint32_t slot = from; slot != 0; slot = index[slot].parent)
        index[slot].length += delta;
    index[0].length += delta;
}

void XmlTextDocument::Impl::Insert(size_t at, std::u16string_view inserted, uint32_t grown,
                                   uint32_t except) {
    attribute_cache_slot = 0;
    text.insert(at, inserted);
    const auto delta = static_cast<int32_t>(inserted.size());
    Shift(at, delta, except);
    Grow(grown, delta);
}

void XmlTextDocument::Impl::Replace(uint32_t slot, size_t at, size_t count,
                                    std::u16string_view with) {
    BuildOrder();
    attribute_cache_slot = 0;
    text.replace(at, count, with);
    const auto delta = static_cast<int32_t>(with.size()) - static_cast<int32_t>(count);
    Shift(at + 1, delta, slot);  // everything behind the edited start tag
    index[slot].start_tag_length =
        static_cast<uint32_t>(static_cast<int64_t>(index[slot].start_tag_length) + delta);
    Grow(slot, delta);
}

void XmlTextDocument::Impl::AddElement(std::u16string_view name) {
    BuildOrder();
    std::u16string element = u"<";
    element += name;
    element += u"/>";
    const auto element_length = static_cast<int32_t>(element.size());

    Entry entry;
    entry.length = element_length;
    entry.start_tag_length = static_cast<uint32_t>(element_length);
    entry.flags = xml::kNoEndTag | xml::kEmptyTag;
    const auto slot = static_cast<uint32_t>(index.size());

    size_t at = 0;
    if (current != 0) {
        // After the current element, moved up to the next '<' over white space.
        const Entry& after = index[current];
        at = static_cast<size_t>(after.start) + static_cast<size_t>(after.length);
        size_t next = at;
        while (next < text.size() && xml::IsXmlSpace(text[next]))
            ++next;
        if (next < text.size() && text[next] == u'<')
            at = next;
        entry.start = static_cast<int32_t>(at);
        index.push_back(entry);
        InsertAfter(index, current, slot);
        Insert(at, element + u"\r\n", parent, slot);
        Place(slot);
    } else if (parent == 0) {
        at = text.size();
        entry.start = static_cast<int32_t>(at);
        index.push_back(entry);
        AppendChild(index, 0, slot);
        Insert(at, element + u"\r\n", 0, slot);
        Place(slot);
    } else {
        Entry& p = index[parent];
        const size_t tag_end = static_cast<size_t>(p.start) + p.start_tag_length;
        if (p.flags & xml::kEmptyTag) {
            // <parent/> becomes <parent> CR LF <name/> CR LF </parent>.
            const std::u16string parent_name(xml::ElementName(text, p));
            const size_t slash = tag_end - 2;
            const std::u16string replacement = u">\r\n" + element + u"\r\n</" + parent_name + u">";
            attribute_cache_slot = 0;
            text.replace(slash, 2, replacement);
            const auto delta = static_cast<int32_t>(replacement.size()) - 2;
            Shift(tag_end, delta, parent);
            p.start_tag_length -= 1;
            p.end_tag_length = static_cast<uint32_t>(parent_name.size() + 3);
            p.flags &= static_cast<uint16_t>(~(xml::kEmptyTag | xml::kNoEndTag));
            p.length = static_cast<int32_t>(p.start_tag_length) + 2 + element_length + 2 +
                       static_cast<int32_t>(p.end_tag_length);
            Grow(p.parent, delta);
            entry.start = static_cast<int32_t>(slash + 3);
            index.push_back(entry);
            AppendChild(index, parent, slot);
            Place(slot);
        } else {
            if (p.first_child != 0) {
                const Entry& last = index[index[p.first_child].previous];
                at = static_cast<size_t>(last.start) + static_cast<size_t>(last.length);
                size_t next = at;
                while (next < text.size() && xml::IsXmlSpace(text[next]))
                    ++next;
                if (next < text.size() && text[next] == u'<')
                    at = next;
            } else if (p.end_tag_length != 0) {
                at =
                    static_cast<size_t>(p.start) + static_cast<size_t>(p.length) - p.end_tag_length;
            } else {
                at = tag_end;  // an unended parent: right after its start tag
            }
            std::u16string inserted = element + u"\r\n";
            size_t element_at = at;
            // <parent></parent> with nothing between gets the new line of its own.
            if (p.first_child == 0 && p.end_tag_length != 0 && at == tag_end) {
                inserted = u"\r\n" + inserted;
                element_at += 2;
            }
            entry.start = static_cast<int32_t>(element_at);
            index.push_back(entry);
            AppendChild(index, parent, slot);
            Insert(at, inserted, parent, slot);
            Place(slot);
        }
    }
    index[slot].level = parent == 0 ? 0 : index[parent].level + 1;
    current = slot;
    child = 0;
}

}  // namespace tessaly
