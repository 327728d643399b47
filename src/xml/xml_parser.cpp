#include <algorithm>
#include <array>
#include <unordered_map>

#include "base/decimal.h"
#include "xml/xml_index.h"

namespace tessaly::xml {
namespace {

// The characters that end a name, as a table: names are cut on every
// navigation step, so this is the hot path of reading.
constexpr std::u16string_view kNameEndCharacters = u" \t\n\r<>=\\/?!\"';";

constexpr std::array<bool, 128> MakeNameEndTable() {
    std::array<bool, 128> table{};
    for (char16_t c : kNameEndCharacters)
        table[c] = true;
    return table;
}
constexpr std::array<bool, 128> kNameEnd = MakeNameEndTable();

inline bool IsNameEnd(char16_t c) {
    return c < 128 && kNameEnd[c];
}

bool IsNameStart(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u':' ||
           c > u'`';
}

std::u16string Number(size_t value) {
    return IntToDecimal(static_cast<int64_t>(value));
}

class Parser {
  public:
    Parser(std::u16string_view text, std::vector<Entry>& index, ResultLog& log)
        : text_(text), index_(index), log_(log) {}

    bool Run();

  private:
    size_t StartTag(size_t at);
    size_t EndTag(size_t at);
    size_t Doctype(size_t at);
    size_t Skip(size_t at, std::u16string_view terminator, std::u16string_view type);
    // `at`: where the element turned out to be unended (an end tag or the
    // end of the text).
    void Unend(size_t down_to, size_t at);
    void SetLevels();

    std::u16string_view text_;
    std::vector<Entry>& index_;
    ResultLog& log_;
    void Push(uint32_t slot);
    void Pop();
    bool IsOpen(std::u16string_view name);

