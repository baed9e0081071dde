#include "controls/ListGeometry.h"

#include "controls/ScrollBarGeometry.h"
#include "foundation/DStringList.h"

#include <algorithm>
#include <climits>
#include <string>

#include <gtest/gtest.h>

#include <vector>

namespace {

// The main window's mailbox list: 360 x 105 with the 18-pixel header and 13-pixel lines.
DListFrame frame(int height = 105, int lineHeight = 13, int width = 360)
{
    DListFrame f;
    f.width = width;
    f.height = height;
    f.headerHeight = 18;
    f.lineHeight = lineHeight;
    return f;
}

// Every character 7 pixels wide.
int fixedWidth(const DString& text)
{
    return 7 * text.length();
}

struct RowAtCase {
    int height, lineHeight, topRow, rowCount, y;
    int expected;
};

struct TopRowCase {
    int height, lineHeight, topRow, selected;
    int expected;
};

struct KeyCase {
    int key, selected, rowCount;
    unsigned pageSize;
    int expected;
};

}  // namespace

TEST(ListGeometry, ClicksHitTheRowStrictlyInsideTheirBand)
{
    const RowAtCase cases[] = {
        {105, 13, 0, 10, 20, -1},  // the top edge of row 0
        {105, 13, 0, 10, 21, 0},
        {105, 13, 0, 10, 32, 0},
        {105, 13, 0, 10, 33, -1},  // boundary between rows 0 and 1
        {105, 13, 0, 10, 34, 1},
        {105, 13, 4, 10, 34, 5},   // scrolled: counted from the top row
        {105, 13, 0, 1, 34, -1},   // below the last row
        {105, 13, 0, 10, 5, -1},   // on the header
        {105, 13, 0, 0, 25, -1},   // no rows
        {105, 0, 0, 10, 25, -1},   // font height 0: one-pixel lines, every y a boundary
        {105, 13, INT_MAX - 1, INT_MAX, 34, -1},  // past the last of 2^31 - 1 rows
        {105, 13, INT_MAX - 1, INT_MAX, 21, INT_MAX - 1},
        {105, 13, 0, 10, INT_MAX, -1},
        {105, 13, 0, 10, INT_MIN, -1},
    };
    for (const RowAtCase& c : cases)
        EXPECT_EQ(listRowAt(frame(c.height, c.lineHeight), c.topRow, c.rowCount, c.y), c.expected)
            << "top " << c.topRow << " rows " << c.rowCount << " y " << c.y;
}

TEST(ListGeometry, VisibleRowsStopAtTheBottomBarAndTheLastRow)
{
    DRowRange all = listVisibleRows(frame(), 0, 100);  // 69 pixels: rows 0 to 5 start in it
    EXPECT_EQ(all.first, 0);
    EXPECT_EQ(all.last, 5);
    DRowRange few = listVisibleRows(frame(), 0, 3);
    EXPECT_EQ(few.last, 2);
    DRowRange scrolled = listVisibleRows(frame(), 97, 100);
    EXPECT_EQ(scrolled.first, 97);
    EXPECT_EQ(scrolled.last, 99);
    EXPECT_TRUE(listVisibleRows(frame(), 0, 0).isEmpty());
    EXPECT_TRUE(listVisibleRows(frame(30), 0, 100).isEmpty());  // lower than one line
    EXPECT_EQ(listVisibleRows(frame(36), 0, 100).last, 0);      // just room for a row top
    DRowRange huge = listVisibleRows(frame(105, 0), INT_MAX - 3, INT_MAX);
    EXPECT_EQ(huge.first, INT_MAX - 3);
    EXPECT_EQ(huge.last, INT_MAX - 1);
    EXPECT_EQ(listRowY(frame(), 3, 5), 46);
    EXPECT_EQ(listRowY(frame(), INT_MAX, 0), 20 - 13LL * INT_MAX);
}

