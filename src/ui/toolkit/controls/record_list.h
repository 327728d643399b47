#pragma once
// The event list of the macro page: the working copy of a macro's events.
// Each item holds its text, type, value and stamp; the selection follows an
// item that is moved.

#include <array>
#include <optional>
#include <vector>

#include "ui/toolkit/control.h"

namespace tessaly::DUI {

struct RecordInfo {
    std::u16string text;
    int type = 0;
    int value = 0;
    uint32_t stamp = 0;
    bool operator==(const RecordInfo&) const = default;
};

class CRecordList : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "CRecordList";
    CRecordList() : MControlFont(kClassName) {}

    // Appends; returns the index.
    int AddString(std::u16string_view text, int type, int value, uint32_t stamp);
    // Inserts before index (the end for an index past it); returns the index.
    int InsertString(int index, const RecordInfo& record);
    bool DeleteString(int index);
    // Moves the item at from so that it ends up at index to.
    bool MoveString(int from, int to);
    bool SetRecordInfo(int index, const RecordInfo& record);
    std::optional<RecordInfo> GetRecordInfo(int index) const;
    std::vector<RecordInfo> Records() const;
    // Every item counts, delays included.
    int GetEventCount() const;
    void DeleteAllItems();
    bool SelectItem(int index);
    int GetCurSel() const;
    // The widths of the number column and the event column, as the page's
    // column captions have them; 0 for a list without columns.
    void SetColumns(int number_width, int text_width);
    std::array<int, 2> GetColumns() const;

  protected:
    void ApplyUserEvent(int event, intptr_t param) override;

  private:
    bool InRange(int index) const {
        return index >= 0 && index < static_cast<int>(records_.size());
    }
    void SetSelection(int index);
    std::vector<RecordInfo> records_;
    int selection_ = -1;
    std::array<int, 2> columns_{0, 0};
};

}  // namespace tessaly::DUI
