// A canvas at display scales other than the base: units become the device pixels of their
// bands, so every part meets its neighbours and lines and glyphs keep hard edges.
#include "graphics/BitmapPixels.h"
#include "graphics/DBitmap.h"
#include "graphics/DCanvas.h"
#include "graphics/DIcon.h"
#include "graphics/SystemIcon.h"
#include "graphics/TestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <utility>

namespace {

const DColor black(0, 0, 0);
const DColor white(255, 255, 255);
const DColor red(255, 0, 0);
const DColor blue(0, 0, 255);

using Pixels = std::set<std::pair<int, int>>;

Pixels pixelsOf(const BitmapPixels& p, const DColor& c)
{
    Pixels out;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            if (p.at(x, y) == c) out.insert({x, y});
    return out;
}

// The device pixels of a device rectangle [left, right) x [top, bottom).
Pixels box(int left, int top, int right, int bottom)
{
    Pixels out;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) out.insert({x, y});
    return out;
}

Pixels joined(std::initializer_list<Pixels> parts)
{
    Pixels out;
    for (const Pixels& p : parts) out.insert(p.begin(), p.end());
    return out;
}

}  // namespace

TEST(CanvasScaling, RectangleEdgesAreOneUnitWideAtTwiceTheBase)
{
    DBitmap bitmap(20, 20);
    fillBitmap(bitmap, white);
    DCanvas* c = bitmap.canvas();
    c->setScale(DScale(192));
    c->pen()->setColor(red);
    c->brush()->setColor(blue);
    c->drawRect(1, 1, 5, 4);  // device [2, 12) x [2, 10)
    BitmapPixels p(bitmap);
    EXPECT_EQ(pixelsOf(p, blue), box(4, 4, 10, 8));
    EXPECT_EQ(pixelsOf(p, red), joined({box(2, 2, 12, 4), box(2, 8, 12, 10), box(2, 2, 4, 10),
                                       box(10, 2, 12, 10)}));
    c->setScale(DScale());
}

TEST(CanvasScaling, LinesCoverTheirUnitsAndLeaveOutTheEndPoint)
{
    DBitmap bitmap(24, 24);
    fillBitmap(bitmap, white);
    DCanvas* c = bitmap.canvas();
    c->setScale(DScale(144));
    c->pen()->setColor(red);
    c->drawLine(0, 2, 4, 2);  // units 0..3 of row 2: device x [0, 6), y [3, 5)
    c->pen()->setColor(blue);
    c->drawLine(6, 9, 6, 6);  // upward: units 7..9 of column 6 - device x [9, 11), y [11, 15)
    BitmapPixels p(bitmap);
    EXPECT_EQ(pixelsOf(p, red), box(0, 3, 6, 5));
    EXPECT_EQ(pixelsOf(p, blue), box(9, 11, 11, 15));
    c->setScale(DScale());
}

TEST(CanvasScaling, NeighbouringViewsMeetWhereverTheirSurfacesStart)
{
    // A view's surface starts at its own place in the window; what it draws lands on the
    // same device pixels as the window's own canvas would put there, so two views side by
    // side, or a view and its parent's frame around it, meet without a gap or an overlap.
    DBitmap bitmap(4, 4);
    DCanvas window(bitmap.handle());
    DCanvas view(bitmap.handle());
    const DScale scale(144);
    window.setScale(scale, 0, 0);
    for (int place = 0; place < 12; ++place) {
        view.setScale(scale, place, place + 1);
        for (int x = -2; x < 9; ++x) {
            for (int w = 0; w < 7; ++w) {
                const RECT inView = view.deviceRect(x, x, w, w);
                const RECT inWindow = window.deviceRect(place + x, place + 1 + x, w, w);
                const int surfaceX = scale.toDevice(place);
                const int surfaceY = scale.toDevice(place + 1);
                ASSERT_EQ(inView.left + surfaceX, inWindow.left) << place << " " << x << " " << w;
                ASSERT_EQ(inView.right + surfaceX, inWindow.right) << place << " " << x << " " << w;
                ASSERT_EQ(inView.top + surfaceY, inWindow.top) << place << " " << x << " " << w;
                ASSERT_EQ(inView.bottom + surfaceY, inWindow.bottom) << place << " " << x << " " << w;
            }
        }
    }
    // The origin moves drawing by units, at the same rule.
    view.setScale(scale, 3, 0);
    view.setOrigin(2, 0);
    EXPECT_EQ(view.deviceRect(1, 0, 1, 1).left, scale.toDevice(6) - scale.toDevice(3));
}

