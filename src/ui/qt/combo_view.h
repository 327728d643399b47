#pragma once
// MComboBox and MComboBox2 as a QComboBox: choosing an item delivers event 2
// with its index.

#include <QComboBox>
#include <string>
#include <vector>

#include "ui/qt/control_view.h"
#include "ui/toolkit/controls/item_lists.h"

namespace tessaly::qt {

class ComboView : public QComboBox, public ControlView {
  public:
    ComboView(DUI::MComboBox& combo, QWidget& parent);
    QWidget& widget() override { return *this; }
    void Refresh(DUI::ControlChange change) override;

  private:
    DUI::MComboBox* combo() const { return static_cast<DUI::MComboBox*>(mutable_control()); }
    void ApplyItems(const std::vector<DUI::ListItem>& items);

    std::vector<std::u16string> shown_;  // the texts the box holds, in order
    bool font_set_ = false;
};

}  // namespace tessaly::qt
