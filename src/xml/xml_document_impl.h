#pragma once
// The state behind XmlTextDocument and the edits on it. Internal.

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "xml/xml_index.h"
#include "xml/xml_text_document.h"

namespace tessaly {

namespace xml {

struct AttributeSpan {
    size_t name_start = 0;
    size_t name_end = 0;
    size_t value_start = 0;
    size_t value_end = 0;
    bool has_value = false;
    bool quoted = false;
};

std::u16string DecodeReferences(std::u16string_view value);
std::u16string EscapeValue(std::u16string_view value);

}  // namespace xml

struct XmlTextDocument::Impl {
    enum class Bom { kNone, kUtf8, kUtf16Le, kUtf16Be };

    std::u16string text;
    std::vector<xml::Entry> index;
    uint32_t parent = 0;
    uint32_t current = 0;
    uint32_t child = 0;
    Bom bom = Bom::kNone;
    bool well_formed = false;
    xml::ResultLog log;
    mutable uint32_t attribute_cache_slot = 0;  // 0: nothing cached
    mutable std::vector<xml::AttributeSpan> attribute_cache;
    // The slots (but 0) by ascending start, so that an edit finds the entries
    // behind it by binary search and moves only those: writers add at the
    // end, and shifting the whole index on every edit made writing
    // quadratic. Built at the first edit; a parse gives the slots in text
    // order, so until then it is 1, 2, 3...
    std::vector<uint32_t> order;
    bool order_built = false;

    void Reparse();
    // Offsets in the index are 32-bit: an edit must not take the text to 2^31
    // units or more.
    bool HasRoomFor(size_t units) const {
        return units <= static_cast<size_t>(INT32_MAX) - text.size();
    }
    // An empty, ill-formed document in place of a text that cannot be taken.
    bool Refuse();
    std::optional<xml::AttributeSpan> FindAttribute(uint32_t slot, std::u16string_view name) const;
    const std::vector<xml::AttributeSpan>& Attributes(uint32_t slot) const;
    // Replaces `count` units at `at` inside the start tag of `slot`.
    void Replace(uint32_t slot, size_t at, size_t count, std::u16string_view with);
    void AddElement(std::u16string_view name);

  private:
    // Inserts text at `at`: entries starting there or later move (but
    // `except`), the elements from `grown` up grow.
    void Insert(size_t at, std::u16string_view inserted, uint32_t grown, uint32_t except);
    void Grow(uint32_t from, int32_t delta);
    void Shift(size_t at, int32_t delta, uint32_t except);
    // Before an edit adds a slot: `order` must not take the new slot for one
    // the parse made.
    void BuildOrder();
    // The position in `order` of the first entry starting at `at` or later.
    size_t FirstInOrderFrom(size_t at) const;
    // Puts a new slot into `order` once the entries behind it have moved.
    void Place(uint32_t slot);
};

}  // namespace tessaly
