#include "framework/DTheme.h"
#include "framework/ThemeGlyphs.h"
#include "graphics/BitmapPixels.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

const DColor white(255, 255, 255);
const DColor black(0, 0, 0);
const DColor green(0, 255, 0);
const DColor ink(200, 0, 0);  // the canvas font's colour in these tests

class ClassicTheme : public ::testing::Test {
protected:
    DTheme theme;
    DColor c(int n) const { return theme.color(n); }
    DColor lightened(const DColor& x) const { return x.blend(white, 100, 40); }
    DColor dark() const { return c(3).blend(black, 10, 4); }

    // A bitmap filled with green (a colour the theme never uses) and red ink.
    DBitmap* fresh(int w, int h)
    {
        bitmap.reset(new DBitmap(w, h));
        fillBitmap(*bitmap, green);
        bitmap->canvas()->font()->setColor(ink);
        return bitmap.get();
    }
    DCanvas* canvas() { return bitmap->canvas(); }
    BitmapPixels pixels() { return BitmapPixels(*bitmap); }

    std::unique_ptr<DBitmap> bitmap;
};

std::set<std::pair<int, int>> pixelsOf(const BitmapPixels& p, const DColor& color)
{
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            if (p.at(x, y) == color) out.insert({x, y});
    return out;
}

std::set<std::pair<int, int>> asSet(const std::vector<DPoint>& points, int dx = 0)
{
    std::set<std::pair<int, int>> out;
    for (const DPoint& p : points) out.insert({p.x + dx, p.y});
    return out;
}

}  // namespace

TEST_F(ClassicTheme, DefaultColours)
{
    EXPECT_EQ(c(0).value(), 0xC0C0C0u);
    EXPECT_EQ(c(1).value(), 0xC0C0C0u);
    EXPECT_EQ(c(2).value(), 0xFFFFFFu);
    EXPECT_EQ(c(3).value(), 0x808080u);
    EXPECT_EQ(c(4).value(), 0x800000u);
    EXPECT_EQ(c(5).value(), 0xC0C0C0u);
    EXPECT_EQ(c(6).value(), 0xFFFFFFu);
    EXPECT_EQ(c(7).value(), 0x808080u);
    EXPECT_EQ(c(8).value(), 0xFF0000u);
    EXPECT_EQ(c(9), DColor(255, 255, 229));
    EXPECT_EQ(c(10), black);
    theme.setBackground(DColor(1, 2, 3));
    EXPECT_EQ(c(0), DColor(1, 2, 3));
    EXPECT_EQ(c(1).value(), 0xC0C0C0u);
}

TEST_F(ClassicTheme, CheckBoxGlyphAtTheOriginWhateverTheSize)
{
    for (int enabled = 0; enabled < 2; ++enabled) {
        for (int state = 0; state < 3; ++state) {
            for (int checked = 0; checked < 2; ++checked) {
                fresh(30, 30);
                theme.drawCheckBox(canvas(), enabled, 30, 30, state, checked);
                BitmapPixels big = pixels();
                fresh(30, 30);
                theme.drawCheckBox(canvas(), enabled, 3, 0, state, checked);
                ASSERT_TRUE(big == pixels());
                const DColor interior = (!enabled || state == DStatePressed) ? c(0) : c(2);
                const DColor palette[6] = {enabled ? ink : c(3), c(2), c(0), c(3), dark(), interior};
                for (int y = 0; y < 30; ++y) {
                    for (int x = 0; x < 30; ++x) {
                        DColor expected = (x < 13 && y < 13)
                                              ? palette[checkBoxGlyphCode(x, y, checked)]
                                              : green;
                        ASSERT_EQ(big.at(x, y), expected)
                            << x << "," << y << " enabled " << enabled << " state " << state
                            << " checked " << checked;
                    }
                }
                // The mark shows only when checked.
                EXPECT_EQ(big.at(3, 6) == (enabled ? ink : c(3)), checked == 1);
            }
        }
    }
}

