#include "stateful/invariants.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "base/unicode.h"
#include "buttons/button_controls.h"
#include "performance/performance_controls.h"
#include "stateful/design_tables.h"
#include "ui/ids/button_page_ids.h"
#include "ui/ids/lighting_page_ids.h"
#include "ui/ids/macro_page_ids.h"
#include "ui/ids/main_window_ids.h"
#include "ui/ids/performance_page_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/main/window_page_contexts.h"
#include "ui/pages/button_page.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/dpi_control.h"
#include "ui/toolkit/controls/edits.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/mouse_controls.h"
#include "ui/toolkit/controls/progress.h"
#include "ui/toolkit/controls/record_list.h"
#include "ui/toolkit/controls/report_ctrl.h"
#include "ui/toolkit/controls/tabs.h"

namespace tessaly::stateful {
namespace {

constexpr int kSensorBits[] = {4, 8, 16};
constexpr int kPageBits = 4 | 8 | 16;

// The factory function texts of the shipped model's buttons, by key code
// (func_desc of its description file), and the texts the list shows for
// the categories that name their values.
constexpr int kFactoryText[] = {106, 107, 108, 110, 109, 142, 151, 151};
constexpr int kMouseText[] = {0, 106, 108, 107, 180, 109, 110, 112, 113, 114, 115};
constexpr int kDisableText = 139;

std::string Text(const std::u16string& text) {
    return ToUtf8(text);
}

template <typename T>
std::string Show(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

std::string Show(const std::u16string& text) {
    return "\"" + ToUtf8(text) + "\"";
}

std::string Show(const std::vector<Event>& events) {
    std::string text = "[";
    for (const Event& e : events)
        text += " " + std::to_string(e.type) + ":" + std::to_string(e.value);
    return text + " ]";
}

std::string Show(const Lighting& lighting) {
    if (!lighting.made)
        return "no rows";
    std::string text = "active " + std::to_string(lighting.active) + ":";
    for (const auto& [mode, light] : lighting.effects) {
        text += " [" + std::to_string(mode) + " b" + std::to_string(light.brightness) + " s" +
                std::to_string(light.speed) + " g" + std::to_string(light.groups) + " c";
        for (int colour : light.colours)
            text += " " + std::to_string(colour);
        text += "]";
    }
    return text;
}

std::string Show(const std::vector<uint8_t>& bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (uint8_t b : bytes) {
        text += kHex[b >> 4];
        text += kHex[b & 15];
        text += ' ';
    }
    return text;
}

// The program keeps `observed` where the model expects `expected`. A known
// fault takes the program's value into the model.
template <typename T>
void Expect(Findings& findings, std::string_view fault, const std::string& what, T& expected,
            const T& observed) {
    if (expected == observed)
        return;
    if (findings.Report(fault, what + ": expected " + Show(expected) + ", found " + Show(observed)))
        expected = observed;
}

// A difference on a page only: nothing to take over.
template <typename T>
void ExpectShown(Findings& findings, std::string_view fault, const std::string& what,
                 const T& expected, const T& shown) {
    if (expected != shown)
        findings.Report(fault, what + ": expected " + Show(expected) + ", shown " + Show(shown));
}

std::u16string DisplayProfileName(const std::u16string& name) {
    if (name.substr(0, 7) == u"Profile")
        return LoadLanguageString(text::kProfile) + u" " + name.substr(7);
    if (name.substr(0, 2) == u"配置")
        return LoadLanguageString(text::kProfile) + u" " + name.substr(2);
    return name;
}

void CheckProfiles(Model& model, const StoreSnapshot& store, const StepFacts& facts,
                   Findings& findings) {
    for (int p = 1; p <= kProfiles; ++p) {
        auto it = store.profiles.find(p);
        const std::u16string stored = it == store.profiles.end() ? u"<missing>" : it->second.name;
        Expect(findings, facts.reset ? "reset-store" : "profile-name",
               "profile " + std::to_string(p) + " name", model.profiles[p - 1].name, stored);
    }
    int active = store.ActiveProfile();
    Expect(findings, facts.reset ? "reset-profile" : "profile-active", "active profile in store",
           model.active, active);
}

// Once the mouse is shown, its profile is the current one.
void CheckCurrentProfile(ProgramUnderTest& program, Model& model, const StepFacts& facts,
                         Findings& findings) {
    const int current = program.Program().CurrentProfile();
    Expect(findings, facts.reset ? "reset-profile" : "profile-current", "current profile",
           model.current, current);
    auto* name = dynamic_cast<DUI::MControlFont*>(program.Window().GetControl(main_id::kProfile));
    ExpectShown(findings, facts.reset ? "reset-profile" : "profile-shown", "profile name control",
                Text(DisplayProfileName(model.Current().name)),
                Text(name ? name->GetTitle() : u"<none>"));
}

// A value that survives a write and a read unchanged.
bool FixedPoint(int sensor, int dpi) {
    const DpiLimits limits = SensorDpiLimits(sensor);
    return dpi >= limits.min && dpi <= limits.max &&
           CodeToDpi(sensor, DpiToCode(sensor, dpi)) == dpi;
}

// The sensors whose read table gives one step more than their write table
// takes: a typed value is moved onto one the codes carry, which need not be a
// fixed point of write and read; later steps check that it stays.
bool ReadTableDiffersByAStep(int sensor) {
    return sensor == 25 || sensor == 38 || sensor == 150;
}

void CheckStoredPerformance(ProgramUnderTest& program, Model& model, const StoreSnapshot& store,
                            const StepFacts& facts, Findings& findings) {
    const int sensor = program.Sensor();
    const std::string_view fault = facts.reset ? "reset-store" : "performance-store";
    for (int p = 1; p <= kProfiles; ++p) {
        Performance& expected = model.profiles[p - 1].perf;
        const Performance stored = StoredPerformance(store, p);
        const std::string in = " of profile " + std::to_string(p);
        for (size_t i = 0; i < kStageSlots; ++i) {
            const std::string what = "stage " + std::to_string(i) + " DPI" + in;
            if (p == model.current && static_cast<int>(i) == facts.typed_stage &&
                (FixedPoint(sensor, stored.dpi[i]) || ReadTableDiffersByAStep(sensor)) &&
                std::abs(stored.dpi[i] - facts.typed_value) <= 1000)
                expected.dpi[i] = stored.dpi[i];
            const int read_back = CodeToDpi(sensor, DpiToCode(sensor, expected.dpi[i]));
            const bool drift = i < 6 && stored.dpi[i] == read_back;
            Expect(findings, drift ? "dpi-drift" : fault, what, expected.dpi[i], stored.dpi[i]);
            Expect(findings, fault, "stage " + std::to_string(i) + " colour" + in, expected.rgb[i],
                   stored.rgb[i]);
        }
        Expect(findings, fault, "stage count" + in, expected.count, stored.count);
        Expect(findings, fault, "current stage" + in, expected.index, stored.index);
        Expect(findings, fault, "report rate" + in, expected.rate, stored.rate);
        // Written with the rate by the page and by a read; a reset must
        // not leave it behind either.
        if (facts.reset) {
            int wireless = store.ConfigNumber(p, u"report_rate_wireless");
            int rate = expected.rate;
            Expect(findings, "reset-store", "report_rate_wireless" + in, rate, wireless);
        }
        Expect(findings, fault, "lift-off" + in, expected.liftoff, stored.liftoff);
        const bool bits_only = ((expected.sensor_flag ^ stored.sensor_flag) & ~12) != 0 &&
                               ((expected.sensor_flag ^ stored.sensor_flag) & 12) == 0;
        Expect(findings, bits_only ? "sensor-bits" : fault, "sensor_flag" + in,
               expected.sensor_flag, stored.sensor_flag);
        Expect(findings, fault, "response time" + in, expected.response, stored.response);
        Expect(findings, fault, "sleep" + in, expected.sleep, stored.sleep);
        Expect(findings, fault, "move wake-up" + in, expected.wake, stored.wake);
        Expect(findings, fault, "move close-light" + in, expected.close_light, stored.close_light);
    }
}

void CheckPerformancePage(ProgramUnderTest& program, const Model& model, Findings& findings) {
    const PerformanceControls c(program.Window());
    const Performance& p = model.Current().perf;
    const std::string_view fault = "performance-page";
    if (DUI::DPIControl* stages = c.Stages()) {
        for (int i = 0; i < kStageSlots; ++i) {
            ExpectShown(findings, fault, "stage " + std::to_string(i) + " DPI", p.dpi[i],
                        stages->GetDPIValue(i));
            ExpectShown(findings, fault, "stage " + std::to_string(i) + " colour",
                        ShownColour(p.rgb[i]), stages->GetDPIColorValue(i));
        }
        ExpectShown(findings, fault, "listed stages", std::min(p.count, 6), stages->GetItemCount());
        ExpectShown(findings, fault, "selected stage", p.index < p.count ? p.index : 0,
                    stages->GetSelectItem());
    }
    if (DUI::MComboBox* count = c.StageCount())
        ExpectShown(findings, fault, "stage count", p.count, static_cast<int>(count->GetCurData()));
    if (DUI::ReporteCtrl* rates = c.ReportRates()) {
        const int sel = rates->GetCurSel();
        ExpectShown(findings, fault, "report rate", p.rate,
                    sel >= 0 ? rates->GetItemKeyValue(sel) : -1);
    }
    for (int n = 0; n < 3; ++n) {
        if (DUI::CCheckButton* box = c.SensorOption(n))
            ExpectShown(findings, fault, "sensor option " + std::to_string(n),
                        (p.sensor_flag & kSensorBits[n]) != 0, box->GetCheck());
    }
    if (DUI::CRadioButton* two = c.LiftOff(performance_id::kLiftOff2mm))
        ExpectShown(findings, fault, "lift-off 2 mm", p.liftoff == 2, two->GetCheck());
    if (DUI::NumberEdit* response = c.ResponseTime())
        ExpectShown(findings, fault, "response time", std::to_string(p.response),
                    Text(response->GetTitle()));
    if (DUI::MComboBox* sleep = c.SleepTime())
        ExpectShown(findings, fault, "sleep", p.sleep, static_cast<int>(sleep->GetCurData()));
    if (DUI::CCheckButton* wake = c.Check(performance_id::kMoveWakeup))
        ExpectShown(findings, fault, "move wake-up", p.wake == 1, wake->GetCheck());
    if (DUI::CCheckButton* close = c.Check(performance_id::kMoveCloseLight))
        ExpectShown(findings, fault, "move close-light", p.close_light == 1, close->GetCheck());
}

// Rows appear only as a new profile's defaults, when the profile is shown;
// after that only the lighting steps, an import and the resets change them.
void CheckStoredLights(Model& model, const StoreSnapshot& store, const StepFacts& facts,
                       Findings& findings) {
    for (int p = 1; p <= kProfiles; ++p) {
        auto it = store.profiles.find(p);
        const Lighting stored = it == store.profiles.end() ? Lighting{} : it->second.lighting;
        Lighting& expected = model.profiles[static_cast<size_t>(p - 1)].lighting;
        if (!expected.made && stored.made) {
            Expect(findings, "lights-new", "profile " + std::to_string(p) + " new lights",
                   model.default_lighting, stored);
            expected = stored;
            continue;
        }
        Expect(findings, facts.reset ? "reset-lights" : "lights-store",
               "profile " + std::to_string(p) + " lights", expected, stored);
    }
}

void CheckLightingPage(ProgramUnderTest& program, const Model& model, Findings& findings) {
    ui::DeviceMainDlg& w = program.Window();
    const Lighting& lighting = model.Current().lighting;
    auto it = lighting.effects.find(lighting.active);
    if (w.lighting_page == nullptr || !lighting.made || it == lighting.effects.end())
        return;
    const std::string_view fault = "lighting-page";
    if (auto* list = dynamic_cast<DUI::MComboBox*>(
            ui::FindInPage(w, w.lighting_page, lighting_id::kEffectList)))
        ExpectShown(findings, fault, "effect", lighting.active,
                    static_cast<int>(list->GetCurData()));
    const Light& light = it->second;
    const std::pair<int, int> sliders[] = {{0x1, 204}, {0x2, 207}};
    for (const auto& [group, id] : sliders) {
        auto* slider = dynamic_cast<DUI::LightSlider*>(ui::FindInPage(w, w.lighting_page, id));
        if (slider == nullptr || (light.groups & group) == 0)
            continue;
        ExpectShown(findings, fault, id == 204 ? "brightness" : "speed",
                    id == 204 ? light.brightness : light.speed, slider->GetProgress());
    }
}

// The mouse holds, for every value the wire format carries, what the store
// holds for the current profile.
bool CheckMouse(ProgramUnderTest& program, Model& model, const StoreSnapshot& store,
                const StepFacts& facts, Findings& findings) {
    const emulator::VirtualMouseState mouse = program.Mouse().State();
    const Performance stored = StoredPerformance(store, model.current);
    const int sensor = program.Sensor();
    bool tolerated = false;
    auto compare = [&](uint8_t code, const Bytes& expected, std::string_view fault) {
        auto it = mouse.settings.find(code);
        const Bytes held = it == mouse.settings.end() ? Bytes{} : it->second;
        if (held != expected) {
            tolerated |= findings.Report(facts.reset ? "reset-mouse" : fault,
                                         "mouse command " + std::to_string(code) + ": store " +
                                             Show(expected) + "/ mouse " + Show(held));
        }
    };
    compare(0x02, RatePayload(stored), "mouse-rate");
    compare(0x04, ColoursPayload(stored), "mouse-colours");
    compare(0x06, LiftOffPayload(stored), "mouse-liftoff");
    compare(0x07, SleepPayload(stored), "mouse-sleep");
    auto stages = mouse.settings.find(0x03);
    const Bytes held = stages == mouse.settings.end() ? Bytes(25, 0) : stages->second;
    const Bytes expected = StagesPayload(stored, sensor);
    if (held.size() != expected.size() || held[0] != expected[0]) {
        tolerated |=
            findings.Report(facts.reset ? "reset-mouse" : "mouse-stages",
                            "mouse stage byte: store " + Show(expected) + "/ mouse " + Show(held));
    } else {
        for (size_t i = 0; i < 6; ++i) {
            const int code = held[1 + 4 * i] | held[2 + 4 * i] << 8;
            const int want = expected[1 + 4 * i] | expected[2 + 4 * i] << 8;
            // A code below 50 DPI is no value: a read keeps the store's.
            if (code == want || CodeToDpi(sensor, code) < 50)
                continue;
            // The store holds what a read made of a code this program did not
            // write (the mouse's own): the value shown is the value the mouse
            // holds. A value the user set that changes on its way through a
            // write and a read is caught by the store check.
            if (CodeToDpi(sensor, code) == stored.dpi[i])
                continue;
            tolerated |= findings.Report(
                facts.reset ? "reset-mouse" : "mouse-stages",
                "stage " + std::to_string(i) + " code: store " + std::to_string(want) + " (" +
                    std::to_string(stored.dpi[i]) + " DPI), mouse " + std::to_string(code));
        }
    }
    auto current = store.profiles.find(model.current);
    if (program.Window().lighting_page != nullptr && current != store.profiles.end() &&
        current->second.lighting.made) {
        // The effect and its levels; the colours' layout differs by effect.
        const Lighting& lighting = current->second.lighting;
        auto light = lighting.effects.find(lighting.active);
        auto held = mouse.settings.find(0x05);
        const Bytes bytes = held == mouse.settings.end() ? Bytes{} : held->second;
        const Bytes want =
            light == lighting.effects.end()
                ? Bytes{}
                : Bytes{static_cast<uint8_t>(lighting.active),
                        static_cast<uint8_t>(light->second.brightness * 16 + light->second.speed)};
        const Bytes got = bytes.size() < 2 ? bytes : Bytes(bytes.begin(), bytes.begin() + 2);
        if (got != want)
            tolerated |=
                findings.Report(facts.reset ? "reset-mouse" : "mouse-lighting",
                                "mouse lighting: store " + Show(want) + "/ mouse " + Show(got));
    }
    if (facts.table_written) {
        auto profile = store.profiles.find(model.current);
        const std::map<int, Assignment> none;
        model.sent_table = ButtonTable(
            profile == store.profiles.end() ? none : profile->second.buttons, store.macros);
    }
    if (!model.sent_table.empty())
        compare(0x09, model.sent_table, "mouse-buttons");
    for (int key = 0; key < 9; ++key) {
        auto want = model.mouse_macros.find(key);
        auto got = mouse.macros.find(static_cast<uint8_t>(key));
        const Bytes w = want == model.mouse_macros.end() ? Bytes{} : want->second;
        const Bytes g = got == mouse.macros.end() ? Bytes{} : got->second;
        if (w != g)
            findings.Report("mouse-macro", "macro image of button " + std::to_string(key) +
                                               ": expected " + Show(w) + "/ mouse " + Show(g));
    }
    return tolerated && facts.reset;
}

void CheckStoredButtons(Model& model, const StoreSnapshot& store, const StepFacts& facts,
                        Findings& findings) {
    for (int p = 1; p <= kProfiles; ++p) {
        auto it = store.profiles.find(p);
        std::map<int, Assignment> stored =
            it == store.profiles.end() ? std::map<int, Assignment>{} : it->second.buttons;
        std::map<int, Assignment>& expected = model.profiles[p - 1].buttons;
        // Only a macro assignment's text is the model's business.
        for (auto& [key, a] : stored) {
            if (a.type != 4)
                a.desc.clear();
        }
        for (auto& [key, a] : expected) {
            if (a.type != 4)
                a.desc.clear();
        }
        if (stored != expected) {
            std::string text = "button assignments of profile " + std::to_string(p) + ":";
            for (const auto& [key, a] : expected)
                text += " want " + std::to_string(key) + "=" + std::to_string(a.type) + "/" +
                        std::to_string(a.value) + "/" + std::to_string(a.value2) + "/" +
                        Text(a.desc);
            for (const auto& [key, a] : stored)
                text += " got " + std::to_string(key) + "=" + std::to_string(a.type) + "/" +
                        std::to_string(a.value) + "/" + std::to_string(a.value2) + "/" +
                        Text(a.desc);
            if (findings.Report(facts.reset ? "reset-store" : "buttons-store", text))
                expected = stored;
        }
    }
}

void CheckButtonPage(ProgramUnderTest& program, const Model& model, Findings& findings) {
    const ButtonControls controls(ui::ButtonPageContextOf(program.Window()));
    DUI::MouseKeyCtrl* list = controls.List();
    if (list == nullptr)
        return;
    const auto& buttons = model.Current().buttons;
    for (int i = 0; i < list->GetItemCount(); ++i) {
        const int key = list->GetItemKeyValue(i);
        const std::string shown = Text(list->GetItemKeyDesc(i));
        auto it = buttons.find(key);
        std::string expected;
        std::string_view fault = "buttons-page";
        if (it == buttons.end()) {
            if (key >= 0 && key < 8)
                expected = Text(LoadLanguageString(kFactoryText[key]));
        } else if (it->second.type == 4) {
            expected = Text(it->second.desc);
            fault = "macro-name-buttons";
        } else if (it->second.type == 1 && it->second.value >= 1 && it->second.value <= 10) {
            expected = Text(LoadLanguageString(kMouseText[it->second.value]));
        } else if (it->second.type == 9) {
            expected = Text(LoadLanguageString(kDisableText));
        } else {
            continue;
        }
        ExpectShown(findings, fault, "button " + std::to_string(key) + " text", expected, shown);
    }
    if (DUI::MComboBox2* choice = controls.Choice(button_id::kMacroChoice)) {
        std::vector<std::string> want, got;
        for (const Macro& m : model.macros)
            want.push_back(std::to_string(m.id) + ":" + Text(m.name));
        for (const DUI::ListItem& item : choice->Items())
            got.push_back(std::to_string(item.data) + ":" + Text(item.text));
        if (want != got)
            findings.Report("macro-choice",
                            "the button page's macro choice differs from the "
                            "macros");
    }
}

// The fault a difference in the shown macro's events points to.
std::string_view EventsFault(const Model& model, const StepFacts& facts, bool shown) {
    if (shown && facts.event_button)
        return "macro-button-bits";
    if (shown && model.shown_after_delete)
        return "macro-delete-insert";
    return shown ? "macro-page-events" : "macro-events-store";
}

void CheckStoredMacros(Model& model, const StoreSnapshot& store, const StepFacts& facts,
                       Findings& findings) {
    std::vector<int> want_ids, got_ids;
    for (const Macro& m : model.macros)
        want_ids.push_back(m.id);
    for (const Macro& m : store.macros)
        got_ids.push_back(m.id);
    std::sort(want_ids.begin(), want_ids.end());
    if (want_ids != got_ids) {
        findings.Report("macro-list-store", "stored macro ids differ");
        return;
    }
    for (const Macro& stored : store.macros) {
        Macro& expected = *model.FindMacro(stored.id);
        const std::string what = "macro " + std::to_string(stored.id);
        Expect(findings, "macro-name-store", what + " name", expected.name, stored.name);
        Expect(findings, EventsFault(model, facts, stored.id == model.selected_macro),
               what + " events", expected.events, stored.events);
    }
}

void CheckMacroPage(ProgramUnderTest& program, Model& model, const StepFacts& facts,
                    Findings& findings) {
    ui::DeviceMainDlg& window = program.Window();
    auto* list = dynamic_cast<DUI::MacroList*>(
        ui::FindInPage(window, window.macro_page, macro_id::kMacroList));
    auto* events = dynamic_cast<DUI::CRecordList*>(
        ui::FindInPage(window, window.macro_page, macro_id::kEventList));
    if (list == nullptr || events == nullptr)
        return;
    std::vector<std::string> want, got;
    for (const Macro& m : model.macros)
        want.push_back(std::to_string(m.id) + ":" + Text(m.name));
    for (const DUI::ListItem& item : list->Items())
        got.push_back(std::to_string(item.data) + ":" + Text(item.text));
    ExpectShown(findings, "macro-page-list", "macro list", Show(want.size()) + " macros",
                Show(got.size()) + " macros");
    if (want != got) {
        findings.Report("macro-page-list", "the macro list's names or ids differ");
        return;
    }
    const int selected = list->GetCurSel() >= 0 ? static_cast<int>(list->GetCurData()) : 0;
    if (model.refill_steps > 0 && !model.macros.empty() && selected != model.selected_macro &&
        selected == model.macros.front().id) {
        model.refill_steps = 0;
        model.selected_macro = selected;
        model.shown_after_delete = false;
    }
    ExpectShown(findings, "macro-page-selected", "selected macro", model.selected_macro, selected);
    std::vector<Event> shown;
    for (const DUI::RecordInfo& r : events->Records())
        shown.push_back({r.type, r.value});
    const Macro* macro = nullptr;
    for (const Macro& m : model.macros) {
        if (m.id == model.selected_macro)
            macro = &m;
    }
    ExpectShown(findings, EventsFault(model, facts, true), "shown events",
                macro ? macro->events : std::vector<Event>{}, shown);
}

void CheckReachable(ProgramUnderTest& program, const Model& model, Findings& findings) {
    ui::DeviceMainDlg& window = program.Window();
    if (!model.links.Reachable() || window.tab_ctrl == nullptr)
        return;
    if (!window.tab_ctrl->IsEnabled())
        findings.Report("pages-unreachable", "the tabs are disabled");
    if (!window.Device().device_online.load())
        findings.Report("pages-unreachable", "the window shows the mouse off line");
}

}  // namespace

Performance StoredPerformance(const StoreSnapshot& store, int profile) {
    Performance p;
    p.count = store.ConfigNumber(profile, u"dpi_count");
    p.index = store.ConfigNumber(profile, u"dpi_index");
    for (int i = 0; i < kStageSlots; ++i) {
        const std::u16string n = FromUtf8(std::to_string(i));
        p.dpi[i] = store.ConfigNumber(profile, u"dpi_group" + n + u"_value");
        p.rgb[i] = static_cast<uint32_t>(store.ConfigNumber(profile, u"dpi_group" + n + u"_rgb"));
    }
    p.rate = store.ConfigNumber(profile, u"report_rate");
    p.liftoff = store.ConfigNumber(profile, u"liftoff_height");
    p.sensor_flag = store.ConfigNumber(profile, u"sensor_flag");
    p.response = store.ConfigNumber(profile, u"button_respondtime");
    p.sleep = store.ConfigNumber(profile, u"sleep_light");
    p.wake = store.ConfigNumber(profile, u"move_wakeup");
    p.close_light = store.ConfigNumber(profile, u"move_closelight");
    return p;
}

CheckOutcome CheckInvariants(ProgramUnderTest& program, Model& model, const StepFacts& facts,
                             Findings& findings) {
    const StoreSnapshot store = ReadStore(program.DatabasePath());
    CheckOutcome outcome;
    if (!store.opened || store.integrity != "ok") {
        findings.Report("integrity", "integrity_check: " + store.integrity);
        return outcome;
    }
    CheckProfiles(model, store, facts, findings);
    CheckStoredPerformance(program, model, store, facts, findings);
    CheckStoredButtons(model, store, facts, findings);
    CheckStoredMacros(model, store, facts, findings);
    CheckStoredLights(model, store, facts, findings);
    CheckReachable(program, model, findings);
    // Without the mouse the pages show what the program last knew of it
    // (the offered rates, the sensor's limits).
    if (!program.Window().Device().device_online.load() || !model.links.Reachable())
        return outcome;
    CheckCurrentProfile(program, model, facts, findings);
    CheckPerformancePage(program, model, findings);
    CheckButtonPage(program, model, findings);
    CheckMacroPage(program, model, facts, findings);
    CheckLightingPage(program, model, findings);
    outcome.resend_profile = CheckMouse(program, model, store, facts, findings);
    return outcome;
}

}  // namespace tessaly::stateful
