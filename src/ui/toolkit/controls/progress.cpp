#include "ui/toolkit/controls/progress.h"

#include <algorithm>

#include "ui/toolkit/toolkit.h"

namespace tessaly::DUI {

void MProgress::SetMaxValue(int maximum) {
    auto lock = LockToolkit();
    maximum_ = std::max(maximum, 0);
    SetProgressLocked(position_);
    Changed(ControlChange::kValue);
}

int MProgress::GetMaxValue() const {
    auto lock = LockToolkit();
    return maximum_;
}

void MProgress::SetProgress(int position) {
    auto lock = LockToolkit();
    SetProgressLocked(position);
}

void MProgress::SetProgressLocked(int position) {
    position = std::max(position, 0);
    if (maximum_ > 0) {
        position = std::min(position, maximum_);
    }
    if (position_ != position) {
        position_ = position;
        Changed(ControlChange::kValue);
    }
}

int MProgress::GetProgress() const {
    auto lock = LockToolkit();
    return position_;
}

void MProgress2::SetRun(bool run, int step) {
    auto lock = LockToolkit();
    running_ = run;
    step_ = step;
    Changed(ControlChange::kValue);
}

bool MProgress2::IsRunning() const {
    auto lock = LockToolkit();
    return running_;
}

int MProgress2::GetAnimationPhase() const {
    auto lock = LockToolkit();
    return phase_;
}

void MProgress2::OnControlTimer() {
    if (!running_) {
        return;
    }
    phase_ += step_;
    Changed(ControlChange::kRepaint);
}

void SliderBase::ApplyUserEvent(int, intptr_t param) {
    SetProgressLocked(static_cast<int>(param));
}

void DPISlider::SetDPIDesc(std::u16string_view minimum_label, std::u16string_view maximum_label) {
    auto lock = LockToolkit();
    minimum_label_ = minimum_label;
    maximum_label_ = maximum_label;
    Changed(ControlChange::kText);
}

std::pair<std::u16string, std::u16string> DPISlider::GetDPIDesc() const {
    auto lock = LockToolkit();
    return {minimum_label_, maximum_label_};
}

void DPISlider::SetOffset(int offset) {
    auto lock = LockToolkit();
    offset_ = offset;
    Changed(ControlChange::kValue);
}

int DPISlider::GetOffset() const {
    auto lock = LockToolkit();
    return offset_;
}

}  // namespace tessaly::DUI
