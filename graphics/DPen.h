// DPen: outline attributes of a canvas (colour, width in pixels with 0 meaning one pixel,
// GDI pen style). Only a description: the canvas makes the GDI pen for each operation.
#pragma once

#include "foundation/DObject.h"
#include "graphics/DColor.h"

class DPen : public DObject {
public:
    void setColor(const DColor& c) { color = c; }
    void setWidth(int w) { width = w; }
    void setStyle(int s) { style = s; }
    DColor getColor() const { return color; }
    int getWidth() const { return width; }
    int getStyle() const { return style; }
    void assign(const DPen& other)
    {
        color = other.color;
        width = other.width;
        style = other.style;
    }

private:
    DColor color;    // black
    int width = 0;   // one pixel
    int style = 0;   // solid
};
