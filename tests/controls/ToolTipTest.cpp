// Tool tips in real windows under Wine: size, the delayed show driven tick by tick (no
// waiting on the clock), keeping on the screen, top-most without activation, painting.
#include "framework/WindowTestKit.h"

#include "controls/DToolTip.h"
#include "framework/DTheme.h"
#include "graphics/DCanvas.h"
#include "system/DTimer.h"

#include <gtest/gtest.h>

using namespace windowtest;

namespace {

class ToolTips : public ::testing::Test {
protected:
    void SetUp() override
    {
        parkPointer();
        screenWidth = GetSystemMetrics(SM_CXSCREEN);
        screenHeight = GetSystemMetrics(SM_CYSCREEN);
    }
    void TearDown() override
    {
        tip.close();
        pumpMessages();
    }
    bool visible() const { return IsWindowVisible(tip.getHandle()) != FALSE; }

    DToolTip tip;
    int screenWidth = 0;
    int screenHeight = 0;
};

}  // namespace

TEST_F(ToolTips, AnEmptyTipIs80By15AndStartsHidden)
{
    ASSERT_TRUE(tip.create(DString("")));
    DRect r = tip.bounds();
    EXPECT_EQ(r.width, 80);
    EXPECT_EQ(r.height, 15);
    EXPECT_FALSE(visible());
    EXPECT_FALSE(tip.isShowRequested());
}

TEST_F(ToolTips, ATipIsSizedToItsTextAndResizedWhenItChanges)
{
    ASSERT_TRUE(tip.create(DString("Pellaro: Idle")));
    DTextExtent one = tip.getCanvas()->textExtent(DString("Pellaro: Idle"));
    ASSERT_GT(one.width(), 20);
    DRect r = tip.bounds();
    EXPECT_EQ(r.width, one.width() + 4);
    EXPECT_EQ(r.height, one.height() + 4);

    DString two("a@b has 1 new mail!\nsomeone@mail.example.org has 12 new mails!\n");
    tip.setText(two);
    EXPECT_TRUE(tip.getText() == two);
    DTextExtent wide = tip.getCanvas()->textExtent(DString("someone@mail.example.org has 12 new mails!"));
    r = tip.bounds();
    EXPECT_EQ(r.width, wide.width() + 4);
    // Two lines of text: both lines fit the width, so neither wraps.
    EXPECT_EQ(r.height, tip.getCanvas()->textBoxHeight(r.width, two) + 4);
    EXPECT_GE(r.height, 2 * one.height() + 4);
    EXPECT_LT(r.height, 3 * one.height() + 4);

    tip.setText(DString(""));
    r = tip.bounds();
    EXPECT_EQ(r.width, 80);
    EXPECT_EQ(r.height, 15);
}

TEST_F(ToolTips, OnADisplayOfAnotherDpiATipFitsItsTextAgain)
{
    const DString text("a@b has 1 new mail!\nsomeone@mail.example.org has 12 new mails!");
    ASSERT_TRUE(tip.create(text));
    const int dpi = 2 * tip.getScale().dpi();
    RECT suggested = {0, 0, 10, 10};
    SendMessageA(tip.getHandle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(tip.getScale().dpi(), dpi);
    EXPECT_EQ(tip.getCanvas()->font()->getDpi(), dpi);
    // Measured again with the font made for the new dpi: as wide as its widest line.
    const DTextExtent wide =
        tip.getCanvas()->textExtent(DString("someone@mail.example.org has 12 new mails!"));
    const DRect r = tip.bounds();
    EXPECT_EQ(r.width, wide.width() + 4);
    EXPECT_EQ(r.height, tip.getCanvas()->textBoxHeight(r.width, text) + 4);
    RECT client = {};
    GetClientRect(tip.getHandle(), &client);
    EXPECT_EQ(client.right, tip.getScale().toDevice(r.width));
}

TEST_F(ToolTips, ATipAskedForAndWithdrawnWithinTheDelayNeverAppears)
{
    ASSERT_TRUE(tip.create(DString("Check Now!")));
    DTimer* timer = tip.getShowTimer();
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->getInterval(), 2000);
    tip.setVisible(true);
    EXPECT_TRUE(timer->isEnabled());
    EXPECT_FALSE(visible());  // nothing yet: the show waits for the tick
    tip.setVisible(false);
    EXPECT_FALSE(timer->isEnabled());
    EXPECT_FALSE(visible());
    // A tick that was already on its way when the request was withdrawn is refused...
    SendMessageA(tip.getHandle(), timerTickMessage(), reinterpret_cast<WPARAM>(timer), 0);
    EXPECT_FALSE(visible());
    // ...and one that slips through finds no request and shows nothing.
    tip.onTimer(timer);
    EXPECT_FALSE(visible());
    pumpMessages();
    EXPECT_FALSE(visible());
}

