#include "ui/toolkit/controls/device_list.h"

#include <algorithm>

#include "ui/toolkit/toolkit.h"

namespace tessaly::DUI {

DeviceRow* CDeviceList::Find(int type) {
    auto it = std::find_if(rows_.begin(), rows_.end(),
                           [type](const DeviceRow& row) { return row.type == type; });
    return it == rows_.end() ? nullptr : &*it;
}

void CDeviceList::AddDevice(std::u16string_view name, int type, std::u16string_view image) {
    auto lock = LockToolkit();
    DeviceRow row;
    row.name = name;
    row.type = type;
    row.image = image;
    rows_.push_back(std::move(row));
    Changed(ControlChange::kItems);
}

void CDeviceList::ClearList() {
    auto lock = LockToolkit();
    rows_.clear();
    selected_type_ = 0;
    Changed(ControlChange::kItems);
    Changed(ControlChange::kSelection);
}

void CDeviceList::SetDeviceState(int type, int mode, int state) {
    auto lock = LockToolkit();
    DeviceRow* row = Find(type);
    if (row == nullptr || mode < 0 || mode > 1) {
        return;
    }
    row->state[mode] = state;
    Changed(ControlChange::kValue);
}

void CDeviceList::SetAllDeviceState(int state) {
    auto lock = LockToolkit();
    for (DeviceRow& row : rows_) {
        row.state = {state, state};
    }
    Changed(ControlChange::kValue);
}

void CDeviceList::SetDeviceVersion(int type, int version) {
    auto lock = LockToolkit();
    if (DeviceRow* row = Find(type)) {
        row->version = version;
        Changed(ControlChange::kValue);
    }
}

void CDeviceList::SetDeviceBattery(int type, int charge, int value) {
    auto lock = LockToolkit();
    if (DeviceRow* row = Find(type)) {
        row->battery_value = value;
        row->battery_charge = charge;
        Changed(ControlChange::kValue);
    }
}

int CDeviceList::GetOnlineDevCount() const {
    auto lock = LockToolkit();
    return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const DeviceRow& row) {
        return row.state[0] == 1 || row.state[1] == 1;
    }));
}

void CDeviceList::SetSelectDevice(int type) {
    auto lock = LockToolkit();
    if (Find(type) == nullptr) {
        auto connected = std::find_if(rows_.begin(), rows_.end(), [](const DeviceRow& row) {
            return row.state[0] > 0 || row.state[1] > 0;
        });
        if (connected != rows_.end()) {
            type = connected->type;
        }
    }
    selected_type_ = type;
    Changed(ControlChange::kSelection);
}

int CDeviceList::GetSelectDevice() const {
    auto lock = LockToolkit();
    return selected_type_;
}

void CDeviceList::SetVersionDesc(std::u16string_view caption) {
    auto lock = LockToolkit();
    version_desc_ = caption;
    Changed(ControlChange::kText);
}

std::u16string CDeviceList::GetVersionDesc() const {
    auto lock = LockToolkit();
    return version_desc_;
}

std::vector<DeviceRow> CDeviceList::Devices() const {
    auto lock = LockToolkit();
    return rows_;
}

void CDeviceList::ApplyUserEvent(int event, intptr_t param) {
    if (event == kEventActivated && param >= 0 && param < static_cast<intptr_t>(rows_.size())) {
        selected_type_ = rows_[param].type;
        Changed(ControlChange::kSelection);
    }
}

}  // namespace tessaly::DUI
