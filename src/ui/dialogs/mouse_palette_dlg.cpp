#include "ui/dialogs/mouse_palette_dlg.h"

#include <algorithm>

#include "base/decimal.h"
#include "base/text_format.h"
#include "ui/dialogs/colour_values.h"
#include "ui/ids/popup_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/control_events.h"
#include "ui/toolkit/dui.h"

namespace tessaly {

using namespace DUI;

namespace {
constexpr int kRowStep = 30;
constexpr int kPresetSize = 26;
constexpr int kPresetStep = 35;
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
    if (!Create(parent, kTitle, kDialogStyle, 0, {0, 0, kWidth, kHeight})) {
        return false;
    }
    CenterWindow(parent);
    return true;
}

void MousePaletteDlg::InitUI(Rect client) {
    int w = client.Width();
    int h = client.Height();
    CreateControl<CImageButton>(palette_id::kClose, {w - 50, 15, w - 20, 45})
        ->SetImage(u"sysbtn_close.png", 4);
    CreateControl<MPalette>(palette_id::kPalette, {30, 60, 200, 220});
    CreateArea<CArea>(palette_id::kPreview, {210, 60, 300, 110})->SetColor(BgrToArgb(0xD027FB));
    for (int row = 0; row < 3; ++row) {
        int top = 120 + row * kRowStep;
        CreateArea<MText>(palette_id::kFirstLabel + row, {210, top, 240, top + 25}, kLabels[row]);
        auto* field =
            CreateControl<MEdit>(palette_id::kFirstField + row, {240, top, 300, top + 25});
        field->SetLimitText(3);
        field->SetInputMode(EditMode::kNumber);
        field->SetImage(u"img_edit.png");
    }
    for (int i = 0; i < static_cast<int>(kPresets.size()); ++i) {
        int left = 30 + i * kPresetStep;
        auto* preset = CreateControl<CColorButton>(
            palette_id::kFirstPreset + i, {left, 230, left + kPresetSize, 230 + kPresetSize});
        preset->SetColor(BgrToArgb(kPresets[i]));
        preset->SetGroup(kGroup);
    }
    auto* ok = CreateControl<MButton>(palette_id::kOk, {w - 120, h - 50, w - 20, h - 20},
                                      LoadLanguageString(text::kOk));
    ok->SetImage(u"img_button.png", 4);
    ShowColour(result_, true, true);
}

void MousePaletteDlg::ShowColour(uint32_t colour, bool update_fields, bool update_palette) {
    result_ = colour;
    if (auto* preview = GetControlAs<CArea>(palette_id::kPreview)) {
        preview->SetColor(BgrToArgb(colour));
    }
    if (update_palette) {
        if (auto* palette = GetControlAs<MPalette>(palette_id::kPalette)) {
            palette->SetSelectColor(BgrToArgb(colour));
        }
    }
    if (update_fields) {
        for (int i = 0; i < 3; ++i) {
            if (auto* field = GetControlAs<MEdit>(palette_id::kFirstField + i)) {
                field->SetTitle(Format(u"%d", Component(colour, i)));
            }
        }
    }
}

void MousePaletteDlg::FieldChanged() {
    std::array<int, 3> parts{};
    for (int i = 0; i < 3; ++i) {
        auto* field = GetControlAs<MEdit>(palette_id::kFirstField + i);
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
    if (id == palette_id::kPalette && (event == kEventDragged || event == kEventActivated)) {
        ShowColour(ArgbToBgr(static_cast<Color>(param)), true, false);
        return 1;
    }
    if (id >= palette_id::kFirstField && id < palette_id::kFirstField + 3 &&
        event == kEventTextChanged) {
        FieldChanged();
        return 1;
    }
    if (id >= palette_id::kFirstPreset &&
        id < palette_id::kFirstPreset + static_cast<int>(kPresets.size()) &&
        event == kEventActivated) {
        ShowColour(kPresets[id - palette_id::kFirstPreset], true, true);
        return 1;
    }
    if (id == palette_id::kClose && event == kEventActivated) {
        OnEscapeKey();
        return 1;
    }
    if (id == palette_id::kOk && event == kEventActivated) {
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
