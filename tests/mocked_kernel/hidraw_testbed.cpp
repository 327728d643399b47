#include "mocked_kernel/hidraw_testbed.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <umockdev.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "device/hid_report_descriptor.h"

namespace tessaly::test {

struct HidrawNode::Client {
    UMockdevIoctlClient* client;
    void Complete(long result, int error) { umockdev_ioctl_client_complete(client, result, error); }
    UMockdevIoctlData* Arg() { return umockdev_ioctl_client_get_arg(client); }
};

namespace {

constexpr int kHidrawMajor = 240;
constexpr int kMaxMinors = 64;
constexpr uint32_t kBusUsb = 3;

std::string Hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", value & 0xFFFFu);
    return text;
}

std::string Hex4Upper(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFFu);
    return text;
}

bool IsNumbered(const std::vector<uint8_t>& descriptor) {
    const auto info = ParseReportDescriptor(descriptor);
    return info && info->lengths.numbered;
}

// add_devicev takes NULL-terminated name/value lists.
std::string AddDevice(UMockdevTestbed* testbed, const char* subsystem, const std::string& name,
                      const std::string& parent, std::vector<std::string> attributes,
                      std::vector<std::string> properties) {
    auto list = [](std::vector<std::string>& texts) {
        std::vector<gchar*> pointers;
        for (auto& text : texts)
            pointers.push_back(text.data());
        pointers.push_back(nullptr);
        return pointers;
    };
    auto attribute_list = list(attributes);
    auto property_list = list(properties);
    gchar* path = umockdev_testbed_add_devicev(testbed, subsystem, name.c_str(),
                                               parent.empty() ? nullptr : parent.c_str(),
                                               attribute_list.data(), property_list.data());
    if (path == nullptr)
        throw std::runtime_error("umockdev cannot add " + name);
    std::string syspath = path;
    g_free(path);
    return syspath;
}

gboolean HandleIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer node);
gboolean HandleRead(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer node);
gboolean HandleWrite(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer node);
void HandleConnected(UMockdevIoctlBase*, UMockdevIoctlClient*, gpointer node);

// Fills the structure the ioctl's argument points to.
bool AnswerWith(UMockdevIoctlData* arg, const void* bytes, size_t size) {
    GError* error = nullptr;
    UMockdevIoctlData* target = umockdev_ioctl_data_resolve(arg, 0, size, &error);
    if (target == nullptr) {
        g_clear_error(&error);
        return false;
    }
    std::memcpy(target->data, bytes, std::min<size_t>(size, target->data_len));
    umockdev_ioctl_data_unref(target);
    return true;
}

std::string RootDirOf(UMockdevTestbed* testbed) {
    gchar* root = umockdev_testbed_get_root_dir(testbed);
    std::string text = root;
    g_free(root);
    return text;
}

}  // namespace

// Reached from umockdev's worker thread.
struct NodeCallbacks {
    static gboolean Ioctl(UMockdevIoctlClient* client, gpointer node) {
        HidrawNode::Client c{client};
        return static_cast<HidrawNode*>(node)->OnIoctl(c);
    }
    static gboolean Read(UMockdevIoctlClient* client, gpointer node) {
        HidrawNode::Client c{client};
        return static_cast<HidrawNode*>(node)->OnRead(c);
    }
    static gboolean Write(UMockdevIoctlClient* client, gpointer node) {
        HidrawNode::Client c{client};
        return static_cast<HidrawNode*>(node)->OnWrite(c);
    }
    static void Connected(gpointer node) { static_cast<HidrawNode*>(node)->OnConnected(); }
};

namespace {
gboolean HandleIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer node) {
    return NodeCallbacks::Ioctl(client, node);
}
gboolean HandleRead(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer node) {
    return NodeCallbacks::Read(client, node);
}
gboolean HandleWrite(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer node) {
    return NodeCallbacks::Write(client, node);
}
void HandleConnected(UMockdevIoctlBase*, UMockdevIoctlClient*, gpointer node) {
    NodeCallbacks::Connected(node);
}
}  // namespace

