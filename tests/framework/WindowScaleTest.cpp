// A window moved to a display of another dpi (WM_DPICHANGED, sent here by hand: Wine never
// sends it) and what it does with units: the client area, the views' native windows, the
// canvases, mouse positions, icons and pop-ups all follow the new scale.
#include "WindowTestKit.h"

#include "framework/DWinInterior.h"
#include "graphics/DCanvas.h"
#include "graphics/DIcon.h"

#include <gtest/gtest.h>

#include <memory>

using namespace windowtest;

namespace {

// The device rectangle of a native window in the client area of `top`.
RECT placeIn(HWND window, HWND top)
{
    RECT r = {};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A window that stands for an open menu: it notes being told to go away.
class PopupWindow : public DWindow {
public:
    int dismissed = 0;
    void dismiss() override { dismissed++; }
};

class WindowScale : public ::testing::Test {
protected:
    void SetUp() override
    {
        releaseKeys();
        parkPointer();
        ASSERT_TRUE(window.make(300, 200));
        base = window.getScale().dpi();
        group = new DView;
        group->init(10, 20, 120, 90);
        window.addView(group);
        inner = new DView;
        inner->init(5, 7, 40, 25);
        group->addChild(inner);
    }
    void TearDown() override
    {
        window.close();
        pumpMessages();
    }
    // The system's message for a move to a display of `dpi`, with its suggested rectangle.
    void moveToDpi(int dpi, int left, int top)
    {
        RECT suggested = {left, top, left + 10, top + 10};
        SendMessageA(window.getHandle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    }

    RecordingWindow window;
    int base = 96;
    DView* group = nullptr;  // owned by the window's views
    DView* inner = nullptr;
};

}  // namespace

TEST_F(WindowScale, ANewDpiKeepsTheUnitsAndPutsEveryViewOnItsDevicePixels)
{
    HWND h = window.getHandle();
    moveToDpi(192, 40, 30);
    EXPECT_EQ(window.getScale().dpi(), 192);
    RECT client = {};
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 400);
    DRect b = window.bounds();
    EXPECT_EQ(b.width, 300);
    EXPECT_EQ(b.height, 200);
    EXPECT_EQ(window.getInterior()->getWidth(), 300);
    RECT outer = {};
    GetWindowRect(h, &outer);
    EXPECT_EQ(outer.left, 40);  // the suggested corner
    EXPECT_EQ(outer.top, 30);
    RECT g = placeIn(static_cast<HWND>(group->getHandle()), h);
    EXPECT_EQ(g.left, 20);
    EXPECT_EQ(g.top, 40);
    EXPECT_EQ(g.right - g.left, 240);
    EXPECT_EQ(g.bottom - g.top, 180);
    RECT i = placeIn(static_cast<HWND>(inner->getHandle()), h);
    EXPECT_EQ(i.left, 30);
    EXPECT_EQ(i.top, 54);
    EXPECT_EQ(i.right - i.left, 80);
    // Canvases and their fonts follow; each canvas starts at its view's place.
    EXPECT_EQ(inner->getCanvas()->getScale().dpi(), 192);
    EXPECT_EQ(inner->getCanvas()->font()->getDpi(), 192);
    EXPECT_EQ(window.getCanvas()->getScale().dpi(), 192);
    EXPECT_EQ(inner->getCanvas()->deviceRect(0, 0, 40, 25).right, 80);
    // And back: the same units on the same device pixels as before.
    moveToDpi(base, 40, 30);
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, DScale(base).toDevice(300));
    i = placeIn(static_cast<HWND>(inner->getHandle()), h);
    EXPECT_EQ(i.left, DScale(base).toDevice(15));
}

TEST_F(WindowScale, ViewsMovedAtAScaleTakeTheirChildrenToTheRightPixels)
{
    HWND h = window.getHandle();
    moveToDpi(144, 0, 0);
    // At 150 % a unit is one or two pixels: moving the group by one unit moves the inner
    // view's units onto other pixels, and its window follows exactly.
    for (int x = 10; x < 14; ++x) {
        group->moveTo(x, 21);
        RECT i = placeIn(static_cast<HWND>(inner->getHandle()), h);
        EXPECT_EQ(i.left, DScale(144).toDevice(x + 5)) << x;
        EXPECT_EQ(i.right, DScale(144).toDevice(x + 45)) << x;
        EXPECT_EQ(i.top, DScale(144).toDevice(28)) << x;
        int ax = 0, ay = 0;
        inner->absolutePosition(ax, ay);
        EXPECT_EQ(inner->getCanvas()->deviceRect(0, 0, 1, 1).right,
                  DScale(144).toDevice(ax + 1) - DScale(144).toDevice(ax));
    }
}

