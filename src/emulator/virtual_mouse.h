#pragma once
// The virtual mouse: one mouse reachable through its cable and through its
// receiver, each a composite USB device on the in-memory backend with the
// pointer collection on interface 0 (which discovery skips), the upgrade
// interface on 1 and the configuration interface on 2. Plugging and
// unplugging raise the same arrival and removal events as udev does, one per
// interface. Tests script its answers; `--emulate` runs it on the real clock.

#include <chrono>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/hid_backend_memory.h"
#include "emulator/endpoint_timing.h"
#include "emulator/mouse_firmware.h"
#include "emulator/upgrade_loader.h"
#include "emulator/virtual_mouse_state.h"

namespace tessaly::emulator {

struct VirtualLinkConfig {
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    uint16_t release_number = kFirmwareRelease;
    bool plugged = false;  // present from the start, without an arrival event
};

struct VirtualMouseConfig {
    std::string name = "mouse";  // keeps the paths of two virtual mice apart
    VirtualLinkConfig cable;     // the model's mode 0 ids
    VirtualLinkConfig receiver;  // the model's mode 1 ids
    MouseIdentity identity;
    // 0xFF01/0x0010 when set, else 0x0001/0x0000.
    bool vendor_collection = true;
    size_t config_input_length = 65;  // 33 or 65, report ID included
    // The interrupt endpoints' interval (endpoint_timing.h), and the time the
    // firmware takes to prepare an answer before the next poll takes it.
    std::chrono::nanoseconds poll_interval = std::chrono::milliseconds(1);
    std::chrono::nanoseconds latency{};
    // Settings persist here between runs when set.
    std::string state_file;
    // Plug and Unplug raise arrival and removal events; off when something
    // else announces the devices (the mocked kernel's uevents).
    bool announce_changes = true;
    // The model's factory values, as the write requests (report ID first)
    // that would set them; settings none of them sets keep the built-in
    // values. What a fresh mouse holds and what 0x0F restores.
    std::vector<std::vector<uint8_t>> factory_writes;
    // The model's flash: the upgrade loader takes no block beyond it.
    size_t flash_bytes = kDefaultLoaderFlashBytes;
};

// What happens to the next answer of a link (to `command` when set),
// instead of a plain answer.
struct AnswerScript {
    // kMouseOff: the mouse behind the receiver is switched off just before
    // the answer (which then says it is unreachable); on the cable, silence.
    enum class Kind { kSilent, kStatus, kLate, kSlipIn, kMouseOff };
    Kind kind = Kind::kSilent;
    uint8_t status = kStatusUnknownCommand;  // kStatus
    std::chrono::nanoseconds delay{};        // kLate: answer after this
    std::vector<uint8_t> report;             // kSlipIn: N sent just before the answer
    std::optional<uint8_t> command;          // only an answer to this command

    static AnswerScript Silent() { return {}; }
    static AnswerScript Status(uint8_t status) {
        AnswerScript s;
        s.kind = Kind::kStatus;
        s.status = status;
        return s;
    }
    static AnswerScript Late(std::chrono::nanoseconds delay) {
        AnswerScript s;
        s.kind = Kind::kLate;
        s.delay = delay;
        return s;
    }
    static AnswerScript SlipIn(std::vector<uint8_t> report) {
        AnswerScript s;
        s.kind = Kind::kSlipIn;
        s.report = std::move(report);
        return s;
    }
    static AnswerScript MouseOff() {
        AnswerScript s;
        s.kind = Kind::kMouseOff;
        return s;
    }
};

inline constexpr int kPointerInterface = 0;
inline constexpr int kUpgradeInterface = 1;
inline constexpr int kConfigInterface = 2;

class VirtualMouse {
  public:
    VirtualMouse(std::shared_ptr<MemoryHidBackend> backend, VirtualMouseConfig config);
    ~VirtualMouse();
    VirtualMouse(const VirtualMouse&) = delete;
    VirtualMouse& operator=(const VirtualMouse&) = delete;

    // False when the link is already in that state.
    bool Plug(MouseLink link);
    bool Unplug(MouseLink link);
    bool Plugged(MouseLink link) const;

    // The mouse behind the receiver; the receiver reports the change (0xC0).
    void SwitchMouse(bool on);
    // With `notify`, the receiver reports the new pair in a 0xC0 report.
    void SetBattery(uint8_t level, bool charging, bool notify = false);
    // Cycles the stage within the count and reports it (0xC2) on the link the
    // mouse is using: the cable when plugged, else the receiver.
    void PressDpiButton();

    // Added before the poll that takes each answer.
    void SetLatency(std::chrono::nanoseconds latency);
    // While silent, a link answers nothing at all.
    void SetSilent(MouseLink link, bool silent);
    // Scripts apply to the following answers of the link, one each, in order.
    void Script(MouseLink link, AnswerScript script);

    VirtualMouseState State() const;
    std::shared_ptr<MemoryHidDevice> Device(MouseLink link, int interface_number) const;
    // The HID path of an interface, and the interface name events carry.
    std::string Path(MouseLink link, int interface_number) const;
    std::string InterfaceName(MouseLink link, int interface_number) const;
    // The report descriptor of an interface (0, 1 or 2).
    std::vector<uint8_t> ReportDescriptor(int interface_number) const;
    UpgradeLoader Loader(MouseLink link) const;

  private:
    struct Link {
        VirtualLinkConfig config;
        bool plugged = false;
        bool silent = false;
        std::deque<AnswerScript> scripts;
        UpgradeLoader loader;
        std::vector<std::shared_ptr<MemoryHidDevice>> devices;  // by interface number
    };

    Link& LinkOf(MouseLink link) { return link == MouseLink::kCable ? cable_ : receiver_; }
    const Link& LinkOf(MouseLink link) const {
        return link == MouseLink::kCable ? cable_ : receiver_;
    }
    void AddDevices(MouseLink link);
    void OnConfigReport(MouseLink link, MemoryHidDevice& device, std::span<const uint8_t> report);
    void OnUpgradeReport(MouseLink link, MemoryHidDevice& device, std::span<const uint8_t> report);
    // The delay from now until a report prepared `latency` from now is read.
    std::chrono::nanoseconds UntilReadable(const MemoryHidDevice& device,
                                           std::chrono::nanoseconds latency) const;
    void Send(MouseLink link, std::vector<uint8_t> data);
    void SaveState();

    std::shared_ptr<MemoryHidBackend> backend_;
    const VirtualMouseConfig config_;
    mutable std::mutex lock_;
    VirtualMouseState state_;
    MouseFirmware firmware_{state_};
    std::chrono::nanoseconds latency_;
    const EndpointTiming timing_;
    Link cable_;
    Link receiver_;
};

}  // namespace tessaly::emulator
