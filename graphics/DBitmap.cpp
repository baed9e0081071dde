#include "graphics/DBitmap.h"

DBitmap::DBitmap(int width, int height) : bitmapWidth(width), bitmapHeight(height)
{
    {
        DDcHolder display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
        if (display.get() && width > 0 && height > 0)
            bitmap.reset(CreateCompatibleBitmap(display.get(), width, height));
    }
    drawingCanvas = new DCanvas(handle());
    drawingCanvas->brush()->setColor(DColor(0, 0, 0));
    drawingCanvas->pen()->setColor(DColor(0, 0, 0));
    drawingCanvas->drawRect(0, 0, width, height);
}

DBitmap::~DBitmap()
{
    // The canvas goes first, so the bitmap is no longer selected into its device context.
    delete drawingCanvas;
    bitmap.reset();
}
