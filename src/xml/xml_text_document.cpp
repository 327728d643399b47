#include "xml/xml_text_document.h"

#include <climits>

#include "xml/html_entities.h"
#include "xml/xml_document_impl.h"

namespace tessaly {

using xml::Entry;

XmlTextDocument::XmlTextDocument() : impl_(std::make_unique<Impl>()) {
    impl_->Reparse();
}
XmlTextDocument::~XmlTextDocument() = default;

const std::u16string& XmlTextDocument::GetText() const {
    return impl_->text;
}
const std::u16string& XmlTextDocument::GetResult() const {
    return impl_->log.text();
}
bool XmlTextDocument::IsWellFormed() const {
    return impl_->well_formed;
}

bool XmlTextDocument::SetText(std::u16string_view text) {
    impl_->log.Clear();
    impl_->bom = Impl::Bom::kNone;
    // Offsets in the index are 32-bit.
    if (text.size() > static_cast<size_t>(INT32_MAX))
        return impl_->Refuse();
    impl_->text.assign(text);
    impl_->Reparse();
    return impl_->well_formed;
}

bool XmlTextDocument::FindElement(std::u16string_view name) {
    auto& d = *impl_;
    uint32_t slot = d.current != 0 ? d.index[d.current].next : d.index[d.parent].first_child;
    for (; slot != 0; slot = d.index[slot].next) {
        if (name.empty() || xml::ElementName(d.text, d.index[slot]) == name) {
            d.current = slot;
            d.child = 0;
            return true;
        }
    }
    return false;
}

bool XmlTextDocument::EnterElement() {
    auto& d = *impl_;
    if (d.current == 0)
        return false;
    d.parent = d.current;
    d.current = d.child;
    d.child = 0;
    return true;
}

bool XmlTextDocument::LeaveElement() {
    auto& d = *impl_;
    if (d.parent == 0)
        return false;
    d.child = d.current;
    d.current = d.parent;
    d.parent = d.index[d.parent].parent;
    return true;
}

std::u16string XmlTextDocument::GetAttribute(std::u16string_view name) const {
    const auto& d = *impl_;
    if (d.current == 0)
        return {};
    const auto found = d.FindAttribute(d.current, name);
    if (!found)
        return {};
    return xml::DecodeReferences(std::u16string_view(d.text).substr(
        found->value_start, found->value_end - found->value_start));
}

bool XmlTextDocument::SetAttribute(std::u16string_view name, std::u16string_view value) {
    auto& d = *impl_;
    if (d.current == 0)
        return false;
    const std::u16string quoted = u"\"" + xml::EscapeValue(value) + u"\"";
    if (!d.HasRoomFor(name.size() + quoted.size() + 2))
        return false;
    const Entry& element = d.index[d.current];
    if (const auto found = d.FindAttribute(d.current, name)) {
        if (found->has_value) {
            const size_t start = found->value_start - (found->quoted ? 1 : 0);
            const size_t end = found->value_end + (found->quoted ? 1 : 0);
            d.Replace(d.current, start, end - start, quoted);
        } else {
            d.Replace(d.current, found->name_end, 0, u"=" + quoted);
        }
        return true;
    }
    // After the last attribute or the name: before the white space that
    // precedes "/>" or ">".
    size_t at = static_cast<size_t>(element.start) + element.start_tag_length - 1;
    if (element.flags & xml::kEmptyTag)
        --at;
    const size_t name_end =
        static_cast<size_t>(element.start) + 1 + xml::ElementName(d.text, element).size();
    while (at > name_end && xml::IsXmlSpace(d.text[at - 1]))
        --at;
    std::u16string inserted = u" ";
    inserted += name;
    inserted += u"=";
    inserted += quoted;
    d.Replace(d.current, at, 0, inserted);
    return true;
}

bool XmlTextDocument::AddElement(std::u16string_view name) {
    auto& d = *impl_;
    // The new element, its line break and, when an empty parent is split,
    // the parent's end tag.
    const size_t parent_tag = d.parent != 0 ? d.index[d.parent].start_tag_length : 0;
    if (!d.HasRoomFor(name.size() + parent_tag + 16))
        return false;
    d.AddElement(name);
    return true;
}

}  // namespace tessaly
