// Random text through the whole reader and writer surface. For a well-formed
// text, the index that the edits kept up must read exactly like a fresh parse
// of the edited text.

#include <cstddef>
#include <cstdint>
#include <string>

#include "xml/xml_text_document.h"

namespace {

std::u16string Units(const uint8_t* data, size_t size) {
    std::u16string text;
    text.reserve(size);
    // Mostly ASCII markup, with the odd wide unit so that surrogates and
    // non-ASCII names come up too.
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF && i + 2 < size) {
            text.push_back(static_cast<char16_t>(data[i + 1] | (data[i + 2] << 8)));
            i += 2;
        } else {
            text.push_back(data[i]);
        }
    }
    return text;
}

void Read(const tessaly::XmlTextDocument& doc, std::u16string& seen) {
    seen += u"<" + doc.GetAttribute(u"a") + u"|" + doc.GetAttribute(u"new");
    (void)doc.GetAttribute(u"v");
}

// Depth-first, without recursion, over the current element (if `with_current`)
// and everything after it at its level: the shape and the attributes read.
std::u16string Walk(tessaly::XmlTextDocument& doc, bool with_current) {
    std::u16string seen;
    int depth = 0;
    if (with_current) {
        Read(doc, seen);
        if (doc.EnterElement())
            ++depth;
    }
    for (int budget = 100000; budget > 0; --budget) {
        if (doc.FindElement(u"")) {
            Read(doc, seen);
            if (doc.EnterElement())
                ++depth;
            continue;
        }
        seen += u">";
        if (depth == 0 || !doc.LeaveElement())
            break;
        --depth;
    }
    return seen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tessaly::XmlTextDocument doc;
    const bool well_formed = doc.SetText(Units(data, size));
    Walk(doc, false);

    doc.SetText(doc.GetText());
    if (doc.FindElement(u"")) {
        // After the root's first child, or as its only child; then a child
        // inside the new element, which splits its empty-element tag.
        doc.EnterElement();
        const bool had_child = doc.FindElement(u"");
        doc.AddElement(u"added");
        doc.SetAttribute(u"a", u"<&'\">");
        doc.SetAttribute(u"a", u"1");
        doc.EnterElement();
        doc.AddElement(u"inner");
        doc.SetAttribute(u"new", u"4");
        doc.LeaveElement();
        doc.LeaveElement();
        doc.SetAttribute(u"new", u"2");
        doc.EnterElement();  // back to the new element

        tessaly::XmlTextDocument fresh;
        fresh.SetText(doc.GetText());
        fresh.FindElement(u"");
        fresh.EnterElement();
        fresh.FindElement(u"");
        if (had_child)
            fresh.FindElement(u"");
        if (well_formed && Walk(doc, true) != Walk(fresh, true))
            __builtin_trap();
    }
    doc.AddElement(u"top");
    doc.SetAttribute(u"a", u"3");
    doc.SetText(doc.GetText());
    Walk(doc, false);
    return 0;
}
