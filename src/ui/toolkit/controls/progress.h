#pragma once
// Bars and sliders: a position between 0 and a maximum. Progress bars clamp
// to their maximum (a value above it shows a full bar); sliders clamp once
// their number of positions is known (maximum above 0). Dragging a slider
// reports its position as the event parameter.

#include <utility>

#include "ui/toolkit/control.h"

namespace tessaly::DUI {

class MProgress : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "MProgress";
    MProgress() : MProgress(kClassName, 100) {}
    void SetMaxValue(int maximum);
    int GetMaxValue() const;
    void SetProgress(int position);
    int GetProgress() const;

  protected:
    MProgress(std::string_view class_name, int maximum)
        : MControlFont(class_name), maximum_(maximum) {}
    void SetProgressLocked(int position);

  private:
    int maximum_;
    int position_ = 0;
};

// A bar that can also run an endless animation, advanced by the control timer.
class MProgress2 : public MProgress {
  public:
    static constexpr std::string_view kClassName = "MProgress2";
    MProgress2() : MProgress(kClassName, 100) {}
    // Step per tick: positive moves forward, negative backwards.
    void SetRun(bool run, int step);
    bool IsRunning() const;
    int GetAnimationPhase() const;

  protected:
    void OnControlTimer() override;

  private:
    bool running_ = false;
    int step_ = 1;
    int phase_ = 0;
};

class SliderBase : public MProgress {
  protected:
    using MProgress::MProgress;
    void ApplyUserEvent(int event, intptr_t param) override;
};

// The DPI slider: labels at both ends, a number of positions and an offset
// added to the position when it is turned into DPI.
class DPISlider : public SliderBase {
  public:
    static constexpr std::string_view kClassName = "DPISlider";
    DPISlider() : SliderBase(kClassName, 0) {}
    void SetDPIDesc(std::u16string_view minimum_label, std::u16string_view maximum_label);
    std::pair<std::u16string, std::u16string> GetDPIDesc() const;
    void SetOffset(int offset);
    int GetOffset() const;

  private:
    std::u16string minimum_label_;
    std::u16string maximum_label_;
    int offset_ = 0;
};

class LightSlider : public SliderBase {
  public:
    static constexpr std::string_view kClassName = "LightSlider";
    LightSlider() : SliderBase(kClassName, 0) {}
};

}  // namespace tessaly::DUI
