#include "ui/localisation/window_captions.h"

#include <array>

#include "base/application_name.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {
namespace {

struct CaptionRow {
    std::u16string_view lookup_title;
    int text;
};

constexpr std::array<CaptionRow, 10> kCaptions{{
    {u"SaveWaitDlg", text::kCaptionSaving},
    {u"DPIMsgDlg", text::kCaptionDpi},
    {u"MessageBox", text::kCaptionMessage},
    {u"RecordEditDlg", text::kCaptionRecordEdit},
    {u"UpdateProcessDlg", text::kCaptionSoftwareUpdate},
    {u"UpdateTipDlg", text::kCaptionFirmwareUpdate},
    {u"About Window", text::kCaptionAbout},
    {u"PaletteDlg", text::kCaptionPalette},
    {u"ProfileDlg", text::kCaptionProfiles},
    {u"Menu Window", text::kCaptionMenu},
}};

}  // namespace

std::u16string WindowCaption(std::u16string_view lookup_title) {
    for (const CaptionRow& row : kCaptions) {
        if (row.lookup_title != lookup_title) {
            continue;
        }
        const std::u16string shown = LoadLanguageString(row.text);
        // Without the language file the program's name still reads better
        // than an internal class name.
        if (shown.empty()) {
            return ApplicationName();
        }
        return shown + u" – " + ApplicationName();
    }
    return std::u16string(lookup_title);
}

}  // namespace tessaly
