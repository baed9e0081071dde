// The list view with its header and scroll bars in a real window, driven with real mouse,
// key and wheel messages.
#include "ListViewTestKit.h"

#include "controls/DButton.h"
#include "controls/DHeader.h"
#include "controls/DListView.h"
#include "controls/DSBArrow.h"
#include "controls/DScrollBar.h"
#include "framework/DTheme.h"
#include "graphics/DCanvas.h"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

using namespace windowtest;

namespace {

// The list fills client (10, 10) to (290, 10 + height); two columns of 100 pixels.
class ListViews : public OneWindowTest {
protected:
    void SetUp() override
    {
        OneWindowTest::SetUp();
        list = addTwoColumnList(window);
        lh = list->lineHeight();
        ASSERT_GT(lh, 3);
    }
    void fill(int n)
    {
        for (int i = 0; i < n; i++)
            list->addRow(DString(("row " + std::to_string(i)).c_str()));
    }
    // Client y of the middle of row `r` while the top row is `top`.
    int rowMiddle(int r, int top = 0) const { return 10 + 18 + 2 + (r - top) * lh + lh / 2; }
    void click(int x, int y)
    {
        SendMessageA(h, WM_MOUSEMOVE, 0, point(x, y));
        SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point(x, y));
        SendMessageA(h, WM_LBUTTONUP, 0, point(x, y));
    }
    void wheel(int x, int y, int notches)
    {
        POINT screen{x, y};
        ClientToScreen(h, &screen);
        SendMessageA(h, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(notches * WHEEL_DELTA)),
                     MAKELPARAM(screen.x, screen.y));
    }
    // Whether the selected row lies wholly between the header and the bottom bar.
    bool selectionShown() const
    {
        int s = list->getSelected() - list->getTopRow();
        return s >= 0 && (s + 1) * lh + 18 + 2 <= list->getHeight() - 18;
    }

    DListView* list = nullptr;
    int lh = 0;
};

}  // namespace

TEST_F(ListViews, RowsNeedAColumnAndColumnsReachEveryRow)
{
    DListView* bare = new DListView;
    bare->create(10, 170, 100, 25);
    window.addView(bare);
    EXPECT_EQ(bare->addRow("lost"), -1);
    EXPECT_EQ(bare->rowCount(), 0);
    bare->removeRow(0);  // nothing to remove: ignored

    EXPECT_EQ(list->addRow("first"), 0);
    EXPECT_EQ(list->addRow("second"), 1);
    EXPECT_EQ(list->getCell(1, 0), "second");
    EXPECT_EQ(list->getCell(1, 1), "");
    list->setCell(1, 1, "OK");
    list->setCell(1, 2, "no such column");
    list->setCell(5, 0, "no such row");
    EXPECT_EQ(list->getCell(1, 1), "OK");
    EXPECT_EQ(list->getCell(1, 2), "");
    list->addColumn("New mails", 60);
    EXPECT_EQ(list->columnCount(), 3);
    EXPECT_EQ(list->getHeader()->columnWidth(2), 60);
    list->setCell(0, 2, "?");
    EXPECT_EQ(list->getCell(0, 2), "?");
    EXPECT_EQ(list->getHorizontalBar()->getTotal(), 260u);
}

TEST_F(ListViews, TheVerticalBarCountsRowsWithOneSpareUnit)
{
    DScrollBar* bar = list->getVerticalBar();
    EXPECT_TRUE(bar->isInactive());
    EXPECT_FALSE(bar->getFirstArrow()->isEnabled());
    EXPECT_FALSE(bar->getSecondArrow()->isEnabled());
    EXPECT_EQ(bar->getTotal(), 0u);
    fill(30);
    EXPECT_EQ(bar->getTotal(), 31u);
    EXPECT_EQ(bar->getPageSize(), static_cast<unsigned>((150 - 18) / lh));
    EXPECT_FALSE(bar->isInactive());
    EXPECT_TRUE(bar->getSecondArrow()->isEnabled());
    list->removeRow(29);
    EXPECT_EQ(bar->getTotal(), 30u);
}

TEST_F(ListViews, AClickSelectsTheRowUnderTheMouseAndTakesTheFocus)
{
    DButton* other = new DButton;
    other->create(10, 165, 60, 30, "Other");
    window.addView(other);
    fill(5);
    ASSERT_TRUE(other->isFocused());
    click(50, rowMiddle(2));
    EXPECT_EQ(list->getSelected(), 2);
    EXPECT_TRUE(list->isFocused());
    const Event* clickEvent = window.last("click");
    ASSERT_NE(clickEvent, nullptr);
    EXPECT_EQ(clickEvent->source, list);

    click(50, 10 + 18 + 2 + 3 * lh);  // the boundary between rows 2 and 3
    EXPECT_EQ(list->getSelected(), 2);
    click(50, rowMiddle(7));          // below the last row
    EXPECT_EQ(list->getSelected(), 2);
    click(50, rowMiddle(0));
    EXPECT_EQ(list->getSelected(), 0);
}

