#include "graphics/HexRows.h"

#include <cstddef>

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

int hexChannelAt(const DString& row, int offset)
{
    int value = 0;
    for (int i = 0; i < 2; ++i) {
        if (!row.isValidIndex(offset + i)) break;
        int d = hexDigit(*row.textAt(offset + i));
        if (d < 0) break;
        value = value * 16 + d;
    }
    return value;
}

}  // namespace

std::vector<DColor> decodeHexRows(int width, int height, const DStringList& rows)
{
    std::vector<DColor> pixels;
    if (width < 1 || height < 1) return pixels;
    pixels.reserve(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y) {
        const DString row = rows.get(y);
        for (int x = 0; x < width; ++x) {
            const int offset = 6 * x;
            pixels.push_back(DColor(hexChannelAt(row, offset), hexChannelAt(row, offset + 2),
                                    hexChannelAt(row, offset + 4)));
        }
    }
    return pixels;
}
