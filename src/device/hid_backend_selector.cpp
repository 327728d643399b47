#include <mutex>

#include "device/hid_backend.h"
#include "device/hid_backend_hidapi.h"

namespace tessaly {
namespace {

struct Selector {
    std::mutex lock;
    std::shared_ptr<HidBackend> chosen;    // set by SetHidBackend
    std::shared_ptr<HidBackend> fallback;  // hidapi, created on first need
};

Selector& TheSelector() {
    static Selector selector;
    return selector;
}

}  // namespace

std::shared_ptr<HidBackend> ActiveHidBackend() {
    auto& selector = TheSelector();
    std::lock_guard guard(selector.lock);
    if (selector.chosen)
        return selector.chosen;
    if (!selector.fallback)
        selector.fallback = std::make_shared<HidapiBackend>();
    return selector.fallback;
}

std::shared_ptr<HidBackend> SetHidBackend(std::shared_ptr<HidBackend> backend) {
    auto& selector = TheSelector();
    std::lock_guard guard(selector.lock);
    std::swap(selector.chosen, backend);
    return backend;
}

}  // namespace tessaly
