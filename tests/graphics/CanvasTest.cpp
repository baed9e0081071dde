#include "graphics/BitmapPixels.h"
#include "graphics/DBitmap.h"
#include "graphics/DCanvas.h"
#include "graphics/DIcon.h"
#include "graphics/TextWrap.h"
#include "system/DrawingLock.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

const DColor black(0, 0, 0);
const DColor white(255, 255, 255);
const DColor red(255, 0, 0);
const DColor blue(0, 0, 255);

std::set<std::pair<int, int>> pixelsOf(const BitmapPixels& p, const DColor& c)
{
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            if (p.at(x, y) == c) out.insert({x, y});
    return out;
}

}  // namespace

TEST(DBitmap, NewBitmapAndBothIconLayersAreBlack)
{
    DBitmap bitmap(23, 11);
    ASSERT_NE(bitmap.handle(), nullptr);
    BitmapPixels p(bitmap);
    ASSERT_TRUE(p.valid());
    EXPECT_EQ(p.count(black), 23 * 11);

    DIcon icon(16, 16);
    EXPECT_EQ(icon.width(), 16);
    EXPECT_EQ(icon.height(), 16);
    EXPECT_EQ(BitmapPixels(*icon.image()).count(black), 256);
    EXPECT_EQ(BitmapPixels(*icon.mask()).count(black), 256);
    // The canvas of a new bitmap is left drawing in black.
    EXPECT_EQ(bitmap.canvas()->brush()->getColor(), black);
    EXPECT_EQ(bitmap.canvas()->pen()->getColor(), black);
}

TEST(DCanvas, RectCoversWidthByHeightPixels)
{
    DBitmap bitmap(20, 20);
    DCanvas* c = bitmap.canvas();
    c->pen()->setColor(red);
    c->brush()->setColor(white);
    c->drawRect(2, 3, 5, 4);
    BitmapPixels p(bitmap);
    EXPECT_EQ(p.at(2, 3), red);
    EXPECT_EQ(p.at(6, 6), red);
    EXPECT_EQ(p.at(3, 4), white);
    EXPECT_EQ(p.at(5, 5), white);
    EXPECT_EQ(p.at(7, 3), black);
    EXPECT_EQ(p.at(2, 7), black);
    EXPECT_EQ(p.count(red) + p.count(white), 5 * 4);
}

TEST(DCanvas, FrameLeavesTheInsideAndLineLeavesItsEndPoint)
{
    DBitmap bitmap(20, 20);
    DCanvas* c = bitmap.canvas();
    c->pen()->setColor(red);
    c->brush()->setColor(white);
    c->drawFrame(1, 1, 6, 6);
    c->pen()->setColor(blue);
    c->drawLine(10, 2, 15, 2);
    BitmapPixels p(bitmap);
    EXPECT_EQ(p.count(red), 20);
    EXPECT_EQ(p.count(white), 0);
    EXPECT_EQ(p.at(3, 3), black);
    EXPECT_EQ(pixelsOf(p, blue),
              (std::set<std::pair<int, int>>{{10, 2}, {11, 2}, {12, 2}, {13, 2}, {14, 2}}));
    // The brush colour is still there for the next filled rectangle.
    c->drawRect(0, 10, 3, 3);
    EXPECT_EQ(BitmapPixels(bitmap).at(1, 11), white);
}

TEST(DCanvas, OriginMovesDrawingAndPixelAccess)
{
    DBitmap bitmap(20, 20);
    DCanvas* c = bitmap.canvas();
    c->setOrigin(7, 4);
    int x = 0, y = 0;
    c->getOrigin(&x, &y);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 4);
    c->setPixel(1, 2, red);
    c->pen()->setColor(blue);
    c->setPixel(0, 0);
    EXPECT_EQ(c->getPixel(1, 2), red);
    c->setOrigin(0, 0);
    EXPECT_EQ(c->getPixel(8, 6), red);
    EXPECT_EQ(c->getPixel(7, 4), blue);
    BitmapPixels p(bitmap);
    EXPECT_EQ(p.count(red), 1);
    EXPECT_EQ(p.count(blue), 1);
}

TEST(DCanvas, FocusRectDotsFourByThree)
{
    DBitmap bitmap(12, 10);
    fillBitmap(bitmap, white);
    bitmap.canvas()->drawFocusRect(3, 2, 4, 3);
    std::set<std::pair<int, int>> expected = {{3, 4}, {4, 2}, {5, 4}, {6, 2}, {3, 2}, {6, 3}};
    EXPECT_EQ(pixelsOf(BitmapPixels(bitmap), black), expected);
}

