#include "app/dpi_awareness.h"

namespace tessaly {

int MonitorScalePercent(int horizontal_dpi) {
    if (horizontal_dpi <= 96)
        return 100;
    if (horizontal_dpi == 120)
        return 125;
    if (horizontal_dpi == 144 || horizontal_dpi == 168 || horizontal_dpi == 192) {
        return horizontal_dpi;
    }
    return 100;
}

bool ShouldBeDpiAware(int screen_width, int screen_height, int horizontal_dpi) {
    if (screen_width < 1400 || screen_height < 800)
        return true;
    return screen_width == 1920 && screen_height == 1080 &&
           MonitorScalePercent(horizontal_dpi) > 125;
}

}  // namespace tessaly
