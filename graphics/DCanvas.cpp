#include "graphics/DCanvas.h"

#include "graphics/CanvasGeometry.h"
#include "graphics/DBitmap.h"
#include "graphics/DIcon.h"
#include "graphics/TextWrap.h"
#include "system/DrawingLock.h"

#include <algorithm>

namespace {

// The sample whose height is the line height of a text box: tall capitals, descenders,
// brackets and a double quote, so every line has room for any character.
const char lineHeightSample[] = "Xjl[]{}'^$@#\\/\"y!*|";

}  // namespace

DCanvas::DCanvas(HBITMAP bitmap)
    : isMemory(1), bitmapHandle(bitmap), penObject(new DPen), brushObject(new DBrush),
      fontObject(new DFont), deviceContext(CreateCompatibleDC(nullptr)), permanentDc(1)
{
}

DCanvas::DCanvas(HWND window)
    : penObject(new DPen), brushObject(new DBrush), fontObject(new DFont),
      windowHandle(window)
{
}

DCanvas::~DCanvas()
{
    // A bracket left open by a caller is closed, so the lock and the objects are released.
    while (lockDepth > 0) unlock();
    if (drawing) {
        releaseObjects();
        removeClip();
        if (!permanentDc && deviceContext) ReleaseDC(windowHandle, deviceContext);
        drawing = 0;
    }
    if (permanentDc && deviceContext) DeleteDC(deviceContext);
    deviceContext = nullptr;
    delete brushObject;
    delete penObject;
    delete fontObject;
}

void DCanvas::refreshObjects()
{
    const bool penChanged = madePen.getColor() != penObject->getColor() ||
                            madePen.getWidth() != penObject->getWidth() ||
                            madePen.getStyle() != penObject->getStyle();
    if (!penHandle.get() || penChanged) {
        // A pen as wide as its units are on the display: one unit is several pixels at a
        // larger scale.
        const int units = penObject->getWidth() < 1 ? 1 : penObject->getWidth();
        const int width = scale.isBase() ? penObject->getWidth() : scale.toDeviceSpan(0, units);
        HGDIOBJ pen = CreatePen(penObject->getStyle(), width, penObject->getColor().value());
        // A pen in use is swapped for the new one before it is deleted; a failed creation
        // leaves the old one deselected and deleted, so nothing is drawn with stale colours.
        if (objectsSelected && deviceContext && penHandle.get()) {
            if (pen) {
                SelectObject(deviceContext, pen);
            } else if (oldPen) {
                SelectObject(deviceContext, oldPen);
                oldPen = nullptr;
            }
        } else if (objectsSelected && deviceContext && pen) {
            oldPen = SelectObject(deviceContext, pen);
        }
        penHandle.reset(pen);
        madePen.assign(*penObject);
    }
    if (!brushHandle.get() || madeBrushColor != brushObject->getColor()) {
        HGDIOBJ brush = CreateSolidBrush(brushObject->getColor().value());
        if (objectsSelected && deviceContext && brushHandle.get()) {
            if (brush) {
                SelectObject(deviceContext, brush);
            } else if (oldBrush) {
                SelectObject(deviceContext, oldBrush);
                oldBrush = nullptr;
            }
        } else if (objectsSelected && deviceContext && brush) {
            oldBrush = SelectObject(deviceContext, brush);
        }
        brushHandle.reset(brush);
        madeBrushColor = brushObject->getColor();
    }
    if (deviceContext) SetTextColor(deviceContext, fontObject->getColor().value());
}

void DCanvas::selectObjects()
{
    if (deviceContext) {
        // A failed creation or selection leaves nothing selected: only what was really
        // swapped in is swapped back.
        if (penHandle.get()) oldPen = SelectObject(deviceContext, penHandle.get());
        if (brushHandle.get()) oldBrush = SelectObject(deviceContext, brushHandle.get());
        if (isMemory && bitmapHandle) oldBitmap = SelectObject(deviceContext, bitmapHandle);
    }
    objectsSelected = 1;
}

void DCanvas::releaseObjects()
{
    if (deviceContext && objectsSelected) {
        if (oldPen) SelectObject(deviceContext, oldPen);
        if (oldBrush) SelectObject(deviceContext, oldBrush);
        if (isMemory && oldBitmap) SelectObject(deviceContext, oldBitmap);
    }
    oldPen = nullptr;
    oldBrush = nullptr;
    oldBitmap = nullptr;
    objectsSelected = 0;
}