TEST_F(ListViews, KeysMoveTheSelectionAndKeepItInView)
{
    fill(50);
    key(VK_DOWN);
    EXPECT_EQ(list->getSelected(), 0);
    key(VK_END);
    EXPECT_EQ(list->getSelected(), 49);
    EXPECT_TRUE(selectionShown());
    EXPECT_GT(list->getTopRow(), 0);
    // The smallest top row that shows the last row whole: one less would hide it.
    int top = list->getTopRow();
    EXPECT_GT((49 - (top - 1) + 1) * lh + 20, 150 - 18);
    // The bar follows as far as its last page goes.
    DScrollBar* bar = list->getVerticalBar();
    EXPECT_EQ(bar->getPosition(), std::min(static_cast<unsigned>(top), bar->getLastPosition()));
    key(VK_DOWN);
    EXPECT_EQ(list->getSelected(), 49);
    EXPECT_EQ(list->getTopRow(), top);
    key(VK_HOME);
    EXPECT_EQ(list->getSelected(), 0);
    EXPECT_EQ(list->getTopRow(), 0);
    key(VK_UP);
    EXPECT_EQ(list->getSelected(), 0);
    for (int i = 0; i < 20; i++)
        key(VK_DOWN);
    EXPECT_EQ(list->getSelected(), 20);
    EXPECT_TRUE(selectionShown());
    key(VK_PRIOR);
    EXPECT_TRUE(selectionShown());
    EXPECT_EQ(list->getTopRow(), list->getSelected());  // above the view: it becomes the top
}

// Line heights and list heights where the bar's page (rows half under the bottom bar counted)
// is two or more rows larger than the whole rows shown: with the last row kept in view, the top
// row stands past the bar's last position.
TEST_F(ListViews, ScrollingOnAfterTheLastRowWasBroughtIntoViewNeverGoesBack)
{
    fill(40);
    int checked = 0;
    for (int height = 18 + 2 + 18 + lh; height <= 190 && checked < 4; height++) {
        list->resize(280, height);
        key(VK_HOME);
        key(VK_END);
        int top = list->getTopRow();
        ASSERT_TRUE(selectionShown()) << height;
        DScrollBar* bar = list->getVerticalBar();
        if (static_cast<unsigned>(top) <= bar->getLastPosition())
            continue;
        checked++;
        EXPECT_EQ(bar->getPosition(), bar->getLastPosition()) << height;
        wheel(100, 35, -1);  // down
        EXPECT_EQ(list->getTopRow(), top) << height;
        bar->lineDown();     // the bar's down arrow
        EXPECT_EQ(list->getTopRow(), top) << height;
        key(VK_DOWN);
        EXPECT_EQ(list->getTopRow(), top) << height;
        EXPECT_TRUE(selectionShown()) << height;
        wheel(100, 35, 1);   // up: the rows follow the bar back
        EXPECT_LT(list->getTopRow(), top) << height;
        EXPECT_EQ(static_cast<unsigned>(list->getTopRow()), bar->getPosition()) << height;
    }
    EXPECT_GT(checked, 0) << "no list height puts the last row past the bar at line height "
                          << lh;
}

TEST_F(ListViews, PageUpOnRowThreeWithAPageOfTenSelectsRowZero)
{
    list->resize(280, 18 + 10 * lh + 2);
    fill(50);
    ASSERT_EQ(list->getVerticalBar()->getPageSize(), 10u);
    list->setSelected(3);
    key(VK_PRIOR);
    EXPECT_EQ(list->getSelected(), 0);
    key(VK_NEXT);
    EXPECT_EQ(list->getSelected(), 10);
    list->setSelected(45);
    key(VK_NEXT);
    EXPECT_EQ(list->getSelected(), 49);  // never past the last row
    EXPECT_TRUE(selectionShown());
}