TEST_F(ToolTips, ATipAskedForAppearsWhenItsTimerTicksAndHidesAtOnce)
{
    ASSERT_TRUE(tip.create(DString("Check Now!")));
    DTimer* timer = tip.getShowTimer();
    tip.setVisible(true);
    tip.setVisible(true);  // asking again does not restart anything
    EXPECT_TRUE(timer->isEnabled());
    timer->tick();  // the two seconds are over
    EXPECT_TRUE(visible());
    EXPECT_FALSE(timer->isEnabled());  // one show per request
    tip.setVisible(false);
    EXPECT_FALSE(visible());
    EXPECT_FALSE(tip.isShowRequested());
    // A later request starts the delay again.
    tip.setVisible(true);
    EXPECT_TRUE(timer->isEnabled());
    EXPECT_FALSE(visible());
}

TEST_F(ToolTips, ATipNearTheScreensEdgeIsPushedInside)
{
    ASSERT_TRUE(tip.create(DString("A tip near the corner")));
    DRect r = tip.bounds();
    tip.moveTo(screenWidth - 10, screenHeight - 5);
    tip.showNow(true);
    DRect at = tip.bounds();
    EXPECT_EQ(at.x, screenWidth - r.width);
    EXPECT_EQ(at.y, screenHeight - r.height);
    EXPECT_TRUE(visible());
    tip.moveTo(-30, -7);
    tip.showNow(false);
    at = tip.bounds();
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 0);
    EXPECT_FALSE(visible());
    // A tip well inside the screen stays where it is.
    tip.moveTo(200, 300);
    tip.showNow(true);
    at = tip.bounds();
    EXPECT_EQ(at.x, 200);
    EXPECT_EQ(at.y, 300);
}

TEST_F(ToolTips, ATipIsTopMostAndShowingItLeavesTheActiveWindowActive)
{
    RecordingWindow other;
    ASSERT_TRUE(other.make(200, 100));
    other.show(true);
    SetForegroundWindow(other.getHandle());
    SetActiveWindow(other.getHandle());
    pumpMessages();
    ASSERT_EQ(GetActiveWindow(), other.getHandle());

    ASSERT_TRUE(tip.create(DString("On top")));
    EXPECT_NE(GetWindowLongPtrA(tip.getHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    tip.moveTo(50, 50);
    tip.showNow(true);
    pumpMessages();
    EXPECT_TRUE(visible());
    EXPECT_EQ(GetActiveWindow(), other.getHandle());
    // Nor does a click activate it.
    EXPECT_EQ(SendMessageA(tip.getHandle(), WM_MOUSEACTIVATE,
                           reinterpret_cast<WPARAM>(tip.getHandle()),
                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    other.close();
}

TEST_F(ToolTips, ATipPaintsItsTextOnTheToolTipColour)
{
    ASSERT_TRUE(tip.create(DString("Pellaro: Checking...")));
    EXPECT_EQ(tip.getBackColor(), DApplication::currentTheme()->color(9));
    tip.moveTo(100, 100);
    tip.showNow(true);
    tip.redraw();
    pumpMessages();
    DRect r = tip.bounds();
    HDC dc = GetDC(tip.getHandle());
    COLORREF pale = DApplication::currentTheme()->color(9).value();
    EXPECT_EQ(GetPixel(dc, r.width - 2, r.height / 2) & 0xFFFFFF, pale);
    EXPECT_EQ(GetPixel(dc, 1, 1) & 0xFFFFFF, pale);
    int ink = 0;
    int firstInkX = r.width;
    for (int x = 1; x < r.width - 1; ++x)
        for (int y = 1; y < r.height - 1; ++y)
            if ((GetPixel(dc, x, y) & 0xFFFFFF) == 0) {
                ink++;
                firstInkX = std::min(firstInkX, x);
            }
    ReleaseDC(tip.getHandle(), dc);
    EXPECT_GT(ink, 20);
    EXPECT_GE(firstInkX, 2);  // the text starts inside the 2-pixel margin
    EXPECT_LE(firstInkX, 4);
}

TEST_F(ToolTips, ClosingATipWithAShowPendingEndsItsTimer)
{
    ASSERT_TRUE(tip.create(DString("Going away")));
    DTimer* timer = tip.getShowTimer();
    tip.setVisible(true);
    ASSERT_TRUE(timer->isEnabled());
    HWND gone = tip.getHandle();
    tip.close();
    EXPECT_EQ(tip.getShowTimer(), nullptr);
    EXPECT_FALSE(tip.isShowRequested());
    EXPECT_FALSE(IsWindow(gone));
    // Asking again after closing does nothing and shows nothing.
    tip.setVisible(true);
    tip.showNow(true);
    EXPECT_EQ(tip.getHandle(), nullptr);
    EXPECT_FALSE(tip.isShowRequested());
}
