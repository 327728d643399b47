#include "macros/macro_files.h"

#include <filesystem>
#include <functional>
#include <string>

#include "base/decimal.h"
#include "base/imported_name.h"
#include "base/unicode.h"
#include "storage/macro_table.h"
#include "xml/xml_text_document.h"

namespace tessaly {
namespace {

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
    macro.name = ImportedName(doc.GetAttribute(u"macro_name"));
    macro.play_type = Number(doc, u"macro_type");
    macro.play_times = Number(doc, u"play_times");
    macro.delay_type = Number(doc, u"delay_type");
    macro.delay_time = Number(doc, u"delay_time");
    return macro;
}

// Every "item" of the entered element that passes the check.
std::vector<MacroEvent> ReadItems(XmlTextDocument& doc, MacroFileValueCheck& check) {
    std::vector<MacroEvent> events;
    while (doc.FindElement(u"item")) {
        MacroEvent event;
        event.type = Number(doc, u"type");
        event.record_index = Number(doc, u"index");
        event.value = Number(doc, u"value");
        event.delay_time = Number(doc, u"timestamp");
        event.desc = ImportedName(doc.GetAttribute(u"desc"));
        if (check.CheckEvent(event)) {
            events.push_back(std::move(event));
        }
    }
    return events;
}

// Loaded and positioned inside the root "macro".
bool OpenMacroDocument(XmlTextDocument& doc, std::u16string_view path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::path(ToUtf8(path)), error)) {
        return false;
    }
    return doc.LoadFile(path) && doc.FindElement(u"macro") && doc.EnterElement();
}

// One macro at a time, checked, handed to the sink; the document is walked
// as the two formats nest their elements.
// A commit costs a journal sync: an import of a thousand macros commits a
// few dozen times, each time whole macros only.
constexpr size_t kMacrosPerCommit = 64;
constexpr size_t kEventsPerCommit = 4096;

using MacroSink = std::function<void(MacroInfo& macro, std::vector<MacroEvent>& events)>;

void WalkOneMacro(XmlTextDocument& doc, MacroFileValueCheck& check, const MacroSink& sink) {
    doc.FindElement(u"macroinfo");
    MacroInfo macro = ReadMacroAttributes(doc);
    check.CheckSettings(macro);
    std::vector<MacroEvent> events;
    if (doc.FindElement(u"macroitems")) {
        doc.EnterElement();
        events = ReadItems(doc, check);
        doc.LeaveElement();
    }
    sink(macro, events);
}

void WalkCollection(XmlTextDocument& doc, MacroFileValueCheck& check, const MacroSink& sink) {
    while (doc.FindElement(u"macro_item")) {
        MacroInfo macro = ReadMacroAttributes(doc);
        check.CheckSettings(macro);
        std::vector<MacroEvent> events;
        if (doc.EnterElement()) {
            if (doc.FindElement(u"record_item") && doc.EnterElement()) {
                events = ReadItems(doc, check);
                doc.LeaveElement();
            }
            doc.LeaveElement();
        }
        sink(macro, events);
    }
}

void Walk(XmlTextDocument& doc, bool collection, MacroFileValueCheck& check,
          const MacroSink& sink) {
    if (collection) {
        WalkCollection(doc, check, sink);
    } else {
        WalkOneMacro(doc, check, sink);
    }
}

MacroImport Import(std::u16string_view path, bool collection, int device_id) {
    MacroImport result;
    XmlTextDocument doc;
    if (!OpenMacroDocument(doc, path)) {
        return result;
    }
    MacroFileValueCheck check(device_id);
    const MacroBulkWrites bulk;
    std::vector<PendingMacro> pending;
    size_t pending_events = 0;
    const auto flush = [&] {
        AddMacrosWithEvents(pending);
        for (PendingMacro& stored : pending) {
            if (stored.macro.macro_id != 0)
                result.macros.push_back(std::move(stored.macro));
        }
        pending.clear();
        pending_events = 0;
    };
    const MacroSink store = [&](MacroInfo& macro, std::vector<MacroEvent>& events) {
        pending_events += events.size();
        pending.push_back({std::move(macro), std::move(events)});
        if (pending.size() >= kMacrosPerCommit || pending_events >= kEventsPerCommit)
            flush();
    };
    Walk(doc, collection, check, store);
    flush();
    result.counts = check.counts();
    // Nothing of the file was usable: what is left is names over defaults.
    if (result.counts.AllRefused()) {
        for (const MacroInfo& macro : result.macros) {
            DeleteMacro(macro.macro_id);
        }
        result.macros.clear();
    }
    return result;
}

}  // namespace

bool WriteMacroFile(std::u16string_view path, const MacroInfo& macro,
                    std::u16string_view shown_name) {
    XmlTextDocument doc;
    doc.SetText(kXmlDeclaration);
    doc.AddElement(u"macro");
    doc.EnterElement();
    doc.AddElement(u"macroinfo");
    WriteMacroAttributes(doc, macro, shown_name);
    doc.AddElement(u"macroitems");
    doc.EnterElement();
    WriteItems(doc, StoredEvents(macro.macro_id));
    return doc.SaveFile(path);
}

bool WriteMacroCollection(std::u16string_view path) {
    XmlTextDocument doc;
    doc.SetText(kXmlDeclaration);
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
    return doc.SaveFile(path);
}

MacroImport ReadMacroFile(std::u16string_view path, int device_id) {
    return Import(path, false, device_id);
}

MacroImport ReadMacroCollection(std::u16string_view path, int device_id) {
    return Import(path, true, device_id);
}

MacroValueCounts CheckMacroFileValues(std::u16string_view path, bool collection, int device_id) {
    XmlTextDocument doc;
    MacroFileValueCheck check(device_id);
    if (OpenMacroDocument(doc, path)) {
        Walk(doc, collection, check, [](MacroInfo&, std::vector<MacroEvent>&) {});
    }
    return check.counts();
}

}  // namespace tessaly
