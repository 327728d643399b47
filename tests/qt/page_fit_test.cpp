// Every page in every language, at the window sizes the program is drawn
// at: each control's text fits the control in the font it is drawn in, no
// control lies outside the window or its page, and no two visible texts
// overlap. Runs the whole program over the virtual mouse on the Qt backend.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <algorithm>
#include <array>
#include <chrono>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/language_state.h"
#include "app/registry_values.h"
#include "base/unicode.h"
#include "catalogue/device_catalogue.h"
#include "controller/controller.h"
#include "controller/device_session.h"
#include "device/device_manager.h"
#include "device/hid_backend_memory.h"
#include "emulator/virtual_mouse.h"
#include "platform/folders.h"
#include "platform/ini_registry_store.h"
#include "platform/process_exit.h"
#include "platform/registry_store.h"
#include "program_window.h"
#include "qt_test_app.h"
#include "storage/settings_database.h"
#include "support/temp_dir.h"
#include "ui/ids/main_window_ids.h"
#include "ui/ids/settings_page_ids.h"
#include "ui/localisation/known_languages.h"
#include "ui/localisation/language_strings.h"
#include "ui/main/device_main_dlg.h"
#include "ui/main/main_window_layout.h"
#include "ui/main/tray_icon.h"
#include "ui/qt/control_geometry.h"
#include "ui/qt/skin_images.h"
#include "ui/qt/theme.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/mouse_controls.h"
#include "ui/toolkit/controls/record_list.h"
#include "ui/toolkit/controls/static_controls.h"
#include "ui/toolkit/controls/tabs.h"
#include "ui/toolkit/manager.h"

