#include "graphics/SystemIcon.h"

#include "graphics/DIcon.h"
#include "graphics/GdiHolders.h"
#include "graphics/PixelScale.h"

#include <memory>

HICON makeSystemIcon(DIcon* image)
{
    if (!image)
        return nullptr;
    int width = image->width();
    int height = image->height();
    DDcHolder display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    if (!display.get())
        return nullptr;
    DGdiObjectHolder color(CreateCompatibleBitmap(display.get(), width, height));
    DGdiObjectHolder mono(CreateBitmap(width, height, 1, 1, nullptr));
    DDcHolder source(CreateCompatibleDC(display.get()));
    DDcHolder target(CreateCompatibleDC(display.get()));
    display.reset();
    if (!color.get() || !mono.get() || !source.get() || !target.get())
        return nullptr;
    HGDIOBJ oldSource = SelectObject(source.get(), image->image()->handle());
    HGDIOBJ oldTarget = SelectObject(target.get(), color.get());
    BitBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
    SelectObject(source.get(), image->mask()->handle());
    SelectObject(target.get(), mono.get());
    BitBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
    SelectObject(source.get(), oldSource);
    SelectObject(target.get(), oldTarget);
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmColor = static_cast<HBITMAP>(color.get());
    info.hbmMask = static_cast<HBITMAP>(mono.get());
    // The system copies both bitmaps into the icon; ours go when the holders do.
    return CreateIconIndirect(&info);
}

DIcon* scaledIcon(DIcon* image, int width, int height)
{
    if (!image || width < 1 || height < 1)
        return nullptr;
    DIcon* scaled = new DIcon(width, height);
    scaled->image()->setPixels(
        scalePixels(image->image()->pixels(), image->width(), image->height(), width, height));
    scaled->mask()->setPixels(
        scalePixels(image->mask()->pixels(), image->width(), image->height(), width, height));
    return scaled;
}

HICON makeSystemIcon(DIcon* image, int width, int height)
{
    if (!image || width < 1 || height < 1 ||
        (width == image->width() && height == image->height()))
        return makeSystemIcon(image);
    std::unique_ptr<DIcon> scaled(scaledIcon(image, width, height));
    return makeSystemIcon(scaled.get());
}
