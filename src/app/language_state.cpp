#include "app/language_state.h"

#include <algorithm>
#include <atomic>
#include <mutex>

namespace tessaly {
namespace {

std::atomic<int> g_current_lcid{0};

struct LanguageList {
    std::mutex lock;
    std::vector<int> ids;
};

LanguageList& Languages() {
    static LanguageList list;
    return list;
}

}  // namespace

int CurrentLcid() {
    return g_current_lcid.load(std::memory_order_relaxed);
}
void SetCurrentLcid(int lcid) {
    g_current_lcid.store(lcid, std::memory_order_relaxed);
}

std::vector<int> LanguageSet() {
    auto& list = Languages();
    std::lock_guard guard(list.lock);
    return list.ids;
}

void ClearLanguageSet() {
    auto& list = Languages();
    std::lock_guard guard(list.lock);
    list.ids.clear();
}

void AddToLanguageSet(int lcid) {
    auto& list = Languages();
    std::lock_guard guard(list.lock);
    if (std::find(list.ids.begin(), list.ids.end(), lcid) == list.ids.end()) {
        list.ids.push_back(lcid);
    }
}

bool InLanguageSet(int lcid) {
    auto& list = Languages();
    std::lock_guard guard(list.lock);
    return std::find(list.ids.begin(), list.ids.end(), lcid) != list.ids.end();
}

}  // namespace tessaly
