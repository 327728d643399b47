#include "ui/dialogs/mouse_palette_dlg.h"

#include <algorithm>

#include "base/decimal.h"
#include "base/text_format.h"
#include "ui/dialogs/colour_values.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/dui.h"

namespace tessaly {

using namespace DUI;

namespace {
constexpr int kCloseId = 31;
constexpr int kPaletteId = 32;
constexpr int kPreviewId = 33;
constexpr int kFirstLabelId = 34;
constexpr int kFirstFieldId = 37;  // red, green, blue
constexpr int kFirstPresetId = 40;
constexpr int kOkId = 48;
constexpr int kRowStep = 30;
constexpr int kPresetSize = 26;
constexpr int kPresetStep = 35;
constexpr int kEventFieldChanged = 26;
constexpr int kEventPaletteMoved = 27;
constexpr std::u16string_view kGroup = u"DEFAULTCOLOR";
constexpr std::array<std::u16string_view, 3> kLabels{u"R:", u"G:", u"B:"};

int Component(uint32_t colour, int index) {
    return static_cast<int>((colour >> (8 * index)) & 0xFF);
}
}  // namespace

uint32_t MousePaletteDlg::Choose(MWindow* parent, uint32_t initial) {
    MousePaletteDlg dialog(initial);
    if (!dialog.Open(parent)) {
        return 0;
    }
    int answer = dialog.ShowModal(kSwShow);
    dialog.DestroyWindow();
    return answer == 1 ? dialog.Result() : 0;
}

bool MousePaletteDlg::Open(MWindow* parent) {
    if (!Create(parent, kTitle, kStyle, 0, {0, 0, kWidth, kHeight})) {
        return false;
    }
    CenterWindow(parent);
    return true;
}

void MousePaletteDlg::InitUI(Rect client) {
    int w = client.Width();
    int h = client.Height();
    CreateControl<CImageButton>(kCloseId, {w - 50, 15, w - 20, 45})
        ->SetImage(u"sysbtn_close.png", 4);
    CreateControl<MPalette>(kPaletteId, {30, 60, 200, 220});
    CreateArea<CArea>(kPreviewId, {210, 60, 300, 110})->SetColor(BgrToArgb(0xD027FB));
    for (int row = 0; row < 3; ++row) {
        int top = 120 + row * kRowStep;
        CreateArea<MText>(kFirstLabelId + row, {210, top, 240, top + 25}, kLabels[row]);
        auto* field = CreateControl<MEdit>(kFirstFieldId + row, {240, top, 300, top + 25});
        field->SetLimitText(3);
        field->SetInputMode(EditMode::kNumber);
        field->SetImage(u"img_edit.png");
    }
    for (int i = 0; i < static_cast<int>(kPresets.size()); ++i) {
        int left = 30 + i * kPresetStep;
        auto* preset = CreateControl<CColorButton>(
            kFirstPresetId + i, {left, 230, left + kPresetSize, 230 + kPresetSize});
        preset->SetColor(BgrToArgb(kPresets[i]));
        preset->SetGroup(kGroup);
    }
    auto* ok = CreateControl<MButton>(kOkId, {w - 120, h - 50, w - 20, h - 20},
                                      LoadLanguageString(text::kOk));
    ok->SetImage(u"img_button.png", 4);
    ShowColour(result_, true, true);
}

void MousePaletteDlg::ShowColour(uint32_t colour, bool update_fields, bool update_palette) {
    result_ = colour;
    if (auto* preview = GetControlAs<CArea>(kPreviewId)) {
        preview->SetColor(BgrToArgb(colour));
    }
    if (update_palette) {
        if (auto* palette = GetControlAs<MPalette>(kPaletteId)) {
            palette->SetSelectColor(BgrToArgb(colour));
        }
    }
    if (update_fields) {
        for (int i = 0; i < 3; ++i) {
            if (auto* field = GetControlAs<MEdit>(kFirstFieldId + i)) {
                field->SetTitle(Format(u"%d", Component(colour, i)));
            }
        }
    }
}

void MousePaletteDlg::FieldChanged() {
    std::array<int, 3> parts{};
    for (int i = 0; i < 3; ++i) {
        auto* field = GetControlAs<MEdit>(kFirstFieldId + i);
        if (field == nullptr) {
            return;
        }
        int typed = DecimalToInt(field->GetTitle());
        parts[i] = std::clamp(typed, 0, 255);
        if (parts[i] != typed) {
            field->SetTitle(Format(u"%d", parts[i]));
        }
    }
    ShowColour(BgrFromComponents(parts[0], parts[1], parts[2]), false, true);
}

int MousePaletteDlg::OnMessage(int id, int event, intptr_t param, intptr_t) {
    if (id == kPaletteId && (event == kEventPaletteMoved || event == kEventActivated)) {
        ShowColour(ArgbToBgr(static_cast<Color>(param)), true, false);
        return 1;
    }
    if (id >= kFirstFieldId && id < kFirstFieldId + 3 && event == kEventFieldChanged) {
        FieldChanged();
        return 1;
    }
    if (id >= kFirstPresetId && id < kFirstPresetId + static_cast<int>(kPresets.size()) &&
        event == kEventActivated) {
        ShowColour(kPresets[id - kFirstPresetId], true, true);
        return 1;
    }
    if (id == kCloseId && event == kEventActivated) {
        OnEscapeKey();
        return 1;
    }
    if (id == kOkId && event == kEventActivated) {
        DoOK();
        return 1;
    }
    return 0;
}

bool MousePaletteDlg::OnEscapeKey() {
    result_ = 0;
    DoCancel();
    return true;
}

}  // namespace tessaly
