#include "controls/MenuGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

DMenuEntryShape item(int textWidth)
{
    DMenuEntryShape shape;
    shape.textWidth = textWidth;
    return shape;
}

DMenuEntryShape separator()
{
    DMenuEntryShape shape;
    shape.separator = true;
    shape.textWidth = 500;  // a separator's text never counts
    return shape;
}

// "Open", "-", "Exit" with a 20-pixel line: tops 0, 23, 31; items at y 2, 25, 33.
DMenuLayout threeItems()
{
    return layoutMenu({item(40), separator(), item(70)}, 20);
}

}  // namespace

TEST(MenuLayout, LineHeightIsTheSampleHeightAtLeastTwenty)
{
    struct Case { int sample; int expected; } cases[] = {
        {13, 20}, {20, 20}, {21, 21}, {0, 20}, {-5, 20}, {INT_MAX, INT_MAX}};
    for (const Case& c : cases)
        EXPECT_EQ(menuLineHeight(c.sample), c.expected) << c.sample;
    EXPECT_EQ(menuItemHeight(true, 24), 5);
    EXPECT_EQ(menuItemHeight(false, 24), 24);
}

TEST(MenuLayout, TopsSizesAndWidestText)
{
    DMenuLayout layout = threeItems();
    EXPECT_EQ(layout.tops, (std::vector<int>{0, 23, 31}));
    EXPECT_EQ(layout.heights, (std::vector<int>{20, 5, 20}));
    EXPECT_EQ(layout.width, 120);            // widest text 70 + 50
    EXPECT_EQ(layout.height, 23 + 8 + 23 + 6);
    EXPECT_EQ(menuItemY(layout, 0), 2);
    EXPECT_EQ(menuItemY(layout, 2), 33);
    EXPECT_EQ(menuItemY(layout, 3), -1);
    EXPECT_EQ(menuItemY(layout, -1), -1);
}

TEST(MenuLayout, EmptyMenuAndSeparatorsOnly)
{
    DMenuLayout empty = layoutMenu({}, 20);
    EXPECT_EQ(empty.width, 50);
    EXPECT_EQ(empty.height, 6);
    EXPECT_EQ(menuItemAt(empty, 10, 3), -1);

    DMenuLayout lines = layoutMenu({separator(), separator()}, 20);
    EXPECT_EQ(lines.width, 60);  // a separator counts 10
    EXPECT_EQ(lines.height, 8 + 8 + 6);
}

