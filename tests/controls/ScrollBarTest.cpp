// Scroll bars and their arrows in a real window, driven with real mouse messages; the
// arrows' repetition runs on real timer threads.
#include "framework/WindowTestKit.h"

#include "controls/DSBArrow.h"
#include "controls/DScrollBar.h"

#include <gtest/gtest.h>

using namespace windowtest;

namespace {

// The bar's owner: counts the changes the bar reports, as a list view would take them.
class ChangeCounter : public DView {
public:
    int changes = 0;
    int lastA = 0;
    bool childChanged(DView*, int a, int, int, int) override
    {
        changes++;
        lastA = a;
        return true;
    }
};

class ScrollBars : public OneWindowTest {
protected:
    void SetUp() override
    {
        OneWindowTest::SetUp();
        owner = new ChangeCounter;
        owner->init(0, 0, 300, 200);
        window.addView(owner);
        // A vertical bar at client (20, 20): arrows at y 20-38 and 152-170, track between.
        bar = new DScrollBar;
        bar->create(20, 20, 18, 150);
        owner->addChild(bar);
    }
    void TearDown() override
    {
        SendMessageA(h, WM_LBUTTONUP, 0, point(290, 190));
        OneWindowTest::TearDown();
    }
    void move(int x, int y, WPARAM buttons = 0) { SendMessageA(h, WM_MOUSEMOVE, buttons, point(x, y)); }
    void press(int x, int y)
    {
        move(x, y);
        SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point(x, y));
    }
    void release(int x, int y) { SendMessageA(h, WM_LBUTTONUP, 0, point(x, y)); }
    void wheel(int x, int y, int notches)
    {
        POINT screen{x, y};
        ClientToScreen(h, &screen);
        SendMessageA(h, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(notches * WHEEL_DELTA)),
                     MAKELPARAM(screen.x, screen.y));
    }

    ChangeCounter* owner = nullptr;
    DScrollBar* bar = nullptr;
};

}  // namespace

TEST_F(ScrollBars, ANewBarIsInactiveWithDisabledArrowsAndTheMinimumThumb)
{
    EXPECT_TRUE(bar->isInactive());
    EXPECT_FALSE(bar->isHorizontal());
    EXPECT_FALSE(bar->getFirstArrow()->isEnabled());
    EXPECT_FALSE(bar->getSecondArrow()->isEnabled());
    EXPECT_EQ(bar->getThumbLength(), 9u);
    EXPECT_EQ(bar->getFirstArrow()->getDirection(), 0);
    EXPECT_EQ(bar->getSecondArrow()->getDirection(), 1);

    bar->setTotal(100);
    bar->setPageSize(10);
    EXPECT_FALSE(bar->isInactive());
    EXPECT_TRUE(bar->getFirstArrow()->isEnabled());
    bar->setPageSize(100);
    EXPECT_TRUE(bar->isInactive());
    EXPECT_FALSE(bar->getSecondArrow()->isEnabled());
    // Values set from code are not reported as changes.
    EXPECT_EQ(owner->changes, 0);
}

TEST_F(ScrollBars, AHeldArrowStepsOnThePressThenRepeatsUntilThePointerLeaves)
{
    bar->setTotal(1000);
    bar->setPageSize(10);
    DSBArrow* down = bar->getSecondArrow();

    press(29, 160);
    // The press itself steps at once, before any tick can have come.
    EXPECT_EQ(bar->getPosition(), 1u);
    EXPECT_EQ(owner->changes, 1);
    EXPECT_EQ(owner->lastA, 1);
    EXPECT_EQ(down->getState(), 1);
    EXPECT_TRUE(down->isRepeating());

    ASSERT_TRUE(pumpUntil([&] { return bar->getPosition() >= 4; }, 10000));
    EXPECT_EQ(static_cast<unsigned>(owner->changes), bar->getPosition());

    // Off the arrow (the button still held): the repetition ends at once.
    move(150, 100, MK_LBUTTON);
    EXPECT_FALSE(down->isRepeating());
    EXPECT_EQ(down->getState(), 0);
    unsigned stoppedAt = bar->getPosition();
    EXPECT_FALSE(pumpUntil([&] { return bar->getPosition() != stoppedAt; }, 500));
}

TEST_F(ScrollBars, ReleasingAnArrowStopsItsRepetition)
{
    bar->setTotal(1000);
    bar->setPageSize(10);
    bar->setPosition(500);
    DSBArrow* up = bar->getFirstArrow();
    press(29, 25);
    EXPECT_EQ(bar->getPosition(), 499u);
    ASSERT_TRUE(pumpUntil([&] { return bar->getPosition() <= 497; }, 10000));
    release(29, 25);
    EXPECT_FALSE(up->isRepeating());
    EXPECT_EQ(up->getState(), 2);
    unsigned stoppedAt = bar->getPosition();
    EXPECT_FALSE(pumpUntil([&] { return bar->getPosition() != stoppedAt; }, 500));
}

