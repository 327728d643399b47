#pragma once
// Pages and the tab column. A page (MTabLayout) holds controls created
// inside it; hiding the page hides them. A tab item names a page: selecting
// the item (by the program or by a click, event 2 with the index) shows its
// page and hides the pages of the other items.

#include <memory>
#include <vector>

#include "ui/toolkit/control.h"
#include "ui/toolkit/dialog.h"

namespace tessaly::DUI {

class MTabLayout : public MControl {
  public:
    static constexpr std::string_view kClassName = "MTabLayout";
    MTabLayout() : MControl(kClassName) {}

    // As MDialog::CreateArea and CreateControl, inside this page.
    MControl* CreateChildArea(std::string_view class_name, int id, Rect rect,
                              std::u16string_view text = {}, int flag1 = 1, int flag2 = 1);
    MControl* CreateChildControl(std::string_view class_name, int id, Rect rect,
                                 std::u16string_view text = {}, int flag1 = 1, int flag2 = 1);
    template <typename T>
    T* CreateChildControl(int id, Rect rect, std::u16string_view text = {}) {
        return static_cast<T*>(GetOwner()->Add(std::make_unique<T>(), this, id, rect, text, false));
    }
    template <typename T>
    T* CreateChildArea(int id, Rect rect, std::u16string_view text = {}) {
        return static_cast<T*>(GetOwner()->Add(std::make_unique<T>(), this, id, rect, text, true));
    }
};

struct TabItem {
    int item_id = 0;
    std::u16string text;
    std::u16string icon;
    MTabLayout* page = nullptr;
    int icon_frames = 0;
    int flags = 0;
    bool visible = true;
};

// Sizes of the tab column, passed through as numbers.
struct TabMetrics {
    Size control;
    std::pair<int, int> horizontal_padding{0, 0};
    std::pair<int, int> vertical_padding{0, 0};
    std::array<int, 3> item_width{0, 0, 0};
    std::array<int, 3> item_height{0, 0, 0};
};

class MTabCtrl : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "MTabCtrl";
    MTabCtrl() : MControlFont(kClassName) {}

    // Appends; returns the index. page may be null.
    int InsertItem(int item_id, std::u16string_view text, std::u16string_view icon,
                   MTabLayout* page, int icon_frames = 4, int flags = 0);
    // -1 for an index out of range.
    int GetItemID(int index) const;
    bool SetItemText(int index, std::u16string_view text);
    std::u16string GetItemText(int index) const;
    // The item's icon file and its frame count, for the backend.
    std::u16string GetItemIcon(int index) const;
    int GetItemIconFrames(int index) const;
    bool SetItemVisible(int index, bool visible);
    bool IsItemVisible(int index) const;
    int GetItemCount() const;
    bool SelectItem(int index);
    int GetCurSel() const;
    // The tab column itself, as SetVisible.
    void SetTabCtrlVisible(bool visible);
    void SetMetrics(const TabMetrics& metrics);
    TabMetrics GetMetrics() const;

  protected:
    void ApplyUserEvent(int event, intptr_t param) override;

  private:
    bool InRange(int index) const { return index >= 0 && index < static_cast<int>(items_.size()); }
    void SelectLocked(int index);
    std::vector<TabItem> items_;
    int selection_ = -1;
    TabMetrics metrics_;
};

}  // namespace tessaly::DUI