TEST_F(ListViews, ListKeysStayWithTheListAndOthersGoOn)
{
    DButton* other = new DButton;
    other->create(10, 165, 60, 30, "Other");
    window.addView(other);
    window.setFocus(list);
    key(VK_DOWN);  // an empty list still keeps its keys: the focus stays
    key(VK_UP);
    EXPECT_TRUE(list->isFocused());
    EXPECT_EQ(list->getSelected(), -1);
    fill(3);
    key(VK_DOWN);
    EXPECT_TRUE(list->isFocused());
    EXPECT_EQ(list->getSelected(), 0);
    // Left and Right have nothing to do in a list, and still never move the focus away.
    key(VK_LEFT);
    key(VK_RIGHT);
    key(VK_LEFT);
    EXPECT_TRUE(list->isFocused());
    EXPECT_FALSE(other->isFocused());
    EXPECT_EQ(list->getSelected(), 0);
    key(VK_DOWN);
    const Event* keyEvent = window.last("viewKeyDown");
    ASSERT_NE(keyEvent, nullptr);
    EXPECT_EQ(keyEvent->source, list);
    EXPECT_EQ(keyEvent->a, VK_DOWN);
}

TEST_F(ListViews, TheWheelScrollsByRowsWithinTheBar)
{
    fill(40);
    wheel(100, 100, -1);  // toward the user: down
    wheel(100, 100, -1);
    EXPECT_EQ(list->getTopRow(), 2);
    EXPECT_EQ(list->getVerticalBar()->getPosition(), 2u);
    wheel(100, 100, 1);
    EXPECT_EQ(list->getTopRow(), 1);
    wheel(100, 100, 1);
    wheel(100, 100, 1);
    EXPECT_EQ(list->getTopRow(), 0);
    for (int i = 0; i < 100; i++)
        wheel(100, 100, -1);
    unsigned last = list->getVerticalBar()->getTotal() - list->getVerticalBar()->getPageSize();
    EXPECT_EQ(list->getTopRow(), static_cast<int>(last));
    EXPECT_EQ(list->getSelected(), -1);  // the wheel scrolls, it does not select
}

TEST_F(ListViews, TheBarsScrollTheRowsAndTheHeader)
{
    fill(40);
    // The vertical bar's down arrow sits at the bottom of the bar: client x 270-288.
    click(279, 10 + 150 - 20 - 5);
    EXPECT_EQ(list->getTopRow(), 1);
    list->addColumn("Wide", 300);  // 500 pixels of columns in 278
    DScrollBar* across = list->getHorizontalBar();
    EXPECT_FALSE(across->isInactive());
    click(10 + 2 + 262 - 5, 10 + 150 - 20 + 9);  // the right arrow
    EXPECT_EQ(list->getHorizontalScroll(), 1);
    EXPECT_EQ(list->getHeader()->getScroll(), 1);
    click(10 + 2 + 262 - 30, 10 + 150 - 20 + 9);  // the track after the thumb: a page
    EXPECT_EQ(list->getHorizontalScroll(), 500 - 278);  // a page of 278 from 1 passes the end
    EXPECT_EQ(list->getHeader()->getScroll(), 222);
    click(10 + 2 + 20, 10 + 150 - 20 + 9);  // the track before the thumb
    EXPECT_EQ(list->getHorizontalScroll(), 0);
}

TEST_F(ListViews, RemovingARowClearsTheSelectionAndScrollsToTheTop)
{
    fill(40);
    list->setSelected(35);
    EXPECT_GT(list->getTopRow(), 0);
    list->removeRow(99);  // no such row: ignored
    EXPECT_EQ(list->getSelected(), 35);
    list->removeRow(10);
    EXPECT_EQ(list->rowCount(), 39);
    EXPECT_EQ(list->getSelected(), -1);
    EXPECT_EQ(list->getTopRow(), 0);
    EXPECT_EQ(list->getVerticalBar()->getPosition(), 0u);
    EXPECT_EQ(list->getCell(10, 0), "row 11");
}

TEST_F(ListViews, ResizingMovesTheBarsAndTheCorner)
{
    fill(40);
    list->resize(200, 120);
    DScrollBar* down = list->getVerticalBar();
    EXPECT_EQ(down->getX(), 180);
    EXPECT_EQ(down->getY(), 20);
    EXPECT_EQ(down->getHeight(), 120 - 18 - 22);
    EXPECT_EQ(list->getHorizontalBar()->getY(), 100);
    EXPECT_EQ(list->getHorizontalBar()->getWidth(), 178);
    EXPECT_EQ(list->getHeader()->getWidth(), 196);
    EXPECT_EQ(down->getPageSize(), static_cast<unsigned>((120 - 18) / lh));
}

