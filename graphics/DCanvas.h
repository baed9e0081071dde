// DCanvas: a drawing surface on a native window (a window canvas, whose device context is
// fetched for each operation) or on a bitmap (a memory canvas with a device context of its
// own for its whole life). Coordinates are units of the canvas's display scale
// (DisplayScale.h): pixels of a 96-dpi display, which the canvas turns into device pixels;
// at the base scale, the default and that of every memory canvas, a unit is a device pixel.
// Text is measured in device pixels and reported in units rounded up; a line, frame edge or
// pixel covers the device pixels of its unit, so lines thicken with the scale and glyphs
// drawn pixel by pixel keep hard edges; bitmaps and icons are enlarged pixel for pixel. The
// origin is added to every coordinate given to a drawing operation, never to the clip
// rectangle, which is only applied on window canvases.
//
// Callers set the pen, brush and font attributes and call an operation; the canvas selects
// a GDI pen and brush made to those attributes for the operation (or one lock/unlock
// bracket) and selects the device context's own objects back at its end. The GDI pen and
// brush are kept from one operation to the next and remade only when the attributes they
// were made from change, since making them for every call was most of the cost of a
// redraw; so a canvas holds at most one pen and one brush between operations, deleted with
// it. Every operation holds the process-wide drawing lock. Owns its pen, brush and font
// objects, the GDI pen and brush and, on a memory canvas, its device context; the window
// and the bitmap are not owned.
#pragma once

#include "foundation/DObject.h"
#include "foundation/DString.h"
#include "foundation/DStringList.h"
#include "graphics/DBrush.h"
#include "graphics/DColor.h"
#include "graphics/DFont.h"
#include "graphics/DPen.h"
#include "graphics/DisplayScale.h"
#include "graphics/GdiHolders.h"

#include <windows.h>

#include <functional>

class DBitmap;
class DIcon;

// The rectangle a text occupies: always (0, 0, width, height).
struct DTextExtent {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

class DCanvas : public DObject {
public:
    explicit DCanvas(HBITMAP bitmap);  // memory canvas on a bitmap (not owned)
    explicit DCanvas(HWND window);     // window canvas (window not owned)
    ~DCanvas() override;
    DCanvas(const DCanvas&) = delete;
    DCanvas& operator=(const DCanvas&) = delete;

    DPen* pen() { return penObject; }
    DBrush* brush() { return brushObject; }
    DFont* font() { return fontObject; }
    // Valid between the begin and end steps of an operation (or inside lock/unlock) for a
    // window canvas; always for a memory canvas.
    HDC dc() const { return deviceContext; }
    HWND window() const { return windowHandle; }
    bool isMemoryCanvas() const { return isMemory != 0; }

    // Holds the canvas open across several operations (nests); keeps the drawing lock.
    void lock();
    void unlock();

    // The display scale, and where the surface's top-left corner lies in units (the place of
    // the view drawn on it, in its window's client area): device pixels are worked out from
    // that place, so the pieces views draw side by side meet without gaps. Makes the font
    // for the scale's dpi.
    void setScale(const DScale& newScale, int anchorX = 0, int anchorY = 0);
    const DScale& getScale() const { return scale; }
    // A rectangle of units, the origin added, as the device pixels of the surface it covers.
    RECT deviceRect(int x, int y, int width, int height) const;

    // In units, the origin not added; all four 0 removes clipping.
    void setClipRect(int x, int y, int width, int height);
    void setOrigin(int x, int y);
    void getOrigin(int* x, int* y);

