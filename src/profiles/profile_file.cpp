#include "profiles/profile_file.h"

#include <string>
#include <vector>

#include "base/decimal.h"
#include "base/text_format.h"
#include "base/trace.h"
#include "catalogue/device_catalogue.h"
#include "lighting/light_defaults.h"
#include "storage/config_store.h"
#include "storage/key_table.h"
#include "storage/light_table.h"
#include "xml/xml_text_document.h"

namespace tessaly {
namespace {

constexpr std::u16string_view kDeclaration = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
constexpr int kStages = 6;
// Buttons beyond this index have no place in the mouse's button table.
constexpr int kLastKeyCode = 20;

constexpr std::u16string_view kStageKeys[] = {u"dpi_flag", u"dpi_index", u"dpi_count"};
constexpr std::u16string_view kMouseKeys[] = {
    u"button_respondtime", u"report_rate", u"sensor_flag", u"liftoff_height",  u"scroll_flag",
    u"e-sports_flag",      u"sleep_light", u"move_wakeup", u"move_closelight",
};

std::u16string Stored(int profile, std::u16string_view key) {
    std::u16string value;
    GetConfigValue(profile, key, value);
    return value;
}

void SetNumber(XmlTextDocument& doc, std::u16string_view name, int value) {
    doc.SetAttribute(name, IntToDecimal(value));
}

int Number(const XmlTextDocument& doc, std::u16string_view name) {
    return DecimalToInt(doc.GetAttribute(name));
}

std::u16string ColourAttribute(int n) {
    return Format(u"color_value%d", n);
}

// --- writing ---------------------------------------------------------------

void WriteKeys(XmlTextDocument& doc, int key_profile) {
    doc.AddElement(u"keyitems");
    doc.EnterElement();
    std::vector<KeyAssignment> keys;
    ListKeyAssignments(key_profile, keys);
    for (const KeyAssignment& key : keys) {
        doc.AddElement(u"item");
        SetNumber(doc, u"key_code", key.key_code);
        SetNumber(doc, u"macro_type", key.macro_type);
        SetNumber(doc, u"macro_value", key.macro_value);
        SetNumber(doc, u"macro_value2", key.macro_value2);
        SetNumber(doc, u"macro_value3", key.macro_value3);
        doc.SetAttribute(u"macro_desc", key.macro_desc);
    }
    doc.LeaveElement();
}

void WriteLights(XmlTextDocument& doc, int profile) {
    doc.AddElement(u"Lightitems");
    SetNumber(doc, u"lightmode", GetActiveLightMode(profile));
    doc.EnterElement();
    std::vector<LightSetting> lights;
    ListLights(profile, lights);
    for (const LightSetting& light : lights) {
        doc.AddElement(u"item");
        SetNumber(doc, u"light_mode", light.mode);
        SetNumber(doc, u"brightness", light.brightness);
        SetNumber(doc, u"speed", light.speed);
        SetNumber(doc, u"direction", light.direction);
        SetNumber(doc, u"colorful", light.colorful);
        SetNumber(doc, u"colorindex", light.color_index);
        for (int i = 0; i < static_cast<int>(light.color_values.size()); ++i) {
            SetNumber(doc, ColourAttribute(i + 1), light.color_values[i]);
        }
    }
    doc.LeaveElement();
}

void WriteStages(XmlTextDocument& doc, int profile) {
    doc.AddElement(u"Mouse_DPI");
    for (std::u16string_view key : kStageKeys) {
        doc.SetAttribute(key, Stored(profile, key));
    }
    doc.EnterElement();
    for (int stage = 0; stage < kStages; ++stage) {
        doc.AddElement(Format(u"DPI%d", stage + 1));
        doc.SetAttribute(u"value", Stored(profile, Format(u"dpi_group%d_value", stage)));
        doc.SetAttribute(u"color", Stored(profile, Format(u"dpi_group%d_rgb", stage)));
    }
    doc.LeaveElement();
}

void WriteMouse(XmlTextDocument& doc, int profile) {
    doc.AddElement(u"Mouse");
    doc.EnterElement();
    for (std::u16string_view key : kMouseKeys) {
        doc.AddElement(key);
        doc.SetAttribute(u"value", Stored(profile, key));
    }
    doc.LeaveElement();
}

// --- reading ---------------------------------------------------------------

void ReadKeys(XmlTextDocument& doc, int profile) {
    DeleteProfileKeys(profile);
    if (!doc.FindElement(u"keyitems")) {
        return;
    }
    doc.EnterElement();
    while (doc.FindElement(u"item")) {
        KeyAssignment key;
        key.profile = profile;
        key.layer = 0;
        key.key_code = Number(doc, u"key_code");
        if (key.key_code > kLastKeyCode) {
            Trace(kTraceDevice, "profile import: key_code %d skipped", key.key_code);
            continue;
        }
        key.macro_type = Number(doc, u"macro_type");
        key.macro_value = Number(doc, u"macro_value");
        key.macro_value2 = Number(doc, u"macro_value2");
        key.macro_value3 = Number(doc, u"macro_value3");
        key.macro_desc = doc.GetAttribute(u"macro_desc");
        SaveKeyAssignment(key);
    }
    doc.LeaveElement();
}

void ReadLights(XmlTextDocument& doc, int profile) {
    if (!doc.FindElement(u"Lightitems")) {
        return;
    }
    // A profile whose page was never shown has no rows yet; the items need them.
    CreateDefaultLights(profile, DeviceCatalogue::Instance().Options());
    SetActiveLight(profile, Number(doc, u"lightmode"));
    doc.EnterElement();
    while (doc.FindElement(u"item")) {
        const int mode = Number(doc, u"light_mode");
        LightSetting light;
        if (!GetLight(profile, mode, light)) {
            continue;
        }
        light.brightness = Number(doc, u"brightness");
        light.speed = Number(doc, u"speed");
        light.direction = Number(doc, u"direction");
        light.colorful = Number(doc, u"colorful");
        light.color_index = Number(doc, u"colorindex");
        for (int i = 0; i < static_cast<int>(light.color_values.size()); ++i) {
            light.color_values[i] = Number(doc, ColourAttribute(i + 1));
        }
        UpdateLight(mode, light);
    }
    doc.LeaveElement();
}

void ReadStages(XmlTextDocument& doc, int profile) {
    if (!doc.FindElement(u"Mouse_DPI")) {
        return;
    }
    for (std::u16string_view key : kStageKeys) {
        SetConfigValue(profile, key, doc.GetAttribute(key));
    }
    doc.EnterElement();
    for (int stage = 0; stage < kStages; ++stage) {
        if (doc.FindElement(Format(u"DPI%d", stage + 1))) {
            SetConfigValue(profile, Format(u"dpi_group%d_value", stage),
                           doc.GetAttribute(u"value"));
            SetConfigValue(profile, Format(u"dpi_group%d_rgb", stage), doc.GetAttribute(u"color"));
        }
    }
    doc.LeaveElement();
}

void ReadMouse(XmlTextDocument& doc, int profile) {
    if (!doc.FindElement(u"Mouse")) {
        return;
    }
    doc.EnterElement();
    for (std::u16string_view key : kMouseKeys) {
        if (doc.FindElement(key)) {
            SetConfigValue(profile, key, doc.GetAttribute(u"value"));
        }
    }
    doc.LeaveElement();
}

bool EndsWithXml(std::u16string_view name) {
    if (name.size() < 4) {
        return false;
    }
    std::u16string_view tail = name.substr(name.size() - 4);
    constexpr std::u16string_view kLower = u".xml";
    for (size_t i = 0; i < kLower.size(); ++i) {
        char16_t c = tail[i];
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
        if (c != kLower[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool WriteProfileFile(std::u16string_view path, int key_profile, int profile,
                      std::u16string_view display_name, ProfileFileOptions options) {
    XmlTextDocument doc;
    doc.SetText(kDeclaration);
    doc.AddElement(u"profile");
    doc.EnterElement();
    doc.AddElement(u"profileinfo");
    doc.SetAttribute(u"name", display_name);
    doc.EnterElement();
    WriteKeys(doc, key_profile);
    if (options.lighting) {
        WriteLights(doc, profile);
    }
    WriteStages(doc, profile);
    WriteMouse(doc, profile);
    return doc.SaveFile(path);
}

bool ReadProfileFile(std::u16string_view path, int profile, ProfileFileOptions options) {
    XmlTextDocument doc;
    if (!doc.LoadFile(path) || !doc.FindElement(u"profile")) {
        return false;
    }
    doc.EnterElement();
    if (!doc.FindElement(u"profileinfo")) {
        return true;
    }
    doc.EnterElement();
    ReadKeys(doc, profile);
    if (options.lighting) {
        ReadLights(doc, profile);
    }
    ReadStages(doc, profile);
    ReadMouse(doc, profile);
    return true;
}

std::u16string ProfileNameFromPath(std::u16string_view path) {
    const size_t slash = path.find_last_of(u'/');
    std::u16string_view name = slash == std::u16string_view::npos ? path : path.substr(slash + 1);
    if (EndsWithXml(name)) {
        name.remove_suffix(4);
    }
    return std::u16string(name);
}

}  // namespace tessaly
