#include "catalogue/description_file.h"

#include "base/decimal.h"
#include "base/text_format.h"
#include "base/trace.h"
#include "xml/xml_text_document.h"

namespace tessaly {
namespace {

bool IsOne(const XmlTextDocument& doc, std::u16string_view attribute) {
    return DecimalToInt(doc.GetAttribute(attribute)) == 1;
}

CustomSection ReadCustom(const XmlTextDocument& doc) {
    CustomSection custom;
    custom.show_dpi_tips = IsOne(doc, u"show_dpitips");
    custom.show_save_tips = IsOne(doc, u"show_savetips");
    custom.show_lift_off = IsOne(doc, u"show_lod");
    custom.show_sensor = IsOne(doc, u"show_sensor");
    return custom;
}

void ReadKey(const XmlTextDocument& doc, DescriptionFile& file) {
    const std::u16string name_text = doc.GetAttribute(u"name");
    const std::u16string func_desc_text = doc.GetAttribute(u"func_desc");
    ButtonDescription button;
    button.name = DecimalToInt(name_text);
    button.key_value = DecimalToInt(doc.GetAttribute(u"key_value"));
    button.direction = DecimalToInt(doc.GetAttribute(u"direction"));
    const ButtonRect rect = ParseButtonRect(doc.GetAttribute(u"rect"));
    button.x1 = rect.x1;
    button.x2 = rect.x2;
    button.y = rect.y;
    button.func_desc = DecimalToInt(func_desc_text);
    button.func_type = DecimalToInt(doc.GetAttribute(u"func_type"));
    button.func_value = DecimalToInt(doc.GetAttribute(u"func_value"));
    file.buttons->push_back(button);

    KeyAssignment assignment;
    assignment.key_code = button.key_value;
    assignment.layout_value = button.key_value;
    assignment.layout_desc = name_text;
    assignment.macro_type = button.func_type;
    assignment.macro_value = button.func_value;
    assignment.macro_desc = func_desc_text;
    file.default_assignments.push_back(assignment);
}

void ReadButtons(XmlTextDocument& doc, DescriptionFile& file) {
    file.buttons.emplace();
    doc.EnterElement();
    while (doc.FindElement(u"key")) {
        ReadKey(doc, file);
    }
    doc.LeaveElement();
}

// light_1 … light_6, each searched after the previous one found.
void ReadLights(XmlTextDocument& doc, DescriptionFile& file) {
    doc.EnterElement();
    for (size_t i = 0; i < file.lights.size(); ++i) {
        if (doc.FindElement(Format(u"light_%d", static_cast<int>(i + 1)))) {
            file.lights[i] = IsOne(doc, u"enable");
        }
    }
    doc.LeaveElement();
}

// Digits only: a figure read loosely ("1e6", "-1") could let a larger
// image through than the flash holds.
std::optional<uint32_t> FlashSize(const XmlTextDocument& doc) {
    const std::u16string text = doc.GetAttribute(u"flash_size");
    if (text.empty() || text.size() > 8)
        return std::nullopt;
    uint32_t bytes = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        bytes = bytes * 10 + static_cast<uint32_t>(c - u'0');
    }
    if (bytes == 0 || bytes > kDefaultFlashBytes) {
        Trace(kTraceDevice, "description file: flash_size %u is not 1 … %u, the default is taken",
              bytes, kDefaultFlashBytes);
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

std::optional<DescriptionFile> ReadDescriptionFile(std::u16string_view path) {
    XmlTextDocument doc;
    if (!doc.LoadFile(path) || !doc.FindElement(u"mouse")) {
        return std::nullopt;
    }
    DescriptionFile file;
    doc.EnterElement();
    // Sections are searched in this order, each after the last one found.
    if (doc.FindElement(u"image_file")) {
        file.mouse_img = doc.GetAttribute(u"mouse_img");
    }
    if (doc.FindElement(u"menu")) {
        file.lighting_page = IsOne(doc, u"light");
    }
    if (doc.FindElement(u"custom")) {
        file.custom = ReadCustom(doc);
    }
    if (doc.FindElement(u"firmware")) {
        file.firmware_address = doc.GetAttribute(u"url");
        file.flash_size = FlashSize(doc);
    }
    if (doc.FindElement(u"mouse_key")) {
        ReadButtons(doc, file);
    }
    if (doc.FindElement(u"mouse_info")) {
        doc.EnterElement();
        if (doc.FindElement(u"light_info")) {
            ReadLights(doc, file);
        }
        doc.LeaveElement();
    }
    return file;
}

}  // namespace tessaly
