#include "graphics/BitmapPixels.h"
#include "graphics/BuiltInImages.h"
#include "graphics/ImageTables.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const DColor white(255, 255, 255);
const DColor black(0, 0, 0);

bool opaqueInTable(const DHexImage& image, int x, int y)
{
    return std::string(image.maskRows[y] + 6 * x, 6) == "000000";
}

class BuiltInImages : public ::testing::Test {
protected:
    void SetUp() override { buildBuiltInImages(); }
    void TearDown() override { destroyBuiltInImages(); }
};

}  // namespace

TEST(IconFromHexRows, ReadsThreeChannelsInEitherCase)
{
    DStringList colors;
    colors.add("FF000000ff00");
    colors.add("0000FFc0c0C0");
    DStringList masks;
    masks.add("000000FFFFFF");
    masks.add("FFFFFF000000");
    std::unique_ptr<DIcon> icon(iconFromHexRows(2, 2, colors, masks));
    ASSERT_EQ(icon->width(), 2);
    BitmapPixels image(*icon->image());
    EXPECT_EQ(image.at(0, 0), DColor(255, 0, 0));
    EXPECT_EQ(image.at(1, 0), DColor(0, 255, 0));
    EXPECT_EQ(image.at(0, 1), DColor(0, 0, 255));
    EXPECT_EQ(image.at(1, 1), DColor(192, 192, 192));
    BitmapPixels mask(*icon->mask());
    EXPECT_EQ(mask.at(0, 0), black);
    EXPECT_EQ(mask.at(1, 0), white);
    EXPECT_EQ(mask.at(0, 1), white);
    EXPECT_EQ(colors.count(), 2);
    EXPECT_STREQ(colors.get(0).text(), "FF000000ff00");
}

TEST(IconFromHexRows, ShortOrMissingRowsGiveBlack)
{
    DStringList colors;
    colors.add("FFFFFF12");  // one whole pixel and a stray two digits
    DStringList masks;
    masks.add("zz0000");
    std::unique_ptr<DIcon> icon(iconFromHexRows(3, 3, colors, masks));
    BitmapPixels image(*icon->image());
    EXPECT_EQ(image.at(0, 0), white);
    EXPECT_EQ(image.at(1, 0), DColor(0x12, 0, 0));
    EXPECT_EQ(image.count(black), 7);
    EXPECT_EQ(BitmapPixels(*icon->mask()).count(black), 9);
}

TEST_F(BuiltInImages, SixIconsOfTheirSizes)
{
    for (DIcon* icon : {idleIcon, checkingIcon, errorIcon, newMailIcon, seenMailIcon}) {
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->width(), 16);
        EXPECT_EQ(icon->height(), 16);
    }
    ASSERT_NE(appIcon, nullptr);
    EXPECT_EQ(appIcon->width(), 32);
    EXPECT_EQ(appIcon->height(), 32);
}

TEST_F(BuiltInImages, IdleIconOverWhiteLeavesTransparentPixelsWhite)
{
    DBitmap back(16, 16);
    fillBitmap(back, white);
    back.canvas()->drawIcon(0, 0, 16, 16, idleIcon);
    BitmapPixels p(back);
    int inked = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            bool opaque = opaqueInTable(idleImage, x, y);
            EXPECT_EQ(p.at(x, y), opaque ? black : white) << x << "," << y;
            inked += opaque;
        }
    }
    EXPECT_GT(inked, 50);
}

TEST_F(BuiltInImages, ColourLayersMatchTheTables)
{
    const std::pair<DIcon*, const DHexImage*> pairs[] = {
        {idleIcon, &idleImage},       {checkingIcon, &checkingImage}, {errorIcon, &errorImage},
        {newMailIcon, &newMailImage}, {seenMailIcon, &seenMailImage}, {appIcon, &appImage}};
    for (const auto& pair : pairs) {
        BitmapPixels image(*pair.first->image());
        BitmapPixels mask(*pair.first->mask());
        const DHexImage& table = *pair.second;
        for (int y = 0; y < table.height; ++y) {
            for (int x = 0; x < table.width; ++x) {
                unsigned long rgb = std::stoul(std::string(table.colorRows[y] + 6 * x, 6), nullptr, 16);
                DColor expected(int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
                ASSERT_EQ(image.at(x, y), expected) << x << "," << y;
                ASSERT_EQ(mask.at(x, y), opaqueInTable(table, x, y) ? black : white);
            }
        }
    }
}

TEST_F(BuiltInImages, VariantsShareTheirMasks)
{
    EXPECT_TRUE(BitmapPixels(*checkingIcon->mask()) == BitmapPixels(*idleIcon->mask()));
    EXPECT_TRUE(BitmapPixels(*seenMailIcon->mask()) == BitmapPixels(*newMailIcon->mask()));
    EXPECT_FALSE(BitmapPixels(*errorIcon->mask()) == BitmapPixels(*idleIcon->mask()));
    BitmapPixels checking(*checkingIcon->image());
    EXPECT_EQ(checking.count(DColor(255, 0, 255)), 256 - BitmapPixels(*idleIcon->mask()).count(white));
}

TEST(BuiltInImagesLifetime, DestroyClearsAndRebuildReplaces)
{
    buildBuiltInImages();
    buildBuiltInImages();  // replaces the first set without leaking it
    EXPECT_NE(idleIcon, nullptr);
    destroyBuiltInImages();
    EXPECT_EQ(idleIcon, nullptr);
    EXPECT_EQ(appIcon, nullptr);
}