TEST(MenuHitTest, BandsFollowEachOtherWithoutGaps)
{
    DMenuLayout layout = threeItems();
    // Item 0 covers 2 < y < 26, item 1 (separator) 25 < y < 34, item 2 33 < y < 57.
    struct Case { int y; int expected; } cases[] = {
        {0, -1}, {2, -1}, {3, 0}, {24, 0}, {25, 0}, {26, 1}, {33, 1}, {34, 2},
        {56, 2}, {57, -1}, {60, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(menuItemAt(layout, 10, c.y), c.expected) << "y " << c.y;
}

TEST(MenuHitTest, OnlyPointsInsideTheMenuCount)
{
    DMenuLayout layout = threeItems();
    EXPECT_EQ(menuItemAt(layout, 0, 10), 0);
    EXPECT_EQ(menuItemAt(layout, layout.width, 10), 0);
    EXPECT_EQ(menuItemAt(layout, layout.width + 1, 10), -1);
    EXPECT_EQ(menuItemAt(layout, -1, 10), -1);
    // A point left of or above the window, as a 16-bit unsigned mouse coordinate reads it.
    EXPECT_EQ(menuItemAt(layout, 65535, 10), -1);
    EXPECT_EQ(menuItemAt(layout, 10, 65530), -1);
    EXPECT_EQ(menuItemAt(layout, INT_MIN, INT_MIN), -1);
    EXPECT_EQ(menuItemAt(layout, INT_MAX, INT_MAX), -1);
}

TEST(MenuHitTest, PaintedPartsLieInTheBandThatHitsTheirItem)
{
    DMenuLayout layout = layoutMenu({item(30), item(90), separator(), item(10)}, 22);
    for (int i = 0; i < 4; i++) {
        if (i == 2)
            continue;
        DMenuBox highlight = menuHighlightBox(layout, i);
        EXPECT_EQ(highlight.x, 3);
        EXPECT_EQ(highlight.width, layout.width - 6);
        EXPECT_EQ(highlight.height, 25);
        EXPECT_EQ(highlight.y, menuItemY(layout, i) + 1);
        // Every row of the highlight hits this item.
        for (int y = highlight.y; y < highlight.y + highlight.height; y++)
            EXPECT_EQ(menuItemAt(layout, 5, y), i) << "item " << i << " y " << y;
        DMenuBox text = menuTextBox(layout, i, 40, 13);
        EXPECT_EQ(text.x, 27);
        EXPECT_EQ(text.y, highlight.y + 6);  // (25 - 13) / 2
        DMenuBox check = menuCheckBox(layout, i);
        EXPECT_EQ(check.x, 4);
        EXPECT_EQ(check.y, highlight.y + 3);
        EXPECT_EQ(check.width, 18);
        DMenuBox arrow = menuArrowBox(layout, i);
        EXPECT_EQ(arrow.x, layout.width - 10);
        EXPECT_EQ(arrow.y, highlight.y);
    }
    DMenuBox line = menuSeparatorBox(layout, 2);
    EXPECT_EQ(line.x, 1);
    EXPECT_EQ(line.y, menuItemY(layout, 2));
    EXPECT_EQ(line.width, layout.width - 2);
    EXPECT_EQ(line.height, 8);  // to the next item's y, not a whole line high
    EXPECT_EQ(line.y + line.height, menuItemY(layout, 3));
    EXPECT_EQ(menuHighlightBox(layout, 9).width, 0);
}

TEST(MenuHitTest, HugeItemCountsAndWidthsNeitherOverflowNorFault)
{
    std::vector<DMenuEntryShape> many(2000000, item(INT_MAX));
    DMenuLayout layout = layoutMenu(many, INT_MAX);
    EXPECT_EQ(layout.width, INT_MAX);
    EXPECT_EQ(layout.height, INT_MAX);
    EXPECT_GE(layout.tops.back(), 0);
    EXPECT_EQ(menuItemAt(layout, 5, 3), 0);
    EXPECT_GE(menuTextBox(layout, 1999999, 10, 10).y, 0);

    std::vector<DMenuEntryShape> lots(1000000, item(10));
    DMenuLayout tall = layoutMenu(lots, 20);
    EXPECT_EQ(tall.height, 23000000 + 6);
    EXPECT_EQ(menuItemAt(tall, 5, 2 + 23 * 999999 + 10), 999999);
}

TEST(MenuHitTest, ZeroAndNegativeLineHeights)
{
    // A zero line height only arises when a caller skips menuLineHeight; nothing faults.
    DMenuLayout flat = layoutMenu({item(10), item(10)}, 0);
    EXPECT_EQ(flat.tops, (std::vector<int>{0, 3}));
    EXPECT_EQ(menuItemAt(flat, 5, 4), 0);
    EXPECT_EQ(menuItemAt(flat, 5, 6), 1);
    DMenuLayout negative = layoutMenu({item(10)}, -50);
    EXPECT_EQ(menuItemAt(negative, 5, 1), -1);
}

TEST(MenuKeys, UpAndDownSkipSeparators)
{
    std::vector<DMenuEntryShape> items = {separator(), item(1), separator(), separator(), item(1),
                                          item(1), separator()};
    struct Case { int from; bool down; int expected; } cases[] = {
        {-1, true, 1}, {1, true, 4}, {4, true, 5}, {5, true, 5},   // no item after the last
        {-1, false, -1}, {1, false, 1}, {4, false, 1}, {5, false, 4},
        {0, false, 0}, {99, true, 1}, {-7, false, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(menuNextIndex(items, c.from, c.down), c.expected)
            << "from " << c.from << (c.down ? " down" : " up");
}

TEST(MenuKeys, UpAndDownPassOverDisabledItems)
{
    DMenuEntryShape off = item(1);
    off.enabled = false;
    std::vector<DMenuEntryShape> items = {off, item(1), off, separator(), item(1), off};
    EXPECT_EQ(menuNextIndex(items, -1, true), 1);
    EXPECT_EQ(menuNextIndex(items, 1, true), 4);
    EXPECT_EQ(menuNextIndex(items, 4, true), 4);   // only disabled items after it
    EXPECT_EQ(menuNextIndex(items, 4, false), 1);
    EXPECT_EQ(menuNextIndex(items, 1, false), 1);  // a disabled first item is not reached
    // From a disabled item that the mouse made hot, the keys move on.
    EXPECT_EQ(menuNextIndex(items, 2, true), 4);
    EXPECT_EQ(menuNextIndex(items, 2, false), 1);
    EXPECT_EQ(menuNextIndex({off, off}, -1, true), -1);
}

TEST(MenuKeys, MenusWithNothingToChoose)
{
    EXPECT_EQ(menuNextIndex({}, -1, true), -1);
    EXPECT_EQ(menuNextIndex({separator(), separator()}, -1, true), -1);
    EXPECT_EQ(menuNextIndex({item(1)}, 0, false), 0);
    EXPECT_EQ(menuNextIndex({item(1)}, 0, true), 0);
}

TEST(PopupPlacement, OpensLeftAndAboveNearTheEdges)
{
    struct Case {
        int x, y, w, h, extraLeft, extraUp;
        int ex, ey;
    } cases[] = {
        {100, 100, 120, 80, 0, 0, 100, 100},     // room everywhere
        {950, 100, 120, 80, 0, 0, 830, 100},     // right edge: to the left of the point
        {904, 100, 120, 80, 0, 0, 904, 100},     // exactly touching the edge stays
        {905, 100, 120, 80, 0, 0, 785, 100},
        {100, 700, 120, 80, 0, 0, 100, 620},     // bottom edge: above the point
        {950, 700, 120, 80, 0, 0, 830, 620},     // corner: both
        {950, 100, 120, 80, 150, 0, 680, 100},   // a submenu: on the parent's left side
        {100, 700, 120, 80, 0, 25, 100, 595},    // dropped from a view: above the view
        {50, 30, 120, 80, 0, 0, 50, 30},
        {-20, -5, 120, 80, 0, 0, 0, 0},          // never negative
        {10, 700, 2000, 80, 0, 0, 0, 620},       // wider than the screen
        {100, 10, 120, 5000, 0, 0, 100, 0},      // taller than the screen
        {60, 100, 120, 80, 150, 0, 60, 100},
        {950, 100, 120, 80, 900, 0, 0, 100},     // a left side off the screen is held at 0
    };
    for (const Case& c : cases) {
        DMenuBox at = popupPlacement(c.x, c.y, c.w, c.h, 1024, 768, c.extraLeft, c.extraUp);
        EXPECT_EQ(at.x, c.ex) << c.x << "," << c.y;
        EXPECT_EQ(at.y, c.ey) << c.x << "," << c.y;
        EXPECT_EQ(at.width, c.w);
        EXPECT_EQ(at.height, c.h);
    }
}

TEST(PopupPlacement, ExtremeValuesStayInRange)
{
    DMenuBox at = popupPlacement(INT_MAX, INT_MAX, INT_MAX, INT_MAX, 1024, 768, INT_MAX, INT_MAX);
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 0);
    at = popupPlacement(INT_MIN, INT_MIN, 100, 100, 0, 0, 0, 0);
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 0);
}

TEST(DropList, TenItemsShowSixRowsAndThreeItemsThree)
{
    const int lh = 13;
    DMenuBox ten = dropListPlacement(200, 300, 120, 21, 10, 6, lh, 1024, 768);
    EXPECT_EQ(ten.height, 6 * lh + 4);
    EXPECT_EQ(ten.width, 120);
    EXPECT_EQ(ten.x, 200);
    EXPECT_EQ(ten.y, 300);
    EXPECT_EQ(dropListPageSize(ten.height, lh), 6);
    DMenuBox three = dropListPlacement(200, 300, 120, 21, 3, 6, lh, 1024, 768);
    EXPECT_EQ(three.height, 3 * lh + 4);
    EXPECT_EQ(dropListPageSize(three.height, lh), 3);
    DMenuBox none = dropListPlacement(200, 300, 120, 21, 0, 6, lh, 1024, 768);
    EXPECT_EQ(none.height, 4);
    EXPECT_EQ(dropListPageSize(none.height, lh), 0);
}

TEST(DropList, PlacementNearTheScreenEdges)
{
    struct Case { int x, y; int ex, ey; } cases[] = {
        {950, 300, 904, 300},     // ends at the right edge
        {200, 700, 200, 700 - 82 - 21},  // above the combo
        {-30, -3, 0, 0},
    };
    for (const Case& c : cases) {
        DMenuBox at = dropListPlacement(c.x, c.y, 120, 21, 10, 6, 13, 1024, 768);
        EXPECT_EQ(at.x, c.ex) << c.x;
        EXPECT_EQ(at.y, c.ey) << c.y;
    }
    DMenuBox huge = dropListPlacement(10, 10, 5000, 21, 1000, 1000, 13, 1024, 768);
    EXPECT_EQ(huge.x, 0);
    EXPECT_EQ(huge.y, 0);
    DMenuBox overflow = dropListPlacement(10, 10, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX,
                                          1024, 768);
    EXPECT_EQ(overflow.height, INT_MAX);
    EXPECT_EQ(overflow.x, 0);
    EXPECT_EQ(overflow.y, 0);
}

TEST(DropList, RowUnderThePoint)
{
    const int lh = 13;
    // Row bands at 2..15, 15..28, ...; the boundary lines belong to no row.
    struct Case { int y, position, expected; } cases[] = {
        {1, 0, -1}, {2, 0, -1}, {3, 0, 0}, {14, 0, 0}, {15, 0, -1}, {16, 0, 1},
        {3, 4, 4}, {79, 4, 9}, {80, 4, -1}, {81, 4, -1},
        {81, 0, -1},                          // the row below the six on show
    };
    for (const Case& c : cases)
        EXPECT_EQ(dropListRowAt(c.y, c.position, lh, 6, 10), c.expected)
            << "y " << c.y << " position " << c.position;
    EXPECT_EQ(dropListRowY(4, 4, lh), 2);
    EXPECT_EQ(dropListRowY(9, 4, lh), 2 + 5 * lh);
    EXPECT_EQ(dropListRowAt(dropListRowY(7, 4, lh) + 1, 4, lh, 6, 10), 7);
}

TEST(DropList, ZeroHeightFontsNeitherDivideByZeroNorSelect)
{
    EXPECT_EQ(dropListPageSize(82, 0), 0);
    EXPECT_EQ(dropListPageSize(82, -3), 0);
    EXPECT_EQ(dropListPageSize(3, 13), 0);
    EXPECT_EQ(dropListRowAt(10, 0, 0, 6, 10), -1);
    EXPECT_EQ(dropListRowAt(10, 0, -13, 6, 10), -1);
    DMenuBox at = dropListPlacement(10, 10, 100, 21, 10, 6, 0, 1024, 768);
    EXPECT_EQ(at.height, 4);
    EXPECT_EQ(dropListScrollToShow(5, 0, 0, 10), 5);
    EXPECT_EQ(dropListKeyMove(34, 2, 10, 0), 2);
}

TEST(DropList, RowWidthLeavesRoomForTheScrollBar)
{
    EXPECT_EQ(dropListRowWidth(120, false), 116);
    EXPECT_EQ(dropListRowWidth(120, true), 99);
    EXPECT_EQ(dropListRowWidth(10, true), 0);
}

TEST(DropList, KeysMoveTheHotRow)
{
    struct Case { int key, from, expected; } cases[] = {
        {33, 3, 0}, {33, 8, 2}, {33, -1, 0},       // Page Up, not below 0
        {34, 3, 9}, {34, 1, 7}, {34, -1, 5},       // Page Down, not past the last
        {35, 2, 9}, {36, 7, 0},                     // End, Home
        {38, 0, 0}, {38, -1, -1}, {38, 5, 4},       // Up: not from 0 or -1
        {40, -1, 0}, {40, 4, 5}, {40, 9, 9},        // Down: from -1 to 0, not past the last
        {65, 4, 4},                                 // other keys
    };
    for (const Case& c : cases)
        EXPECT_EQ(dropListKeyMove(c.key, c.from, 10, 6), c.expected)
            << "key " << c.key << " from " << c.from;
    EXPECT_EQ(dropListKeyMove(40, -1, 0, 6), -1);  // no rows: nothing moves
    EXPECT_EQ(dropListKeyMove(35, -1, 0, 6), -1);
    EXPECT_EQ(dropListKeyMove(34, 5, INT_MAX, INT_MAX), INT_MAX - 1);
    EXPECT_EQ(dropListKeyMove(33, INT_MIN + 1, 10, INT_MAX), 0);
}

TEST(DropList, ScrollingARowIntoView)
{
    struct Case { int row, position, expected; } cases[] = {
        {-1, 3, 3},   // no hot row: unchanged
        {2, 0, 0},    // on show
        {5, 0, 0},    // the last row on show
        {6, 0, 1},    // just below: shown last
        {9, 0, 4},
        {1, 3, 1},    // above: shown first
        {9, 7, 4},    // a position past the end is pulled back
    };
    for (const Case& c : cases)
        EXPECT_EQ(dropListScrollToShow(c.row, c.position, 6, 10), c.expected)
            << "row " << c.row << " position " << c.position;
    EXPECT_EQ(dropListScrollToShow(2, 0, 6, 3), 0);  // everything fits
    EXPECT_EQ(dropListScrollToShow(INT_MAX, 0, 1, INT_MAX), INT_MAX - 1);
}
