#include "macros/macro_file_saves.h"

#include <mutex>

namespace tessaly {
namespace {

std::mutex& SavesLock() {
    static std::mutex lock;
    return lock;
}

MacroFileSave& Saves() {
    static MacroFileSave saves;
    return saves;
}

}  // namespace

bool RecordMacroFileSave(bool saved) {
    std::lock_guard lock(SavesLock());
    ++Saves().count;
    Saves().saved = saved;
    return saved;
}

MacroFileSave LastMacroFileSave() {
    std::lock_guard lock(SavesLock());
    return Saves();
}

}  // namespace tessaly
