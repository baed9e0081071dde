// The fixed pixel glyphs of the classic look: the check box and radio button cells, the
// scroll arrow triangles and the menu check mark. Pure geometry, no drawing, so each glyph
// can be checked on its own; DTheme turns the cells into pixels of its colours.
#pragma once

#include "graphics/CanvasGeometry.h"

#include <vector>

// Cell codes of the check box and radio glyphs.
enum DGlyphCode {
    DGlyphMark = 0,       // the check mark or dot: text colour, shadow colour when disabled
    DGlyphLight = 1,      // light edge colour
    DGlyphBack = 2,       // background colour
    DGlyphShadow = 3,     // shadow colour
    DGlyphDark = 4,       // dark shadow
    DGlyphInterior = 5,   // the box interior
    DGlyphNone = 6,       // no pixel
};

const int checkBoxGlyphSize = 13;
const int radioGlyphSize = 12;

// Code of cell (x, y) of the 13 x 13 check box glyph; outside it, DGlyphNone. Unchecked,
// the mark cells are interior cells.
int checkBoxGlyphCode(int x, int y, bool checked);
// Code of cell (x, y) of the 12 x 12 radio button glyph; outside it, DGlyphNone.
int radioGlyphCode(int x, int y, bool checked);

// Scroll arrow directions.
enum DArrowDirection { DArrowUp = 0, DArrowDown = 1, DArrowLeft = 2, DArrowRight = 3 };

// Pixels of the arrow triangle centred in a width x height button: a 7 x 4 box for up and
// down, 4 x 7 for left and right, halves truncated toward zero; `pressed` moves it 2 pixels
// right. An unknown direction gives no pixels.
std::vector<DPoint> scrollArrowGlyph(int width, int height, int direction, bool pressed);

// Pixels of the 7 x 7 menu check mark, whose top-left corner is (6, 6).
std::vector<DPoint> menuCheckGlyph();