void DCanvas::applyClip()
{
    if (isMemory || !deviceContext) return;
    if (clipX == 0 && clipY == 0 && clipWidth == 0 && clipHeight == 0) {
        SelectClipRgn(deviceContext, nullptr);
    } else {
        const int left = scale.toDevice(anchorX + clipX) - scale.toDevice(anchorX);
        const int top = scale.toDevice(anchorY + clipY) - scale.toDevice(anchorY);
        clipRegion = CreateRectRgn(left, top, left + scale.toDeviceSpan(anchorX + clipX, clipWidth),
                                   top + scale.toDeviceSpan(anchorY + clipY, clipHeight));
        if (clipRegion) {
            // The device context keeps its own copy of the region.
            SelectClipRgn(deviceContext, clipRegion);
            DeleteObject(clipRegion);
            clipRegion = nullptr;
        }
    }
    clipActive = 1;
}

void DCanvas::removeClip()
{
    if (deviceContext && clipActive) SelectClipRgn(deviceContext, nullptr);
    clipActive = 0;
}

void DCanvas::begin()
{
    drawingLock().lock();
    if (locked || drawing) {
        // Inside a bracket only the attributes are refreshed, so a pen or brush colour set
        // since the last operation takes effect.
        refreshObjects();
        if (!locked) ++nestedBegins;
        return;
    }
    if (!permanentDc) deviceContext = windowHandle ? GetDC(windowHandle) : nullptr;
    if (objectsSelected) releaseObjects();
    refreshObjects();
    selectObjects();
    drawing = 1;
    if (!isMemory) applyClip();
    if (deviceContext) SetBkMode(deviceContext, TRANSPARENT);
}

void DCanvas::end()
{
    if (!locked) {
        if (nestedBegins > 0) {
            --nestedBegins;
        } else {
            releaseObjects();
            drawing = 0;
            removeClip();
            if (!permanentDc) {
                if (deviceContext) ReleaseDC(windowHandle, deviceContext);
                deviceContext = nullptr;
            }
        }
    }
    drawingLock().unlock();
}

void DCanvas::lock()
{
    drawingLock().lock();
    ++lockDepth;
    if (!locked) {
        begin();
        locked = 1;
    }
}

void DCanvas::unlock()
{
    // An unlock without its lock is ignored rather than releasing a lock it does not hold.
    if (lockDepth <= 0) return;
    --lockDepth;
    if (lockDepth <= 0 && locked) {
        locked = 0;
        end();
    }
    drawingLock().unlock();
}

void DCanvas::setClipRect(int x, int y, int width, int height)
{
    DDrawingLockHolder hold;
    clipX = x;
    clipY = y;
    clipWidth = width;
    clipHeight = height;
    if (clipActive) {
        removeClip();
        applyClip();
    }
}

void DCanvas::setScale(const DScale& newScale, int newAnchorX, int newAnchorY)
{
    DDrawingLockHolder hold;
    scale = newScale;
    anchorX = newAnchorX;
    anchorY = newAnchorY;
    fontObject->setDpi(scale.dpi());
    // The pen's device width follows the scale: a width no pen has marks it to be made again
    // at the next operation, which swaps it safely even inside a bracket.
    madePen.setWidth(-1);
    if (clipActive) {
        removeClip();
        applyClip();
    }
}

int DCanvas::deviceX(int x) const
{
    return scale.toDevice(anchorX + originX + x) - scale.toDevice(anchorX);
}

int DCanvas::deviceY(int y) const
{
    return scale.toDevice(anchorY + originY + y) - scale.toDevice(anchorY);
}

RECT DCanvas::deviceRect(int x, int y, int width, int height) const
{
    RECT r;
    r.left = deviceX(x);
    r.top = deviceY(y);
    r.right = r.left + scale.toDeviceSpan(anchorX + originX + x, width);
    r.bottom = r.top + scale.toDeviceSpan(anchorY + originY + y, height);
    return r;
}

void DCanvas::setOrigin(int x, int y)
{
    DDrawingLockHolder hold;
    originX = x;
    originY = y;
}

void DCanvas::getOrigin(int* x, int* y)
{
    DDrawingLockHolder hold;
    if (x) *x = originX;
    if (y) *y = originY;
}

void DCanvas::drawLine(int x1, int y1, int x2, int y2)
{
    begin();
    if (deviceContext && !scale.isBase()) {
        scaledLine(x1, y1, x2, y2);
    } else if (deviceContext) {
        MoveToEx(deviceContext, x1 + originX, y1 + originY, nullptr);
        LineTo(deviceContext, x2 + originX, y2 + originY);
    }
    end();
}

void DCanvas::drawRect(int x, int y, int width, int height)
{
    begin();
    if (deviceContext && !scale.isBase()) {
        scaledRect(x, y, width, height, true);
    } else if (deviceContext) {
        Rectangle(deviceContext, x + originX, y + originY, x + originX + width,
                  y + originY + height);
    }
    end();
}

