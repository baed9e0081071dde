// DBrush: fill attribute of a canvas, a solid colour (white unless set). Only a description:
// the canvas makes the GDI brush for each operation.
#pragma once

#include "foundation/DObject.h"
#include "graphics/DColor.h"

class DBrush : public DObject {
public:
    void setColor(const DColor& c) { color = c; }
    DColor getColor() const { return color; }

private:
    DColor color{255, 255, 255};
};