TEST(ListGeometry, ScrollBarsShowRowsWithASpareUnitAndColumnPixels)
{
    DListBars none = listBarValues(frame(), 0, 0, 340, 0);
    EXPECT_EQ(none.verticalTotal, 0u);
    EXPECT_EQ(none.verticalPage, 6u);  // (105 - 18) / 13
    EXPECT_EQ(none.horizontalTotal, 340u);
    EXPECT_EQ(none.horizontalPage, 338u);  // the columns' room beside the vertical bar

    DListBars some = listBarValues(frame(), 5, 2, 340, 30);
    EXPECT_EQ(some.verticalTotal, 6u);
    EXPECT_EQ(some.verticalPosition, 2u);
    EXPECT_EQ(some.horizontalPosition, 30u);

    DListBars most = listBarValues(frame(105, 0, -10), INT_MAX, INT_MAX - 1, LLONG_MAX, 0);
    EXPECT_EQ(most.verticalTotal, 1u << 31);
    EXPECT_EQ(most.verticalPage, 87u);  // a height-0 font counts as one pixel
    EXPECT_EQ(most.horizontalTotal, UINT_MAX);
    EXPECT_EQ(most.horizontalPage, 0u);

    EXPECT_EQ(listPageSize(frame(10)), 1u);   // lower than the header
    EXPECT_EQ(listPageSize(frame(30)), 1u);   // lower than one line
    EXPECT_EQ(listPageSize(frame(INT_MAX, 1)), static_cast<unsigned>(INT_MAX - 18));
}

TEST(ListGeometry, ScrollingKeepsTheSelectionVisible)
{
    const TopRowCase cases[] = {
        {105, 13, 0, 4, 0},      // whole row above the bottom bar: no scrolling
        {105, 13, 0, 5, 1},      // five rows fit: the smallest top row showing row 5
        {105, 13, 0, 99, 95},
        {105, 13, 10, 3, 3},     // above: it becomes the top row
        {105, 13, 10, 10, 10},
        {105, 13, 5, -1, 0},     // no selection: back to the top, never negative
        {30, 13, 0, 7, 7},       // lower than one line: the selected row at the top
        {30, 13, 7, 7, 7},
        {105, 0, 0, 100, 34},    // height-0 font: 67 one-pixel rows fit
        {105, 13, 0, INT_MAX - 1, INT_MAX - 5},
        {105, 13, INT_MAX - 1, 0, 0},
        {INT_MIN, 13, 0, INT_MAX - 1, INT_MAX - 1},
    };
    for (const TopRowCase& c : cases) {
        DListFrame f = frame(c.height, c.lineHeight);
        int top = listTopRowShowing(f, c.topRow, c.selected);
        EXPECT_EQ(top, c.expected) << "height " << c.height << " top " << c.topRow
                                   << " selected " << c.selected;
        // Wherever a whole row fits, the result shows the selection.
        if (c.selected >= 0 && c.height >= 18 + 2 + 18 + c.lineHeight) {
            EXPECT_TRUE(listSelectionVisible(f, top, c.selected)) << c.selected;
        }
    }
}

TEST(ListGeometry, BarStepsMoveTheRowsOnlyTheWayTheyGo)
{
    struct Case {
        int topRow;
        unsigned position, lastPosition;
        int step;
        int expected;
    };
    const Case cases[] = {
        {5, 6, 40, 1, 6},      // the wheel and the bar's arrows: the rows follow the bar
        {5, 4, 40, -1, 4},
        {5, 6, 40, 0, 6},      // the bar moved itself, forward or back
        {5, 4, 40, 0, 4},
        {5, 25, 40, 0, 25},    // a page or a drag
        {0, 0, 40, 0, 0},      // a step back on the first row
        {41, 40, 40, 1, 41},   // past the bar's end: a step forward leaves the rows there
        {41, 40, 40, 0, 41},
        {41, 39, 40, -1, 39},  // and a step back follows the bar
        {41, 39, 40, 0, 39},
        {41, 0, 40, 0, 0},     // the thumb dragged to the top
        {3, 0, 0, 1, 3},       // a bar with nothing to scroll: forward keeps the rows
        {3, 0, 0, -1, 0},      // and back brings the first row into view
        {-5, 0, 10, 0, 0},
        {INT_MAX, UINT_MAX, UINT_MAX, 1, INT_MAX},
        {7, UINT_MAX, UINT_MAX, 0, INT_MAX},
    };
    for (const Case& c : cases)
        EXPECT_EQ(listTopRowAfterStep(c.topRow, c.position, c.lastPosition, c.step), c.expected)
            << "top " << c.topRow << " bar " << c.position << "/" << c.lastPosition << " step "
            << c.step;
}

