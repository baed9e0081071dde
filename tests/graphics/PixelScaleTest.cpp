#include "graphics/DisplayScale.h"
#include "graphics/PixelScale.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// A picture whose every pixel has a colour of its own.
std::vector<DColor> numbered(int width, int height)
{
    std::vector<DColor> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(DColor(x, y, 7));
    return pixels;
}

}  // namespace

TEST(PixelScale, AWholeMultipleMakesEverySourcePixelASquare)
{
    const std::vector<DColor> scaled = scalePixels(numbered(16, 16), 16, 16, 32, 32);
    ASSERT_EQ(scaled.size(), 32u * 32u);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(scaled[static_cast<size_t>(y * 32 + x)], DColor(x / 2, y / 2, 7)) << x << " " << y;
}

TEST(PixelScale, BetweenMultiplesBandsFollowTheDisplayScale)
{
    // 16 to 24 is 150 %: source pixel u covers the same pixels as unit u at 144 dpi.
    const DScale scale(144);
    const std::vector<DColor> scaled = scalePixels(numbered(16, 16), 16, 16, 24, 24);
    ASSERT_EQ(scaled.size(), 24u * 24u);
    for (int u = 0; u < 16; ++u) {
        for (int d = scale.toDevice(u); d < scale.toDevice(u + 1); ++d) {
            EXPECT_EQ(nearestSourcePixel(d, 16, 24), u);
            EXPECT_EQ(scaled[static_cast<size_t>(d)], DColor(u, 0, 7));           // along row 0
            EXPECT_EQ(scaled[static_cast<size_t>(d * 24)], DColor(0, u, 7));      // down column 0
        }
    }
    // Every colour of the source is still there, none is mixed.
    std::set<uint32_t> seen;
    for (const DColor& c : scaled) seen.insert(c.value());
    EXPECT_EQ(seen.size(), 256u);
}

TEST(PixelScale, OddSizesKeepEveryPixelAndTheSameSizeChangesNothing)
{
    // 16 to 20 (125 %): bands of one or two pixels, every source column present.
    std::set<int> sources;
    int previous = -1;
    for (int d = 0; d < 20; ++d) {
        const int u = nearestSourcePixel(d, 16, 20);
        EXPECT_TRUE(u == previous || u == previous + 1) << d;
        previous = u;
        sources.insert(u);
    }
    EXPECT_EQ(sources.size(), 16u);
    const std::vector<DColor> same = scalePixels(numbered(5, 3), 5, 3, 5, 3);
    EXPECT_EQ(same, numbered(5, 3));
    // Smaller: every other pixel.
    const std::vector<DColor> half = scalePixels(numbered(4, 2), 4, 2, 2, 1);
    ASSERT_EQ(half.size(), 2u);
    EXPECT_EQ(half[0], DColor(0, 0, 7));
    EXPECT_EQ(half[1], DColor(2, 0, 7));
}

TEST(PixelScale, BadSizesGiveNothing)
{
    EXPECT_TRUE(scalePixels(numbered(4, 4), 4, 4, 0, 8).empty());
    EXPECT_TRUE(scalePixels(numbered(4, 4), 4, 5, 8, 8).empty());
    EXPECT_TRUE(scalePixels({}, 0, 0, 8, 8).empty());
    EXPECT_EQ(nearestSourcePixel(24, 16, 24), -1);
    EXPECT_EQ(nearestSourcePixel(-1, 16, 24), -1);
    EXPECT_EQ(nearestSourcePixel(0, 0, 24), -1);
}
