// DFont: a font description (face, size in points, bold, italic, underline, text colour)
// together with the GDI font made from it for a display of `dpi` dots per inch (96 unless a
// canvas sets its own). Owns the GDI font, which is made again after every change of the
// description or the dpi; the colour is only read by canvases when they draw text.
#pragma once

#include "foundation/DObject.h"
#include "foundation/DString.h"
#include "graphics/DColor.h"
#include "graphics/GdiHolders.h"

class DFont : public DObject {
public:
    DFont();  // "MS Sans Serif", 8 points, normal, black
    ~DFont() override;
    DFont(const DFont&) = delete;
    DFont& operator=(const DFont&) = delete;

    void setSize(int points);
    // Afterwards the face holds the name the system actually chose.
    void setFace(const DString& name);
    void setBold(unsigned char flag);       // 1 = bold, anything else normal
    void setItalic(unsigned char flag);
    void setUnderline(unsigned char flag);
    void setColor(const DColor& c) { color = c; }  // no new GDI font
    // The display the GDI font is made for; a new GDI font only when it changes.
    void setDpi(int dotsPerInch);
    int getDpi() const { return dpi; }
    // Copies size, face, bold, italic, underline and colour, not the dpi; makes a new GDI
    // font only when the description differs.
    void assign(const DFont& other);

    DString getFace() const { return face; }
    int getSize() const { return size; }
    HFONT getHandle() const { return static_cast<HFONT>(handle.get()); }
    unsigned char getBold() const { return bold; }
    unsigned char getItalic() const { return italic; }
    unsigned char getUnderline() const { return underline; }
    DColor getColor() const { return color; }

private:
    void recreate();
    void readBackFace();

    DString face;
    int size = 8;
    int dpi = 96;
    DGdiObjectHolder handle;  // owned GDI font; null if creation failed
    unsigned char bold = 0;
    unsigned char italic = 0;
    unsigned char underline = 0;
    DColor color;
};
