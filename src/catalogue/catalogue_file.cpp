#include "catalogue/catalogue_file.h"

#include <limits>

#include "base/decimal.h"
#include "xml/xml_text_document.h"

namespace tessaly {
namespace {

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

DeviceDescription ReadMouse(const XmlTextDocument& doc, std::u16string_view image_folder) {
    DeviceDescription entry;
    entry.name = doc.GetAttribute(u"name");
    entry.device_type = DecimalToInt(doc.GetAttribute(u"device_type"));
    entry.device_attribute = doc.GetAttribute(u"device_attr");
    entry.image = std::u16string(image_folder) + doc.GetAttribute(u"image");
    return entry;
}

void ReadMode(const XmlTextDocument& doc, DeviceDescription& entry) {
    entry.mode = DecimalToInt(doc.GetAttribute(u"value"));
    entry.description = doc.GetAttribute(u"desc");
    entry.vendor_id = HexToInt(doc.GetAttribute(u"vid"));
    entry.product_id = HexToInt(doc.GetAttribute(u"pid"));
    entry.device_id = doc.GetAttribute(u"dev_id");
    entry.hid_interface = doc.GetAttribute(u"hid_interface");
}

void ReadDeviceSection(XmlTextDocument& doc, std::u16string_view image_folder,
                       CatalogueFile& file) {
    doc.EnterElement();
    while (doc.FindElement(u"mouse")) {
        DeviceDescription entry = ReadMouse(doc, image_folder);
        file.models.push_back(entry);
        doc.EnterElement();
        while (doc.FindElement(u"mode")) {
            ReadMode(doc, entry);
            file.identities.push_back(entry);
        }
        doc.LeaveElement();
    }
    doc.LeaveElement();
}

// Each link is searched after the previous one, found or not: an element
// out of this order is not found.
SoftwareLinks ReadSoftwareSection(XmlTextDocument& doc) {
    SoftwareLinks links;
    links.version = doc.GetAttribute(u"version");
    doc.EnterElement();
    struct Link {
        const char16_t* element;
        const char16_t* attribute;
        std::u16string SoftwareLinks::*field;
    };
    static constexpr Link kLinks[] = {
        {u"website", u"url", &SoftwareLinks::website},
        {u"feedback", u"url", &SoftwareLinks::feedback},
        {u"qa", u"url", &SoftwareLinks::qa},
        {u"store", u"url", &SoftwareLinks::store},
        {u"upgrade", u"url", &SoftwareLinks::upgrade},
        {u"copyright", u"info", &SoftwareLinks::copyright},
    };
    for (const Link& link : kLinks) {
        if (doc.FindElement(link.element)) {
            links.*link.field = doc.GetAttribute(link.attribute);
        }
    }
    doc.LeaveElement();
    return links;
}

}  // namespace

int32_t HexToInt(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        i += 2;
    }
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0) {
            break;
        }
        value = value * 16 + digit;
        if (value > kMax) {
            return static_cast<int32_t>(kMax);
        }
    }
    return static_cast<int32_t>(value);
}

CatalogueFile ReadCatalogueFile(std::u16string_view path, std::u16string_view image_folder) {
    CatalogueFile file;
    XmlTextDocument doc;
    if (!doc.LoadFile(path)) {
        return file;
    }
    file.loaded = true;
    if (!doc.FindElement(u"config")) {
        return file;
    }
    doc.EnterElement();
    if (doc.FindElement(u"device")) {
        ReadDeviceSection(doc, image_folder, file);
    }
    if (doc.FindElement(u"software")) {
        file.software = ReadSoftwareSection(doc);
    }
    return file;
}

}  // namespace tessaly
