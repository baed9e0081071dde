#include "graphics/CanvasGeometry.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

TEST(FocusRectDots, SevenDotsOfAFourByThreeRectangleInOrder)
{
    const int x = 10, y = 20;
    std::vector<DPoint> expected = {{x, y + 2}, {x + 1, y}, {x + 2, y + 2}, {x + 3, y},
                                    {x, y},     {x + 3, y + 1}, {x, y + 2}};
    EXPECT_EQ(focusRectDots(x, y, 4, 3), expected);
}

TEST(FocusRectDots, ToggleCarriesFromColumnsToRows)
{
    // An odd width leaves the toggle off, so the first row dot goes to the right edge.
    std::vector<DPoint> dots = focusRectDots(0, 0, 3, 2);
    ASSERT_EQ(dots.size(), 5u);
    EXPECT_EQ(dots[3], (DPoint{2, 0}));
    EXPECT_EQ(dots[4], (DPoint{0, 1}));
}

TEST(FocusRectDots, EveryDotLiesOnTheBorder)
{
    std::vector<DPoint> dots = focusRectDots(5, 6, 17, 9);
    EXPECT_EQ(dots.size(), 26u);
    for (const DPoint& d : dots) {
        bool onBorder = d.x == 5 || d.x == 21 || d.y == 6 || d.y == 14;
        EXPECT_TRUE(onBorder) << d.x << "," << d.y;
    }
    EXPECT_TRUE(focusRectDots(0, 0, 0, 0).empty());
    EXPECT_TRUE(focusRectDots(0, 0, -3, -3).empty());
}