void DCanvas::drawFrame(int x, int y, int width, int height)
{
    begin();
    if (deviceContext && !scale.isBase()) {
        scaledRect(x, y, width, height, false);
    } else if (deviceContext) {
        HGDIOBJ previous = SelectObject(deviceContext, GetStockObject(HOLLOW_BRUSH));
        Rectangle(deviceContext, x + originX, y + originY, x + originX + width,
                  y + originY + height);
        if (previous) SelectObject(deviceContext, previous);
    }
    end();
}

void DCanvas::drawText(int x, int y, const DString& text)
{
    begin();
    if (deviceContext) {
        SetMapMode(deviceContext, MM_TEXT);
        HFONT handle = fontObject->getHandle();
        oldFont = handle ? SelectObject(deviceContext, handle) : nullptr;
        TextOutA(deviceContext, deviceX(x), deviceY(y), text.text(), text.length());
        if (oldFont) SelectObject(deviceContext, oldFont);
        oldFont = nullptr;
    }
    end();
}

DTextExtent DCanvas::textExtent(const DString& text)
{
    DTextExtent extent;
    begin();
    if (deviceContext) {
        HFONT handle = fontObject->getHandle();
        oldFont = handle ? SelectObject(deviceContext, handle) : nullptr;
        SIZE size = {0, 0};
        if (GetTextExtentPoint32A(deviceContext, text.text(), text.length(), &size)) {
            extent.right = scale.lengthToUnits(size.cx);
            extent.bottom = scale.lengthToUnits(size.cy);
        }
        if (oldFont) SelectObject(deviceContext, oldFont);
        oldFont = nullptr;
    }
    end();
    return extent;
}

DStringList* DCanvas::wrapText(int width, const DString& text)
{
    // One bracket for the whole wrap: a window canvas fetches its device context once and
    // every piece is measured with the font selected once.
    lock();
    HFONT handle = fontObject->getHandle();
    HGDIOBJ previous = (deviceContext && handle) ? SelectObject(deviceContext, handle) : nullptr;
    HDC dc = deviceContext;
    const DScale units = scale;
    DStringList* lines = wrapTextLines(width, text, [dc, units](const char* piece, int length) {
        SIZE size = {0, 0};
        if (dc) GetTextExtentPoint32A(dc, piece, length, &size);
        return units.lengthToUnits(int(size.cx));
    });
    if (previous) SelectObject(deviceContext, previous);
    unlock();
    return lines;
}

int DCanvas::lineHeight()
{
    return textExtent(DString(lineHeightSample)).height();
}

void DCanvas::forEachBoxLine(int x, int y, int width, const DString& text, int align,
                             const std::function<bool(int, int, const DString&)>& visit)
{
    DDrawingLockHolder hold;
    lock();
    const int height = lineHeight();
    DStringList* lines = wrapText(width, text);
    for (int k = 0; k < lines->count(); ++k) {
        DString line = alignedLine(lines->get(k), align);
        // A left-aligned line needs no measuring.
        int lineWidth = 0;
        if ((align & DAlignLeft) == 0 && (align & (DAlignRight | DAlignCenter)) != 0)
            lineWidth = textExtent(line).width();
        if (!visit(alignedLineX(x, width, lineWidth, align), y + k * height, line))
            break;
    }
    delete lines;
    unlock();
}

void DCanvas::drawTextBox(int x, int y, int width, const DString& text, int align)
{
    forEachBoxLine(x, y, width, text, align, [this](int lineX, int lineY, const DString& line) {
        drawText(lineX, lineY, line);
        return true;
    });
}

void DCanvas::underlineAccessKey(int x, int y, const DString& text, char key)
{
    const int index = accessKeyIndex(text, key);
    if (index < 0)
        return;
    begin();
    if (deviceContext) {
        // Measured in the font as drawn, in device pixels, and drawn in device pixels from the
        // text's own corner: a unit further down for every 96 dpi, in the text's colour.
        SIZE before = {0, 0};
        SIZE through = {0, 0};
        TEXTMETRICA metrics = {};
        HFONT handle = fontObject->getHandle();
        HGDIOBJ previous = handle ? SelectObject(deviceContext, handle) : nullptr;
        GetTextExtentPoint32A(deviceContext, text.text(), index, &before);
        GetTextExtentPoint32A(deviceContext, text.text(), index + 1, &through);
        GetTextMetricsA(deviceContext, &metrics);
        if (previous) SelectObject(deviceContext, previous);
        const RECT corner = deviceRect(x, y, 1, 1);
        const int thickness = std::max(1, scale.dpi() / baseDpi);
        RECT line;
        line.left = corner.left + before.cx;
        line.right = corner.left + through.cx;
        line.top = corner.top + metrics.tmAscent + thickness;
        line.bottom = line.top + thickness;
        fillDevice(line, fontObject->getColor().value());
    }
    end();
}

