// Pictures made larger or smaller without blur: every pixel of the result takes the colour of
// exactly one source pixel, no colours are mixed. Source pixel u covers the result's pixels
// from u x newSize / size (halves rounded up) to the same edge of u + 1: the rule of
// DisplayScale.h with the two sizes in place of the two dots-per-inch values. At a whole
// multiple every source pixel becomes a square of that many pixels; between multiples the
// squares are one pixel larger or smaller, spread evenly, and their edges stay hard.
// Portable: no platform calls.
#pragma once

#include "graphics/DColor.h"

#include <vector>

// The source pixel whose band of a `newSize`-pixel row holds pixel `d` of it, for a row of
// `size` source pixels; -1 when d lies outside the row or a size is below 1.
int nearestSourcePixel(int d, int size, int newSize);

// `pixels` (width x height, row after row from the top) as newWidth x newHeight pixels.
// Empty when a size is below 1 or `pixels` does not hold width x height colours.
std::vector<DColor> scalePixels(const std::vector<DColor>& pixels, int width, int height,
                                int newWidth, int newHeight);
