#include "framework/ThemeGlyphs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

namespace {

std::set<std::pair<int, int>> asSet(const std::vector<DPoint>& points)
{
    std::set<std::pair<int, int>> out;
    for (const DPoint& p : points) out.insert({p.x, p.y});
    return out;
}

}  // namespace

TEST(ThemeGlyphs, CheckBoxCells)
{
    // Shadow top-left corner, light bottom row, dark inner edge, mark in the middle.
    EXPECT_EQ(checkBoxGlyphCode(0, 0, true), DGlyphShadow);
    EXPECT_EQ(checkBoxGlyphCode(12, 0, true), DGlyphBack);
    EXPECT_EQ(checkBoxGlyphCode(0, 12, true), DGlyphLight);
    EXPECT_EQ(checkBoxGlyphCode(1, 1, true), DGlyphDark);
    EXPECT_EQ(checkBoxGlyphCode(9, 3, true), DGlyphMark);
    EXPECT_EQ(checkBoxGlyphCode(9, 3, false), DGlyphInterior);
    EXPECT_EQ(checkBoxGlyphCode(13, 0, true), DGlyphNone);
    EXPECT_EQ(checkBoxGlyphCode(-1, 5, true), DGlyphNone);
    int marks = 0, unchecked = 0;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x) {
            marks += checkBoxGlyphCode(x, y, true) == DGlyphMark;
            unchecked += checkBoxGlyphCode(x, y, false) == DGlyphMark;
            EXPECT_NE(checkBoxGlyphCode(x, y, true), DGlyphNone);
        }
    EXPECT_EQ(marks, 21);
    EXPECT_EQ(unchecked, 0);
}

TEST(ThemeGlyphs, RadioCells)
{
    EXPECT_EQ(radioGlyphCode(0, 0, true), DGlyphNone);
    EXPECT_EQ(radioGlyphCode(4, 0, true), DGlyphShadow);
    EXPECT_EQ(radioGlyphCode(5, 5, true), DGlyphMark);
    EXPECT_EQ(radioGlyphCode(5, 5, false), DGlyphInterior);
    EXPECT_EQ(radioGlyphCode(12, 5, true), DGlyphNone);
    int marks = 0, none = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            marks += radioGlyphCode(x, y, true) == DGlyphMark;
            none += radioGlyphCode(x, y, true) == DGlyphNone;
        }
    EXPECT_EQ(marks, 12);
    EXPECT_EQ(none, 32);
}

TEST(ThemeGlyphs, ScrollArrowsInFourDirections)
{
    // 16 x 16 button: the up/down box is 7 x 4 at (4, 6), the left/right box 4 x 7 at (6, 4).
    std::vector<DPoint> up = scrollArrowGlyph(16, 16, DArrowUp, false);
    EXPECT_EQ(up.size(), 16u);
    EXPECT_EQ(asSet(up).count({7, 7}), 1u);
    EXPECT_EQ(asSet(up).count({6, 7}), 0u);
    for (int x = 4; x <= 10; ++x) EXPECT_EQ(asSet(up).count({x, 10}), 1u);

    std::vector<DPoint> down = scrollArrowGlyph(16, 16, DArrowDown, false);
    for (int x = 4; x <= 10; ++x) EXPECT_EQ(asSet(down).count({x, 7}), 1u);
    EXPECT_EQ(asSet(down).count({7, 10}), 1u);
    EXPECT_EQ(asSet(down).count({6, 10}), 0u);

    std::vector<DPoint> left = scrollArrowGlyph(16, 16, DArrowLeft, false);
    EXPECT_EQ(left.size(), 16u);
    for (int y = 4; y <= 10; ++y) EXPECT_EQ(asSet(left).count({9, y}), 1u);
    EXPECT_EQ(asSet(left).count({6, 7}), 1u);
    EXPECT_EQ(asSet(left).count({6, 6}), 0u);

    std::vector<DPoint> right = scrollArrowGlyph(16, 16, DArrowRight, false);
    for (int y = 4; y <= 10; ++y) EXPECT_EQ(asSet(right).count({6, y}), 1u);
    EXPECT_EQ(asSet(right).count({9, 7}), 1u);
    EXPECT_EQ(asSet(right).count({9, 6}), 0u);

    EXPECT_TRUE(scrollArrowGlyph(16, 16, 4, false).empty());
}

TEST(ThemeGlyphs, PressedArrowMovesTwoPixelsRight)
{
    for (int direction = 0; direction < 4; ++direction) {
        std::vector<DPoint> normal = scrollArrowGlyph(17, 15, direction, false);
        std::vector<DPoint> pressed = scrollArrowGlyph(17, 15, direction, true);
        ASSERT_EQ(normal.size(), pressed.size());
        for (DPoint& p : normal) p.x += 2;
        EXPECT_EQ(asSet(normal), asSet(pressed));
    }
}

TEST(ThemeGlyphs, ArrowBoxHalvesTruncateTowardZero)
{
    // A button narrower than the glyph puts it partly left of the button.
    std::vector<DPoint> up = scrollArrowGlyph(4, 2, DArrowUp, false);
    int minX = 100;
    for (const DPoint& p : up) minX = std::min(minX, p.x);
    EXPECT_EQ(minX, -1);  // (4 - 7) / 2 = -1
}

TEST(ThemeGlyphs, MenuCheckMark)
{
    std::set<std::pair<int, int>> mark = asSet(menuCheckGlyph());
    EXPECT_EQ(mark.size(), 21u);
    EXPECT_EQ(mark.count({12, 6}), 1u);
    EXPECT_EQ(mark.count({6, 8}), 1u);
    EXPECT_EQ(mark.count({8, 12}), 1u);
    EXPECT_EQ(mark.count({6, 6}), 0u);
    for (const auto& p : mark) {
        EXPECT_GE(p.first, 6);
        EXPECT_LE(p.first, 12);
        EXPECT_GE(p.second, 6);
        EXPECT_LE(p.second, 12);
    }
}