TEST(CanvasScaling, PixelsAndFocusDotsBecomeSquaresOfTheirBands)
{
    DBitmap bitmap(16, 16);
    fillBitmap(bitmap, white);
    DCanvas* c = bitmap.canvas();
    c->setScale(DScale(144));
    c->setPixel(0, 0, red);  // [0, 2)
    c->setPixel(1, 1, blue); // [2, 3)
    BitmapPixels p(bitmap);
    EXPECT_EQ(pixelsOf(p, red), box(0, 0, 2, 2));
    EXPECT_EQ(pixelsOf(p, blue), box(2, 2, 3, 3));
    EXPECT_EQ(c->getPixel(1, 1), blue);
    EXPECT_EQ(c->getPixel(0, 0), red);

    fillBitmap(bitmap, white);
    c->setScale(DScale(192));
    c->drawFocusRect(0, 0, 6, 6);
    const int atTwice = BitmapPixels(bitmap).count(black);
    fillBitmap(bitmap, white);
    c->setScale(DScale());
    c->drawFocusRect(0, 0, 6, 6);
    EXPECT_EQ(atTwice, 4 * BitmapPixels(bitmap).count(black));
}

TEST(CanvasScaling, BitmapsAreEnlargedPixelForPixel)
{
    DBitmap picture(2, 2);
    picture.setPixels({red, blue, blue, white});
    DBitmap bitmap(10, 10);
    fillBitmap(bitmap, black);
    DCanvas* c = bitmap.canvas();
    c->setScale(DScale(192));
    c->drawBitmap(1, 1, &picture);
    BitmapPixels p(bitmap);
    EXPECT_EQ(pixelsOf(p, red), box(2, 2, 4, 4));
    EXPECT_EQ(pixelsOf(p, blue), joined({box(4, 2, 6, 4), box(2, 4, 4, 6)}));
    EXPECT_EQ(pixelsOf(p, white), box(4, 4, 6, 6));
    c->setScale(DScale());
}

TEST(CanvasScaling, TextIsMadeForTheScaleAndMeasuredInUnits)
{
    DBitmap bitmap(200, 60);
    DCanvas* c = bitmap.canvas();
    const DString sample("Check Now!");
    const DTextExtent base = c->textExtent(sample);
    fillBitmap(bitmap, white);
    c->font()->setColor(black);
    c->drawText(0, 0, sample);
    const int baseInk = BitmapPixels(bitmap).count(black);

    c->setScale(DScale(192));
    EXPECT_EQ(c->font()->getDpi(), 192);
    const DTextExtent twice = c->textExtent(sample);
    // The same text in units at twice the scale: a font twice as large, measured back; hinting
    // moves it a little, never by a fifth.
    EXPECT_GT(base.width(), 0);
    EXPECT_LE(std::abs(twice.width() - base.width()) * 5, base.width());
    EXPECT_LE(std::abs(twice.height() - base.height()) * 5, base.height());
    fillBitmap(bitmap, white);
    c->drawText(0, 0, sample);
    // Drawn with the large font, not stretched from the small one: far more ink.
    EXPECT_GT(BitmapPixels(bitmap).count(black), 3 * baseInk);
    c->setScale(DScale());
    EXPECT_EQ(c->font()->getDpi(), 96);
    EXPECT_EQ(c->textExtent(sample).width(), base.width());
}

