#include "framework/ThemeGlyphs.h"

namespace {

const char* const checkBoxRows[checkBoxGlyphSize] = {
    "3333333333332",
    "3444444444421",
    "3455555555521",
    "3455555550521",
    "3455555500521",
    "3450555000521",
    "3450050005521",
    "3450000055521",
    "3455000555521",
    "3455505555521",
    "3455555555521",
    "3222222222221",
    "1111111111111",
};

const char* const radioRows[radioGlyphSize] = {
    "666633336666",
    "663344443366",
    "634455554416",
    "634555555216",
    "345550055521",
    "345500005521",
    "345500005521",
    "345550055521",
    "634555555216",
    "632255552216",
    "661122221166",
    "666611116666",
};

const char* const menuCheckRows[7] = {
    "0000001", "0000011", "1000111", "1101110", "1111100", "0111000", "0010000",
};

int glyphCode(const char* const* rows, int size, int x, int y, bool checked)
{
    if (x < 0 || y < 0 || x >= size || y >= size) return DGlyphNone;
    int code = rows[y][x] - '0';
    if (code == DGlyphMark && !checked) return DGlyphInterior;
    return code;
}

}  // namespace

int checkBoxGlyphCode(int x, int y, bool checked)
{
    return glyphCode(checkBoxRows, checkBoxGlyphSize, x, y, checked);
}

int radioGlyphCode(int x, int y, bool checked)
{
    return glyphCode(radioRows, radioGlyphSize, x, y, checked);
}

std::vector<DPoint> scrollArrowGlyph(int width, int height, int direction, bool pressed)
{
    std::vector<DPoint> pixels;
    const int shift = pressed ? 2 : 0;
    if (direction == DArrowUp || direction == DArrowDown) {
        const int x0 = (width - 7) / 2 + shift;
        const int y0 = (height - 4) / 2;
        // Row k (1..4) of an up arrow spans x0 + 4 - k .. x0 + 2 + k; a down arrow takes the
        // same rows in reverse.
        for (int k = 1; k <= 4; ++k) {
            const int row = direction == DArrowUp ? y0 + k : y0 + 5 - k;
            for (int x = x0 + 4 - k; x <= x0 + 2 + k; ++x) pixels.push_back({x, row});
        }
    } else if (direction == DArrowLeft || direction == DArrowRight) {
        const int x0 = (width - 4) / 2 + shift;
        const int y0 = (height - 7) / 2;
        // Column k (0..3) from the arrow's point side spans y0 + 3 - k .. y0 + 3 + k.
        for (int k = 0; k < 4; ++k) {
            const int column = direction == DArrowLeft ? x0 + k : x0 + 3 - k;
            for (int y = y0 + 3 - k; y <= y0 + 3 + k; ++y) pixels.push_back({column, y});
        }
    }
    return pixels;
}

std::vector<DPoint> menuCheckGlyph()
{
    std::vector<DPoint> pixels;
    for (int row = 0; row < 7; ++row)
        for (int column = 0; column < 7; ++column)
            if (menuCheckRows[row][column] == '1') pixels.push_back({6 + column, 6 + row});
    return pixels;
}