TEST(DCanvas, VerticalGradientRowsAndPenRestored)
{
    DBitmap bitmap(6, 12);
    DCanvas* c = bitmap.canvas();
    c->pen()->setColor(blue);
    c->pen()->setWidth(3);
    c->pen()->setStyle(PS_DASH);
    const DColor top(0, 40, 250), bottom(200, 40, 10);
    c->drawGradient(1, 1, 4, 10, top, top, bottom, bottom);
    BitmapPixels p(bitmap);
    for (int i = 0; i < 10; ++i) {
        for (int x = 1; x <= 4; ++x) EXPECT_EQ(p.at(x, 1 + i), top.blend(bottom, 10, i));
        EXPECT_EQ(p.at(0, 1 + i), black);
        EXPECT_EQ(p.at(5, 1 + i), black);
    }
    EXPECT_EQ(p.at(1, 11), black);
    EXPECT_EQ(c->pen()->getColor(), blue);
    EXPECT_EQ(c->pen()->getWidth(), 3);
    EXPECT_EQ(c->pen()->getStyle(), PS_DASH);
}

TEST(DCanvas, HorizontalGradientColumns)
{
    DBitmap bitmap(12, 5);
    const DColor left(255, 255, 0), right(0, 0, 128);
    bitmap.canvas()->drawGradient(1, 1, 10, 3, left, right, left, right);
    BitmapPixels p(bitmap);
    for (int i = 0; i < 10; ++i)
        for (int y = 1; y <= 3; ++y) EXPECT_EQ(p.at(1 + i, y), left.blend(right, 10, i));
    EXPECT_EQ(p.at(11, 2), black);
    EXPECT_EQ(p.at(5, 4), black);
}

TEST(DCanvas, FourCornerGradientPerPixel)
{
    DBitmap bitmap(8, 6);
    const DColor tl(255, 0, 0), tr(0, 255, 0), bl(0, 0, 255), br(255, 255, 255);
    bitmap.canvas()->drawGradient(0, 0, 8, 6, tl, tr, bl, br);
    BitmapPixels p(bitmap);
    for (int r = 0; r < 6; ++r) {
        for (int i = 0; i < 8; ++i) {
            DColor expected = tl.blend(tr, 8, i).blend(bl.blend(br, 8, i), 6, r);
            EXPECT_EQ(p.at(i, r), expected) << i << "," << r;
        }
    }
}

TEST(DCanvas, LockNestsAndKeepsTheBitmapSelected)
{
    DBitmap bitmap(4, 4);
    DCanvas* c = bitmap.canvas();
    HDC dc = c->dc();
    ASSERT_NE(dc, nullptr);
    EXPECT_NE(GetCurrentObject(dc, OBJ_BITMAP), bitmap.handle());
    c->lock();
    c->lock();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap.handle());
    c->unlock();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap.handle());
    c->setPixel(1, 1, red);  // an operation inside the bracket keeps it open
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap.handle());
    c->unlock();
    EXPECT_NE(GetCurrentObject(dc, OBJ_BITMAP), bitmap.handle());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(c->getPixel(1, 1), red);
}

namespace {

DWORD WINAPI drawFromAnotherThread(void* param)
{
    DBitmap* bitmap = static_cast<DBitmap*>(param);
    bitmap->canvas()->setPixel(0, 0, DColor(0, 255, 0));
    return 0;
}

}  // namespace

TEST(DCanvas, BracketsReleaseTheDrawingLock)
{
    DBitmap bitmap(4, 4);
    DCanvas* c = bitmap.canvas();
    c->unlock();  // a stray unlock must not release a lock this thread does not hold
    c->lock();
    c->lock();
    c->drawTextBox(0, 0, 50, "a b", DAlignLeft);
    c->textBoxHeight(50, "a");
    c->drawFocusRect(0, 0, 2, 2);
    c->setClipRect(1, 1, 1, 1);
    c->unlock();
    c->unlock();
    c->unlock();
    // Another thread can now take the lock and draw; a leaked count would block it.
    HANDLE thread = CreateThread(nullptr, 0, drawFromAnotherThread, &bitmap, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, 20000), WAIT_OBJECT_0);
    CloseHandle(thread);
    EXPECT_EQ(c->getPixel(0, 0), DColor(0, 255, 0));
}

TEST(DCanvas, MemoryCanvasIgnoresTheClipRectangle)
{
    DBitmap bitmap(10, 10);
    DCanvas* c = bitmap.canvas();
    c->setClipRect(2, 2, 3, 3);
    fillBitmap(bitmap, red);
    EXPECT_EQ(BitmapPixels(bitmap).count(red), 100);
}

