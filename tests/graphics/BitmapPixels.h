// Test helpers: the pixels of a DBitmap read in one go, as colour references, and a fill.
#pragma once

#include "graphics/DBitmap.h"
#include "graphics/DColor.h"

#include <cstdint>
#include <ostream>
#include <vector>

inline void PrintTo(const DColor& c, std::ostream* os)
{
    *os << "rgb(" << c.red() << ", " << c.green() << ", " << c.blue() << ")";
}

class BitmapPixels {
public:
    explicit BitmapPixels(DBitmap& bitmap) : w(bitmap.width()), h(bitmap.height())
    {
        std::vector<uint32_t> bgra(size_t(w) * size_t(h));
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HDC screen = GetDC(nullptr);
        lines = GetDIBits(screen, bitmap.handle(), 0, UINT(h), bgra.data(), &info,
                          DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        pixels.resize(bgra.size());
        // DIB pixels are blue, green, red from the low byte; colour references the reverse.
        for (size_t i = 0; i < bgra.size(); ++i) {
            uint32_t p = bgra[i];
            pixels[i] = ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
        }
    }

    bool valid() const { return lines == h; }
    DColor at(int x, int y) const { return DColor(pixels[size_t(y) * size_t(w) + size_t(x)]); }
    int width() const { return w; }
    int height() const { return h; }
    bool operator==(const BitmapPixels& o) const
    {
        return w == o.w && h == o.h && pixels == o.pixels;
    }
    int count(const DColor& c) const
    {
        int n = 0;
        for (uint32_t p : pixels) n += p == c.value();
        return n;
    }

private:
    int w;
    int h;
    int lines = 0;
    std::vector<uint32_t> pixels;
};

inline void fillBitmap(DBitmap& bitmap, const DColor& color)
{
    DCanvas* canvas = bitmap.canvas();
    canvas->pen()->setColor(color);
    canvas->brush()->setColor(color);
    canvas->drawRect(0, 0, bitmap.width(), bitmap.height());
}
