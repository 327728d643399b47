#pragma once
// A mocked kernel for the real device stack: a umockdev testbed holding USB
// HID devices as the kernel shows a composite device (USB device, its
// interfaces, a HID device with its report descriptor under each, and that
// one's hidraw node with the `device` link), with a handler on every node
// that answers hidapi's ioctls and carries the reports. Needs the
// libumockdev preload in the process (see mock_environment.h).
//
// umockdev makes a node that poll(2) knows nothing of, so hidapi's timed
// reads would never see a report the handler holds. Each node here is a FIFO
// instead, holding one byte per report waiting: poll sees it readable exactly
// while a report waits, and the read handler takes the byte with the report.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

typedef struct _UMockdevTestbed UMockdevTestbed;

namespace tessaly::test {

struct HidrawInterfaceSpec {
    int interface_number = 0;
    std::vector<uint8_t> report_descriptor;
};

struct UsbHidDeviceSpec {
    int port = 1;  // the USB device is "1-<port>"
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    uint16_t release = 0;  // bcdDevice
    std::string manufacturer = "Tessaly";
    std::string product;
    std::string serial = "0001";
    std::vector<HidrawInterfaceSpec> interfaces;
};

// One hidraw node: what a written report does, and the input reports that
// wait for the reader. Thread-safe. Unlike hidraw, all handles share one
// queue (emptied when a handle opens): the program opens each node once.
class HidrawNode {
  public:
    // `report` as written to hidraw: report ID first. Bytes taken, or -errno.
    using WriteHandler = std::function<int(std::span<const uint8_t> report)>;

    HidrawNode(std::string devnode, std::string fifo_path, std::vector<uint8_t> descriptor,
               uint16_t vendor_id, uint16_t product_id, std::string name);
    ~HidrawNode();
    HidrawNode(const HidrawNode&) = delete;
    HidrawNode& operator=(const HidrawNode&) = delete;

    const std::string& DevNode() const { return devnode_; }  // "/dev/hidraw3"
    const std::string& SysPath() const { return syspath_; }
    const std::vector<uint8_t>& Descriptor() const { return descriptor_; }

    void SetWriteHandler(WriteHandler handler);
    // A report from the device, report ID first (0 for unnumbered reports,
    // which the reader gets without it, as from the kernel).
    void Deliver(std::vector<uint8_t> report);
    // The next ioctl with this request fails with `error` (0: answers again).
    void FailIoctl(unsigned long request, int error);
    // The device is gone: waiting reads wake and every call fails as on an
    // unplugged hidraw node.
    void MarkGone();
    // Every report written, as the node received it.
    std::vector<std::vector<uint8_t>> Written() const;
    // The ioctl requests asked, in order.
    std::vector<unsigned long> IoctlsAsked() const;

  private:
    friend class HidrawTestbed;
    friend struct NodeCallbacks;

  public:
    struct Client;

  private:
    void Attach(UMockdevTestbed* testbed, std::string syspath);
    void Detach(UMockdevTestbed* testbed);
    bool OnIoctl(Client& client);
    bool OnRead(Client& client);
    bool OnWrite(Client& client);
    void OnConnected();

    const std::string devnode_;
    const std::string fifo_path_;
    const std::vector<uint8_t> descriptor_;
    const uint16_t vendor_id_;
    const uint16_t product_id_;
    const std::string name_;
    const bool numbered_;
    std::string syspath_;
    int token_fd_ = -1;
    void* handler_ = nullptr;  // the UMockdevIoctlBase
    mutable std::mutex lock_;
    WriteHandler on_write_;
    std::vector<std::vector<uint8_t>> pending_;
    std::vector<std::vector<uint8_t>> written_;
    std::vector<unsigned long> ioctls_;
    unsigned long failing_request_ = 0;
    int failing_error_ = 0;
    bool gone_ = false;
};

class HidrawTestbed {
  public:
    HidrawTestbed();
    ~HidrawTestbed();
    HidrawTestbed(const HidrawTestbed&) = delete;
    HidrawTestbed& operator=(const HidrawTestbed&) = delete;

    // Adds the device and its nodes (the lowest free hidraw numbers, as the
    // kernel gives them), in interface order. umockdev sends the "add"
    // uevents as it adds each device, parents first.
    std::vector<std::shared_ptr<HidrawNode>> Plug(const UsbHidDeviceSpec& shape);
    // Unplugs the device on that port: its nodes fail from now on, its sysfs
    // entries go (the parents first, so that a listener finds them gone, as it
    // does after a real unplug), with `announce` a "remove" uevent per node.
    void Unplug(int port, bool announce);
    // The node's permission bits (its owner stays root).
    void SetNodeMode(const std::string& devnode, unsigned mode);
    std::string RootDir() const;

  private:
    struct Plugged {
        int port;
        std::string syspath;
        std::vector<std::string> parents;  // interfaces and HID devices
        std::vector<std::shared_ptr<HidrawNode>> nodes;
    };
    int FreeMinor(const Plugged& adding) const;

    UMockdevTestbed* testbed_ = nullptr;
    std::string root_;
    int hid_sequence_ = 0;
    std::vector<Plugged> plugged_;
    // Unplugged nodes stay alive: clients may still hold them open.
    std::vector<std::shared_ptr<HidrawNode>> gone_;
};

}  // namespace tessaly::test
