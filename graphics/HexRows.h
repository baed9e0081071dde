// Reading of images stored as hexadecimal row texts: six hex digits per pixel (red, green,
// blue, two each, most significant first, either letter case), one text per pixel row, row 0
// at the top. Pure conversion with no platform calls, so the stored tables can be checked
// anywhere; the icons are filled from its result in one go.
#pragma once

#include "foundation/DStringList.h"
#include "graphics/DColor.h"

#include <vector>

// The width x height pixels of the rows, row after row from the top (pixel (x, y) at
// y * width + x). Each channel reads as a hexadecimal number would after a "0x" prefix: its
// digits up to the first character that is not one, 0 when there is none, so missing rows
// and digits read as 0 and a short table gives black pixels. Empty for a width or height
// below 1.
std::vector<DColor> decodeHexRows(int width, int height, const DStringList& rows);