    void drawLine(int x1, int y1, int x2, int y2);  // the second point is not drawn
    void drawRect(int x, int y, int width, int height);   // pen outline, brush fill
    void drawFrame(int x, int y, int width, int height);  // pen outline only
    void drawText(int x, int y, const DString& text);
    DTextExtent textExtent(const DString& text);
    DStringList* wrapText(int width, const DString& text);  // caller owns the list
    void drawTextBox(int x, int y, int width, const DString& text, int align);
    // Underlines a caption's access key (accessKeyIndex) in the font's colour: in a line of
    // text drawn at (x, y), or in a text box drawn as drawTextBox draws it.
    void underlineAccessKey(int x, int y, const DString& text, char key);
    void underlineAccessKeyInTextBox(int x, int y, int width, const DString& text, int align,
                                     char key);
    int textBoxHeight(int width, const DString& text);
    // Height of one line of text in the current font: the height of a sample with tall
    // capitals, descenders, brackets and quotes, so a line has room for any character.
    int lineHeight();
    void setPixel(int x, int y);  // in the pen's colour
    void setPixel(int x, int y, const DColor& color);
    DColor getPixel(int x, int y);
    void drawBitmap(int x, int y, DBitmap* bitmap);
    void drawIcon(int x, int y, int width, int height, DIcon* icon);
    void drawFocusRect(int x, int y, int width, int height);
    void drawGradient(int x, int y, int width, int height, const DColor& topLeft,
                      const DColor& topRight, const DColor& bottomLeft,
                      const DColor& bottomRight);

private:
    // Visits the lines of a text box as drawTextBox lays them out: each aligned line with
    // its place; `visit` answers false to stop.
    void forEachBoxLine(int x, int y, int width, const DString& text, int align,
                        const std::function<bool(int, int, const DString&)>& visit);
    void begin();
    void end();
    void refreshObjects();  // remakes the GDI pen or brush whose attributes have changed
    void selectObjects();   // selects the pen and brush (and the bitmap) into the context
    void releaseObjects();  // selects the context's previous objects back
    void applyClip();
    void removeClip();
    // Device position of a unit coordinate given to an operation (the origin added).
    int deviceX(int x) const;
    int deviceY(int y) const;
    // Scaled drawing (CanvasScaling.cpp), for a scale other than the base; inside begin/end.
    void fillDevice(const RECT& area, COLORREF color);
    void fillUnits(int x, int y, int width, int height, COLORREF color);
    void scaledLine(int x1, int y1, int x2, int y2);
    void scaledRect(int x, int y, int width, int height, bool fill);
    void scaledBlit(int x, int y, int width, int height, HDC source, int sourceWidth,
                    int sourceHeight, DWORD operation);

    // Device context objects that were selected before ours; restored after each operation.
    HGDIOBJ oldPen = nullptr;
    HGDIOBJ oldBrush = nullptr;
    HGDIOBJ oldFont = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    DGdiObjectHolder penHandle;    // owned, made to madePen; kept between operations
    DGdiObjectHolder brushHandle;  // owned, made to madeBrushColor; likewise
    DPen madePen;                  // the attributes penHandle was made from
    DColor madeBrushColor;         // the colour brushHandle was made with
    unsigned char isMemory = 0;
    HBITMAP bitmapHandle = nullptr;  // not owned
    DPen* penObject;      // owned
    DBrush* brushObject;  // owned
    DFont* fontObject;    // owned
    HDC deviceContext = nullptr;  // owned (DeleteDC) on a memory canvas, fetched otherwise
    HWND windowHandle = nullptr;  // not owned
    HRGN clipRegion = nullptr;    // scratch while a clip is applied, deleted at once
    int clipX = 0;
    int clipY = 0;
    int clipWidth = 0;
    int clipHeight = 0;
    unsigned char permanentDc = 0;
    unsigned char drawing = 0;
    unsigned char locked = 0;
    int lockDepth = 0;
    int originX = 0;
    int originY = 0;
    DScale scale;      // the base scale until setScale
    int anchorX = 0;   // the surface's top-left corner in units
    int anchorY = 0;
    unsigned char objectsSelected = 0;
    unsigned char clipActive = 0;
    int nestedBegins = 0;  // begin steps inside an unlocked operation, ended first
};