namespace tessaly::qt::test {
namespace {

constexpr PageRow kFitPages[] = {
    {"home", 0},        {"buttons", 1},   {"buttons, a button chosen", 1, true},
    {"performance", 2}, {"macros", 3},    {"lighting", 4},
    {"info", 5},        {"settings", -1},
};

QRect ToQ(DUI::Rect r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

// Where a control draws its title, in window coordinates; empty for a
// control whose title is not drawn as one text.
QRect TextBox(const DUI::MControlFont& c) {
    const QRect whole = ToQ(c.GetRect());
    const std::string_view cls = c.ClassName();
    if (cls == "MButton" || cls == "MButton2" || cls == "MButton3") {
        return whole.adjusted(6, 0, -6, 0);
    }
    if (cls == "CCheckButton" || cls == "CRadioButton") {
        const int box = std::min(18, whole.height() - 2);
        return whole.adjusted(box + 8, 0, 0, 0);
    }
    if (cls == "CIconButton") {
        const DUI::Rect text = static_cast<const DUI::CIconButton&>(c).GetTextRect();
        return text.IsEmpty() ? whole : ToQ(text).translated(whole.topLeft());
    }
    if (cls == "MText" || cls == "MPicture" || cls == "CTextButton") {
        return whole;
    }
    return {};
}

int Flags(const DUI::MControlFont& c) {
    const int align = c.GetAlignment();
    int flags = (align & DUI::kAlignCenter)  ? Qt::AlignHCenter
                : (align & DUI::kAlignRight) ? Qt::AlignRight
                                             : Qt::AlignLeft;
    flags |= Qt::AlignVCenter;
    if (c.IsMultiLine()) {
        flags |= Qt::TextWordWrap;
    }
    return flags;
}

// One text as a control draws it: the box it must fit, in window
// coordinates, and its alignment.
struct ItemText {
    QString text;
    QRect box;
    int flags;
    bool shown = true;  // false: measured only (a combo box's other items)
};

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text).trimmed();
}

// The texts a control draws, title and items, where its painter puts them.
std::vector<ItemText> TextsOf(const DUI::MControlFont& c) {
    std::vector<ItemText> texts;
    const QRect whole = ToQ(c.GetRect());
    const QPoint at = whole.topLeft();
    const QSize size = whole.size();
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    if (auto* keys = dynamic_cast<const DUI::MouseKeyCtrl*>(&c)) {
        const std::vector<DUI::KeyRow> rows = keys->Items();
        const std::vector<QRect> rects = ItemRects(c, size);
        for (size_t i = 0; i < rows.size() && i < rects.size(); ++i) {
            const KeyRowTexts row = KeyRowTextRects(rects[i]);
            texts.push_back({Q(rows[i].name), row.name.translated(at), left});
            texts.push_back({Q(rows[i].key_desc), row.function.translated(at), left});
        }
        return texts;
    }
    if (auto* mouse = dynamic_cast<const DUI::MouseCtrl*>(&c)) {
        const std::vector<DUI::KeyMarker> markers = mouse->Items();
        const std::vector<QRect> labels = ItemRects(c, size);
        for (size_t i = 0; i < markers.size() && i < labels.size(); ++i) {
            texts.push_back(
                {Q(markers[i].name),
                 labels[i].adjusted(kMarkerLabelPadding, 0, -kMarkerLabelPadding, 0).translated(at),
                 Qt::AlignCenter});
        }
        return texts;
    }
    if (auto* tabs = dynamic_cast<const DUI::MTabCtrl*>(&c)) {
        const std::vector<QRect> rects = ItemRects(c, size);
        for (size_t i = 0; i < rects.size(); ++i) {
            const int index = static_cast<int>(i);
            if (rects[i].isEmpty()) {
                continue;
            }
            const int text_left = tabs->GetItemIcon(index).empty() ? 24 : 60;
            texts.push_back({Q(tabs->GetItemText(index)),
                             rects[i].adjusted(text_left, 0, -8, 0).translated(at), left});
        }
        return texts;
    }
    if (auto* combo = dynamic_cast<const DUI::MComboBox*>(&c)) {
        // A native box showing its chosen item beside the arrow: any item
        // can be the chosen one.
        const std::vector<DUI::ListItem> items = combo->Items();
        for (size_t i = 0; i < items.size(); ++i) {
            const bool chosen = static_cast<int>(i) == combo->GetCurSel();
            texts.push_back({Q(items[i].text), whole.adjusted(6, 0, -28, 0), left, chosen});
        }
        return texts;
    }
    if (auto* list = dynamic_cast<const DUI::ListControl*>(&c)) {
        const std::vector<DUI::ListItem> items = list->Items();
        const std::vector<QRect> rects = ItemRects(c, size);
        for (size_t i = 0; i < items.size() && i < rects.size(); ++i) {
            texts.push_back(
                {Q(items[i].text), rects[i].adjusted(12, 0, -12, 0).translated(at), left});
        }
        return texts;
    }
    if (auto* records = dynamic_cast<const DUI::CRecordList*>(&c)) {
        const std::vector<DUI::RecordInfo> items = records->Records();
        const std::vector<QRect> rects = ItemRects(c, size);
        const std::array<int, 2> columns = records->GetColumns();
        for (size_t i = 0; i < items.size() && i < rects.size(); ++i) {
            // The row's end holds the "more" mark; with columns the text has
            // the event column.
            const QRect row = rects[i];
            const QRect box = columns[0] > 0 ? QRect(row.left() + columns[0], row.top(),
                                                     columns[1] - 4, row.height())
                                             : row.adjusted(12, 0, -40, 0);
            texts.push_back({Q(items[i].text), box.translated(at), left});
        }
        return texts;
    }
    const QString title = Q(c.GetTitle());
    const QRect box = TextBox(c);
    if (!title.isEmpty() && !box.isEmpty()) {
        texts.push_back({title, box, Flags(c)});
    }
    return texts;
}

struct DrawnText {
    const DUI::MControl* control;
    QString text;
    QRect ink;  // where the text lands
};

std::string Name(const DUI::MControl& c) {
    return std::string(c.ClassName()) + " " + std::to_string(c.GetId());
}

constexpr int kMousePicture = 31;

// Where the picture's image is not transparent, in window coordinates (the
// image is stretched over the control).
QRect OpaquePart(const DUI::MControl& picture) {
    static std::map<std::u16string, std::pair<QSize, QRect>> known;
    const QRect whole = ToQ(picture.GetRect());
    auto found = known.find(picture.GetImage());
    if (found == known.end()) {
        const QImage image = SkinImage(picture.GetImage()).toImage();
        QRect ink;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(image.pixel(x, y)) > 16) {
                    ink |= QRect(x, y, 1, 1);
                }
            }
        }
        found = known.emplace(picture.GetImage(), std::pair{image.size(), ink}).first;
    }
    const auto& [size, ink] = found->second;
    if (size.isEmpty()) {
        return whole;
    }
    const double sx = static_cast<double>(whole.width()) / size.width();
    const double sy = static_cast<double>(whole.height()) / size.height();
    return QRect(whole.left() + static_cast<int>(ink.left() * sx),
                 whole.top() + static_cast<int>(ink.top() * sy), static_cast<int>(ink.width() * sx),
                 static_cast<int>(ink.height() * sy));
}

