#pragma once
// The open interfaces of the supported models and the choice of the one the
// commands go to. One per process; every operation runs on the worker.
// Invariant: the current interface and entry are cleared whenever the entry
// list or the selected type changes.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/hid_transport.h"
#include "device/report_framing.h"

namespace tessaly {

inline constexpr int kConnectionCable = 0;
inline constexpr int kConnectionReceiver = 1;
// The type of an interface whose identity has a device id shorter than four.
inline constexpr int kUnnamedDeviceType = 101;

// One catalogue identity.
struct IdentityRecord {
    int vendor_id = 0;
    int product_id = 0;
    int device_type = 0;
    int connection_mode = 0;
    std::u16string device_id;
};

inline constexpr int kStateOffline = 0;  // from a link notification
inline constexpr int kStateOnline = 1;
inline constexpr int kStatePolledOffline = 2;  // from the state poll

struct DeviceEntry {
    int index = 0;
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    std::string path;  // at most 1023 characters
    std::unique_ptr<HidInterface> interface;
    uint32_t version = 0;  // release number
    int device_type = 0;   // 0 until identified
    int connection_mode = 0;
    int state = kStateOnline;
    std::u16string device_id;
    InfoBlock info{};
};

// A configuration interface of a catalogue identity that discovery found but
// could not open.
struct UnopenedInterface {
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    std::string path;
    bool denied = false;  // the user may not open the node
    std::string error;
};

struct DeviceIds {
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
};

class DeviceManager {
  public:
    static DeviceManager& Instance();
    DeviceManager() = default;
    DeviceManager(const DeviceManager&) = delete;
    DeviceManager& operator=(const DeviceManager&) = delete;

    void ClearIdentities();
    void AddIdentity(const IdentityRecord& identity);
    const std::vector<IdentityRecord>& Identities() const { return identities_; }

    void CloseAll();
    // The discovery pass; does not set opened.
    void EnumerateDevice();
    bool Opened() const { return opened_; }
    void SetOpened(bool opened) { opened_ = opened; }

    bool HasIdentity(int vendor_id, int product_id) const;
    int ModeOf(int vendor_id, int product_id) const;
    int TypeOf(int vendor_id, int product_id, const std::u16string& device_id) const;

    int SelectedType() const { return selected_type_; }
    void SetSelectedType(int type);
    void ClearCurrentInterface();
    HidInterface* CurrentInterface();
    DeviceEntry* CurrentEntry();
    int ConnectionKind() const;

    std::vector<DeviceEntry*> ListOfSelected();
    std::vector<DeviceEntry*> OnlineOfSelected();
    const std::vector<std::unique_ptr<DeviceEntry>>& Entries() const { return entries_; }
    // What the last discovery pass could not open.
    const std::vector<UnopenedInterface>& Unopened() const { return unopened_; }
    void SetState(int type, int mode, int state);
    std::optional<DeviceIds> CurrentIds() const;
    std::optional<uint32_t> VersionByMode(int mode) const;
    bool IsTypeAvailable(int type) const;

    // CommandExchange on the current interface; fails while not opened.
    ExchangeResult Exchange(const CommandRequest& request);

    // The wait before the one retry of an identity read (500 ms); tests
    // replace it.
    using Pause = std::function<void(std::chrono::milliseconds)>;
    void SetPause(Pause pause) { pause_ = std::move(pause); }

    // Opened by the firmware upgrade; not part of the list, kept by CloseAll.
    HidInterface* UpgradeInterface() const { return upgrade_.get(); }
    void SetUpgradeInterface(std::unique_ptr<HidInterface> upgrade);

  private:
    void IdentifyEntry(DeviceEntry& entry);

    bool opened_ = false;
    std::vector<std::unique_ptr<DeviceEntry>> entries_;
    std::vector<UnopenedInterface> unopened_;
    std::vector<IdentityRecord> identities_;
    int selected_type_ = 0;
    HidInterface* current_interface_ = nullptr;
    DeviceEntry* current_entry_ = nullptr;
    std::unique_ptr<HidInterface> upgrade_;
    Pause pause_;
};

}  // namespace tessaly
