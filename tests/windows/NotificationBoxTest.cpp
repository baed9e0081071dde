// The notification box under Wine: its place by the bottom-right corner, on top of other
// windows without taking the focus, and hidden by a click until it is shown again.
#include "framework/WindowTestKit.h"

#include "system/DTimer.h"
#include "windows/DNotificationBox.h"

#include <gtest/gtest.h>

using namespace windowtest;

namespace {

class NotificationBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        parkPointer();
        ASSERT_TRUE(box.create(DString("")));
    }
    void TearDown() override
    {
        box.close();
        pumpMessages();
    }
    bool visible() const { return IsWindowVisible(box.getHandle()) != FALSE; }

    DNotificationBox box;
};

}  // namespace

TEST_F(NotificationBox, ItSitsFiftyPixelsInFromTheScreensBottomRightCorner)
{
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_FALSE(visible());
    box.setText(DString("user@pop.example.com has 1 new mail!\n"));
    box.placeAtCorner();
    box.show(true);
    EXPECT_TRUE(visible());
    DRect r = box.bounds();
    EXPECT_GT(r.width, 80);
    EXPECT_EQ(r.x + r.width, screenWidth - 50);
    EXPECT_EQ(r.y + r.height, screenHeight - 50);
    EXPECT_NE(GetWindowLongPtrA(box.getHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    // A longer text makes a larger box, placed again by the same corner.
    box.show(false);
    box.setText(DString("user@pop.example.com has 1 new mail!\nother@mail.example.org has 7 new mails!\n"));
    box.placeAtCorner();
    box.show(true);
    DRect taller = box.bounds();
    EXPECT_GT(taller.height, r.height);
    EXPECT_EQ(taller.x + taller.width, screenWidth - 50);
    EXPECT_EQ(taller.y + taller.height, screenHeight - 50);
}

TEST_F(NotificationBox, AClickHidesItUntilItIsShownAgain)
{
    box.setText(DString("a@b has 2 new mails!\n"));
    box.placeAtCorner();
    box.show(true);
    ASSERT_TRUE(visible());
    // The right button does nothing to it.
    SendMessageA(box.getHandle(), WM_RBUTTONDOWN, MK_RBUTTON, point(5, 5));
    SendMessageA(box.getHandle(), WM_RBUTTONUP, 0, point(5, 5));
    EXPECT_TRUE(visible());
    SendMessageA(box.getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, point(5, 5));
    EXPECT_TRUE(visible());  // hidden on the release, not the press
    SendMessageA(box.getHandle(), WM_LBUTTONUP, 0, point(5, 5));
    EXPECT_FALSE(visible());
    // Nothing brings it back by itself.
    EXPECT_FALSE(box.getShowTimer()->isEnabled());
    pumpMessages();
    EXPECT_FALSE(visible());
    box.show(true);
    EXPECT_TRUE(visible());
}

TEST_F(NotificationBox, AppearingAndBeingClickedLeaveTheActiveWindowActive)
{
    RecordingWindow other;
    ASSERT_TRUE(other.make(200, 100));
    other.moveTo(20, 20);
    other.show(true);
    SetForegroundWindow(other.getHandle());
    SetActiveWindow(other.getHandle());
    pumpMessages();
    ASSERT_EQ(GetActiveWindow(), other.getHandle());

    box.setText(DString("a@b has 2 new mails!\n"));
    box.placeAtCorner();
    box.show(true);
    pumpMessages();
    EXPECT_EQ(GetActiveWindow(), other.getHandle());
    EXPECT_EQ(GetForegroundWindow(), other.getHandle());

    // The box refuses activation by the mouse...
    EXPECT_EQ(SendMessageA(box.getHandle(), WM_MOUSEACTIVATE,
                           reinterpret_cast<WPARAM>(box.getHandle()),
                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    // ...and a real click through the system's input path hides it.
    DRect r = box.bounds();
    for (int attempt = 0; attempt < 3 && visible(); attempt++) {
        SetCursorPos(r.x + r.width / 2, r.y + r.height / 2);
        INPUT inputs[2] = {};
        inputs[0].type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].type = INPUT_MOUSE;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ASSERT_EQ(SendInput(2, inputs, sizeof(INPUT)), 2u);
        pumpUntil([&] { return !visible(); }, 3000);
    }
    EXPECT_FALSE(visible());
    EXPECT_EQ(GetActiveWindow(), other.getHandle());
    parkPointer();
    other.close();
}
