// Real windows driven with real messages: what reaches a window's virtual operations.
#include "WindowTestKit.h"

#include "framework/DWinInterior.h"
#include "framework/InputSources.h"
#include "framework/DTheme.h"
#include "graphics/DIcon.h"
#include "system/DTimer.h"
#include "system/DrawingLock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

using namespace windowtest;

namespace {

std::string className(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

class WindowCore : public ::testing::Test {
protected:
    void SetUp() override { releaseKeys(); }
    void TearDown() override
    {
        releaseKeys();
        pumpMessages();
    }
};

}  // namespace

TEST_F(WindowCore, CaptionedWindowHasAHiddenTaskbarWindowAndTheClientSizeAsked)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make(400, 450, windowMinimizeBox));
    HWND h = w.getHandle();
    EXPECT_EQ(className(h), "DWindow");
    // The system adds WS_CLIPSIBLINGS to every top-level window.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE)) & 0xFBFF0000u, 0x82CA0000u);
    HWND taskbar = w.getTaskbarButton();
    ASSERT_NE(taskbar, nullptr);
    EXPECT_EQ(className(taskbar), "TBButton");
    EXPECT_EQ(GetWindow(h, GW_OWNER), taskbar);
    EXPECT_EQ(reinterpret_cast<HWND>(GetWindowLongPtrA(taskbar, GWLP_USERDATA)), h);
    EXPECT_EQ(DWindow::fromHandle(h), &w);
    RECT client;
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 450);
    DRect b = w.bounds();
    EXPECT_EQ(b.width, 400);
    EXPECT_EQ(b.height, 450);
    EXPECT_FALSE(IsWindowVisible(h));
    w.close();
}

TEST_F(WindowCore, FramelessWindowIsOwnedByADummyAndShowsWithoutTaskbarWindow)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make(120, 80, windowFrameless));
    HWND owner = GetWindow(w.getHandle(), GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_EQ(className(owner), "Dummy");
    EXPECT_EQ(w.getTaskbarButton(), nullptr);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(w.getHandle(), GWL_STYLE)) & 0xFBFF0000u, 0x82000000u);
    RECT outer;
    GetWindowRect(w.getHandle(), &outer);
    EXPECT_EQ(outer.right - outer.left, 120);
    w.show(true);
    EXPECT_TRUE(IsWindowVisible(w.getHandle()));
    EXPECT_TRUE(w.isShown());
    w.close();
    EXPECT_FALSE(IsWindow(owner));
}

TEST_F(WindowCore, CenterPutsTheOuterWindowAtHalfTheSpareScreen)
{
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024) << "the GUI tests expect a 1024 x 768 screen";
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    RecordingWindow w;
    ASSERT_TRUE(w.make(400, 450));
    w.center();
    RECT outer;
    GetWindowRect(w.getHandle(), &outer);
    EXPECT_EQ(outer.left, 312);
    EXPECT_EQ(outer.top, 159);
    RECT client;
    GetClientRect(w.getHandle(), &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 450);
    w.close();
}

TEST_F(WindowCore, ChildWindowGeometryIsInParentCoordinates)
{
    RecordingWindow parent;
    ASSERT_TRUE(parent.make(300, 200, windowFrameless));
    RecordingWindow child;
    ASSERT_TRUE(child.create(parent.getHandle(), 10, 20, 100, 50, DString(""), 0));
    EXPECT_EQ(GetParent(child.getHandle()), parent.getHandle());
    child.center();
    DRect b = child.bounds();
    EXPECT_EQ(b.x, 100);
    EXPECT_EQ(b.y, 75);
    child.resize(60, 40);
    b = child.bounds();
    EXPECT_EQ(b.x, 100);
    EXPECT_EQ(b.y, 75);
    EXPECT_EQ(b.width, 60);
    EXPECT_EQ(b.height, 40);
    parent.close();
}

