// DBitmap: an off-screen bitmap compatible with the display, width x height pixels, black
// when new, with a memory canvas for drawing into it. Owns the GDI bitmap and the canvas.
#pragma once

#include "foundation/DObject.h"
#include "graphics/DCanvas.h"
#include "graphics/GdiHolders.h"

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

private:
    DGdiObjectHolder bitmap;  // owned GDI bitmap; null if creation failed
    int bitmapWidth;
    int bitmapHeight;
    DCanvas* drawingCanvas;   // owned, a memory canvas on the bitmap
};
