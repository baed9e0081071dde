#include "graphics/PixelScale.h"

#include <cstddef>

int nearestSourcePixel(int d, int size, int newSize)
{
    if (size < 1 || newSize < 1 || d < 0 || d >= newSize)
        return -1;
    // Pixel u's band starts at floor((u x newSize + size / 2) / size); the band holding d is
    // that of the largest u whose start is at most d.
    const long long half = size / 2;
    const long long u = ((static_cast<long long>(d) + 1) * size - half - 1) / newSize;
    return u >= size ? size - 1 : static_cast<int>(u);
}

std::vector<DColor> scalePixels(const std::vector<DColor>& pixels, int width, int height,
                                int newWidth, int newHeight)
{
    std::vector<DColor> scaled;
    if (width < 1 || height < 1 || newWidth < 1 || newHeight < 1 ||
        pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        return scaled;
    std::vector<int> columns(static_cast<size_t>(newWidth));
    for (int x = 0; x < newWidth; ++x)
        columns[static_cast<size_t>(x)] = nearestSourcePixel(x, width, newWidth);
    scaled.reserve(static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight));
    for (int y = 0; y < newHeight; ++y) {
        const size_t row = static_cast<size_t>(nearestSourcePixel(y, height, newHeight)) *
                           static_cast<size_t>(width);
        for (int x = 0; x < newWidth; ++x)
            scaled.push_back(pixels[row + static_cast<size_t>(columns[static_cast<size_t>(x)])]);
    }
    return scaled;
}