TEST_F(WindowCore, TitleGoesToTheWindowAndItsTaskbarWindow)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    w.setTitle(DString("Pellaro \xC1" "b"));
    EXPECT_TRUE(w.title() == "Pellaro \xC1" "b");
    char text[64] = {};
    GetWindowTextA(w.getTaskbarButton(), text, sizeof text);
    EXPECT_STREQ(text, "Pellaro \xC1" "b");
    w.close();
}

TEST_F(WindowCore, KeypadFiveGivesTheDigitKeyThenTheCharacter)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    SendMessageA(w.getHandle(), WM_KEYDOWN, VK_NUMPAD5, keyData(VK_NUMPAD5, false));
    ASSERT_EQ(w.names(), "keyDown char");
    EXPECT_EQ(w.events[0].a, 0x35);
    EXPECT_EQ(w.events[0].b, 0);
    EXPECT_EQ(w.events[1].a, '5');
    w.close();
}

TEST_F(WindowCore, KeypadDecimalAndDivideTypeTheirOwnCharacters)
{
    // Their scan codes stand for other keys (Delete, the slash key of the layout), so they
    // are translated from the key value.
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    SendMessageA(w.getHandle(), WM_KEYDOWN, VK_DECIMAL, keyData(VK_DECIMAL, false));
    SendMessageA(w.getHandle(), WM_KEYDOWN, VK_DIVIDE, keyData(VK_DIVIDE, false) | (1 << 24));
    SendMessageA(w.getHandle(), WM_KEYDOWN, VK_RETURN, keyData(VK_RETURN, false));
    ASSERT_EQ(w.names(), "keyDown char keyDown char keyDown");
    EXPECT_EQ(w.events[1].a, '.');
    EXPECT_EQ(w.events[3].a, '/');
    EXPECT_EQ(w.events[4].a, VK_RETURN);
    w.close();
}

TEST_F(WindowCore, CtrlLetterAndFunctionKeysTypeNoCharacter)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    holdKeys({VK_CONTROL});
    SendMessageA(w.getHandle(), WM_KEYDOWN, 'A', keyData('A', false));
    releaseKeys();
    SendMessageA(w.getHandle(), WM_KEYDOWN, VK_F5, keyData(VK_F5, false));
    ASSERT_EQ(w.names(), "keyDown keyDown");
    EXPECT_EQ(w.events[0].a, 'A');
    EXPECT_EQ(w.events[0].b, modCtrl);
    EXPECT_EQ(w.events[1].a, VK_F5);
    EXPECT_EQ(w.events[1].b, 0);
    w.close();
}

TEST_F(WindowCore, LettersAreTranslatedFromTheirScanCode)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    SendMessageA(w.getHandle(), WM_KEYDOWN, 'Q', keyData('Q', false));
    SendMessageA(w.getHandle(), WM_KEYUP, 'Q', keyData('Q', true));
    ASSERT_EQ(w.names(), "keyDown char keyUp");
    EXPECT_EQ(w.events[1].a, 'q');
    w.close();
}

TEST_F(WindowCore, ModifierKeysThemselvesAreIgnored)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    SendMessageA(w.getHandle(), WM_KEYDOWN, VK_SHIFT, keyData(VK_SHIFT, false));
    SendMessageA(w.getHandle(), WM_KEYDOWN, VK_CONTROL, keyData(VK_CONTROL, false));
    SendMessageA(w.getHandle(), WM_SYSKEYDOWN, VK_MENU, keyData(VK_MENU, false));
    EXPECT_EQ(w.names(), "");
    w.close();
}