void DCanvas::underlineAccessKeyInTextBox(int x, int y, int width, const DString& text,
                                          int align, char key)
{
    // The first line that holds the letter shows it.
    forEachBoxLine(x, y, width, text, align, [&](int lineX, int lineY, const DString& line) {
        if (accessKeyIndex(line, key) < 0)
            return true;
        underlineAccessKey(lineX, lineY, line, key);
        return false;
    });
}

int DCanvas::textBoxHeight(int width, const DString& text)
{
    DDrawingLockHolder hold;
    lock();
    const int height = lineHeight();
    DStringList* lines = wrapText(width, text);
    int count = lines->count();
    if (count > 0 && lines->get(count - 1).length() == 0) --count;
    delete lines;
    unlock();
    return count * height;
}

void DCanvas::setPixel(int x, int y)
{
    setPixel(x, y, penObject->getColor());
}

void DCanvas::setPixel(int x, int y, const DColor& color)
{
    begin();
    if (deviceContext && !scale.isBase())
        fillUnits(x, y, 1, 1, color.value());
    else if (deviceContext)
        SetPixelV(deviceContext, x + originX, y + originY, color.value());
    end();
}

DColor DCanvas::getPixel(int x, int y)
{
    COLORREF value = CLR_INVALID;
    begin();
    if (deviceContext) value = GetPixel(deviceContext, deviceX(x), deviceY(y));
    end();
    // Outside the surface GDI answers CLR_INVALID; that reads as white here.
    return DColor(uint32_t(value & 0xFFFFFF));
}

void DCanvas::drawBitmap(int x, int y, DBitmap* bitmap)
{
    if (!bitmap) return;
    begin();
    DCanvas* source = bitmap->canvas();
    source->lock();
    if (deviceContext && source->dc()) {
        scaledBlit(x, y, bitmap->width(), bitmap->height(), source->dc(), bitmap->width(),
                   bitmap->height(), SRCCOPY);
    }
    source->unlock();
    end();
}

void DCanvas::drawIcon(int x, int y, int width, int height, DIcon* icon)
{
    if (!icon) return;
    begin();
    // The mask clears the opaque pixels (AND), then the image is XORed onto them; where the
    // mask is white the image is black and the background stays as it was.
    DCanvas* mask = icon->mask()->canvas();
    mask->lock();
    if (deviceContext && mask->dc())
        scaledBlit(x, y, width, height, mask->dc(), width, height, SRCAND);
    mask->unlock();
    DCanvas* image = icon->image()->canvas();
    image->lock();
    if (deviceContext && image->dc())
        scaledBlit(x, y, width, height, image->dc(), width, height, SRCINVERT);
    image->unlock();
    end();
}

void DCanvas::drawFocusRect(int x, int y, int width, int height)
{
    DDrawingLockHolder hold;
    begin();
    if (deviceContext) {
        for (const DPoint& dot : focusRectDots(x, y, width, height)) {
            if (scale.isBase())
                SetPixelV(deviceContext, dot.x + originX, dot.y + originY, RGB(0, 0, 0));
            else
                fillUnits(dot.x, dot.y, 1, 1, RGB(0, 0, 0));
        }
    }
    end();
}

void DCanvas::drawGradient(int x, int y, int width, int height, const DColor& topLeft,
                           const DColor& topRight, const DColor& bottomLeft,
                           const DColor& bottomRight)
{
    const bool vertical = topLeft == topRight && bottomLeft == bottomRight;
    const bool horizontal = !vertical && topLeft == bottomLeft && topRight == bottomRight;
    if (vertical || horizontal) {
        const DColor savedColor = penObject->getColor();
        const int savedWidth = penObject->getWidth();
        const int savedStyle = penObject->getStyle();
        penObject->setWidth(0);
        penObject->setStyle(0);
        lock();
        if (vertical) {
            for (int i = 0; i < height; ++i) {
                penObject->setColor(topLeft.blend(bottomLeft, height, i));
                drawLine(x, y + i, x + width, y + i);
            }
        } else {
            for (int i = 0; i < width; ++i) {
                penObject->setColor(topLeft.blend(topRight, width, i));
                drawLine(x + i, y, x + i, y + height);
            }
        }
        unlock();
        penObject->setColor(savedColor);
        penObject->setWidth(savedWidth);
        penObject->setStyle(savedStyle);
        return;
    }
    begin();
    if (deviceContext) {
        for (int r = 0; r < height; ++r) {
            for (int i = 0; i < width; ++i) {
                DColor top = topLeft.blend(topRight, width, i);
                DColor bottom = bottomLeft.blend(bottomRight, width, i);
                if (scale.isBase())
                    SetPixelV(deviceContext, x + i + originX, y + r + originY,
                              top.blend(bottom, height, r).value());
                else
                    fillUnits(x + i, y + r, 1, 1, top.blend(bottom, height, r).value());
            }
        }
    }
    end();
}