TEST(CanvasScaling, ClipRectangleIsInUnitsFromTheSurfacesPlace)
{
    TestWindow window(160, 120);
    ASSERT_NE(window.get(), nullptr);
    DCanvas canvas(window.get());
    canvas.setScale(DScale(144), 0, 0);
    canvas.setClipRect(10, 20, 30, 15);
    canvas.lock();
    RECT r = {};
    GetClipBox(canvas.dc(), &r);
    canvas.unlock();
    EXPECT_EQ(r.left, 15);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right, 60);
    EXPECT_EQ(r.bottom, 53);  // unit edge 35 at 52.5, rounded up
    // A surface starting at unit 1 puts the same units half a pixel further on.
    canvas.setScale(DScale(144), 1, 1);
    canvas.lock();
    GetClipBox(canvas.dc(), &r);
    canvas.unlock();
    EXPECT_EQ(r.left, 17 - 2);  // edges 11 and 1: 17 - 2
    EXPECT_EQ(r.right, 62 - 2); // edge 41 at 61.5 -> 62
}

TEST(CanvasScaling, IconsForTheSystemAreScaledPixelForPixel)
{
    DIcon icon(2, 2);
    icon.image()->setPixels({red, blue, black, white});
    icon.mask()->setPixels({black, black, white, black});  // the bottom-left pixel is clear
    EXPECT_EQ(icon.image()->pixels(), std::vector<DColor>({red, blue, black, white}));
    std::unique_ptr<DIcon> scaled(scaledIcon(&icon, 3, 3));
    ASSERT_NE(scaled, nullptr);
    // 2 to 3: the first pixel of each row and column covers two, the second one.
    EXPECT_EQ(scaled->image()->pixels(),
              std::vector<DColor>({red, red, blue, red, red, blue, black, black, white}));
    EXPECT_EQ(scaled->mask()->pixels(),
              std::vector<DColor>({black, black, black, black, black, black, white, white, black}));
    HICON system = makeSystemIcon(&icon, 24, 24);
    ASSERT_NE(system, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(system, &info));
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 24);
    EXPECT_EQ(bitmap.bmHeight, 24);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(system);
    EXPECT_EQ(scaledIcon(&icon, 0, 3), nullptr);
}

// An access key's underline is measured in the font as drawn and must fall under its letter
// at every scale: within the letter's columns and inside the text's line, not below it.
TEST(CanvasScaling, AnAccessKeysUnderlineStaysUnderItsLetter)
{
    DBitmap bitmap(300, 120);
    DCanvas* c = bitmap.canvas();
    for (int dpi : {96, 144, 192}) {
        const DScale scale(dpi);
        c->setScale(scale);
        fillBitmap(bitmap, white);
        c->font()->setColor(red);
        c->underlineAccessKey(10, 5, DString("Exit"), 'x');
        const Pixels line = pixelsOf(BitmapPixels(bitmap), red);
        ASSERT_FALSE(line.empty()) << dpi;
        int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
        for (const auto& p : line) {
            left = std::min(left, p.first);
            right = std::max(right, p.first);
            top = std::min(top, p.second);
            bottom = std::max(bottom, p.second);
        }
        const int before = c->textExtent(DString("E")).width();
        const int through = c->textExtent(DString("Ex")).width();
        const int height = c->textExtent(DString("Ex")).height();
        // Units are rounded up from the device widths: the letter lies within these bands.
        EXPECT_GE(left, scale.toDevice(10 + before - 1)) << dpi;
        EXPECT_LE(right, scale.toDevice(10 + through)) << dpi;
        EXPECT_GT(top, scale.toDevice(5 + height / 2)) << dpi;
        EXPECT_LT(bottom, scale.toDevice(5 + height) + 1) << dpi;
        EXPECT_LE(bottom - top + 1, std::max(1, dpi / 96)) << dpi;
    }
    c->setScale(DScale());
}
