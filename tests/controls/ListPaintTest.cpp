// What the list view, its header and its scroll bars ask the theme to draw, recorded by a
// theme that keeps every call with the canvas origin and the native window drawn on.
#include "ListViewTestKit.h"
#include "framework/RecordingTheme.h"

#include "controls/DHeader.h"
#include "controls/DListView.h"
#include "controls/DSBArrow.h"
#include "controls/DScrollBar.h"
#include "framework/DTheme.h"
#include "graphics/DCanvas.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace windowtest;

namespace {

class ListPainting : public OneWindowTest {
protected:
    void SetUp() override
    {
        OneWindowTest::SetUp();
        list = addTwoColumnList(window);
        list->setTheme(&theme);
    }
    void TearDown() override
    {
        window.close();  // the views go before the theme they draw with
        OneWindowTest::TearDown();
    }

    RecordingTheme theme;
    DListView* list = nullptr;
};

}  // namespace

TEST_F(ListPainting, AnEmptyListHasASunkenWhiteFieldAndInactiveBars)
{
    theme.clear();
    list->paintNow();
    auto field = theme.on(list, "field");
    ASSERT_EQ(field.size(), 1u);
    EXPECT_TRUE(field[0].enabled);
    EXPECT_EQ(field[0].width, 280);
    EXPECT_EQ(field[0].height, 150);
    EXPECT_EQ(field[0].background, theme.color(2).value());  // the theme's light colour

    DScrollBar* bar = list->getVerticalBar();
    auto track = theme.on(bar, "track");
    ASSERT_EQ(track.size(), 1u);
    EXPECT_FALSE(track[0].enabled);
    EXPECT_TRUE(theme.on(bar, "thumb").empty());
    auto up = theme.on(bar->getFirstArrow(), "arrow");
    auto down = theme.on(bar->getSecondArrow(), "arrow");
    ASSERT_EQ(up.size(), 1u);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_FALSE(up[0].enabled);
    EXPECT_EQ(up[0].direction, 0);
    EXPECT_EQ(down[0].direction, 1);
    // Two columns of 100 fit beside the vertical bar: no horizontal bar, and the vertical
    // one goes down to the frame.
    EXPECT_FALSE(list->isHorizontalBarShown());
    EXPECT_TRUE(theme.on(list->getHorizontalBar()->getFirstArrow(), "arrow").empty());
    EXPECT_EQ(bar->getHeight(), 150 - 18 - 4);
    // Columns wider than their room bring it, inactive while there is nothing to scroll.
    list->addColumn("New mails", 59);  // 259 in 258
    theme.clear();
    list->paintNow();
    EXPECT_TRUE(list->isHorizontalBarShown());
    EXPECT_EQ(bar->getHeight(), 150 - 18 - 22);
    auto left = theme.on(list->getHorizontalBar()->getFirstArrow(), "arrow");
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].direction, 2);
    EXPECT_FALSE(list->getHorizontalBar()->isInactive());
}

TEST_F(ListPainting, TheThumbIsDrawnWhereTheMouseFindsIt)
{
    for (int i = 0; i < 40; i++)
        list->addRow("row");
    DScrollBar* bar = list->getVerticalBar();
    for (int i = 0; i < 5; i++)
        SendMessageA(h, WM_KEYDOWN, VK_NEXT, keyData(VK_NEXT, false));
    ASSERT_GT(bar->getPosition(), 0u);
    theme.clear();
    bar->paintNow();
    auto thumb = theme.on(bar, "thumb");
    ASSERT_EQ(thumb.size(), 1u);
    EXPECT_TRUE(thumb[0].enabled);
    EXPECT_EQ(thumb[0].originX, 0);
    EXPECT_EQ(thumb[0].originY, 18 + static_cast<int>(bar->getThumbOffset()));
    EXPECT_EQ(thumb[0].width, 18);
    EXPECT_EQ(thumb[0].height, static_cast<int>(bar->getThumbLength()));
    EXPECT_EQ(thumb[0].state, 0);

    // The bar sits at client (270, 30): its thumb's first row is hot, the row above is not.
    int thumbTop = 30 + thumb[0].originY;
    SendMessageA(h, WM_MOUSEMOVE, 0, point(279, thumbTop));
    bar->paintNow();
    EXPECT_EQ(theme.on(bar, "thumb").back().state, 2);
    SendMessageA(h, WM_MOUSEMOVE, 0, point(279, thumbTop - 1));
    bar->paintNow();
    EXPECT_EQ(theme.on(bar, "thumb").back().state, 0);
}

TEST_F(ListPainting, HeaderCellsFollowTheHorizontalScroll)
{
    list->addColumn("New mails", 300);
    DHeader* header = list->getHeader();
    // The horizontal bar's right arrow: one pixel to the right.
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point(10 + 2 + 262 - 5, 10 + 150 - 11));
    SendMessageA(h, WM_LBUTTONUP, 0, point(10 + 2 + 262 - 5, 10 + 150 - 11));
    ASSERT_EQ(header->getScroll(), 1);
    theme.clear();
    header->paintNow();
    auto cells = theme.on(header, "header");
    ASSERT_EQ(cells.size(), 4u);  // the whole header, then one cell per column
    EXPECT_EQ(cells[0].originX, 0);
    EXPECT_EQ(cells[0].width, 276);
    EXPECT_EQ(cells[1].originX, -1);
    EXPECT_EQ(cells[1].width, 100);
    EXPECT_EQ(cells[2].originX, 99);
    EXPECT_EQ(cells[3].originX, 199);
    EXPECT_EQ(cells[3].width, 300);
    EXPECT_EQ(cells[3].height, 18);
}

TEST_F(ListPainting, TwentyCellChangesAreOnePaintOfTheListOnTheNextTurnOfTheLoop)
{
    for (int i = 0; i < 20; i++)
        list->addRow("user@example.com");
    window.moveTo(600, 300);  // where no other test puts a window
    window.show(true);
    SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    pumpMessages();
    theme.clear();
    for (int i = 0; i < 20; i++)
        list->setCell(i, 1, "Checking...");
    EXPECT_TRUE(theme.on(list, "field").empty());  // the changes alone paint nothing
    ASSERT_TRUE(pumpUntil([&] { return !theme.on(list, "field").empty(); }, 10000));
    pumpMessages();
    EXPECT_EQ(theme.on(list, "field").size(), 1u);
    EXPECT_TRUE(list->getCell(19, 1) == "Checking...");
}
