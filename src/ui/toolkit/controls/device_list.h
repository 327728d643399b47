#pragma once
// The supported mice on the home page, one row per model (device type),
// with the connection state of each link (mode 0 cable, 1 receiver), the
// firmware version and the battery. Activating a row (event 2, its index)
// selects its type.

#include <array>
#include <vector>

#include "ui/toolkit/control.h"

namespace tessaly::DUI {

struct DeviceRow {
    std::u16string name;
    int type = 0;
    std::u16string image;
    // State per connection mode: 0 absent, 1 online, other values as reported.
    std::array<int, 2> state{0, 0};
    int version = 0;
    int battery_value = 0;
    int battery_charge = 0;
    bool operator==(const DeviceRow&) const = default;
};

class CDeviceList : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "CDeviceList";
    CDeviceList() : MControlFont(kClassName) {}

    void AddDevice(std::u16string_view name, int type, std::u16string_view image);
    // Empties the list and the selection.
    void ClearList();
    // Unknown types and modes other than 0 and 1 change nothing.
    void SetDeviceState(int type, int mode, int state);
    void SetAllDeviceState(int state);
    void SetDeviceVersion(int type, int version);
    // The pair in the identity answer's order (the battery indicator takes
    // it the other way round): the charging flag first, then the level.
    void SetDeviceBattery(int type, int charge, int value);
    // Listed models online (state 1) on at least one link.
    int GetOnlineDevCount() const;
    // A listed type is selected as asked. For a type the list does not hold
    // the first listed model that is connected (a state above 0) is taken;
    // without one, the requested type is kept.
    void SetSelectDevice(int type);
    // The selected type; 0 before any selection.
    int GetSelectDevice() const;
    void SetVersionDesc(std::u16string_view caption);
    std::u16string GetVersionDesc() const;
    std::vector<DeviceRow> Devices() const;

  protected:
    void ApplyUserEvent(int event, intptr_t param) override;

  private:
    DeviceRow* Find(int type);
    std::vector<DeviceRow> rows_;
    int selected_type_ = 0;
    std::u16string version_desc_;
};

}  // namespace tessaly::DUI
