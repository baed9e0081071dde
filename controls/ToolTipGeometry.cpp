#include "controls/ToolTipGeometry.h"

namespace {

const int emptyWidth = 80;
const int emptyHeight = 15;
const int minimumLineWidth = 20;
const int margins = 4;  // 2 pixels on each side

}  // namespace

DTipSize toolTipSize(const DString& text, const DTipMeasure& measure)
{
    DTipSize size;
    if (text.length() == 0) {
        size.width = emptyWidth;
        size.height = emptyHeight;
        return size;
    }
    bool multiLine = false;
    int widest = 0;
    int start = 0;
    const char* bytes = text.text();
    for (int i = 0; i <= text.length(); ++i) {
        if (i < text.length() && bytes[i] != '\n')
            continue;
        if (i < text.length())
            multiLine = true;
        DTipSize line = measure.extent(DString(bytes + start, i - start));
        if (line.width > widest)
            widest = line.width;
        start = i + 1;
    }
    if (!multiLine) {
        DTipSize line = measure.extent(text);
        size.width = line.width + margins;
        size.height = line.height + margins;
        return size;
    }
    if (widest < minimumLineWidth)
        widest = minimumLineWidth;
    size.width = widest + margins;
    size.height = measure.boxHeight(size.width, text) + margins;
    return size;
}

DTipPlace keepOnScreen(int x, int y, int w, int h, int screenWidth, int screenHeight)
{
    DTipPlace place{x, y};
    // 64-bit sums: a window far off the screen must not wrap around into it.
    if (static_cast<long long>(x) + w > screenWidth)
        place.x = screenWidth - w;
    else if (x < 0)
        place.x = 0;
    if (static_cast<long long>(y) + h > screenHeight)
        place.y = screenHeight - h;
    else if (y < 0)
        place.y = 0;
    return place;
}

DTipPlace bottomRightPlace(int w, int h, int screenWidth, int screenHeight, int margin)
{
    return DTipPlace{screenWidth - w - margin, screenHeight - h - margin};
}