// The list keeps its last row in view and is then scrolled: over line heights and list heights
// the page of the bar (rows partly under the bottom bar counted) and the whole rows shown differ
// by one or two, and a step forward must never bring an earlier row back to the top.
TEST(ListGeometry, AfterShowingTheLastRowAStepForwardNeverScrollsBack)
{
    int pastTheBar = 0;
    for (int lh = 12; lh <= 20; lh++) {
        for (int height = 18 + 2 + 18 + lh; height <= 300; height++) {
            for (int rows : {1, 2, 5, 9, 30, 200}) {
                SCOPED_TRACE("line " + std::to_string(lh) + " height " + std::to_string(height) +
                             " rows " + std::to_string(rows));
                DListFrame f = frame(height, lh);
                DListBars bars = listBarValues(f, rows, 0, 0, 0);
                DScrollModel bar;
                bar.setTotal(bars.verticalTotal);
                bar.setPageSize(bars.verticalPage);
                int last = rows - 1;
                int top = listTopRowShowing(f, 0, last);
                ASSERT_TRUE(listSelectionVisible(f, top, last));
                bar.setPosition(static_cast<unsigned>(top));
                if (static_cast<unsigned>(top) > bar.maxPosition())
                    pastTheBar++;
                if (lh == 14 && height == 105 && rows == 30) {
                    EXPECT_EQ(top, 30 - (105 - 38) / 14);
                    EXPECT_EQ(bar.maxPosition(), 31u - (105 - 18) / 14);  // one row before
                }

                DScrollModel wheel = bar;  // the wheel turned down over the list
                wheel.setPosition(wheel.position + 1);
                int t = listTopRowAfterStep(top, wheel.position, wheel.maxPosition(), 1);
                EXPECT_GE(t, top);
                EXPECT_TRUE(listSelectionVisible(f, t, last));
                DScrollModel arrow = bar;  // the bar's down arrow or a page after the thumb
                arrow.lineForward();
                t = listTopRowAfterStep(top, arrow.position, arrow.maxPosition(), 0);
                EXPECT_GE(t, top);
                EXPECT_TRUE(listSelectionVisible(f, t, last));

                DScrollModel back = bar;  // the wheel turned up: the rows go back
                back.setPosition(back.position > 0 ? back.position - 1 : 0);
                t = listTopRowAfterStep(top, back.position, back.maxPosition(), -1);
                EXPECT_EQ(t, std::min(top, static_cast<int>(back.position)));

                // From the top the wheel goes one row a step, as far as the bar goes.
                DScrollModel down = bar;
                down.setPosition(0);
                int walked = 0;
                for (int i = 0; i < rows + 2; i++) {
                    down.setPosition(down.position + 1);
                    int next = listTopRowAfterStep(walked, down.position, down.maxPosition(), 1);
                    ASSERT_LE(next - walked, 1);
                    ASSERT_GE(next, walked);
                    walked = next;
                }
                EXPECT_EQ(walked, static_cast<int>(bar.maxPosition()));
            }
        }
    }
    EXPECT_GT(pastTheBar, 0);  // the table holds lists whose last row sits past the bar
}

TEST(ListGeometry, KeysMoveTheSelectionWithinTheRows)
{
    const KeyCase cases[] = {
        {33, 3, 50, 10, 0},       // Page Up on row 3 with a page of 10
        {33, 25, 50, 10, 15},
        {34, 45, 50, 10, 49},     // Page Down never passes the last row
        {34, 3, 50, 10, 13},
        {35, 3, 50, 10, 49},      // End
        {36, 30, 50, 10, 0},      // Home
        {38, 0, 50, 10, 0},       // Up from the first row
        {38, 7, 50, 10, 6},
        {38, -1, 50, 10, -1},     // Up with nothing selected
        {40, -1, 50, 10, 0},      // Down with nothing selected: the first row
        {40, 49, 50, 10, 49},     // Down on the last row
        {33, -1, 50, 10, 0},
        {40, 7, 0, 10, 7},        // an empty list keeps its selection
        {36, -1, 0, 10, -1},
        {37, 7, 50, 10, 7},       // Left is not a list key
        {34, INT_MAX - 2, INT_MAX, UINT_MAX, INT_MAX - 1},
        {33, INT_MAX - 2, INT_MAX, UINT_MAX, 0},
        {40, INT_MAX - 2, INT_MAX, 1, INT_MAX - 1},
    };
    for (const KeyCase& c : cases)
        EXPECT_EQ(listKeyTarget(c.key, c.selected, c.rowCount, c.pageSize), c.expected)
            << "key " << c.key << " selected " << c.selected;
    for (int key : {33, 34, 35, 36, 38, 40})
        EXPECT_TRUE(listTakesKey(key)) << key;
    for (int key : {9, 13, 32, 37, 39, 45, 46})
        EXPECT_FALSE(listTakesKey(key)) << key;
}