TEST_F(WindowCore, AltF4IsAKeyDownAndClosesTheWindowAsItsCloseBoxWould)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    holdKeys({VK_MENU});
    SendMessageA(w.getHandle(), WM_SYSKEYDOWN, VK_F4, keyData(VK_F4, false) | (1 << 29));
    SendMessageA(w.getHandle(), WM_SYSKEYUP, VK_F4, keyData(VK_F4, true) | (1 << 29));
    releaseKeys();
    ASSERT_TRUE(w.names().rfind("keyDown keyUp", 0) == 0) << w.names();
    EXPECT_EQ(w.events[0].a, 0x73);
    EXPECT_EQ(w.events[0].b, 0x100);
    pumpMessages();
    EXPECT_EQ(w.closeCount, 1);
    EXPECT_EQ(nullptr, w.getHandle());

    // F4 alone, and Alt with another key, close nothing.
    RecordingWindow other;
    ASSERT_TRUE(other.make());
    SendMessageA(other.getHandle(), WM_KEYDOWN, VK_F4, keyData(VK_F4, false));
    holdKeys({VK_MENU});
    SendMessageA(other.getHandle(), WM_SYSKEYDOWN, VK_F5, keyData(VK_F5, false) | (1 << 29));
    releaseKeys();
    pumpMessages();
    EXPECT_EQ(other.closeCount, 0);
    EXPECT_TRUE(IsWindow(other.getHandle()));
    other.close();
}

TEST_F(WindowCore, SystemKeysWithOtherModifiersAreDropped)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    holdKeys({VK_MENU, VK_SHIFT});
    SendMessageA(w.getHandle(), WM_SYSKEYDOWN, 'X', keyData('X', false));
    holdKeys({});
    SendMessageA(w.getHandle(), WM_SYSKEYDOWN, VK_F10, keyData(VK_F10, false));
    EXPECT_EQ(w.names(), "");
    // Shift+F10 comes as a system key too, and reaches the window: it opens a field's menu.
    holdKeys({VK_SHIFT});
    SendMessageA(w.getHandle(), WM_SYSKEYDOWN, VK_F10, keyData(VK_F10, false));
    holdKeys({});
    EXPECT_EQ(w.names(), "keyDown");
    ASSERT_FALSE(w.events.empty());
    EXPECT_EQ(w.events[0].b, modShift);
    w.close();
}

TEST_F(WindowCore, AltGrCountsAsNeitherCtrlNorAlt)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    holdKeys({VK_CONTROL, VK_MENU});
    SendMessageA(w.getHandle(), WM_KEYDOWN, VK_F2, keyData(VK_F2, false));
    // A letter key with AltGr held still types its character (Ctrl alone would stop it).
    SendMessageA(w.getHandle(), WM_KEYDOWN, 'Q', keyData('Q', false));
    releaseKeys();
    ASSERT_EQ(w.names(), "keyDown keyDown char");
    EXPECT_EQ(w.events[0].b, 0);
    EXPECT_EQ(w.events[1].b, 0);
    w.close();
}

TEST_F(WindowCore, KeyTargetTakesKeysAndWheelInstead)
{
    RecordingWindow owner, popup;
    ASSERT_TRUE(owner.make());
    ASSERT_TRUE(popup.make(100, 100, windowFrameless));
    owner.setKeyTarget(&popup);
    SendMessageA(owner.getHandle(), WM_KEYDOWN, VK_DOWN, keyData(VK_DOWN, false));
    SendMessageA(owner.getHandle(), WM_KEYUP, VK_DOWN, keyData(VK_DOWN, true));
    POINT screen{5, 6};
    ClientToScreen(popup.getHandle(), &screen);
    SendMessageA(owner.getHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA),
                 MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(owner.names(), "");
    ASSERT_EQ(popup.names(), "keyDown keyUp wheelForward");
    EXPECT_EQ(popup.events[0].a, VK_DOWN);
    EXPECT_EQ(popup.events[2].a, 5);
    EXPECT_EQ(popup.events[2].b, 6);
    owner.setKeyTarget(nullptr);
    popup.close();
    owner.close();
}

TEST_F(WindowCore, WheelNotifiesOncePerMessageByDirection)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    POINT screen{30, 40};
    ClientToScreen(w.getHandle(), &screen);
    LPARAM at = MAKELPARAM(screen.x, screen.y);
    SendMessageA(w.getHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 3 * WHEEL_DELTA), at);
    SendMessageA(w.getHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), at);
    SendMessageA(w.getHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 0), at);
    ASSERT_EQ(w.names(), "wheelForward wheelBackward");
    EXPECT_EQ(w.events[0].a, 30);
    EXPECT_EQ(w.events[0].b, 40);
    w.close();
}