TEST_F(ClassicTheme, RadioGlyphAtTheOriginLeavesCornersAlone)
{
    for (int enabled = 0; enabled < 2; ++enabled) {
        for (int checked = 0; checked < 2; ++checked) {
            fresh(20, 20);
            theme.drawRadioButton(canvas(), enabled, 20, 20, DStateNormal, checked);
            BitmapPixels p = pixels();
            const DColor palette[6] = {enabled ? ink : c(3), c(2), c(0), c(3), dark(),
                                       enabled ? c(2) : c(0)};
            for (int y = 0; y < 20; ++y) {
                for (int x = 0; x < 20; ++x) {
                    int code = radioGlyphCode(x, y, checked);
                    DColor expected = code == DGlyphNone ? green : palette[code];
                    ASSERT_EQ(p.at(x, y), expected) << x << "," << y;
                }
            }
            EXPECT_EQ(p.at(0, 0), green);
            EXPECT_EQ(p.at(5, 5) == (enabled ? ink : c(3)), checked == 1);
        }
    }
}

TEST_F(ClassicTheme, ScrollArrowGlyphsAndPressedShift)
{
    // Up arrow in a 16 x 16 button: the tip at (7, 7), the base on row 10.
    fresh(16, 16);
    theme.drawScrollArrow(canvas(), true, 16, 16, DStateNormal, DArrowUp);
    std::set<std::pair<int, int>> up = pixelsOf(pixels(), ink);
    EXPECT_EQ(up.size(), 16u);
    EXPECT_EQ(up.count({7, 7}), 1u);
    EXPECT_EQ(up.count({4, 10}), 1u);
    EXPECT_EQ(up.count({10, 10}), 1u);

    for (int direction = 0; direction < 4; ++direction) {
        fresh(18, 15);
        theme.drawScrollArrow(canvas(), true, 18, 15, DStateNormal, direction);
        std::set<std::pair<int, int>> normal = pixelsOf(pixels(), ink);
        EXPECT_EQ(normal, asSet(scrollArrowGlyph(18, 15, direction, false))) << direction;
        fresh(18, 15);
        theme.drawScrollArrow(canvas(), true, 18, 15, DStatePressed, direction);
        EXPECT_EQ(pixelsOf(pixels(), ink), asSet(scrollArrowGlyph(18, 15, direction, false), 2))
            << "pressed moves the glyph 2 pixels right, direction " << direction;
        // Disabled: shadow-coloured glyph, never moved, on a normal-looking button.
        fresh(18, 15);
        theme.drawScrollArrow(canvas(), false, 18, 15, DStatePressed, direction);
        BitmapPixels disabled = pixels();
        EXPECT_TRUE(pixelsOf(disabled, ink).empty());
        for (const auto& p : asSet(scrollArrowGlyph(18, 15, direction, false)))
            EXPECT_EQ(disabled.at(p.first, p.second), c(3));
        EXPECT_EQ(disabled.at(1, 1), c(2));
    }
}

TEST_F(ClassicTheme, ScrollButtonFaces)
{
    fresh(20, 20);
    theme.drawScrollThumb(canvas(), true, 20, 20, DStateNormal, false);
    BitmapPixels normal = pixels();
    EXPECT_EQ(normal.at(0, 0), c(1));
    EXPECT_EQ(normal.at(1, 1), c(2));
    EXPECT_EQ(normal.at(19, 19), dark());
    EXPECT_EQ(normal.at(18, 18), c(3));
    EXPECT_EQ(normal.at(10, 10), c(1));

    fresh(20, 20);
    theme.drawScrollThumb(canvas(), true, 20, 20, DStateHot, false);
    EXPECT_EQ(pixels().at(10, 10), lightened(c(1)));
    EXPECT_EQ(pixels().at(1, 1), c(2));

    fresh(20, 20);
    theme.drawScrollThumb(canvas(), true, 20, 20, DStatePressed, false);
    BitmapPixels pressed = pixels();
    EXPECT_EQ(pressed.at(0, 0), c(3).blend(c(1), 10, 4));
    EXPECT_EQ(pressed.at(19, 19), c(3).blend(c(1), 10, 4));
    EXPECT_EQ(pressed.at(1, 1), lightened(c(1)));

    fresh(20, 20);
    theme.drawScrollThumb(canvas(), false, 20, 20, DStatePressed, false);
    EXPECT_TRUE(pixels() == normal);
}