TEST(DCanvas, DrawBitmapCopiesAndDrawIconKeepsTransparentPixels)
{
    DBitmap source(3, 2);
    source.canvas()->setPixel(0, 0, red);
    source.canvas()->setPixel(2, 1, blue);
    DBitmap target(8, 8);
    fillBitmap(target, white);
    target.canvas()->drawBitmap(4, 5, &source);
    BitmapPixels p(target);
    EXPECT_EQ(p.at(4, 5), red);
    EXPECT_EQ(p.at(6, 6), blue);
    EXPECT_EQ(p.at(5, 5), black);
    EXPECT_EQ(p.count(white), 64 - 6);

    // An icon: pixel (0,0) opaque red, (1,0) transparent, (0,1) opaque black.
    DIcon icon(2, 2);
    icon.image()->canvas()->setPixel(0, 0, red);
    icon.mask()->canvas()->setPixel(1, 0, white);
    icon.mask()->canvas()->setPixel(1, 1, white);
    DBitmap back(4, 4);
    fillBitmap(back, blue);
    back.canvas()->drawIcon(1, 1, 2, 2, &icon);
    BitmapPixels q(back);
    EXPECT_EQ(q.at(1, 1), red);
    EXPECT_EQ(q.at(2, 1), blue);
    EXPECT_EQ(q.at(1, 2), black);
    EXPECT_EQ(q.at(2, 2), blue);
    EXPECT_EQ(q.count(blue), 16 - 2);
}

TEST(DFont, DefaultsAndChanges)
{
    DFont font;
    EXPECT_EQ(font.getSize(), 8);
    EXPECT_NE(font.getHandle(), nullptr);
    EXPECT_GT(font.getFace().length(), 0);
    EXPECT_EQ(font.getColor(), black);
    font.setBold(1);
    EXPECT_EQ(font.getBold(), 1);
    LOGFONTA lf = {};
    ASSERT_TRUE(GetObjectA(font.getHandle(), sizeof(lf), &lf));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_LT(lf.lfHeight, 0);
    font.setBold(2);  // anything but 1 is normal weight
    ASSERT_TRUE(GetObjectA(font.getHandle(), sizeof(lf), &lf));
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);

    DFont other;
    other.setSize(14);
    other.setItalic(1);
    other.setUnderline(1);
    other.setColor(red);
    font.assign(other);
    EXPECT_EQ(font.getSize(), 14);
    EXPECT_EQ(font.getItalic(), 1);
    EXPECT_EQ(font.getUnderline(), 1);
    EXPECT_EQ(font.getColor(), red);
    ASSERT_TRUE(GetObjectA(font.getHandle(), sizeof(lf), &lf));
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_LT(lf.lfHeight, -14) << "14 points are more than 14 pixels at 96 or more dots per inch";
}

TEST(DFont, AssigningTheSameDescriptionKeepsTheGdiFont)
{
    DFont source;
    source.setSize(11);
    source.setBold(1);
    DFont copy;
    copy.assign(source);
    HFONT made = copy.getHandle();
    ASSERT_NE(made, nullptr);
    source.setColor(red);
    copy.assign(source);  // only the colour differs: the font stays
    EXPECT_EQ(copy.getHandle(), made);
    EXPECT_EQ(copy.getColor(), red);

    source.setItalic(1);
    copy.assign(source);
    LOGFONTA lf = {};
    ASSERT_TRUE(GetObjectA(copy.getHandle(), sizeof(lf), &lf));
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(copy.getSize(), 11);
}

TEST(DPenAndBrush, DefaultsAndAssign)
{
    DPen pen;
    EXPECT_EQ(pen.getColor(), black);
    EXPECT_EQ(pen.getWidth(), 0);
    EXPECT_EQ(pen.getStyle(), 0);
    DPen other;
    other.setColor(red);
    other.setWidth(2);
    other.setStyle(PS_DOT);
    pen.assign(other);
    EXPECT_EQ(pen.getColor(), red);
    EXPECT_EQ(pen.getWidth(), 2);
    EXPECT_EQ(pen.getStyle(), PS_DOT);
    DBrush brush;
    EXPECT_EQ(brush.getColor(), white);
}

TEST(DBitmap, DegenerateSizesDrawNothingAndDoNotFail)
{
    DBitmap empty(0, 0);
    DBitmap negative(-5, 3);
    EXPECT_EQ(negative.handle(), nullptr);
    negative.canvas()->drawRect(0, 0, 10, 10);
    negative.canvas()->drawTextBox(0, 0, 10, "abc def", DAlignRight);
    DBitmap target(4, 4);
    target.canvas()->drawBitmap(0, 0, &negative);
    target.canvas()->drawBitmap(0, 0, nullptr);
    target.canvas()->drawIcon(0, 0, 4, 4, nullptr);
    DIcon icon(-2, -2);
    target.canvas()->drawIcon(0, 0, 4, 4, &icon);
    target.canvas()->drawGradient(0, 0, -3, -3, red, blue, blue, red);
    target.canvas()->drawFocusRect(0, 0, 0, 0);
    EXPECT_EQ(BitmapPixels(target).count(black), 16);
}
