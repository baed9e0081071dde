#include "graphics/CanvasGeometry.h"

#include <cstddef>

std::vector<DPoint> focusRectDots(int x, int y, int width, int height)
{
    std::vector<DPoint> dots;
    if (width > 0 && height > 0) dots.reserve(std::size_t(width) + std::size_t(height));
    bool on = true;
    for (int i = 0; i < width; ++i) {
        dots.push_back(on ? DPoint{x + i, y + height - 1} : DPoint{x + i, y});
        on = !on;
    }
    for (int i = 0; i < height; ++i) {
        dots.push_back(on ? DPoint{x, y + i} : DPoint{x + width - 1, y + i});
        on = !on;
    }
    return dots;
}
