// Word wrapping and line alignment for text boxes, independent of any drawing surface. The
// width of a piece of text is asked from a measuring function (pixels for the bytes given),
// so the same rules serve a GDI font on a canvas and a fixed-width fake in tests.
//
// Wrapping keeps the character at which a line was broken at the end of that line, splits a
// word wider than the column between characters, and gives one line per paragraph at least.
#pragma once

#include "foundation/DString.h"
#include "foundation/DStringList.h"

#include <functional>

// Width in pixels of `length` bytes starting at `text`.
using DTextMeasure = std::function<int(const char* text, int length)>;

// True for the 22 characters after which a line may be broken.
bool isWrapBreakChar(char c);

// The lines of `text` broken to fit a column `width` pixels wide: a line is kept only while
// its measured width is strictly less than the column. A new list the caller owns. A
// column narrower than one character gets one character per line.
DStringList* wrapTextLines(int width, const DString& text, const DTextMeasure& measure);

// Alignment flags of a text box: bit 0 (or no bit) left, bit 1 right, bit 2 centred.
enum DTextAlign { DAlignLeft = 1, DAlignRight = 2, DAlignCenter = 4 };

// The line as a text box draws it under `align`: a left-aligned line of 3 or more
// characters loses exactly one leading space, a right-aligned one exactly one trailing
// space; a line starting or ending with two spaces keeps them.
DString alignedLine(const DString& line, int align);

// Horizontal position of an aligned line of `lineWidth` pixels in a column at x.
int alignedLineX(int x, int width, int lineWidth, int align);

// Where a caption shows its access key underlined: the first occurrence of the letter or
// digit `key` in `text`, letters of either case; -1 when it does not occur (or `key` is 0).
int accessKeyIndex(const DString& text, char key);
