#include "graphics/DBitmap.h"

#include "system/DrawingLock.h"

namespace {

// A 32-bit top-down device-independent image of width x height: blue, green, red from the
// low byte, the reverse of a colour reference.
BITMAPINFO topDownImage(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace

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
    // A new bitmap's contents are undefined: blacken it directly, so the canvas keeps no pen
    // or brush for a bitmap that may never be drawn on again.
    HDC dc = drawingCanvas->dc();
    if (dc && bitmap.get()) {
        HGDIOBJ previous = SelectObject(dc, bitmap.get());
        PatBlt(dc, 0, 0, width, height, BLACKNESS);
        if (previous) SelectObject(dc, previous);
    }
}

bool DBitmap::setPixels(const std::vector<DColor>& pixels)
{
    if (!bitmap.get() || pixels.size() != size_t(bitmapWidth) * size_t(bitmapHeight))
        return false;
    std::vector<uint32_t> bgra(pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t ref = pixels[i].value();
        bgra[i] = ((ref & 0xFF) << 16) | (ref & 0xFF00) | ((ref >> 16) & 0xFF);
    }
    BITMAPINFO info = topDownImage(bitmapWidth, bitmapHeight);
    // The bitmap is selected into its canvas only during an operation or bracket, each under
    // the drawing lock, so holding it here keeps other threads from drawing on it meanwhile.
    DDrawingLockHolder hold;
    DDcHolder display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    if (!display.get()) return false;
    const int lines = SetDIBits(display.get(), handle(), 0, UINT(bitmapHeight), bgra.data(),
                                &info, DIB_RGB_COLORS);
    return lines == bitmapHeight;
}

std::vector<DColor> DBitmap::pixels() const
{
    std::vector<DColor> colors;
    if (!bitmap.get() || bitmapWidth < 1 || bitmapHeight < 1) return colors;
    std::vector<uint32_t> bgra(size_t(bitmapWidth) * size_t(bitmapHeight));
    BITMAPINFO info = topDownImage(bitmapWidth, bitmapHeight);
    DDrawingLockHolder hold;
    DDcHolder display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    if (!display.get()) return colors;
    const int lines = GetDIBits(display.get(), handle(), 0, UINT(bitmapHeight), bgra.data(),
                                &info, DIB_RGB_COLORS);
    if (lines != bitmapHeight) return colors;
    colors.reserve(bgra.size());
    for (uint32_t p : bgra)
        colors.push_back(DColor(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16)));
    return colors;
}

DBitmap::~DBitmap()
{
    // The canvas goes first, so the bitmap is no longer selected into its device context.
    delete drawingCanvas;
    bitmap.reset();
}