TEST_F(ClassicTheme, MenuCheckMark)
{
    fresh(20, 20);
    theme.drawMenuCheck(canvas(), 0, 0, 0);
    BitmapPixels p = pixels();
    EXPECT_EQ(pixelsOf(p, ink), asSet(menuCheckGlyph()));
    EXPECT_EQ(p.count(green), 400 - 21);
}

TEST_F(ClassicTheme, ButtonEdges)
{
    const int w = 30, h = 20;
    fresh(w, h);
    theme.drawButton(canvas(), true, false, w, h, DStateNormal);
    BitmapPixels raised = pixels();
    EXPECT_EQ(raised.at(0, 0), c(2));
    EXPECT_EQ(raised.at(0, h - 2), c(2));
    EXPECT_EQ(raised.at(w - 1, h - 1), dark());
    EXPECT_EQ(raised.at(w - 1, 0), dark());
    EXPECT_EQ(raised.at(w - 2, h - 2), c(3));
    EXPECT_EQ(raised.at(10, 10), c(0));

    fresh(w, h);
    theme.drawButton(canvas(), true, false, w, h, DStatePressed);
    BitmapPixels sunken = pixels();
    EXPECT_EQ(sunken.at(0, 0), dark());
    EXPECT_EQ(sunken.at(1, 1), c(3));
    EXPECT_EQ(sunken.at(w - 1, h - 1), c(2));
    EXPECT_EQ(sunken.at(10, 10), lightened(c(0)));

    fresh(w, h);
    theme.drawButton(canvas(), true, false, w, h, DStateHot);
    EXPECT_EQ(pixels().at(10, 10), lightened(c(0)));
    EXPECT_EQ(pixels().at(0, 0), c(2));

    fresh(w, h);
    theme.drawButton(canvas(), false, true, w, h, DStatePressed);
    EXPECT_TRUE(pixels() == raised) << "disabled buttons are raised and never default";

    fresh(w, h);
    theme.drawButton(canvas(), true, true, w, h, DStateNormal);
    BitmapPixels def = pixels();
    EXPECT_EQ(def.at(0, 0), ink);
    EXPECT_EQ(def.at(w - 1, h - 1), ink);
    EXPECT_EQ(def.at(1, 1), c(2));
    EXPECT_EQ(def.at(w - 2, h - 2), dark());
    EXPECT_EQ(def.at(w - 3, h - 3), c(3));

    fresh(w, h);
    theme.drawButton(canvas(), true, true, w, h, DStatePressed);
    BitmapPixels defPressed = pixels();
    EXPECT_EQ(defPressed.at(0, 0), ink);
    EXPECT_EQ(defPressed.at(1, 1), c(3));
    EXPECT_EQ(defPressed.at(w - 2, h - 2), c(3));
    EXPECT_EQ(defPressed.at(5, 5), lightened(c(0)));
}

TEST_F(ClassicTheme, FieldsSunkenOrFlat)
{
    const int w = 30, h = 20;
    theme.setBackground(white);
    fresh(w, h);
    theme.drawField(canvas(), true, w, h, 0, false);
    BitmapPixels sunken = pixels();
    EXPECT_EQ(sunken.at(0, 0), c(3));
    EXPECT_EQ(sunken.at(1, 1), dark());
    EXPECT_EQ(sunken.at(w - 1, h - 1), c(2));
    EXPECT_EQ(sunken.at(w - 2, h - 2), c(1));
    EXPECT_EQ(sunken.at(10, 10), white);

    fresh(w, h);
    theme.drawField(canvas(), true, w, h, 0, true);
    EXPECT_EQ(pixels().count(white), w * h);
    fresh(w, h);
    theme.drawField(canvas(), false, w, h, 0, true);
    EXPECT_EQ(pixels().count(c(1)), w * h);
}