TEST_F(ListViews, TheSelectedRowIsFilledInTheSelectionColourWhileFocused)
{
    fill(5);
    list->setSelected(1);
    window.show(true);
    SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pumpMessages();
    ASSERT_TRUE(list->isFocused());
    // Right of both columns and left of the vertical bar: no text, only the row's fill.
    HWND own = static_cast<HWND>(list->getHandle());
    auto pixelAt = [&](int x, int y) {
        HDC dc = GetDC(own);
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(own, dc);
        return c;
    };
    int y = 18 + 2 + lh + lh / 2;
    EXPECT_EQ(pixelAt(240, y), list->getTheme()->color(4).value());
    EXPECT_EQ(pixelAt(240, 18 + 2 + 2 * lh + lh / 2), 0xFFFFFFu);  // an unselected row
    // Without the focus the selection is drawn in the shadow colour.
    window.setFocus(nullptr);
    list->redraw();
    EXPECT_EQ(pixelAt(240, y), list->getTheme()->color(3).value());
}

TEST_F(ListViews, ADoubleClickOnARowReachesTheWindowAsTheDefaultAction)
{
    DButton* edit = new DButton;
    edit->create(10, 165, 60, 30, "Edit");
    edit->setDefault(true);
    window.addView(edit);
    fill(5);
    click(50, rowMiddle(3));
    fakeTick += 100;
    // The second press and release, with no move in between (a move ends a double click).
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point(50, rowMiddle(3)));
    SendMessageA(h, WM_LBUTTONUP, 0, point(50, rowMiddle(3)));
    EXPECT_EQ(list->getSelected(), 3);
    int editClicks = 0;
    for (const Event& e : window.events)
        if (e.name == "click" && e.source == edit)
            editClicks++;
    EXPECT_EQ(editClicks, 1);  // the list accepts double clicks; the window answers them
}

TEST_F(ListViews, AHeldBarArrowScrollsTheRowsUntilReleased)
{
    fill(40);
    int x = 279;
    int y = 10 + 150 - 20 - 5;  // the vertical bar's down arrow
    SendMessageA(h, WM_MOUSEMOVE, 0, point(x, y));
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point(x, y));
    EXPECT_EQ(list->getTopRow(), 1);
    EXPECT_TRUE(pumpUntil([&] { return list->getTopRow() >= 3; }, 10000));
    SendMessageA(h, WM_LBUTTONUP, 0, point(x, y));
    int stoppedAt = list->getTopRow();
    EXPECT_EQ(list->getVerticalBar()->getPosition(), static_cast<unsigned>(stoppedAt));
    EXPECT_FALSE(list->getVerticalBar()->getSecondArrow()->isRepeating());
    EXPECT_EQ(list->getSelected(), -1);
}

TEST_F(ListViews, WithoutAutoUpdateTheBarsWaitUntilItIsTurnedOnAgain)
{
    list->setAutoUpdate(false);
    fill(30);
    EXPECT_EQ(list->getVerticalBar()->getTotal(), 0u);
    EXPECT_TRUE(list->getVerticalBar()->isInactive());
    list->setAutoUpdate(true);
    EXPECT_EQ(list->getVerticalBar()->getTotal(), 31u);
    EXPECT_FALSE(list->getVerticalBar()->isInactive());
}

// A list filled before it joins its window brings its bars up to date once it is there.
class ListAttaching : public OneWindowTest {
protected:
    DListView* filledList(int rows)
    {
        DListView* list = new DListView;
        list->create(10, 10, 280, 150);
        list->addColumn("Mailbox", 100);
        list->addColumn("Status", 200);
        for (int i = 0; i < rows; i++)
            list->addRow("row");
        return list;
    }
};

TEST_F(ListAttaching, AListFilledBeforeItIsShownHasLiveBars)
{
    window.show(true);
    pumpMessages();
    DListView* list = filledList(30);
    window.addView(list);
    DScrollBar* bar = list->getVerticalBar();
    ASSERT_TRUE(pumpUntil([&] { return bar->getTotal() != 0; }, 5000));
    EXPECT_EQ(bar->getTotal(), 31u);
    EXPECT_EQ(bar->getPageSize(), static_cast<unsigned>((150 - 18) / list->lineHeight()));
    EXPECT_FALSE(bar->isInactive());
    EXPECT_TRUE(bar->getSecondArrow()->isEnabled());
    EXPECT_EQ(list->getHorizontalBar()->getTotal(), 300u);
    EXPECT_FALSE(list->getHorizontalBar()->isInactive());
}

TEST_F(ListAttaching, AListInAHiddenWindowSetsItsBarsOnTheFirstKey)
{
    DListView* list = filledList(30);
    window.addView(list);
    key(VK_NEXT);  // a page down from no selection: the page's own row count
    unsigned page = static_cast<unsigned>((150 - 18) / list->lineHeight());
    EXPECT_EQ(list->getVerticalBar()->getPageSize(), page);
    EXPECT_EQ(list->getSelected(), static_cast<int>(page) - 1);
}
