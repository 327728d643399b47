#include "platform/evdev_keyboard_reader.h"

#include <fcntl.h>
#include <libevdev/libevdev.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "base/trace.h"

namespace tessaly {

struct EvdevKeyboardReader::Device {
    int fd = -1;
    // Null for descriptors libevdev does not take (pipes): read as they are.
    libevdev* evdev = nullptr;
    EvdevKeyTranslator translator;

    ~Device() {
        if (evdev != nullptr) {
            libevdev_free(evdev);
        }
        if (fd >= 0) {
            close(fd);
        }
    }
};

namespace {

bool IsKeyboard(libevdev* evdev) {
    return libevdev_has_event_type(evdev, EV_KEY) &&
           libevdev_has_event_code(evdev, EV_KEY, KEY_A) &&
           libevdev_has_event_code(evdev, EV_KEY, KEY_SPACE) &&
           libevdev_has_event_code(evdev, EV_KEY, KEY_ENTER);
}

std::optional<bool> NumLockLed(libevdev* evdev) {
    if (!libevdev_has_event_code(evdev, EV_LED, LED_NUML)) {
        return std::nullopt;
    }
    return libevdev_get_event_value(evdev, EV_LED, LED_NUML) != 0;
}

bool IsEventNode(const std::filesystem::path& path) {
    return path.filename().string().starts_with("event");
}

}  // namespace

void EvdevKeyTranslator::Feed(const input_event& event, const EvdevKeySink& sink) {
    if (event.type == EV_LED && event.code == LED_NUML) {
        num_lock_ = event.value != 0;
        return;
    }
    if (event.type != EV_KEY || event.value < 0 || event.value > 2) {
        return;
    }
    sink(event.code, event.value != 0, num_lock_);
}

EvdevKeyboardReader::EvdevKeyboardReader() = default;

EvdevKeyboardReader::~EvdevKeyboardReader() {
    Stop();
}

bool EvdevKeyboardReader::Start(const std::string& folder, EvdevKeySink sink) {
    std::vector<int> keyboards;
    std::error_code error;
    std::vector<std::filesystem::path> nodes;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (IsEventNode(entry.path())) {
            nodes.push_back(entry.path());
        }
    }
    std::sort(nodes.begin(), nodes.end());
    for (const auto& node : nodes) {
        const int fd = open(node.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        libevdev* evdev = nullptr;
        const bool keyboard = libevdev_new_from_fd(fd, &evdev) == 0 && IsKeyboard(evdev);
        if (evdev != nullptr) {
            libevdev_free(evdev);
        }
        if (keyboard) {
            Trace(kTraceDevice, "keyboard %s", node.c_str());
            keyboards.push_back(fd);
        } else {
            close(fd);
        }
    }
    return StartOnDescriptors(std::move(keyboards), std::move(sink));
}

bool EvdevKeyboardReader::StartOnDescriptors(std::vector<int> descriptors, EvdevKeySink sink) {
    Stop();
    for (int fd : descriptors) {
        auto device = std::make_unique<Device>();
        device->fd = fd;
        if (libevdev_new_from_fd(fd, &device->evdev) != 0) {
            device->evdev = nullptr;
        }
        device->translator =
            EvdevKeyTranslator(device->evdev ? NumLockLed(device->evdev) : std::nullopt);
        devices_.push_back(std::move(device));
    }
    if (devices_.empty() || pipe2(stop_pipe_, O_CLOEXEC) != 0) {
        devices_.clear();
        return false;
    }
    sink_ = std::move(sink);
    thread_ = std::thread([this] { Run(); });
    return true;
}

void EvdevKeyboardReader::Stop() {
    if (thread_.joinable()) {
        const char stop = 1;
        (void)!write(stop_pipe_[1], &stop, 1);
        thread_.join();
    }
    for (int& fd : stop_pipe_) {
        if (fd >= 0) {
            close(fd);
            fd = -1;
        }
    }
    devices_.clear();
}

void EvdevKeyboardReader::Run() {
    std::vector<pollfd> polled;
    polled.push_back({stop_pipe_[0], POLLIN, 0});
    for (const auto& device : devices_) {
        polled.push_back({device->fd, POLLIN, 0});
    }
    size_t open_devices = devices_.size();
    while (open_devices > 0) {
        if (poll(polled.data(), polled.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (polled[0].revents != 0) {
            return;
        }
        for (size_t i = 1; i < polled.size(); ++i) {
            if (polled[i].revents == 0) {
                continue;
            }
            Device& device = *devices_[i - 1];
            bool gone = (polled[i].revents & (POLLERR | POLLNVAL)) != 0;
            if (device.evdev != nullptr) {
                input_event event;
                int status = 0;
                unsigned flags = LIBEVDEV_READ_FLAG_NORMAL;
                while ((status = libevdev_next_event(device.evdev, flags, &event)) >= 0) {
                    // After a dropped buffer libevdev replays the device's state.
                    flags = status == LIBEVDEV_READ_STATUS_SYNC ? LIBEVDEV_READ_FLAG_SYNC
                                                                : LIBEVDEV_READ_FLAG_NORMAL;
                    device.translator.Feed(event, sink_);
                }
                gone = gone || (status != -EAGAIN && status != -EINTR);
            } else {
                input_event event;
                const ssize_t got = read(device.fd, &event, sizeof event);
                if (got == static_cast<ssize_t>(sizeof event)) {
                    device.translator.Feed(event, sink_);
                } else if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR)) {
                    gone = true;
                }
            }
            if (gone) {
                // An unplugged keyboard (or a closed pipe) is left alone.
                polled[i].fd = -1;
                --open_devices;
            }
        }
    }
}

}  // namespace tessaly