TEST_F(ClassicTheme, GroupFrameEtchedWithCaptionCleared)
{
    fresh(60, 40);
    theme.drawGroupFrame(canvas(), 0, 60, 40, 20, 12);  // t = 6
    BitmapPixels p = pixels();
    EXPECT_EQ(p.at(4, 6), c(3));    // shadow frame (4, 6, 52, 30)
    EXPECT_EQ(p.at(5, 7), c(2));    // light frame (5, 7, 52, 30)
    EXPECT_EQ(p.at(56, 36), c(2));
    EXPECT_EQ(p.at(55, 35), c(3));
    EXPECT_EQ(p.at(12, 6), c(0));   // the caption's place
    EXPECT_EQ(p.at(40, 6), c(3));
    EXPECT_EQ(p.at(30, 20), c(0));

    fresh(60, 40);
    theme.drawGroupFrame(canvas(), 0, 60, 40, 0, 3);  // short caption: t = 4
    EXPECT_EQ(pixels().at(40, 4), c(3));
}

TEST_F(ClassicTheme, MenusToolTipsAndSelections)
{
    fresh(60, 30);
    theme.drawMenuBackground(canvas(), 60, 30);
    BitmapPixels menu = pixels();
    EXPECT_EQ(menu.at(0, 0), c(7));
    EXPECT_EQ(menu.at(1, 5), c(6));
    EXPECT_EQ(menu.at(10, 10), c(5));
    EXPECT_EQ(menu.at(23, 10), c(6));
    EXPECT_EQ(menu.at(59, 29), c(7));

    fresh(60, 30);
    theme.drawMenuHighlight(canvas(), 0, 60, 30);
    EXPECT_EQ(pixels().at(0, 0), c(8));
    EXPECT_EQ(pixels().at(5, 5), c(8).blend(c(6), 20, 15));

    fresh(60, 30);
    theme.drawMenuSeparator(canvas(), 60, 9);
    std::set<std::pair<int, int>> line = pixelsOf(pixels(), c(7));
    EXPECT_EQ(line.size(), size_t(60 - 4 - 27));
    EXPECT_EQ(line.count({27, 4}), 1u);

    fresh(40, 20);
    theme.drawToolTip(canvas(), 40, 20);
    EXPECT_EQ(pixels().at(0, 0), ink);
    EXPECT_EQ(pixels().at(5, 5), DColor(255, 255, 229));

    fresh(40, 20);
    canvas()->pen()->setColor(DColor(1, 2, 3));
    canvas()->brush()->setColor(DColor(4, 5, 6));
    theme.drawSelection(canvas(), 40, 20);
    EXPECT_EQ(pixels().at(0, 0), c(4));
    EXPECT_EQ(pixels().at(5, 5), c(4).blend(c(2), 20, 15));
    EXPECT_EQ(canvas()->pen()->getColor(), DColor(1, 2, 3));
    EXPECT_EQ(canvas()->brush()->getColor(), DColor(4, 5, 6));

    fresh(40, 20);
    theme.drawHeaderItem(canvas(), 0, 40, 20, 0);
    EXPECT_EQ(pixels().at(0, 0), c(2));
    EXPECT_EQ(pixels().at(39, 5), c(3));
    EXPECT_EQ(pixels().at(5, 19), c(3));

    fresh(40, 20);
    theme.drawScrollTrack(canvas(), true, 40, 20, true);
    EXPECT_EQ(pixels().count(lightened(c(0))), 800);
}

TEST_F(ClassicTheme, WaitBlocksAndProgressChunks)
{
    theme.setBackground(DColor(0, 0, 255));
    fresh(10, 10);
    theme.drawWaitBlock(canvas(), 0, 10, 10, 4, 1);
    EXPECT_EQ(pixels().count(DColor(0, 0, 255).blend(c(1), 4, 1)), 100);

    fresh(10, 4);
    theme.drawProgressChunk(canvas(), 0, 10, 4, true);
    BitmapPixels g = pixels();
    for (int i = 0; i < 10; ++i) EXPECT_EQ(g.at(i, 2), c(1).blend(c(0), 10, i));
}

TEST_F(ClassicTheme, PartsFollowTheCanvasOrigin)
{
    fresh(20, 20);
    canvas()->setOrigin(5, 6);
    theme.drawBackground(canvas(), 3, 2, false);
    canvas()->setOrigin(0, 0);
    std::set<std::pair<int, int>> expected = {{5, 6}, {6, 6}, {7, 6}, {5, 7}, {6, 7}, {7, 7}};
    EXPECT_EQ(pixelsOf(pixels(), c(0)), expected);
}
