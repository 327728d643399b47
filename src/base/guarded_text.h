#pragma once
// A text one thread sets while another reads it: every access copies under
// a lock, so a reader never sees a text half replaced.

#include <mutex>
#include <string>

namespace tessaly {

class GuardedText {
  public:
    std::u16string Get() const {
        std::lock_guard lock(mutex_);
        return text_;
    }
    void Set(std::u16string text) {
        std::lock_guard lock(mutex_);
        text_ = std::move(text);
    }
    bool Empty() const {
        std::lock_guard lock(mutex_);
        return text_.empty();
    }

  private:
    mutable std::mutex mutex_;
    std::u16string text_;
};

}  // namespace tessaly
