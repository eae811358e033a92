#include "shell/SplitterLayout.h"

#include <algorithm>
#include <cmath>

SplitterPass LayoutSplitterPass(const SplitterGeometry& g, float fraction) {
    SplitterPass pass;
    const float length = g.stacked ? g.height : g.width;
    const float free = length - g.barThickness;
    pass.fraction = fraction;
    if (free > 0) {
        float size1 = std::max(free * fraction, g.minPos);
        size1 = std::clamp(size1, 0.0f, free);
        pass.fraction = size1 / free;
        pass.size1 = size1;
        pass.size2 = free * (1.0f - pass.fraction);
        if (pass.size2 < 0) pass.size2 = 0;
    }
    if (g.stacked) {
        pass.barLeft = 0;
        pass.barTop = pass.size1;
        pass.barWidth = g.width;
        pass.barHeight = g.barThickness;
    } else {
        pass.barLeft = pass.size1;
        pass.barTop = 0;
        pass.barWidth = g.barThickness;
        pass.barHeight = g.height;
    }
    return pass;
}

SplitterDrag DragSplitterBar(const SplitterGeometry& g, float barPos, float offset) {
    SplitterDrag drag;
    const float length = g.stacked ? g.height : g.width;
    drag.barPos = std::max(barPos + offset - g.barThickness, g.minPos);
    drag.fraction = length != 0 ? drag.barPos / length : 0.001f;
    drag.fraction = std::clamp(drag.fraction, 0.001f, 0.999f);
    return drag;
}

uint8_t SplitPercentFromFraction(float fraction) {
    const double percent = std::nearbyint(static_cast<double>(fraction) * 100.0);
    return static_cast<uint8_t>(std::clamp(percent, 0.0, 255.0));
}