// The mouse picture is drawn under every later control. A page may hide it
// behind one panel, but no panel may cover part of it: that is a cut mouse.
void CoveredPicture(ui::DeviceMainDlg& window, std::vector<std::string>& faults) {
    const std::vector<DUI::MControl*> controls = window.Controls();
    const auto picture = std::find_if(controls.begin(), controls.end(), [](DUI::MControl* c) {
        return c->GetId() == kMousePicture && c->GetParentLayout() == nullptr;
    });
    if (picture == controls.end() || !(*picture)->IsShown()) {
        return;
    }
    const QRect mouse = OpaquePart(**picture);
    std::vector<const DUI::MControl*> partly;
    for (auto above = picture + 1; above != controls.end(); ++above) {
        if (!(*above)->IsShown() || (*above)->ClassName() != DUI::MPicture::kClassName) {
            continue;
        }
        const QRect panel = ToQ((*above)->GetRect());
        if (panel.contains(mouse)) {
            return;  // hidden by the page
        }
        if (panel.intersects(mouse)) {
            partly.push_back(*above);
        }
    }
    for (const DUI::MControl* panel : partly) {
        faults.push_back(Name(*panel) + " covers part of the mouse picture");
    }
}

// The faults of the page now shown, one line each.
std::vector<std::string> Faults(ui::DeviceMainDlg& window, DUI::Rect client) {
    std::vector<std::string> faults;
    CoveredPicture(window, faults);
    std::vector<DrawnText> drawn;
    const QRect bounds = ToQ(client);
    for (DUI::MControl* control : window.Controls()) {
        if (!control->IsShown()) {
            continue;
        }
        const QRect r = ToQ(control->GetRect());
        if (!bounds.contains(r)) {
            faults.push_back(Name(*control) + " lies outside the window");
        }
        if (const DUI::MTabLayout* page = control->GetParentLayout()) {
            if (!ToQ(page->GetRect()).contains(r)) {
                faults.push_back(Name(*control) + " lies outside its page");
            }
        }
        auto* font_control = dynamic_cast<DUI::MControlFont*>(control);
        if (font_control == nullptr) {
            continue;
        }
        const QFontMetrics metrics(ControlFont(font_control->GetFontName(),
                                               font_control->GetFontWidth(),
                                               font_control->GetFontStyle()));
        for (const ItemText& item : TextsOf(*font_control)) {
            if (item.text.isEmpty()) {
                continue;
            }
            if (!bounds.contains(item.box)) {
                faults.push_back(Name(*control) + " draws \"" + item.text.toStdString() +
                                 "\" outside the window");
            }
            const QRect ink = metrics.boundingRect(item.box, item.flags, item.text);
            const bool wrapped = (item.flags & Qt::TextWordWrap) != 0;
            const bool wide = !wrapped && metrics.horizontalAdvance(item.text) > item.box.width();
            if (wide || ink.height() > item.box.height() + 2) {
                faults.push_back(Name(*control) + " cuts \"" + item.text.toStdString() + "\" (" +
                                 std::to_string(metrics.horizontalAdvance(item.text)) + "x" +
                                 std::to_string(ink.height()) + " in " +
                                 std::to_string(item.box.width()) + "x" +
                                 std::to_string(item.box.height()) + ")");
            }
            if (item.shown) {
                drawn.push_back({control, item.text, ink.intersected(item.box)});
            }
        }
    }
    for (size_t i = 0; i < drawn.size(); ++i) {
        for (size_t j = i + 1; j < drawn.size(); ++j) {
            if (drawn[i].ink.intersects(drawn[j].ink)) {
                faults.push_back(Name(*drawn[i].control) + " \"" + drawn[i].text.toStdString() +
                                 "\" overlaps " + Name(*drawn[j].control) + " \"" +
                                 drawn[j].text.toStdString() + "\"");
            }
        }
    }
    return faults;
}