TEST(ListGeometry, ColumnsStartWhereTheEarlierOnesEnd)
{
    DStringList widths;
    widths.add("150");
    widths.add("130");
    widths.add("60");
    EXPECT_EQ(columnLeft(widths, 0), 0);
    EXPECT_EQ(columnLeft(widths, 2), 280);
    EXPECT_EQ(columnLeft(widths, 9), 340);
    EXPECT_EQ(columnsWidth(widths), 340);
    widths.add("2147483647");
    widths.add("2147483647");
    EXPECT_EQ(columnsWidth(widths), 340 + 2LL * INT_MAX);
    EXPECT_EQ(columnsWidth(DStringList()), 0);
}

TEST(ColumnText, ATextTooWideEndsInDotsAndOneTooNarrowShowsNothing)
{
    struct Case {
        const char* text;
        int width;
        const char* expected;
    };
    const Case cases[] = {
        {"Mailbox", 70, "Mailbox"},            // 49 pixels: fits as it is
        {"Mailbox", 49, "Mailbox"},
        {"New mails arrived", 70, "New ma... "},
        {"New mails arrived", 35, "N... "},
        {"New mails arrived", 28, "... "},     // only the dots are left
        {"New mails arrived", 27, ""},         // not even the dots fit
        {"", 0, ""},
        {"", -1, ""},
        {"Status", 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(fitColumnText(DString(c.text), c.width, fixedWidth).text()),
                  c.expected)
            << c.text << " in " << c.width;

    // Proportional widths: a wide letter goes first from the end.
    auto proportional = [](const DString& t) {
        int w = 0;
        for (int i = 0; i < t.length(); i++)
            w += t.text()[i] == 'W' ? 20 : 5;
        return w;
    };
    EXPECT_EQ(std::string(fitColumnText(DString("abWc"), 30, proportional).text()), "ab... ");
}

TEST(ListGeometry, TheHorizontalBarIsNeededOnlyForColumnsWiderThanTheirRoom)
{
    // A 360-pixel list: columns from x 2 to the vertical bar at 340.
    EXPECT_EQ(listColumnRoom(360), 338);
    EXPECT_FALSE(listNeedsHorizontalBar(360, 338));
    EXPECT_TRUE(listNeedsHorizontalBar(360, 339));
    EXPECT_TRUE(listNeedsHorizontalBar(360, 150 + 130 + 60));  // the mailbox list's columns as written
    // Without the bar the rows go down to the frame's edge: more of them are whole.
    DListFrame with = frame();
    DListFrame without = frame();
    without.horizontalBar = false;
    // 105 high, header 18, line 13: (105 - 18 - 2 - 18) / 13 = 5 whole rows with the bar,
    // (105 - 18 - 2 - 2) / 13 = 6 without.
    EXPECT_EQ(listTopRowShowing(with, 0, 5), 1);
    EXPECT_EQ(listTopRowShowing(without, 0, 5), 0);
    EXPECT_TRUE(listSelectionVisible(without, 0, 5));
    EXPECT_FALSE(listSelectionVisible(with, 0, 5));
    EXPECT_EQ(listVisibleRows(without, 0, 100).last, listVisibleRows(with, 0, 100).last + 1);
}

TEST(ListGeometry, ColumnsGrowToTheirTitlesAndTheFirstGivesBackWidthForTheRoom)
{
    EXPECT_EQ(columnWidthFor(56), 60);
    // As written the three columns are 2 pixels too wide for 338: the first gives them back.
    EXPECT_EQ(fitColumnWidths({150, 130, 60}, {45, 40, 52}, 338), std::vector<int>({148, 130, 60}));
    // A longer last title widens its column; the first column pays for it.
    EXPECT_EQ(fitColumnWidths({150, 130, 60}, {45, 40, 70}, 338), std::vector<int>({138, 130, 70}));
    // The first column never goes below its own title: then the columns stay too wide.
    EXPECT_EQ(fitColumnWidths({150, 130, 60}, {140, 40, 70}, 338), std::vector<int>({140, 130, 70}));
    // Room to spare changes nothing; missing needs count as none.
    EXPECT_EQ(fitColumnWidths({100, 100}, {}, 258), std::vector<int>({100, 100}));
    EXPECT_EQ(fitColumnWidths({100, 100}, {}, 150), std::vector<int>({50, 100}));
    EXPECT_TRUE(fitColumnWidths({}, {10}, 100).empty());
}
