// DIcon: an image with transparency, two bitmaps of the same size: the colour layer and the
// mask, in which black marks an opaque pixel and white a transparent one (where the mask is
// white the colour layer is black). Both layers are black, fully opaque, when new. Owns both.
#pragma once

#include "foundation/DObject.h"
#include "graphics/DBitmap.h"

class DIcon : public DObject {
public:
    DIcon(int width, int height);
    ~DIcon() override;
    DIcon(const DIcon&) = delete;
    DIcon& operator=(const DIcon&) = delete;

    DBitmap* image() { return colorLayer; }
    DBitmap* mask() { return maskLayer; }
    int width() const { return iconWidth; }
    int height() const { return iconHeight; }

private:
    DBitmap* colorLayer;  // owned
    DBitmap* maskLayer;   // owned
    int iconWidth;
    int iconHeight;
};
