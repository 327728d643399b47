#pragma once
// The page builders the main window calls. InitUI creates the pages (tab
// layouts) of the frame and hands each to its builder in this order: button,
// performance, lighting, macro, information, settings. UISize then calls the
// layout functions in the same order with the window's client rectangle and
// the scale (client height / 788); products with the scale are truncated.
//
// Builders create their controls inside the page they get (page.CreateChild*)
// with empty rectangles; layouts position them. Both run on the UI thread.

#include <span>
#include <string>

#include "ui/toolkit/controls/tabs.h"
#include "ui/toolkit/dialog.h"
#include "ui/toolkit/geometry.h"

namespace tessaly::ui {

// Colours and fonts the controller keeps for every page.
struct PageStyle {
    DUI::Color frame_text_color = 0xFFFFFFFF;
    DUI::Color accent_text_color = 0xFFFFFFFF;
    std::u16string state_font = u"Open Sans Semibold";
    std::u16string button_font = u"Open Sans Semibold";
};

// Page 50 and its custom key sub-page 51 (created by the frame inside 50).
void BuildButtonPage(DUI::MDialog& dlg, DUI::MTabLayout& page, DUI::MTabLayout& custom_key_page,
                     const PageStyle& style);
// Page 52.
void BuildPerformancePage(DUI::MDialog& dlg, DUI::MTabLayout& page, const PageStyle& style);
// Page 54.
void BuildLightingPage(DUI::MDialog& dlg, DUI::MTabLayout& page, const PageStyle& style);
// Page 53.
void BuildMacroPage(DUI::MDialog& dlg, DUI::MTabLayout& page, const PageStyle& style);
// Page 55 (the main window's own).
void BuildInformationPage(DUI::MDialog& dlg, DUI::MTabLayout& page, const PageStyle& style);
// Page 56.
void BuildSettingsPage(DUI::MDialog& dlg, DUI::MTabLayout& page, const PageStyle& style);

void LayoutButtonPage(DUI::MDialog& dlg, DUI::Rect client, float scale);
void LayoutPerformancePage(DUI::MDialog& dlg, DUI::Rect client, float scale);
void LayoutLightingPage(DUI::MDialog& dlg, DUI::Rect client, float scale);
void LayoutMacroPage(DUI::MDialog& dlg, DUI::Rect client, float scale);
void LayoutInformationPage(DUI::MDialog& dlg, DUI::Rect client, float scale);
void LayoutSettingsPage(DUI::MDialog& dlg, DUI::Rect client, float scale);

// After a change of language, in the same order: every numbered title,
// tooltip, hint and choice of the page is read again and the fonts follow the
// style. The button page's names come from the model's button layout; empty
// names leave the placeholders of a page without a mouse.
void ReapplyButtonPageTexts(DUI::MDialog& dlg, const PageStyle& style,
                            std::span<const std::u16string> button_names);
void ReapplyPerformancePageTexts(DUI::MDialog& dlg, const PageStyle& style);
void ReapplyLightingPageTexts(DUI::MDialog& dlg, const PageStyle& style);
// Also the macro names, in the list and in the button page's macro choice.
void ReapplyMacroPageTexts(DUI::MDialog& dlg, const PageStyle& style);
void ReapplyInformationPageTexts(DUI::MDialog& dlg, const PageStyle& style);
void ReapplySettingsPageTexts(DUI::MDialog& dlg, const PageStyle& style);

}  // namespace tessaly::ui
