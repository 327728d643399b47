#include "base/application_name.h"

#include <mutex>

#include "base/unicode.h"

namespace tessaly {
namespace {

struct NameStore {
    std::mutex lock;
    std::u16string name{kDefaultApplicationName};
};

NameStore& Store() {
    static NameStore store;
    return store;
}

}  // namespace

void SetApplicationName(std::u16string_view name) {
    auto& store = Store();
    std::lock_guard guard(store.lock);
    store.name = name;
}

std::u16string ApplicationName() {
    auto& store = Store();
    std::lock_guard guard(store.lock);
    return store.name;
}

}  // namespace tessaly

namespace tessaly {

std::string ApplicationFileName() {
    std::string name = ToUtf8(ApplicationName());
    for (auto& c : name) {
        if (c == '/' || c == '\0')
            c = '_';
    }
    if (name.empty() || name == "." || name == "..")
        name = "_" + name;
    return name;
}

}  // namespace tessaly
