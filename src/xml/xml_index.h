#pragma once
// The element index of a document and the parser that builds it. Internal to
// the XML layer.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::xml {

enum EntryFlag : uint16_t {
    kFirstChild = 1 << 0,
    kNoEndTag = 1 << 1,   // unended, or <name/>
    kEmptyTag = 1 << 2,   // written as <name/>
    kIllFormed = 1 << 3,  // slot 0 only
};

// Tag lengths and the level are full 32-bit fields: long tags and deep
// nesting must never wrap into wrong offsets.
struct Entry {
    int32_t start = 0;
    int32_t length = 0;
    uint32_t start_tag_length = 0;
    uint32_t end_tag_length = 0;
    uint16_t flags = 0;
    uint32_t level = 0;
    uint32_t parent = 0;
    uint32_t first_child = 0;
    uint32_t next = 0;
    uint32_t previous = 0;  // on a first child: the last child
};

// A short log of what a load, save or parse found, as empty elements.
class ResultLog {
  public:
    void Clear() { text_.clear(); }
    // Attributes as name/value pairs.
    void Add(std::u16string_view entry,
             std::initializer_list<std::pair<std::u16string_view, std::u16string>> attributes = {});
    const std::u16string& text() const { return text_; }

  private:
    std::u16string text_;
};

// Parses the text into the index (slot 0 the document). Returns whether the
// document is well-formed: no syntax error, no lone end tag, no unended
// element, one root element.
bool ParseDocument(std::u16string_view text, std::vector<Entry>& index, ResultLog& log);

// The element's name, cut out of its start tag.
std::u16string_view ElementName(std::u16string_view text, const Entry& entry);

inline bool IsXmlSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Links `child` as the last child of `parent`.
void AppendChild(std::vector<Entry>& index, uint32_t parent, uint32_t child);
// Links `child` right after `sibling`.
void InsertAfter(std::vector<Entry>& index, uint32_t sibling, uint32_t child);

}  // namespace tessaly::xml
