#include "cli/command_documentation.h"

namespace tessaly::cli {
namespace {

// One row per command of the table; a command with several forms says each
// form's words after its name.
constexpr CommandDocumentation kDocumentation[] = {
    {"devices",
     "the catalogue's models; the connected devices (type, name, mode, state, version, whether the "
     "interface told its model itself); the battery pair; the mouse interfaces that could not be "
     "opened"},
    {"status",
     "selected model, connection, online, reachable, battery, sensor code and DPI limits, device "
     "and receiver versions, current profile"},
    {"show", "the current profile as the store and the pages hold it (default `all`)"},
    {"dpi count", "stage count 1–6 (a current stage beyond it becomes the last)"},
    {"dpi select", "the current stage (0–5, and below the stage count)"},
    {"dpi set",
     "the stage's DPI as typed on the page: rounded down to the sensor's step and limited to its "
     "range"},
    {"dpi colour",
     "the stage's colour (`#000000` is refused: the page's palette gives it for \"no change\")"},
    {"dpi reset", "the factory stages from the description file (needs `--yes`)"},
    {"rate", "a report rate the mouse offers (125, 250, 500, 1000, and up to 8000 when it can)"},
    {"rate reset", "the factory report rate"},
    {"liftoff", "the lift-off height in mm"},
    {"sensor", "the three sensor options, each `on` or `off`"},
    {"response",
     "the button response time; outside 0–20 it is limited as on the page (`limited` says so)"},
    {"sleep", "1, 2, 6, 10, 20 or 30"},
    {"wake", "wake up on movement"},
    {"closelight", "lights off while moving"},
    {"button list",
     "each button: its number, key code, name and function text as the button list shows them"},
    {"button set",
     "a function from the page's choice of that kind; VALUE is the function's number or its name "
     "as the choice shows it (blanks and case do not matter: `volumeup`); a wrong VALUE lists the "
     "choice's items"},
    {"button key",
     "a key with modifiers, as the key-combination panel captures it: `ctrl+shift+a`, `alt+f4`, "
     "`F5`, `ctrl+alt` (modifiers `ctrl`, `shift`, `alt`, `win`; the key by the name the panel "
     "shows)"},
    {"button repeat",
     "rapid fire, as the repeat panel takes it: the interval in ms (5–255) and the count (0–255), "
     "each at most three digits; outside the ranges they are limited as on the page (`limited` "
     "says so)"},
    {"button macro",
     "a stored macro (its number in `macro list`); its events are sent (command 0x08) before the "
     "button table (0x09); a macro of more than 101 events is refused with the page's message and "
     "nothing is stored"},
    {"button disable", "the button (its number in `button list`) does nothing"},
    {"button reset", "the factory function of one button or all (needs `--yes`)"},
    {"profile list", "the stored profiles and the current one"},
    {"profile switch",
     "the profile dialog's switch: N becomes current and active, everything is sent"},
    {"profile rename",
     "the dialog's rename in place: the stored name (an empty one is refused); N then becomes "
     "current, as the dialog switches to a renamed profile when it closes, and everything is sent"},
    {"profile export",
     "the dialog's export of the current profile to FILE (where the GUI asks for a file; no "
     "extension is added); the folder must exist. The file is replaced whole or not at all (a "
     "link's target is replaced, its mode kept); a save that fails exits 1 and leaves an existing "
     "file as it was"},
    {"profile import",
     "the dialog's import into the current profile: FILE's buttons, lighting, DPI stages and "
     "performance values, the profile named after the file (without `.xml`), everything sent. A "
     "file that is missing, not a file, not readable, not well-formed XML or without a `profile` "
     "root is refused (2) before start-up. Every value is checked against what the pages allow "
     "(DPI within the mouse's limits, the report rates it offers, …); one outside keeps the "
     "profile's own value, and their number is given on stderr (exit 0). A file with no value the "
     "mouse takes changes nothing and exits 1. The import is one transaction: interrupted, it "
     "leaves the profile as it was"},
    {"light list",
     "the current profile's light effects: number, name as the effect list shows it, brightness, "
     "speed, first colour, active"},
    {"light effect", "the effect list's choice (N from `light list`)"},
    {"light brightness",
     "the shown effect's brightness slider let go at N (0–4, as the slider offers); refused (2) "
     "for an effect without brightness"},
    {"light speed",
     "the shown effect's speed slider let go at N (0–4); refused (2) for an effect without speed"},
    {"light colour",
     "the shown effect's colour, as typed into the red, green and blue fields; for an effect with "
     "colour slots, into the first slot or slot SLOT (1–7) as chosen beside the palette. An effect "
     "of one colour refuses a SLOT but 1 (2)"},
    {"light reset", "the default light effects (needs `--yes`)"},
    {"factory-reset",
     "the settings page's factory reset (needs `--yes`); prints the performance values after it"},
    {"language list", "the languages `config.xml` offers"},
    {"language set", "the program's language (stored as \"LCID\")"},
    {"autostart show",
     "whether the desktop session starts the program (its XDG autostart entry, `entry`) and "
     "whether it then starts hidden in the tray"},
    {"autostart set",
     "the settings page's \"start with the system\": `on` writes the autostart entry, which "
     "starts `tessaly` (beside this tool) with `-autorun`; `off` removes it and turns starting "
     "hidden off too. An entry that cannot be written or removed exits 1"},
    {"autostart minimised",
     "the page's \"start minimised\" (stored as \"autorun_minimize\"); `on` is refused (2) "
     "while the session does not start the program, as the page disables the box then"},
    {"close-button show", "what the window's close button does: `tray` or `exit`"},
    {"close-button set",
     "the page's close choice (stored as \"exit_mode\"): `tray` hides the window to the tray, "
     "`exit` ends the program"},
    {"macro list",
     "each macro as the macro list shows it: id, name (factory prefix in the run's language), "
     "event count, play mode and count, delay mode and fixed delay"},
    {"macro show",
     "the macro's events as its event list shows them: number, kind (`key press`, `key release`, "
     "`button press`, `button release`, `delay`), text, value (key code, button bit, "
     "milliseconds), stamp"},
    {"macro new",
     "the page's new macro (\"Custom N\", N the number of macros plus one, in the run's language); "
     "prints its row with the id"},
    {"macro rename",
     "renamed in the list as on the page: the stored name and the text of the current profile's "
     "buttons that play it (an empty name is refused)"},
    {"macro delete", "the macro and its events; buttons that play it keep their assignment"},
    {"macro settings",
     "`ID count N`: play N times: the count choice and its field, limited as on the page to 1–999 "
     "(1–255 when the device's identifier is above 200)<br>`ID mode count|held|toggle`: the play "
     "choice: a set number of times (the count starts at 1), while held, until pressed "
     "again<br>`ID delay none|measured|fixed [MS]`: how recording inserts delays; a fixed delay "
     "starts at 10 ms, MS is limited to 1–10000"},
    {"macro insert",
     "`ID POS|end key NAME`: the insert menu's key: press, 10 ms, release, 10 ms after event POS "
     "(its number in `macro show`) or at the end; NAME as the key dialog shows keys (`A`, `F5`, "
     "`Shift`, `RShift`, `Space`, case ignored)<br>`ID POS|end click left|right|middle`: a click: "
     "press, 10 ms, release, 10 ms<br>`ID POS|end delay [MS]`: a 10 ms delay, or MS (limited to "
     "1–10000) as typed into the event editor. Every insert is refused when the macro holds 200 "
     "events or more"},
    {"macro remove",
     "the event list's delete: event POS (its number in `macro show`) alone; prints the events "
     "left"},
    {"macro clear", "the event list's clear: every event of the macro goes, the macro stays"},
    {"macro move",
     "the move buttons (`up`, `down`) and the event menu (`top`, `bottom`): event POS moves one "
     "place or to an end of the list; at that end already, it stays"},
    {"macro edit",
     "the event editor: `ID POS key NAME` gives the key press or release POS and its partner "
     "(the events sharing its stamp) the key NAME; `ID POS click left|right|middle` the same for a "
     "button press or release; `ID POS delay MS` sets the delay POS, limited to 1–10000. An event "
     "of another kind is refused (2)"},
    {"macro import",
     "adds the macro of a one-macro file, named as in the file; prints the new row. Each macro is "
     "stored whole or not at all. Values outside what the macro page allows are refused (a setting "
     "takes a new macro's value, an event is left out), delays are brought into 1–31000 ms; a line "
     "on stderr says how many, and the exit status stays 0"},
    {"macro export",
     "the macro as a one-macro file, under the name the list shows; a save that fails exits 1 and "
     "leaves an existing file as it was"},
    {"macro import-all", "adds every macro of an all-macros file, with the same checks"},
    {"macro export-all",
     "every macro as an all-macros file, under the stored names (refused without macros, as the "
     "page offers it only with one)"},
    {"update check",
     "the settings page's check (task 23) against `config.xml`'s upgrade address + `version`: the "
     "installed and the offered version and whether it is newer; the offer is declined, nothing is "
     "downloaded"},
    {"update download",
     "the update check, then the offer accepted (needs `--yes`): task 26 downloads "
     "`Mouse-Setup-V.zip`, unpacks it and hands its package for this machine "
     "(`tessaly_V_<arch>.deb`) to the desktop's installer (`xdg-open`), where it stays; the "
     "download's percentages go to stderr. Exits 1 when nothing was downloaded, the archive holds "
     "no such package (the download page is opened instead) or the installer could not be "
     "started; a current program is left alone (`handed_to_installer` false)"},
    {"firmware check",
     "the information page's check (task 24) against the model's firmware address + "
     "`/mouse/version`: the mouse's version, the offered one, whether it is newer"},
    {"firmware upgrade",
     "the firmware check, then the offer accepted (needs `--yes`): task 27 downloads "
     "`firmware-V.zip`, unpacks it and writes the image to the mouse's upgrade interface; the "
     "progress dialog's lines go to stderr. A current mouse is left alone (`upgraded` false)"},
};

}  // namespace

std::span<const CommandDocumentation> CommandDocumentations() {
    return kDocumentation;
}

}  // namespace tessaly::cli