    std::vector<uint32_t> open_;  // open elements, innermost last
    // How many open elements bear each name, kept from the first end tag that
    // does not close the innermost element on: without it, every lone end
    // tag would search the whole stack and a crafted text would take
    // quadratic time. Well-formed texts never pay for it.
    std::unordered_map<std::u16string_view, uint32_t> open_names_;
    bool counting_ = false;
    bool ill_formed_ = false;
};

// The end of a token that ends at `terminator`; npos when the text ends first.
size_t Parser::Skip(size_t at, std::u16string_view terminator, std::u16string_view type) {
    const size_t end = text_.find(terminator, at);
    if (end == std::u16string_view::npos) {
        log_.Add(u"unterminated_tag_syntax",
                 {{u"type", std::u16string(type)}, {u"offset", Number(at)}});
        ill_formed_ = true;
        return std::u16string_view::npos;
    }
    return end + terminator.size();
}

size_t Parser::StartTag(size_t at) {
    size_t name_end = at + 1;
    while (name_end < text_.size() && !IsNameEnd(text_[name_end])) {
        ++name_end;
    }
    // Quotes count only where they open a value, after '='.
    size_t i = name_end;
    bool after_equals = false;
    size_t closing_quote = std::u16string_view::npos;
    for (; i < text_.size(); ++i) {
        const char16_t c = text_[i];
        if (c == u'>')
            break;
        if (after_equals && (c == u'"' || c == u'\'')) {
            const size_t close = text_.find(c, i + 1);
            if (close == std::u16string_view::npos) {
                i = text_.size();
                break;
            }
            i = close;
            closing_quote = close;
            after_equals = false;
        } else if (c == u'=') {
            after_equals = true;
        } else if (!IsXmlSpace(c)) {
            after_equals = false;
        }
    }
    // "/>" closes an empty element when the '/' follows the name, white
    // space or a closing quote; in <a b=1/> it belongs to the value.
    bool empty = false;
    if (i < text_.size() && text_[i - 1] == u'/') {
        const size_t slash = i - 1;
        empty = slash == name_end || IsXmlSpace(text_[slash - 1]) || slash - 1 == closing_quote;
    }
    if (i >= text_.size()) {
        log_.Add(u"unterminated_tag_syntax", {{u"type", u"start_tag"}, {u"offset", Number(at)}});
        ill_formed_ = true;
        return std::u16string_view::npos;
    }
    Entry entry;
    entry.start = static_cast<int32_t>(at);
    entry.start_tag_length = static_cast<uint32_t>(i + 1 - at);
    entry.length = static_cast<int32_t>(entry.start_tag_length);
    if (empty)
        entry.flags = kNoEndTag | kEmptyTag;
    const auto slot = static_cast<uint32_t>(index_.size());
    index_.push_back(entry);
    AppendChild(index_, open_.empty() ? 0 : open_.back(), slot);
    if (!empty)
        Push(slot);
    return i + 1;
}

void Parser::Push(uint32_t slot) {
    open_.push_back(slot);
    if (counting_)
        ++open_names_[ElementName(text_, index_[slot])];
}

void Parser::Pop() {
    if (counting_)
        --open_names_[ElementName(text_, index_[open_.back()])];
    open_.pop_back();
}

bool Parser::IsOpen(std::u16string_view name) {
    if (!counting_) {
        counting_ = true;
        for (uint32_t slot : open_)
            ++open_names_[ElementName(text_, index_[slot])];
    }
    const auto found = open_names_.find(name);
    return found != open_names_.end() && found->second != 0;
}

size_t Parser::EndTag(size_t at) {
    const size_t end = Skip(at + 2, u">", u"end_tag");
    if (end == std::u16string_view::npos)
        return end;
    size_t name_start = at + 2;
    while (name_start < end && IsXmlSpace(text_[name_start]))
        ++name_start;
    size_t name_end = name_start;
    while (name_end < end && !IsNameEnd(text_[name_end]))
        ++name_end;
    const auto name = text_.substr(name_start, name_end - name_start);
    const bool closes_innermost =
        !open_.empty() && ElementName(text_, index_[open_.back()]) == name;
    const bool matches = closes_innermost || IsOpen(name);
    // Each element passed over below is unended and popped, so over the
    // whole text this search stays linear.
    for (size_t depth = open_.size(); matches && depth-- > 0;) {
        if (ElementName(text_, index_[open_[depth]]) != name)
            continue;
        Unend(depth + 1, at);
        Entry& closed = index_[open_[depth]];
        closed.length = static_cast<int32_t>(end - static_cast<size_t>(closed.start));
        closed.end_tag_length = static_cast<uint32_t>(end - at);
        Pop();
        return end;
    }
    log_.Add(u"lone_end_tag", {{u"tagname", std::u16string(name)}, {u"offset", Number(at)}});
    ill_formed_ = true;
    return end;
}

// Every element open above `down_to` gets no end tag: its children move up
// to follow it as siblings. Each child moves once, so this stays linear.
void Parser::Unend(size_t down_to, size_t at) {
    if (down_to >= open_.size())
        return;
    const uint32_t target = down_to == 0 ? 0 : open_[down_to - 1];
    for (size_t depth = down_to; depth < open_.size(); ++depth) {
        Entry& element = index_[open_[depth]];
        const std::u16string name(ElementName(text_, element));
        log_.Add(u"unended_start_tag", {{u"tagname", name},
                                        {u"offset", Number(static_cast<size_t>(element.start))},
                                        {u"offset2", Number(at)}});
        ill_formed_ = true;
        element.flags |= kNoEndTag;
        element.length = static_cast<int32_t>(element.start_tag_length);
        uint32_t child = element.first_child;
        element.first_child = 0;
        while (child != 0) {
            const uint32_t next = index_[child].next;
            index_[child].next = 0;
            index_[child].previous = 0;
            index_[child].flags &= static_cast<uint16_t>(~kFirstChild);
            AppendChild(index_, target, child);
            child = next;
        }
    }
    while (open_.size() > down_to)
        Pop();
}

size_t Parser::Doctype(size_t at) {
    size_t i = at + 3;
    bool in_subset = false;
    while (i < text_.size()) {
        const char16_t c = text_[i];
        if (c == u'"' || c == u'\'') {
            const size_t close = text_.find(c, i + 1);
            if (close == std::u16string_view::npos)
                break;
            i = close + 1;
        } else if (c == u'[' && !in_subset) {
            in_subset = true;
            ++i;
        } else if (c == u']' && in_subset) {
            in_subset = false;
            ++i;
        } else if (c == u'<' && in_subset) {
            if (i + 1 >= text_.size() || text_[i + 1] != u'!') {
                log_.Add(u"doctype_tag_syntax", {{u"offset", Number(i)}});
                ill_formed_ = true;
                ++i;
                continue;
            }
            const char16_t kind = i + 2 < text_.size() ? text_[i + 2] : 0;
            if (kind == u'-') {
                const size_t end = text_.find(u"-->", i + 2);
                if (end == std::u16string_view::npos)
                    break;
                i = end + 3;
            } else if (kind == u'E' || kind == u'A' || kind == u'N') {
                // A declaration: up to its '>', quoted strings skipped.
                size_t j = i + 2;
                while (j < text_.size() && text_[j] != u'>') {
                    if (text_[j] == u'"' || text_[j] == u'\'') {
                        const size_t close = text_.find(text_[j], j + 1);
                        if (close == std::u16string_view::npos) {
                            j = text_.size();
                            break;
                        }
                        j = close;
                    }
                    ++j;
                }
                if (j >= text_.size())
                    break;
                i = j + 1;
            } else {
                log_.Add(u"doctype_tag_syntax", {{u"offset", Number(i)}});
                ill_formed_ = true;
                i += 2;
            }
        } else if (c == u'>' && !in_subset) {
            return i + 1;
        } else {
            ++i;
        }
    }
    log_.Add(u"unterminated_tag_syntax", {{u"type", u"document_type"}, {u"offset", Number(at)}});
    ill_formed_ = true;
    return std::u16string_view::npos;
}

bool Parser::Run() {
    index_.clear();
    index_.reserve(text_.size() / 64 + 8);
    Entry document;
    document.length = static_cast<int32_t>(text_.size());
    index_.push_back(document);

    size_t at = 0;
    while (at < text_.size()) {
        at = text_.find(u'<', at);
        if (at == std::u16string_view::npos)
            break;
        const char16_t next = at + 1 < text_.size() ? text_[at + 1] : 0;
        size_t end;
        if (next == 0) {
            log_.Add(u"unterminated_tag_syntax", {{u"type", u"tag"}, {u"offset", Number(at)}});
            ill_formed_ = true;
            break;
        } else if (next == u'/') {
            end = EndTag(at);
        } else if (next == u'?') {
            end = Skip(at + 2, u"?>", u"processing_instruction");
        } else if (next == u'!') {
            const auto rest = text_.substr(at);
            if (rest.substr(0, 4) == u"<!--") {
                end = Skip(at + 4, u"-->", u"comment");
            } else if (rest.substr(0, 4) == u"<![C") {
                end = Skip(at + 4, u"]]>", u"cdata_section");
            } else if (rest.substr(0, 3) == u"<!D") {
                end = Doctype(at);
            } else {
                // "<!-" and "<![" began a comment or a CDATA section that went wrong.
                const char16_t third = rest.size() > 2 ? rest[2] : 0;
                const std::u16string_view entry = third == u'-'   ? u"comment_tag_syntax"
                                                  : third == u'[' ? u"cdata_section_syntax"
                                                                  : u"exclamation_tag_syntax";
                log_.Add(entry, {{u"offset", Number(at)}});
                ill_formed_ = true;
                end = at + 2;
            }
        } else if (IsNameStart(next)) {
            end = StartTag(at);
        } else {
            log_.Add(u"first_tag_syntax", {{u"offset", Number(at)}});
            ill_formed_ = true;
            end = at + 1;
        }
        if (end == std::u16string_view::npos)
            break;
        at = end;
    }
    Unend(0, text_.size());
    SetLevels();

    const Entry& doc = index_[0];
    if (doc.first_child == 0) {
        log_.Add(u"no_root_element");
        ill_formed_ = true;
    } else if (index_[doc.first_child].next != 0) {
        log_.Add(u"root_has_sibling");
        ill_formed_ = true;
    }
    if (ill_formed_)
        index_[0].flags |= kIllFormed;
    return !ill_formed_;
}

// Levels once the tree is final, walking it without recursion.
void Parser::SetLevels() {
    std::vector<uint32_t> pending;
    for (uint32_t c = index_[0].first_child; c != 0; c = index_[c].next)
        pending.push_back(c);
    while (!pending.empty()) {
        const uint32_t slot = pending.back();
        pending.pop_back();
        Entry& entry = index_[slot];
        entry.level = entry.parent == 0 ? 0 : index_[entry.parent].level + 1;
        for (uint32_t c = entry.first_child; c != 0; c = index_[c].next)
            pending.push_back(c);
    }
}

}  // namespace

std::u16string_view ElementName(std::u16string_view text, const Entry& entry) {
    size_t i = static_cast<size_t>(entry.start) + 1;
    const size_t tag_end = static_cast<size_t>(entry.start) + entry.start_tag_length;
    while (i < tag_end && IsXmlSpace(text[i]))
        ++i;
    size_t end = i;
    while (end < tag_end && !IsNameEnd(text[end]))
        ++end;
    return text.substr(i, end - i);
}

void AppendChild(std::vector<Entry>& index, uint32_t parent, uint32_t child) {
    Entry& p = index[parent];
    Entry& c = index[child];
    c.parent = parent;
    c.next = 0;
    if (p.first_child == 0) {
        p.first_child = child;
        c.previous = child;
        c.flags |= kFirstChild;
        return;
    }
    Entry& first = index[p.first_child];
    const uint32_t last = first.previous;
    index[last].next = child;
    c.previous = last;
    c.flags &= static_cast<uint16_t>(~kFirstChild);
    first.previous = child;
}

void InsertAfter(std::vector<Entry>& index, uint32_t sibling, uint32_t child) {
    Entry& s = index[sibling];
    Entry& c = index[child];
    c.parent = s.parent;
    c.next = s.next;
    c.previous = sibling;
    c.flags &= static_cast<uint16_t>(~kFirstChild);
    if (s.next != 0) {
        index[s.next].previous = child;
    } else {
        index[index[s.parent].first_child].previous = child;
    }
    s.next = child;
}

void ResultLog::Add(
    std::u16string_view entry,
    std::initializer_list<std::pair<std::u16string_view, std::u16string>> attributes) {
    if (text_.size() > 999)
        return;
    text_ += u"<";
    text_ += entry;
    for (const auto& [name, value] : attributes) {
        text_ += u" ";
        text_ += name;
        text_ += u"=\"";
        for (char16_t c : value) {
            if (c == u'"') {
                text_ += u"&quot;";
            } else if (c == u'&') {
                text_ += u"&amp;";
            } else if (c == u'<') {
                text_ += u"&lt;";
            } else {
                text_.push_back(c);
            }
        }
        text_ += u"\"";
    }
    text_ += u"/>";
}

bool ParseDocument(std::u16string_view text, std::vector<Entry>& index, ResultLog& log) {
    return Parser(text, index, log).Run();
}

}  // namespace tessaly::xml
