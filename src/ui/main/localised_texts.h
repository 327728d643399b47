#pragma once
// Texts put together at run time from numbered texts and values (a version
// line, a firmware status). Whoever sets one leaves the way to build it, so a
// change of language builds it again instead of leaving the old language.

#include <functional>
#include <string>
#include <vector>

#include "ui/toolkit/control.h"

namespace tessaly::ui {

class LocalisedTexts {
  public:
    using Builder = std::function<std::u16string()>;

    // Any thread. Sets the title now and keeps the builder, replacing the
    // control's previous one.
    void SetTitle(DUI::MControlFont* control, Builder build);
    // The control's title is plain again (or the control goes away).
    void Forget(const DUI::MControl* control);
    // UI thread: every kept builder runs again.
    void Rebuild();

  private:
    struct Entry {
        DUI::MControlFont* control;
        Builder build;
    };
    // Guarded by the toolkit lock, so a worker's new text cannot be
    // overwritten by an older builder running at the same time.
    std::vector<Entry> entries_;
};

}  // namespace tessaly::ui
