// Random text through the whole reader and writer surface.

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

void Walk(tessaly::XmlTextDocument& doc, int budget) {
    // Depth-first over every element, without recursion.
    int depth = 0;
    while (budget-- > 0) {
        if (doc.FindElement(u"")) {
            (void)doc.GetAttribute(u"a");
            (void)doc.GetAttribute(u"v");
            if (doc.EnterElement())
                ++depth;
            continue;
        }
        if (depth == 0 || !doc.LeaveElement())
            return;
        --depth;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tessaly::XmlTextDocument doc;
    doc.SetText(Units(data, size));
    Walk(doc, 100000);
    doc.SetText(doc.GetText());
    if (doc.FindElement(u"")) {
        doc.EnterElement();
        doc.AddElement(u"added");
        doc.SetAttribute(u"a", u"<&'\">");
        doc.SetAttribute(u"a", u"1");
        doc.LeaveElement();
        doc.SetAttribute(u"new", u"2");
    }
    doc.AddElement(u"top");
    const std::u16string edited = doc.GetText();
    doc.SetText(edited);
    Walk(doc, 100000);
    return 0;
}
