// Pixel geometry of canvas drawings that have a fixed dot pattern, kept apart from GDI so
// the pattern can be checked on its own. Coordinates are canvas pixels.
#pragma once

#include <vector>

struct DPoint {
    int x;
    int y;
    bool operator==(const DPoint& o) const { return x == o.x && y == o.y; }
};

// The dots of a dotted focus rectangle in the order they are set. A toggle that starts on
// picks the bottom edge (on) or the top edge (off) for each column, then, carrying on, the
// left edge (on) or the right edge (off) for each row, so every edge shows every other pixel.
std::vector<DPoint> focusRectDots(int x, int y, int width, int height);