// Each language as a start with it chosen, so every list is filled in it.
// The id a fault line starts with ("MText 274 cuts ...").
int FaultControl(const std::string& fault) {
    std::istringstream words(fault);
    std::string cls;
    int id = 0;
    words >> cls >> id;
    return id;
}

// `only_page` narrows the check to one page, `only_controls` to the faults
// of those controls.
void CheckAllPages(DUI::Rect rect, std::string_view only_page = {},
                   const std::vector<int>& only_controls = {}) {
    const DUI::Rect client{0, 0, rect.Width(), rect.Height()};
    for (const KnownLanguage& language : kKnownLanguages) {
        SetCurrentLcid(language.lcid);
        ReloadLanguageFiles();
        ProgramWindow program(rect);
        ASSERT_TRUE(program.created());
        ASSERT_TRUE(program.Settle());
        for (const PageRow& row : kFitPages) {
            if (!only_page.empty() && only_page != row.name) {
                continue;
            }
            program.Show(row);
            for (const std::string& fault : Faults(program.window(), client)) {
                if (!only_controls.empty() &&
                    std::find(only_controls.begin(), only_controls.end(), FaultControl(fault)) ==
                        only_controls.end()) {
                    continue;
                }
                ADD_FAILURE() << rect.Width() << "x" << rect.Height() << " " << language.lcid << " "
                              << row.name << ": " << fault;
            }
        }
    }
    SetCurrentLcid(1033);
    ReloadLanguageFiles();
}

// The side bar and the settings page's own controls, in every language.
TEST(PageFit, SideBarAndSettingsFitInEveryLanguage) {
    const std::vector<int> settings = {main_id::kTabs,
                                       settings_id::kVersion,
                                       settings_id::kVersionStatus,
                                       settings_id::kUpdateCheck,
                                       settings_id::kFactoryReset,
                                       settings_id::kLanguageLabel,
                                       settings_id::kLanguage,
                                       settings_id::kStartupLabel,
                                       settings_id::kStartWithSystem,
                                       settings_id::kStartMinimised,
                                       settings_id::kCloseLabel,
                                       settings_id::kCloseHidesToTray,
                                       settings_id::kCloseExits,
                                       settings_id::kWebsiteLink,
                                       settings_id::kFeedbackLink,
                                       settings_id::kQaLink};
    CheckAllPages({0, 0, 1300, 788}, "performance", {main_id::kTabs});
    CheckAllPages({0, 0, 1300, 788}, "settings", settings);
}

TEST(PageFit, EveryPageFitsAtTheDesignSize) {
    CheckAllPages({0, 0, 1300, 788});
}

TEST(PageFit, EveryPageFitsAtTheLargeSize) {
    CheckAllPages({0, 0, 1600, 970});
}

// 1366x768: the window shrinks to the screen, the pages to its scale.
TEST(PageFit, EveryPageFitsOnASmallScreen) {
    const DUI::Size size = ui::MainWindowSize({0, 0, 1366, 768});
    CheckAllPages({0, 0, size.width, size.height});
}

}  // namespace
}  // namespace tessaly::qt::test
