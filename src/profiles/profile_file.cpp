#include "profiles/profile_file.h"

#include <string>
#include <vector>

#include "base/decimal.h"
#include "base/imported_name.h"
#include "base/text_format.h"
#include "base/trace.h"
#include "catalogue/device_catalogue.h"
#include "profiles/profile_file_keys.h"
#include "profiles/profile_reader.h"
#include "storage/config_store.h"
#include "storage/key_table.h"
#include "storage/light_table.h"
#include "storage/settings_transaction.h"
#include "xml/xml_text_document.h"

namespace tessaly {
namespace {

std::u16string Stored(int profile, std::u16string_view key) {
    std::u16string value;
    GetConfigValue(profile, key, value);
    return value;
}

void SetNumber(XmlTextDocument& doc, std::u16string_view name, int value) {
    doc.SetAttribute(name, IntToDecimal(value));
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
    for (std::u16string_view key : kProfileStageKeys) {
        doc.SetAttribute(key, Stored(profile, key));
    }
    doc.EnterElement();
    for (int stage = 0; stage < kProfileFileStages; ++stage) {
        doc.AddElement(Format(u"DPI%d", stage + 1));
        doc.SetAttribute(u"value", Stored(profile, Format(u"dpi_group%d_value", stage)));
        doc.SetAttribute(u"color", Stored(profile, Format(u"dpi_group%d_rgb", stage)));
    }
    doc.LeaveElement();
}

void WriteMouse(XmlTextDocument& doc, int profile) {
    doc.AddElement(u"Mouse");
    doc.EnterElement();
    for (std::u16string_view key : kProfileMouseKeys) {
        doc.AddElement(key);
        doc.SetAttribute(u"value", Stored(profile, key));
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
    doc.SetText(kXmlDeclaration);
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

ProfileImport ReadProfileFile(std::u16string_view path, int profile, ProfileFileOptions options,
                              const ProfileImportLimits& limits) {
    ProfileImport result;
    XmlTextDocument doc;
    if (!doc.LoadFile(path) || !doc.FindElement(u"profile")) {
        return result;
    }
    result.loaded = true;
    doc.EnterElement();
    if (!doc.FindElement(u"profileinfo")) {
        result.stored = true;
        return result;
    }
    doc.EnterElement();
    ProfileModel model{.options = DeviceCatalogue::Instance().Options(), .key_codes = {}};
    for (const KeyAssignment& button : DeviceCatalogue::Instance().DefaultAssignments()) {
        model.key_codes.push_back(button.key_code);
    }
    SettingsTransaction transaction;
    if (!transaction.Begun()) {
        return result;
    }
    ProfileReader reader(doc, profile, options, limits, model);
    const bool read = reader.ReadAll();
    result.taken = reader.Taken();
    result.refused = reader.Refused();
    // A file whose every value is refused is no profile for this mouse: it
    // does not even clear the buttons.
    const bool usable = result.refused == 0 || result.taken > 0;
    result.stored = read && usable && transaction.Commit();
    if (!result.stored) {
        Trace(kTraceDevice, "profile import: nothing stored (%d taken, %d refused%s)", result.taken,
              result.refused, read ? "" : ", a write failed");
    }
    return result;
}

std::u16string ProfileNameFromPath(std::u16string_view path) {
    const size_t slash = path.find_last_of(u'/');
    std::u16string_view name = slash == std::u16string_view::npos ? path : path.substr(slash + 1);
    if (EndsWithXml(name)) {
        name.remove_suffix(4);
    }
    return ImportedName(std::u16string(name));
}

}  // namespace tessaly
