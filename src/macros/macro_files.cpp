#include "macros/macro_files.h"

#include <filesystem>
#include <string>

#include "base/decimal.h"
#include "base/unicode.h"
#include "macros/macro_file_saves.h"
#include "storage/macro_table.h"
#include "xml/xml_text_document.h"

namespace tessaly {
namespace {

constexpr std::u16string_view kDeclaration = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

void SetNumber(XmlTextDocument& doc, std::u16string_view name, int value) {
    doc.SetAttribute(name, IntToDecimal(value));
}

int Number(const XmlTextDocument& doc, std::u16string_view name) {
    return DecimalToInt(doc.GetAttribute(name));
}

void WriteMacroAttributes(XmlTextDocument& doc, const MacroInfo& macro, std::u16string_view name) {
    doc.SetAttribute(u"macro_name", name);
    SetNumber(doc, u"macro_type", macro.play_type);
    SetNumber(doc, u"play_times", macro.play_times);
    SetNumber(doc, u"delay_type", macro.delay_type);
    SetNumber(doc, u"delay_time", macro.delay_time);
}

void WriteItems(XmlTextDocument& doc, const std::vector<MacroEvent>& events) {
    for (const MacroEvent& event : events) {
        doc.AddElement(u"item");
        doc.SetAttribute(u"desc", event.desc);
        SetNumber(doc, u"index", event.record_index);
        SetNumber(doc, u"type", event.type);
        SetNumber(doc, u"value", event.value);
        SetNumber(doc, u"timestamp", event.delay_time);
    }
}

std::vector<MacroEvent> StoredEvents(int macro_id) {
    std::vector<MacroEvent> events;
    ListMacroEvents(macro_id, events);
    return events;
}

MacroInfo ReadMacroAttributes(const XmlTextDocument& doc) {
    MacroInfo macro;
    macro.name = doc.GetAttribute(u"macro_name");
    macro.play_type = Number(doc, u"macro_type");
    macro.play_times = Number(doc, u"play_times");
    macro.delay_type = Number(doc, u"delay_type");
    macro.delay_time = Number(doc, u"delay_time");
    return macro;
}

// Every "item" of the entered element, each its own insert.
void ReadItems(XmlTextDocument& doc, int macro_id) {
    while (doc.FindElement(u"item")) {
        MacroEvent event;
        event.macro_id = macro_id;
        event.type = Number(doc, u"type");
        event.record_index = Number(doc, u"index");
        event.value = Number(doc, u"value");
        event.delay_time = Number(doc, u"timestamp");
        event.desc = doc.GetAttribute(u"desc");
        InsertMacroEvent(event);
    }
}

// Loaded and positioned inside the root "macro".
bool OpenMacroDocument(XmlTextDocument& doc, std::u16string_view path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::path(ToUtf8(path)), error)) {
        return false;
    }
    return doc.LoadFile(path) && doc.FindElement(u"macro") && doc.EnterElement();
}

}  // namespace

bool WriteMacroFile(std::u16string_view path, const MacroInfo& macro,
                    std::u16string_view shown_name) {
    XmlTextDocument doc;
    doc.SetText(kDeclaration);
    doc.AddElement(u"macro");
    doc.EnterElement();
    doc.AddElement(u"macroinfo");
    WriteMacroAttributes(doc, macro, shown_name);
    doc.AddElement(u"macroitems");
    doc.EnterElement();
    WriteItems(doc, StoredEvents(macro.macro_id));
    return RecordMacroFileSave(doc.SaveFile(path));
}

bool WriteMacroCollection(std::u16string_view path) {
    XmlTextDocument doc;
    doc.SetText(kDeclaration);
    doc.AddElement(u"macro");
    doc.EnterElement();
    std::vector<MacroInfo> macros;
    ListMacros(macros);
    for (const MacroInfo& macro : macros) {
        doc.AddElement(u"macro_item");
        WriteMacroAttributes(doc, macro, macro.name);
        const std::vector<MacroEvent> events = StoredEvents(macro.macro_id);
        if (events.empty()) {
            continue;
        }
        doc.EnterElement();
        doc.AddElement(u"record_item");
        doc.EnterElement();
        WriteItems(doc, events);
        doc.LeaveElement();
        doc.LeaveElement();
    }
    return RecordMacroFileSave(doc.SaveFile(path));
}

std::vector<MacroInfo> ReadMacroFile(std::u16string_view path) {
    XmlTextDocument doc;
    if (!OpenMacroDocument(doc, path)) {
        return {};
    }
    doc.FindElement(u"macroinfo");
    MacroInfo macro = ReadMacroAttributes(doc);
    macro.macro_id = AddMacroFull(macro);
    if (macro.macro_id == 0) {
        return {};
    }
    if (doc.FindElement(u"macroitems")) {
        doc.EnterElement();
        ReadItems(doc, macro.macro_id);
        doc.LeaveElement();
    }
    return {macro};
}

std::vector<MacroInfo> ReadMacroCollection(std::u16string_view path) {
    XmlTextDocument doc;
    if (!OpenMacroDocument(doc, path)) {
        return {};
    }
    std::vector<MacroInfo> imported;
    while (doc.FindElement(u"macro_item")) {
        MacroInfo macro = ReadMacroAttributes(doc);
        macro.macro_id = AddMacroFull(macro);
        if (macro.macro_id == 0) {
            continue;
        }
        if (doc.EnterElement()) {
            if (doc.FindElement(u"record_item") && doc.EnterElement()) {
                ReadItems(doc, macro.macro_id);
                doc.LeaveElement();
            }
            doc.LeaveElement();
        }
        imported.push_back(std::move(macro));
    }
    return imported;
}

}  // namespace tessaly