HidrawNode::HidrawNode(std::string devnode, std::string fifo_path, std::vector<uint8_t> descriptor,
                       uint16_t vendor_id, uint16_t product_id, std::string name)
    : devnode_(std::move(devnode)),
      fifo_path_(std::move(fifo_path)),
      descriptor_(std::move(descriptor)),
      vendor_id_(vendor_id),
      product_id_(product_id),
      name_(std::move(name)),
      numbered_(IsNumbered(descriptor_)) {
    ::unlink(fifo_path_.c_str());
    if (::mkfifo(fifo_path_.c_str(), 0666) != 0 || ::chmod(fifo_path_.c_str(), 0666) != 0)
        throw std::runtime_error("cannot make " + fifo_path_ + ": " + std::strerror(errno));
    token_fd_ = ::open(fifo_path_.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (token_fd_ < 0)
        throw std::runtime_error("cannot open " + fifo_path_ + ": " + std::strerror(errno));
}

HidrawNode::~HidrawNode() {
    if (token_fd_ >= 0)
        ::close(token_fd_);
}

void HidrawNode::Attach(UMockdevTestbed* testbed, std::string syspath) {
    syspath_ = std::move(syspath);
    auto* handler = umockdev_ioctl_base_new();
    g_signal_connect(handler, "handle-ioctl", G_CALLBACK(HandleIoctl), this);
    g_signal_connect(handler, "handle-read", G_CALLBACK(HandleRead), this);
    g_signal_connect(handler, "handle-write", G_CALLBACK(HandleWrite), this);
    g_signal_connect(handler, "client-connected", G_CALLBACK(HandleConnected), this);
    GError* error = nullptr;
    if (!umockdev_testbed_attach_ioctl(testbed, devnode_.c_str(), handler, &error)) {
        const std::string why = error ? error->message : "unknown error";
        g_clear_error(&error);
        g_object_unref(handler);
        throw std::runtime_error("cannot attach to " + devnode_ + ": " + why);
    }
    handler_ = handler;
    // umockdev's preload connects to the node's socket even after an open
    // that failed, and ends the process when it cannot: let every user in.
    ::chmod((RootDirOf(testbed) + "/ioctl" + devnode_).c_str(), 0777);
}

void HidrawNode::Detach(UMockdevTestbed* testbed) {
    if (handler_ == nullptr)
        return;
    auto* handler = static_cast<UMockdevIoctlBase*>(handler_);
    g_signal_handlers_disconnect_by_data(handler, this);
    umockdev_testbed_detach_ioctl(testbed, devnode_.c_str(), nullptr);
    g_object_unref(handler);
    handler_ = nullptr;
}

void HidrawNode::SetWriteHandler(WriteHandler handler) {
    std::lock_guard guard(lock_);
    on_write_ = std::move(handler);
}

void HidrawNode::Deliver(std::vector<uint8_t> report) {
    if (report.empty())
        return;
    // The kernel hands unnumbered reports over without the ID byte.
    if (!numbered_ && report[0] == 0)
        report.erase(report.begin());
    std::lock_guard guard(lock_);
    if (gone_)
        return;
    pending_.push_back(std::move(report));
    const char token = 1;
    [[maybe_unused]] const auto written = ::write(token_fd_, &token, 1);
}

void HidrawNode::FailIoctl(unsigned long request, int error) {
    std::lock_guard guard(lock_);
    failing_request_ = request;
    failing_error_ = error;
}

void HidrawNode::MarkGone() {
    std::lock_guard guard(lock_);
    if (gone_)
        return;
    gone_ = true;
    pending_.clear();
    // One token stays for good, so every poll wakes and every read fails.
    const char token = 1;
    [[maybe_unused]] const auto written = ::write(token_fd_, &token, 1);
}

std::vector<std::vector<uint8_t>> HidrawNode::Written() const {
    std::lock_guard guard(lock_);
    return written_;
}

std::vector<unsigned long> HidrawNode::IoctlsAsked() const {
    std::lock_guard guard(lock_);
    return ioctls_;
}

void HidrawNode::OnConnected() {
    // Like a fresh hidraw handle: nothing sent before the open is read.
    std::lock_guard guard(lock_);
    if (gone_)
        return;
    pending_.clear();
    char drain[64];
    while (::read(token_fd_, drain, sizeof drain) > 0) {
    }
}

bool HidrawNode::OnIoctl(Client& client) {
    const unsigned long request = umockdev_ioctl_client_get_request(client.client);
    {
        std::lock_guard guard(lock_);
        ioctls_.push_back(request);
        if (gone_) {
            client.Complete(-1, ENODEV);
            return true;
        }
        if (failing_error_ != 0 && failing_request_ == request) {
            client.Complete(-1, failing_error_);
            return true;
        }
    }
    UMockdevIoctlData* arg = client.Arg();
    bool answered = false;
    long result = 0;
    if (request == HIDIOCGRDESCSIZE) {
        const int size = static_cast<int>(descriptor_.size());
        answered = AnswerWith(arg, &size, sizeof size);
    } else if (request == HIDIOCGRDESC) {
        hidraw_report_descriptor descriptor{};
        descriptor.size = static_cast<uint32_t>(descriptor_.size());
        std::copy(descriptor_.begin(), descriptor_.end(), descriptor.value);
        answered = AnswerWith(arg, &descriptor, sizeof descriptor);
    } else if (request == HIDIOCGRAWINFO) {
        hidraw_devinfo info{};
        info.bustype = kBusUsb;
        info.vendor = static_cast<__s16>(vendor_id_);
        info.product = static_cast<__s16>(product_id_);
        answered = AnswerWith(arg, &info, sizeof info);
    } else if (_IOC_TYPE(request) == 'H' && _IOC_NR(request) == _IOC_NR(HIDIOCGRAWNAME(0)) &&
               _IOC_DIR(request) == _IOC_READ) {
        // The length is part of the request, as the kernel reads it.
        std::vector<char> text(_IOC_SIZE(request), '\0');
        std::copy_n(name_.begin(), std::min(name_.size(), text.empty() ? 0 : text.size() - 1),
                    text.begin());
        answered = text.empty() || AnswerWith(arg, text.data(), text.size());
        result = static_cast<long>(std::min(name_.size() + 1, text.size()));
    }
    if (answered)
        client.Complete(result, 0);
    else
        client.Complete(-1, EINVAL);
    return true;
}

bool HidrawNode::OnRead(Client& client) {
    UMockdevIoctlData* arg = client.Arg();
    std::vector<uint8_t> report;
    {
        std::lock_guard guard(lock_);
        if (gone_) {
            client.Complete(-1, EIO);
            return true;
        }
        if (pending_.empty()) {
            // hidapi polls first, so only a read without a poll gets here.
            client.Complete(-1, EAGAIN);
            return true;
        }
        report = std::move(pending_.front());
        pending_.erase(pending_.begin());
        char token = 0;
        [[maybe_unused]] const auto taken = ::read(token_fd_, &token, 1);
    }
    const size_t count = std::min(report.size(), static_cast<size_t>(arg->data_len));
    umockdev_ioctl_data_update(arg, 0, report.data(), static_cast<gint>(count));
    client.Complete(static_cast<long>(count), 0);
    return true;
}

bool HidrawNode::OnWrite(Client& client) {
    UMockdevIoctlData* arg = client.Arg();
    std::vector<uint8_t> report(arg->data, arg->data + arg->data_len);
    WriteHandler handler;
    {
        std::lock_guard guard(lock_);
        if (gone_) {
            client.Complete(-1, ENODEV);
            return true;
        }
        written_.push_back(report);
        handler = on_write_;
    }
    const int result = handler ? handler(report) : static_cast<int>(report.size());
    if (result < 0)
        client.Complete(-1, -result);
    else
        client.Complete(result, 0);
    return true;
}

HidrawTestbed::HidrawTestbed() : testbed_(umockdev_testbed_new()) {
    gchar* root = umockdev_testbed_get_root_dir(testbed_);
    root_ = root;
    g_free(root);
    // Readable by other users, for runs under another uid.
    ::chmod(root_.c_str(), 0755);
    std::filesystem::create_directories(root_ + "/dev");
}

HidrawTestbed::~HidrawTestbed() {
    for (auto& plugged : plugged_) {
        for (auto& node : plugged.nodes)
            node->Detach(testbed_);
    }
    for (auto& node : gone_)
        node->Detach(testbed_);
    g_object_unref(testbed_);
}

std::string HidrawTestbed::RootDir() const {
    return root_;
}

int HidrawTestbed::FreeMinor(const Plugged& adding) const {
    auto holds = [](const Plugged& p, const std::string& devnode) {
        return std::any_of(p.nodes.begin(), p.nodes.end(),
                           [&](const auto& node) { return node->DevNode() == devnode; });
    };
    for (int minor = 0; minor < kMaxMinors; ++minor) {
        const std::string devnode = "/dev/hidraw" + std::to_string(minor);
        const bool used = holds(adding, devnode) ||
                          std::any_of(plugged_.begin(), plugged_.end(),
                                      [&](const Plugged& p) { return holds(p, devnode); });
        if (!used)
            return minor;
    }
    throw std::runtime_error("no free hidraw minor");
}

std::vector<std::shared_ptr<HidrawNode>> HidrawTestbed::Plug(const UsbHidDeviceSpec& shape) {
    const std::string port = "1-" + std::to_string(shape.port);
    const std::string release = Hex4(shape.release);
    char product[32];
    std::snprintf(product, sizeof product, "%x/%x/%x", shape.vendor_id, shape.product_id,
                  shape.release);
    Plugged plugged;
    plugged.port = shape.port;
    plugged.syspath = AddDevice(testbed_, "usb", "pci0000:00/0000:00:14.0/usb1/" + port, "",
                                {"idVendor",       Hex4(shape.vendor_id),
                                 "idProduct",      Hex4(shape.product_id),
                                 "bcdDevice",      release,
                                 "manufacturer",   shape.manufacturer,
                                 "product",        shape.product,
                                 "serial",         shape.serial,
                                 "busnum",         "1",
                                 "devnum",         std::to_string(shape.port + 1),
                                 "speed",          "12",
                                 "bNumInterfaces", std::to_string(shape.interfaces.size())},
                                {"DEVTYPE", "usb_device", "PRODUCT", product, "BUSNUM", "001",
                                 "DEVNUM", "00" + std::to_string(shape.port + 1)});
    for (const auto& interface : shape.interfaces) {
        const std::string number = "0" + std::to_string(interface.interface_number);
        const std::string interface_path =
            AddDevice(testbed_, "usb", port + ":1." + std::to_string(interface.interface_number),
                      plugged.syspath, {"bInterfaceNumber", number, "bInterfaceClass", "03"},
                      {"DEVTYPE", "usb_interface", "INTERFACE", "3/0/0"});
        char hid_name[32];
        std::snprintf(hid_name, sizeof hid_name, "0003:%04X:%04X.%04X", shape.vendor_id,
                      shape.product_id, ++hid_sequence_);
        const std::string name = shape.manufacturer + " " + shape.product;
        const std::string hid_path = AddDevice(
            testbed_, "hid", hid_name, interface_path, {},
            {"DRIVER", "hid-generic", "HID_ID",
             "0003:0000" + Hex4Upper(shape.vendor_id) + ":0000" + Hex4Upper(shape.product_id),
             "HID_NAME", name, "HID_PHYS",
             "usb-0000:00:14.0-" + std::to_string(shape.port) + "/input" +
                 std::to_string(interface.interface_number),
             "HID_UNIQ", shape.serial});
        auto descriptor = interface.report_descriptor;
        umockdev_testbed_set_attribute_binary(testbed_, hid_path.c_str(), "report_descriptor",
                                              descriptor.data(),
                                              static_cast<gint>(descriptor.size()));
        const int minor = FreeMinor(plugged);
        const std::string node_name = "hidraw" + std::to_string(minor);
        const std::string devnode = "/dev/" + node_name;
        const std::string dev = std::to_string(kHidrawMajor) + ":" + std::to_string(minor);
        // A node of the same number that went before gives its place up.
        for (auto& old : gone_) {
            if (old->DevNode() == devnode)
                old->Detach(testbed_);
        }
        ::unlink((root_ + "/ioctl" + devnode).c_str());
        ::unlink((root_ + "/dev/.node/" + node_name).c_str());
        // The node, its handler and the `device` link are in place before the
        // device is added, since adding it sends the "add" uevent.
        auto node = std::make_shared<HidrawNode>(devnode, root_ + devnode, descriptor,
                                                 shape.vendor_id, shape.product_id, name);
        const std::string hidraw_syspath = hid_path + "/hidraw/" + node_name;
        std::filesystem::create_directories(root_ + hidraw_syspath);
        std::filesystem::create_directory_symlink("../../", root_ + hidraw_syspath + "/device");
        node->Attach(testbed_, hidraw_syspath);
        const std::string hidraw_path =
            AddDevice(testbed_, "hidraw", "hidraw/" + node_name, hid_path, {"dev", dev},
                      {"DEVNAME", devnode, "MAJOR", std::to_string(kHidrawMajor), "MINOR",
                       std::to_string(minor)});
        if (hidraw_path != hidraw_syspath)
            throw std::runtime_error("umockdev put " + node_name + " at " + hidraw_path);
        plugged.parents.push_back(hid_path);
        plugged.parents.push_back(interface_path);
        plugged.nodes.push_back(std::move(node));
    }
    auto nodes = plugged.nodes;
    plugged_.push_back(std::move(plugged));
    return nodes;
}

void HidrawTestbed::Unplug(int port, bool announce) {
    auto it = std::find_if(plugged_.begin(), plugged_.end(),
                           [&](const Plugged& p) { return p.port == port; });
    if (it == plugged_.end())
        return;
    for (const auto& node : it->nodes)
        node->MarkGone();
    for (const auto& parent : it->parents)
        ::unlink((root_ + parent + "/uevent").c_str());
    ::unlink((root_ + it->syspath + "/uevent").c_str());
    if (announce) {
        for (const auto& node : it->nodes)
            umockdev_testbed_uevent(testbed_, node->SysPath().c_str(), "remove");
    }
    umockdev_testbed_remove_device(testbed_, it->syspath.c_str());
    // umockdev leaves the children's class and bus links behind; a device
    // plugged again on the port needs their names.
    auto unlink_links = [&](const std::string& syspath, const char* subsystem) {
        const std::string name = std::filesystem::path(syspath).filename().string();
        ::unlink((root_ + "/sys/class/" + subsystem + "/" + name).c_str());
        ::unlink((root_ + "/sys/bus/" + subsystem + "/devices/" + name).c_str());
    };
    unlink_links(it->syspath, "usb");
    for (size_t i = 0; i < it->parents.size(); ++i)
        unlink_links(it->parents[i], i % 2 == 0 ? "hid" : "usb");
    for (const auto& node : it->nodes) {
        unlink_links(node->SysPath(), "hidraw");
        const std::string minor = node->DevNode().substr(std::string("/dev/hidraw").size());
        ::unlink((root_ + "/sys/dev/char/" + std::to_string(kHidrawMajor) + ":" + minor).c_str());
    }
    for (auto& node : it->nodes) {
        ::unlink((root_ + node->DevNode()).c_str());
        gone_.push_back(std::move(node));
    }
    plugged_.erase(it);
}

void HidrawTestbed::SetNodeMode(const std::string& devnode, unsigned mode) {
    ::chmod((root_ + devnode).c_str(), mode);
}

}  // namespace tessaly::test
