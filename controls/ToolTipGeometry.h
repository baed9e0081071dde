// Size and placement of tool tips (and of the notification box, which is one), apart from
// any window. Sizes are pixels; positions are screen pixels of the window's top-left
// corner. Text is measured through functions the caller gives, so the rules work the same
// with a GDI font on a canvas and with a fixed-width fake in tests.
#pragma once

#include "foundation/DString.h"

#include <functional>

struct DTipSize {
    int width = 0;
    int height = 0;
};

struct DTipPlace {
    int x = 0;
    int y = 0;
};

// How the caller measures text: `extent` gives the width and height of one line as drawn,
// `boxHeight` the height of a word-wrapped text box of the given column width.
struct DTipMeasure {
    std::function<DTipSize(const DString& line)> extent;
    std::function<int(int width, const DString& text)> boxHeight;
};

// Size of a tool tip window for `text`: 80 x 15 when empty. With line feeds, as wide as
// the widest line (at least 20) and as high as the text box of the whole text at that
// window width, each plus a 2-pixel margin on both sides; otherwise the single line's
// extent plus the margins.
DTipSize toolTipSize(const DString& text, const DTipMeasure& measure);

// The top-left corner that keeps a w x h window at (x, y) on a screenWidth x screenHeight
// screen: one sticking out on the right or bottom is moved back flush with that edge, one
// sticking out on the left or top is moved to 0.
DTipPlace keepOnScreen(int x, int y, int w, int h, int screenWidth, int screenHeight);

// The top-left corner that puts a w x h window `margin` pixels left of and above the
// bottom-right corner of the screen.
DTipPlace bottomRightPlace(int w, int h, int screenWidth, int screenHeight, int margin);