TEST_F(WindowScale, MousePositionsArriveInUnits)
{
    HWND h = window.getHandle();
    moveToDpi(144, 0, 0);
    // The inner view covers units 15..54 x 27..51: device 23..82 x 41..77 at 150 %.
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point(23, 41));
    SendMessageA(h, WM_LBUTTONUP, 0, point(23, 41));
    ASSERT_NE(window.last("click"), nullptr);
    EXPECT_EQ(window.last("click")->source, inner);
    window.events.clear();
    // Bare client area: the window's own handler, with the point in units.
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point(299, 250));
    ASSERT_NE(window.last("mouseDown"), nullptr);
    EXPECT_EQ(window.last("mouseDown")->a, DScale(144).toUnits(299));
    EXPECT_EQ(window.last("mouseDown")->b, DScale(144).toUnits(250));
    EXPECT_EQ(window.last("mouseDown")->a, 199);
    SendMessageA(h, WM_LBUTTONUP, 0, point(299, 250));
}

TEST_F(WindowScale, TheScreenAndPopUpsAreInTheWindowsUnits)
{
    moveToDpi(192, 0, 0);
    int width = 0, height = 0;
    window.screenArea(width, height);
    EXPECT_EQ(width, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_EQ(height, GetSystemMetrics(SM_CYSCREEN) / 2);
    int x = 20, y = 30;
    window.clientToScreenPoint(x, y);
    POINT device = {40, 60};
    ClientToScreen(window.getHandle(), &device);
    EXPECT_EQ(x, device.x / 2);
    EXPECT_EQ(y, device.y / 2);
    int sx = 0, sy = 0;
    inner->screenPoint(1, 2, sx, sy);
    EXPECT_EQ(sx, x - 20 + 16);
    EXPECT_EQ(sy, y - 30 + 29);
    // Placing a window puts its corner on the device pixel of its units.
    window.moveTo(50, 40);
    RECT outer = {};
    GetWindowRect(window.getHandle(), &outer);
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.top, 80);
    EXPECT_EQ(window.bounds().width, 300);
}

TEST_F(WindowScale, OpenPopUpsGoAwayAndIconsAreMadeForTheNewDpi)
{
    PopupWindow popup;
    ASSERT_TRUE(popup.create(nullptr, 0, 0, 50, 40, DString("popup"), windowFrameless));
    window.setKeyTarget(&popup);
    std::unique_ptr<DIcon> picture(new DIcon(16, 16));
    window.setIcon(picture.get());
    HICON before = reinterpret_cast<HICON>(SendMessageA(window.getHandle(), WM_GETICON, ICON_SMALL, 0));
    EXPECT_EQ(iconSize(before).cx, GetSystemMetrics(SM_CXSMICON));
    moveToDpi(192, 0, 0);
    EXPECT_EQ(popup.dismissed, 1);
    HICON small = reinterpret_cast<HICON>(SendMessageA(window.getHandle(), WM_GETICON, ICON_SMALL, 0));
    HICON big = reinterpret_cast<HICON>(SendMessageA(window.getHandle(), WM_GETICON, ICON_BIG, 0));
    const int base96Small = GetSystemMetrics(SM_CXSMICON) * 96 / base;
    EXPECT_EQ(iconSize(small).cx, 2 * base96Small);
    EXPECT_GE(iconSize(big).cx, iconSize(small).cx);
    window.setIcon(nullptr);
    popup.close();
}

TEST_F(WindowScale, AskedForTheSizeAtAnotherDpiTheWindowKeepsItsUnits)
{
    SIZE size = {0, 0};
    LRESULT answer = SendMessageA(window.getHandle(), 0x02E4, MAKEWPARAM(192, 192),
                                  reinterpret_cast<LPARAM>(&size));
    EXPECT_EQ(answer, TRUE);
    RECT outer = {}, client = {};
    GetWindowRect(window.getHandle(), &outer);
    GetClientRect(window.getHandle(), &client);
    // The frame's own size at 192 dpi comes on top of 600 x 400.
    EXPECT_GE(size.cx, 600);
    EXPECT_GE(size.cy, 400);
    EXPECT_LT(size.cx, 600 + 2 * (outer.right - outer.left - client.right) + 40);
}
