// Icons filled in one transfer hold exactly the decoded pixels, and a canvas that keeps its
// GDI pen and brush between operations still draws with the attributes of the moment.
#include "graphics/BitmapPixels.h"
#include "graphics/BuiltInImages.h"
#include "graphics/HexRows.h"
#include "graphics/ImageTables.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const DColor black(0, 0, 0);
const DColor white(255, 255, 255);
const DColor red(255, 0, 0);
const DColor blue(0, 0, 255);

std::vector<DColor> decoded(const char* const* table, int width, int height)
{
    DStringList rows;
    for (int y = 0; y < height; ++y) rows.add(table[y]);
    return decodeHexRows(width, height, rows);
}

void expectLayer(DBitmap& layer, const std::vector<DColor>& expected, const char* name)
{
    BitmapPixels pixels(layer);
    ASSERT_TRUE(pixels.valid()) << name;
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            ASSERT_EQ(pixels.at(x, y), expected[size_t(y * pixels.width() + x)])
                << name << " pixel " << x << ", " << y;
}

}  // namespace

TEST(BuiltInImagePixels, EveryPixelOfBothLayersIsTheDecodedTable)
{
    buildBuiltInImages();
    const struct {
        DIcon* icon;
        const DHexImage* table;
        const char* name;
    } images[] = {{idleIcon, &idleImage, "idle"},          {checkingIcon, &checkingImage, "checking"},
                  {errorIcon, &errorImage, "error"},       {newMailIcon, &newMailImage, "new mail"},
                  {seenMailIcon, &seenMailImage, "seen"}, {appIcon, &appImage, "app"}};
    for (const auto& image : images) {
        ASSERT_NE(image.icon, nullptr) << image.name;
        const int w = image.table->width, h = image.table->height;
        ASSERT_EQ(image.icon->width(), w);
        ASSERT_EQ(image.icon->height(), h);
        expectLayer(*image.icon->image(), decoded(image.table->colorRows, w, h), image.name);
        expectLayer(*image.icon->mask(), decoded(image.table->maskRows, w, h), image.name);
    }
    destroyBuiltInImages();
}

TEST(DBitmapSetPixels, TopRowFirstAndChannelsInPlace)
{
    // Distinct values everywhere on a bitmap wider than high, so a bottom-up transfer, a
    // swapped red and blue or a wrong stride all show.
    const int w = 5, h = 3;
    DBitmap bitmap(w, h);
    std::vector<DColor> pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pixels.push_back(DColor(10 * x + 1, 100 + y, 200 + x + y));
    ASSERT_TRUE(bitmap.setPixels(pixels));
    expectLayer(bitmap, pixels, "set");
    // The canvas still draws on it afterwards.
    bitmap.canvas()->setPixel(4, 2, red);
    EXPECT_EQ(bitmap.canvas()->getPixel(4, 2), red);
    EXPECT_EQ(bitmap.canvas()->getPixel(0, 0), DColor(1, 100, 200));
}

TEST(DBitmapSetPixels, WrongCountChangesNothing)
{
    DBitmap bitmap(4, 4);
    EXPECT_FALSE(bitmap.setPixels(std::vector<DColor>(15, white)));
    EXPECT_FALSE(bitmap.setPixels(std::vector<DColor>(17, white)));
    EXPECT_EQ(BitmapPixels(bitmap).count(black), 16);
    DBitmap empty(0, 0);
    EXPECT_FALSE(empty.setPixels(std::vector<DColor>()));
}

TEST(CanvasKeptObjects, AttributeChangesBetweenOperationsTakeEffect)
{
    DBitmap bitmap(30, 10);
    DCanvas* canvas = bitmap.canvas();
    canvas->pen()->setColor(red);
    canvas->brush()->setColor(red);
    canvas->drawRect(0, 0, 10, 10);
    canvas->brush()->setColor(blue);  // same pen, new brush
    canvas->drawRect(10, 0, 10, 10);
    canvas->pen()->setWidth(3);       // same colour, new width
    canvas->drawLine(20, 5, 30, 5);
    BitmapPixels p(bitmap);
    EXPECT_EQ(p.at(5, 5), red);
    EXPECT_EQ(p.at(10, 0), red);   // outline
    EXPECT_EQ(p.at(15, 5), blue);  // fill
    EXPECT_EQ(p.at(25, 4), red);   // the three-pixel line covers the rows around it
    EXPECT_EQ(p.at(25, 6), red);
    EXPECT_EQ(p.at(25, 1), black);

    // A null pen style draws no outline, though colour and width are as before.
    canvas->pen()->setWidth(0);
    canvas->pen()->setStyle(PS_NULL);
    canvas->brush()->setColor(white);
    canvas->drawRect(0, 0, 10, 10);
    EXPECT_EQ(canvas->getPixel(5, 5), white);
    EXPECT_EQ(canvas->getPixel(0, 5), white);
}

TEST(CanvasKeptObjects, ChangesInsideABracketTakeEffectAndNothingStaysSelected)
{
    DBitmap bitmap(8, 4);
    DCanvas* canvas = bitmap.canvas();
    HDC dc = canvas->dc();
    ASSERT_NE(dc, nullptr);
    const HGDIOBJ ownPen = GetCurrentObject(dc, OBJ_PEN);
    const HGDIOBJ ownBrush = GetCurrentObject(dc, OBJ_BRUSH);
    canvas->lock();
    for (int x = 0; x < 8; ++x) {
        canvas->pen()->setColor(x % 2 ? red : blue);
        canvas->drawLine(x, 0, x, 4);
    }
    canvas->brush()->setColor(white);
    canvas->pen()->setColor(white);
    canvas->drawRect(0, 2, 2, 2);
    canvas->unlock();
    BitmapPixels p(bitmap);
    for (int x = 2; x < 8; ++x) EXPECT_EQ(p.at(x, 3), x % 2 ? red : blue) << x;
    EXPECT_EQ(p.at(1, 3), white);
    // Between operations the context holds its own pen and brush again, so the kept ones
    // are never selected anywhere when they are remade or deleted.
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), ownPen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), ownBrush);
    canvas->drawRect(0, 0, 1, 1);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), ownPen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), ownBrush);
}
