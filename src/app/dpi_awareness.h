#pragma once
// Whether the process draws at the screen's own scale or lets the desktop
// scale it: pure functions of the screen, fed by the GUI from the real one.

namespace tessaly {

// The scale of a monitor from its horizontal DPI figure.
int MonitorScalePercent(int horizontal_dpi);

// Small screens, and a 1920 x 1080 screen scaled above 125 %, are drawn
// at their own scale.
bool ShouldBeDpiAware(int screen_width, int screen_height, int horizontal_dpi);

}  // namespace tessaly