TEST_F(ScrollBars, ArrowsStopAtTheEndsButStillReport)
{
    bar->setTotal(20);
    bar->setPageSize(10);
    press(29, 25);  // up, already at the top
    release(29, 25);
    EXPECT_EQ(bar->getPosition(), 0u);
    EXPECT_EQ(owner->changes, 1);
    bar->setPosition(10);
    press(29, 160);
    release(29, 160);
    EXPECT_EQ(bar->getPosition(), 10u);
    EXPECT_EQ(owner->changes, 2);
}

TEST_F(ScrollBars, ADisabledArrowOfAnInactiveBarDoesNotStep)
{
    bar->setTotal(5);
    bar->setPageSize(10);  // cut to 5: nothing to scroll
    press(29, 160);
    release(29, 160);
    EXPECT_EQ(bar->getPosition(), 0u);
    EXPECT_FALSE(bar->getSecondArrow()->isRepeating());
}

TEST_F(ScrollBars, TrackClicksPageAndTheThumbDrags)
{
    bar->setTotal(124);  // a 114-pixel track; page 10 gives a 9-pixel thumb
    bar->setPageSize(10);
    ASSERT_EQ(bar->getThumbLength(), 9u);
    ASSERT_EQ(bar->getThumbOffset(), 0u);
    press(29, 120);  // below the thumb: a page forward
    release(29, 120);
    EXPECT_EQ(bar->getPosition(), 10u);
    EXPECT_EQ(owner->changes, 1);
    int thumbTop = 20 + 18 + static_cast<int>(bar->getThumbOffset());
    press(29, thumbTop - 1);  // above it: a page back
    release(29, thumbTop - 1);
    EXPECT_EQ(bar->getPosition(), 0u);

    // 105 free pixels for 114 positions: grab the thumb 2 pixels in and drag it down.
    press(29, 20 + 18 + 2);
    EXPECT_TRUE(bar->isDragging());
    EXPECT_EQ(bar->getThumbState(), 2);
    move(29, 20 + 18 + 2 + 50, MK_LBUTTON);
    EXPECT_EQ(bar->getPosition(), 54u);  // 50 / (105 / 114) truncated
    EXPECT_EQ(bar->getThumbOffset(), 49u);
    move(29, 169, MK_LBUTTON);  // over the down arrow: the bar's own moves stop there
    release(29, 169);
    EXPECT_FALSE(bar->isDragging());
    move(29, 20 + 18 + 2 + 200, MK_LBUTTON);
    EXPECT_EQ(bar->getPosition(), 54u);  // no drag without a press on the thumb
}

TEST_F(ScrollBars, TheWheelStepsOverTheBarAndOverItsArrows)
{
    bar->setTotal(100);
    bar->setPageSize(10);
    bar->setPosition(50);
    wheel(29, 100, -1);  // toward the user: forward
    EXPECT_EQ(bar->getPosition(), 51u);
    wheel(29, 100, 1);
    wheel(29, 100, 1);
    EXPECT_EQ(bar->getPosition(), 49u);
    wheel(29, 25, -1);   // over the up arrow, toward the user
    EXPECT_EQ(bar->getPosition(), 50u);
    wheel(29, 160, 1);   // over the down arrow, away from the user
    EXPECT_EQ(bar->getPosition(), 49u);
    EXPECT_EQ(owner->changes, 5);
}

TEST_F(ScrollBars, ResizingAcrossTurnsTheBarAndItsArrows)
{
    bar->setTotal(100);
    bar->setPageSize(10);
    bar->setBounds(20, 20, 200, 18);
    EXPECT_TRUE(bar->isHorizontal());
    EXPECT_EQ(bar->getFirstArrow()->getDirection(), 2);
    EXPECT_EQ(bar->getSecondArrow()->getDirection(), 3);
    EXPECT_EQ(bar->getSecondArrow()->getX(), 182);
    EXPECT_EQ(bar->getThumbLength(), 16u);  // 164 * 10 / 100
    press(215, 29);  // the right arrow
    release(215, 29);
    EXPECT_EQ(bar->getPosition(), 1u);
}

TEST_F(ScrollBars, ABarPaintsWithoutFault)
{
    bar->setTotal(100);
    bar->setPageSize(10);
    bar->setPosition(30);
    window.show(true);
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pumpMessages();
    move(29, 20 + 18 + static_cast<int>(bar->getThumbOffset()) + 2);
    EXPECT_EQ(bar->getThumbState(), 2);
    move(150, 100);
    EXPECT_EQ(bar->getThumbState(), 0);
}

TEST_F(ScrollBars, ABarLeftWithNothingToScrollStopsAHeldArrow)
{
    bar->setTotal(1000);
    bar->setPageSize(10);
    DSBArrow* down = bar->getSecondArrow();
    press(29, 160);
    ASSERT_TRUE(down->isRepeating());
    bar->setTotal(10);  // the page now covers everything
    EXPECT_TRUE(bar->isInactive());
    EXPECT_FALSE(down->isRepeating());
    EXPECT_FALSE(down->isEnabled());
    EXPECT_EQ(bar->getPosition(), 0u);
}
