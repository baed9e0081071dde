#include "graphics/DFont.h"

#include <cstring>

DFont::DFont() : face("MS Sans Serif")
{
    recreate();
    readBackFace();
}

DFont::~DFont() = default;

void DFont::recreate()
{
    handle.reset();
    // LOGFONT keeps at most 31 bytes of a face name.
    char faceName[LF_FACESIZE];
    std::strncpy(faceName, face.text(), LF_FACESIZE - 1);
    faceName[LF_FACESIZE - 1] = '\0';
    handle.reset(CreateFontA(-MulDiv(size, dpi, 72), 0, 0, 0, bold == 1 ? FW_BOLD : FW_NORMAL,
                             italic, underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, faceName));
}

void DFont::readBackFace()
{
    if (!handle.get()) return;
    DDcHolder screen(CreateCompatibleDC(nullptr));
    if (!screen.get()) return;
    HGDIOBJ previous = SelectObject(screen.get(), handle.get());
    char chosen[LF_FACESIZE + 1] = {};
    int n = GetTextFaceA(screen.get(), LF_FACESIZE, chosen);
    if (previous) SelectObject(screen.get(), previous);
    if (n > 0) face = DString(chosen);
}

void DFont::setSize(int points)
{
    size = points;
    recreate();
}

void DFont::setDpi(int dotsPerInch)
{
    if (dotsPerInch < 1 || dotsPerInch == dpi) return;
    dpi = dotsPerInch;
    recreate();
}

void DFont::setFace(const DString& name)
{
    face = name;
    recreate();
    readBackFace();
}

void DFont::setBold(unsigned char flag)
{
    bold = flag;
    recreate();
}

void DFont::setItalic(unsigned char flag)
{
    italic = flag;
    recreate();
}

void DFont::setUnderline(unsigned char flag)
{
    underline = flag;
    recreate();
}

void DFont::assign(const DFont& other)
{
    if (&other == this) return;
    color = other.color;
    // Controls copy their font onto the canvas on every paint: a description that is already
    // the same makes no new GDI font, and a different one makes exactly one, not one a field.
    if (handle.get() && size == other.size && face == other.face && bold == other.bold &&
        italic == other.italic && underline == other.underline)
        return;
    size = other.size;
    face = other.face;
    bold = other.bold;
    italic = other.italic;
    underline = other.underline;
    recreate();
    readBackFace();
}
