// makeicon: writes Pellaro's program icon file (.ico) from the stored image tables, so the
// file icon is the same picture the program draws and no binary is kept in the sources.
// Built and run on the build machine while Pellaro.exe is built:
//     makeicon <output.ico>
// The file holds two images: the 32 x 32 application picture and the 16 x 16 idle picture,
// each as a 32-bit colour layer (alpha from the mask) followed by the 1-bit AND mask.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "graphics/ImageTables.h"

namespace {

void put16(std::vector<unsigned char>& out, unsigned value)
{
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void put32(std::vector<unsigned char>& out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

// One channel (0 red, 1 green, 2 blue) of pixel x in a row text; missing digits read 0.
int channel(const char* row, int x, int which)
{
    size_t at = static_cast<size_t>(x) * 6 + static_cast<size_t>(which) * 2;
    if (std::strlen(row) < at + 2)
        return 0;
    return hexDigit(row[at]) * 16 + hexDigit(row[at + 1]);
}

bool transparent(const DHexImage& image, int x, int y)
{
    const char* row = image.maskRows[y];
    return channel(row, x, 0) + channel(row, x, 1) + channel(row, x, 2) > 3 * 127;
}

// The icon-resource form of one image: header, colour rows and mask rows, bottom row first.
std::vector<unsigned char> iconImage(const DHexImage& image)
{
    std::vector<unsigned char> out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(image.width));
    put32(out, static_cast<std::uint32_t>(image.height * 2));  // colour and mask together
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int y = image.height - 1; y >= 0; y--)
        for (int x = 0; x < image.width; x++) {
            bool clear = transparent(image, x, y);
            const char* row = image.colorRows[y];
            out.push_back(static_cast<unsigned char>(clear ? 0 : channel(row, x, 2)));
            out.push_back(static_cast<unsigned char>(clear ? 0 : channel(row, x, 1)));
            out.push_back(static_cast<unsigned char>(clear ? 0 : channel(row, x, 0)));
            out.push_back(static_cast<unsigned char>(clear ? 0 : 255));
        }
    int maskStride = ((image.width + 31) / 32) * 4;
    for (int y = image.height - 1; y >= 0; y--) {
        std::vector<unsigned char> bits(static_cast<size_t>(maskStride), 0);
        for (int x = 0; x < image.width; x++)
            if (transparent(image, x, y))
                bits[static_cast<size_t>(x / 8)] |= static_cast<unsigned char>(0x80 >> (x % 8));
        out.insert(out.end(), bits.begin(), bits.end());
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeicon <output.ico>\n");
        return 2;
    }
    const DHexImage* images[] = {&appImage, &idleImage};
    const int count = 2;
    std::vector<std::vector<unsigned char>> bodies;
    for (const DHexImage* image : images)
        bodies.push_back(iconImage(*image));

    std::vector<unsigned char> file;
    put16(file, 0);
    put16(file, 1);  // an icon, not a cursor
    put16(file, count);
    std::uint32_t offset = 6 + 16 * count;
    for (int i = 0; i < count; i++) {
        file.push_back(static_cast<unsigned char>(images[i]->width));
        file.push_back(static_cast<unsigned char>(images[i]->height));
        file.push_back(0);  // no palette
        file.push_back(0);
        put16(file, 1);
        put16(file, 32);
        put32(file, static_cast<std::uint32_t>(bodies[static_cast<size_t>(i)].size()));
        put32(file, offset);
        offset += static_cast<std::uint32_t>(bodies[static_cast<size_t>(i)].size());
    }
    for (const auto& body : bodies)
        file.insert(file.end(), body.begin(), body.end());

    FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::fprintf(stderr, "makeicon: cannot write %s\n", argv[1]);
        return 1;
    }
    bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    written = std::fclose(out) == 0 && written;
    return written ? 0 : 1;
}
