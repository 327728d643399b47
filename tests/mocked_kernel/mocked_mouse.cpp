#include "mocked_kernel/mocked_mouse.h"

#include <cerrno>

namespace tessaly::test {
namespace {

constexpr int kPumpWaitMs = 50;

emulator::VirtualMouseConfig Unannounced(emulator::VirtualMouseConfig config) {
    // The kernel's uevents announce the devices, not the virtual mouse.
    config.announce_changes = false;
    return config;
}

size_t LinkIndex(emulator::MouseLink link) {
    return link == emulator::MouseLink::kCable ? 0 : 1;
}

}  // namespace

MockedMouse::MockedMouse(emulator::VirtualMouseConfig config)
    : config_(Unannounced(std::move(config))),
      mouse_(std::make_unique<emulator::VirtualMouse>(backend_, config_)) {
    for (auto link : {emulator::MouseLink::kCable, emulator::MouseLink::kReceiver}) {
        if (mouse_->Plugged(link))
            PlugKernelSide(link);
    }
}

MockedMouse::~MockedMouse() {
    for (auto link : {emulator::MouseLink::kCable, emulator::MouseLink::kReceiver})
        StopBridges(link);
}

int MockedMouse::Port(emulator::MouseLink link) {
    return link == emulator::MouseLink::kCable ? 1 : 2;
}

bool MockedMouse::Plug(emulator::MouseLink link) {
    if (!mouse_->Plug(link))
        return false;
    PlugKernelSide(link);
    return true;
}

bool MockedMouse::Unplug(emulator::MouseLink link, bool announce) {
    if (!mouse_->Plugged(link))
        return false;
    testbed_.Unplug(Port(link), announce);
    StopBridges(link);
    mouse_->Unplug(link);
    return true;
}

void MockedMouse::PlugKernelSide(emulator::MouseLink link) {
    const auto& ids = link == emulator::MouseLink::kCable ? config_.cable : config_.receiver;
    UsbHidDeviceSpec shape;
    shape.port = Port(link);
    shape.vendor_id = ids.vendor_id;
    shape.product_id = ids.product_id;
    shape.release = ids.release_number;
    shape.product = link == emulator::MouseLink::kCable ? "Virtual Mouse" : "Virtual Receiver";
    for (int i :
         {emulator::kPointerInterface, emulator::kUpgradeInterface, emulator::kConfigInterface}) {
        shape.interfaces.push_back({i, mouse_->ReportDescriptor(i)});
    }
    const auto nodes = testbed_.Plug(shape);
    auto& bridges = bridges_[LinkIndex(link)];
    for (size_t i = 0; i < nodes.size(); ++i) {
        auto bridge = std::make_unique<Bridge>();
        bridge->node = nodes[i];
        bridge->connection = backend_->Open(mouse_->Path(link, static_cast<int>(i)));
        if (!bridge->connection)
            continue;
        HidConnection* connection = bridge->connection.get();
        bridge->node->SetWriteHandler([connection](std::span<const uint8_t> report) {
            const int written = connection->WriteReport(report);
            return written < 0 ? -EIO : written;
        });
        Bridge* raw = bridge.get();
        bridge->pump = std::thread([raw] {
            std::vector<uint8_t> buffer(std::max<size_t>(raw->connection->Lengths().input, 1));
            while (!raw->stop) {
                const int got = raw->connection->ReadReport(buffer, kPumpWaitMs);
                if (got > 0)
                    raw->node->Deliver({buffer.begin(), buffer.begin() + got});
                else if (got < 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(kPumpWaitMs));
            }
        });
        bridges.push_back(std::move(bridge));
    }
}

void MockedMouse::StopBridges(emulator::MouseLink link) {
    auto& bridges = bridges_[LinkIndex(link)];
    for (auto& bridge : bridges) {
        bridge->stop = true;
        bridge->connection->InterruptRead();
        bridge->node->SetWriteHandler(nullptr);
    }
    for (auto& bridge : bridges) {
        if (bridge->pump.joinable())
            bridge->pump.join();
    }
    bridges.clear();
}

std::shared_ptr<HidrawNode> MockedMouse::Node(emulator::MouseLink link,
                                              int interface_number) const {
    const auto& bridges = bridges_[LinkIndex(link)];
    const auto at = static_cast<size_t>(interface_number);
    return at < bridges.size() ? bridges[at]->node : nullptr;
}

std::vector<std::vector<uint8_t>> MockedMouse::Received(emulator::MouseLink link,
                                                        int interface_number) const {
    const auto device = mouse_->Device(link, interface_number);
    return device ? device->WrittenReports() : std::vector<std::vector<uint8_t>>{};
}

}  // namespace tessaly::test
