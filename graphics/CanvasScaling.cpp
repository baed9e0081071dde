// DCanvas's drawing at a scale other than the base: every unit covers the device pixels of
// its band (DisplayScale.h), so edges and lines are filled bands of the pen's colour one
// unit wide, single pixels are squares and pictures are enlarged pixel for pixel. At the
// base scale the canvas draws with GDI's own lines, rectangles and pixels instead, which
// give the same pixels there.
#include "graphics/DCanvas.h"

#include <algorithm>

namespace {

const int nullPenStyle = 5;  // PS_NULL: no outline at all

}  // namespace

void DCanvas::fillDevice(const RECT& area, COLORREF color)
{
    if (area.right <= area.left || area.bottom <= area.top) return;
    // An opaque empty text is the cheapest solid fill GDI has; it keeps the clip.
    const COLORREF previous = SetBkColor(deviceContext, color);
    ExtTextOutA(deviceContext, 0, 0, ETO_OPAQUE, &area, "", 0, nullptr);
    SetBkColor(deviceContext, previous);
}

void DCanvas::fillUnits(int x, int y, int width, int height, COLORREF color)
{
    if (width <= 0 || height <= 0) return;
    fillDevice(deviceRect(x, y, width, height), color);
}

void DCanvas::scaledLine(int x1, int y1, int x2, int y2)
{
    if (penObject->getStyle() == nullPenStyle) return;
    const int units = std::max(1, penObject->getWidth());
    const COLORREF ink = penObject->getColor().value();
    // As with GDI's lines the end point is left out, so a line along an edge ends where the
    // next one begins; a wider pen is centred on the line.
    if (y1 == y2 && x1 != x2) {
        const int from = x2 > x1 ? x1 : x2 + 1;
        const int to = x2 > x1 ? x2 - 1 : x1;
        fillUnits(from, y1 - (units - 1) / 2, to - from + 1, units, ink);
        return;
    }
    if (x1 == x2 && y1 != y2) {
        const int from = y2 > y1 ? y1 : y2 + 1;
        const int to = y2 > y1 ? y2 - 1 : y1;
        fillUnits(x1 - (units - 1) / 2, from, units, to - from + 1, ink);
        return;
    }
    if (x1 == x2) return;
    // A slanted line: GDI's, from the middle of the first unit's band to the middle of the
    // last one's, with a pen as wide as a unit (refreshObjects made it so).
    const RECT first = deviceRect(x1, y1, 1, 1);
    const RECT last = deviceRect(x2, y2, 1, 1);
    MoveToEx(deviceContext, (first.left + first.right - 1) / 2, (first.top + first.bottom - 1) / 2,
             nullptr);
    LineTo(deviceContext, (last.left + last.right - 1) / 2, (last.top + last.bottom - 1) / 2);
}

void DCanvas::scaledRect(int x, int y, int width, int height, bool fill)
{
    if (width < 0) {
        x += width;
        width = -width;
    }
    if (height < 0) {
        y += height;
        height = -height;
    }
    if (width == 0 || height == 0) return;
    if (fill) fillDevice(deviceRect(x, y, width, height), brushObject->getColor().value());
    if (penObject->getStyle() == nullPenStyle) return;
    const int units = std::min(std::max(1, penObject->getWidth()), std::min(width, height));
    const COLORREF ink = penObject->getColor().value();
    fillUnits(x, y, width, units, ink);
    fillUnits(x, y + height - units, width, units, ink);
    fillUnits(x, y, units, height, ink);
    fillUnits(x + width - units, y, units, height, ink);
}

void DCanvas::scaledBlit(int x, int y, int width, int height, HDC source, int sourceWidth,
                         int sourceHeight, DWORD operation)
{
    if (scale.isBase()) {
        BitBlt(deviceContext, x + originX, y + originY, width, height, source, 0, 0, operation);
        return;
    }
    // Colour on colour: each target pixel takes one source pixel, nothing is blended.
    const RECT target = deviceRect(x, y, width, height);
    const int previous = SetStretchBltMode(deviceContext, COLORONCOLOR);
    StretchBlt(deviceContext, target.left, target.top, target.right - target.left,
               target.bottom - target.top, source, 0, 0, sourceWidth, sourceHeight, operation);
    if (previous) SetStretchBltMode(deviceContext, previous);
}
