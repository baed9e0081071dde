#include "framework/WindowGeometry.h"

DSize outerSize(DWindowKind kind, const DFrameMetrics& metrics, int clientWidth, int clientHeight)
{
    DSize size{clientWidth, clientHeight};
    if (kind == DWindowKind::captioned) {
        size.width += 2 * metrics.frameWidth;
        size.height += 2 * metrics.frameHeight + metrics.captionHeight;
    }
    return size;
}

DPoint centeredPosition(int areaWidth, int areaHeight, int width, int height)
{
    // C++ integer division truncates toward zero, as the rule wants.
    return DPoint{(areaWidth - width) / 2, (areaHeight - height) / 2};
}

bool containsPoint(int x, int y, int width, int height, int px, int py)
{
    // 64-bit sums: bounds near the int limits must not overflow.
    long long right = static_cast<long long>(x) + width;
    long long bottom = static_cast<long long>(y) + height;
    return px >= x && px <= right && py >= y && py <= bottom;
}