TEST_F(WindowCore, MouseOverBareClientAreaReachesTheWindow)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    holdKeys({VK_SHIFT, VK_CONTROL, VK_MENU});
    SendMessageA(w.getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, point(12, 34));
    releaseKeys();
    SendMessageA(w.getHandle(), WM_LBUTTONUP, 0, point(12, 34));
    SendMessageA(w.getHandle(), WM_RBUTTONUP, 0, point(7, 8));
    ASSERT_EQ(w.names(), "mouseDown mouseUp rightUp");
    EXPECT_EQ(w.events[0].a, 12);
    EXPECT_EQ(w.events[0].b, 34);
    EXPECT_EQ(w.events[0].c, 0x111);  // mouse messages read each modifier by itself
    w.close();
}

TEST_F(WindowCore, FirstMoveEntersAndLeaveEndsTheVisit)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    SendMessageA(w.getHandle(), WM_MOUSEMOVE, 0, point(5, 5));
    SendMessageA(w.getHandle(), WM_MOUSEMOVE, 0, point(6, 5));
    SendMessageA(w.getHandle(), WM_MOUSELEAVE, 0, 0);
    SendMessageA(w.getHandle(), WM_MOUSEMOVE, 0, point(7, 5));
    EXPECT_EQ(w.names(), "mouseMove mouseEnter mouseMove mouseLeave mouseMove mouseEnter");
    w.close();
}

TEST_F(WindowCore, TwoReleases999msApartMakeADoubleClickButNot1000)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    HWND h = w.getHandle();
    fakeTick = 50000;
    SendMessageA(h, WM_LBUTTONUP, 0, point(10, 10));
    fakeTick += 999;
    SendMessageA(h, WM_LBUTTONUP, 0, point(10, 10));
    EXPECT_EQ(w.count("doubleClick"), 1);

    fakeTick += 5000;
    SendMessageA(h, WM_LBUTTONUP, 0, point(10, 10));
    fakeTick += 1000;
    SendMessageA(h, WM_LBUTTONUP, 0, point(10, 10));
    EXPECT_EQ(w.count("doubleClick"), 1);
    // The late release ended the pair; the next two quick ones form a new one.
    fakeTick += 10;
    SendMessageA(h, WM_LBUTTONUP, 0, point(10, 10));
    EXPECT_EQ(w.count("doubleClick"), 1);
    fakeTick += 10;
    SendMessageA(h, WM_LBUTTONUP, 0, point(10, 10));
    EXPECT_EQ(w.count("doubleClick"), 2);
    w.close();
}

TEST_F(WindowCore, AMoveBetweenReleasesPreventsTheDoubleClick)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    HWND h = w.getHandle();
    SendMessageA(h, WM_LBUTTONUP, 0, point(10, 10));
    SendMessageA(h, WM_MOUSEMOVE, 0, point(11, 10));
    SendMessageA(h, WM_LBUTTONUP, 0, point(11, 10));
    SendMessageA(h, WM_MOUSELEAVE, 0, 0);
    SendMessageA(h, WM_LBUTTONUP, 0, point(11, 10));
    EXPECT_EQ(w.count("doubleClick"), 0);
    w.close();
}

TEST_F(WindowCore, CloseRunsOnCloseOnceAndDetachesTheObject)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    HWND h = w.getHandle();
    HWND taskbar = w.getTaskbarButton();
    w.close();
    EXPECT_EQ(w.closeCount, 1);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(IsWindow(taskbar));
    EXPECT_EQ(w.getHandle(), nullptr);
    EXPECT_EQ(w.getInterior(), nullptr);
    w.close();  // nothing left to close
    EXPECT_EQ(w.closeCount, 1);
}

TEST_F(WindowCore, ARefusingWindowStaysOpen)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    w.allowClose = false;
    w.close();
    EXPECT_TRUE(IsWindow(w.getHandle()));
    EXPECT_EQ(w.closeCount, 0);
    w.allowClose = true;
    w.close();
    EXPECT_EQ(w.closeCount, 1);
}

