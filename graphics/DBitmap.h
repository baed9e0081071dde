// DBitmap: an off-screen bitmap compatible with the display, width x height pixels, black
// when new, with a memory canvas for drawing into it. Owns the GDI bitmap and the canvas.
#pragma once

#include "foundation/DObject.h"
#include "graphics/DCanvas.h"
#include "graphics/GdiHolders.h"

#include <vector>
#include <windows.h>

class DBitmap : public DObject {
public:
    DBitmap(int width, int height);
    ~DBitmap() override;
    DBitmap(const DBitmap&) = delete;
    DBitmap& operator=(const DBitmap&) = delete;

    HBITMAP handle() const { return static_cast<HBITMAP>(bitmap.get()); }
    int width() const { return bitmapWidth; }
    int height() const { return bitmapHeight; }
    DCanvas* canvas() { return drawingCanvas; }
    // Replaces every pixel at once from width x height colours, row after row from the top;
    // the same pixels as setting each through the canvas, in one transfer. False (and the
    // bitmap unchanged) when the count is wrong or the system refuses. Not for use inside a
    // lock/unlock bracket of the bitmap's own canvas.
    bool setPixels(const std::vector<DColor>& pixels);
    // Every pixel, in the same order; empty when the system refuses. The same rule for
    // brackets as setPixels.
    std::vector<DColor> pixels() const;

private:
    DGdiObjectHolder bitmap;  // owned GDI bitmap; null if creation failed
    int bitmapWidth;
    int bitmapHeight;
    DCanvas* drawingCanvas;   // owned, a memory canvas on the bitmap
};