TEST_F(WindowCore, DeletingAnOpenWindowLeavesNoDanglingObject)
{
    auto* w = new RecordingWindow;
    ASSERT_TRUE(w->make());
    HWND h = w->getHandle();
    delete w;
    EXPECT_EQ(DWindow::fromHandle(h), nullptr);
    // Whatever still arrives for the old handle touches no object.
    SendMessageA(h, WM_LBUTTONDOWN, 0, point(1, 1));
    SendMessageA(h, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(WindowCore, ADetachedNativeWindowHandlesMessagesWithoutAnObject)
{
    // A "DWindow" window that never had an object attached.
    RecordingWindow w;
    ASSERT_TRUE(w.make());  // registers the class
    HWND bare = CreateWindowExA(0, "DWindow", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(SendMessageA(bare, WM_KEYDOWN, 'A', 0), 0);
    EXPECT_EQ(SendMessageA(bare, RegisterWindowMessageA("DVTimerTick"), 12345, 0), 0);
    InvalidateRect(bare, nullptr, TRUE);
    UpdateWindow(bare);  // default painting validates: no endless paint messages
    EXPECT_FALSE(GetUpdateRect(bare, nullptr, FALSE));
    SendMessageA(bare, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(bare));
    w.close();
}

TEST_F(WindowCore, MinimisingACaptionedWindowHidesItAndRestoringShowsIt)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make(200, 100, windowMinimizeBox));
    w.show(true);
    EXPECT_TRUE(w.isShown());
    SendMessageA(w.getHandle(), WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_FALSE(w.isShown());
    EXPECT_FALSE(IsWindowVisible(w.getHandle()));
    SendMessageA(w.getHandle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 100));
    EXPECT_TRUE(w.isShown());
    w.close();
}

TEST_F(WindowCore, RecordMessagesReachHandleMessageOfTheirTarget)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    ASSERT_TRUE(DWindow::postRecord(w.getHandle(), &w, 0, WM_APP + 18, 7, 9, 0));
    pumpUntil([&] { return w.count("record") == 1; }, 2000);
    ASSERT_EQ(w.count("record"), 1);
    EXPECT_EQ(w.last("record")->a, 7);
    EXPECT_EQ(w.last("record")->b, 9);
    // A record whose target closed and went away is released without a call.
    auto* gone = new RecordingWindow;
    ASSERT_TRUE(gone->make());
    ASSERT_TRUE(DWindow::postRecord(w.getHandle(), gone, 0, WM_APP + 18, 1, 1, 0));
    delete gone;
    pumpMessages();
    EXPECT_EQ(w.count("record"), 1);
    w.close();
}

TEST_F(WindowCore, TimerTicksReachOnTimerAndStopWhenTheOwnerCloses)
{
    auto* w = new RecordingWindow;
    ASSERT_TRUE(w->make());
    DTimer timer(static_cast<DWindow*>(w));
    timer.setInterval(20);
    timer.setEnabled(true);
    ASSERT_TRUE(pumpUntil([&] { return w->timerCount >= 3; }, 5000));
    w->close();
    int seen = w->timerCount;
    pumpUntil([] { return false; }, 200);
    EXPECT_EQ(w->timerCount, seen);
    // The owner object may even be deleted while its timer still runs.
    delete w;
    pumpUntil([] { return false; }, 100);
    timer.setEnabled(false);
}

TEST_F(WindowCore, TheTaskbarWindowPassesKeysAndCloseOnToItsWindow)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    HWND taskbar = w.getTaskbarButton();
    SendMessageA(taskbar, WM_KEYDOWN, VK_F2, keyData(VK_F2, false));
    SendMessageA(taskbar, WM_KEYUP, VK_F2, keyData(VK_F2, true));
    ASSERT_EQ(w.names(), "keyDown keyUp");
    EXPECT_EQ(w.events[0].a, VK_F2);
    SendMessageA(taskbar, WM_CLOSE, 0, 0);
    EXPECT_EQ(w.closeCount, 1);
    EXPECT_FALSE(IsWindow(taskbar));
}
