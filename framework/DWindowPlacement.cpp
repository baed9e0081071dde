// Where a window is and at what display scale: its place and size in units, turned into
// the device pixels of its display, the screen and the pointer in the same units, and the
// change of scale when the window goes to a display of another dpi.
#include "framework/DWindow.h"

#include "framework/DWinInterior.h"
#include "framework/DisplayDpi.h"
#include "framework/SystemUtils.h"
#include "framework/WindowGeometry.h"

SIZE DWindow::outerSizeFor(int deviceWidth, int deviceHeight, int dpi) const
{
    DWindowKind kind = parentHandle ? DWindowKind::child
                       : (options & windowFrameless) ? DWindowKind::frameless
                                                     : DWindowKind::captioned;
    DFrameMetrics metrics;
    if (kind == DWindowKind::captioned) {
        bool sizable = (options & windowSizable) != 0;
        metrics.frameWidth = systemMetricForDpi(sizable ? SM_CXFRAME : SM_CXFIXEDFRAME, dpi);
        metrics.frameHeight = systemMetricForDpi(sizable ? SM_CYFRAME : SM_CYFIXEDFRAME, dpi);
        metrics.captionHeight = systemMetricForDpi(SM_CYCAPTION, dpi);
    }
    DSize size = outerSize(kind, metrics, deviceWidth, deviceHeight);
    return SIZE{size.width, size.height};
}

DRect DWindow::bounds() const
{
    DRect r;
    if (!handle)
        return r;
    RECT client;
    GetClientRect(handle, &client);
    r.width = scale.toUnits(client.right - client.left);
    r.height = scale.toUnits(client.bottom - client.top);
    if (parentHandle) {
        RECT outer;
        GetWindowRect(handle, &outer);
        POINT p{outer.left, outer.top};
        ScreenToClient(parentHandle, &p);
        r.x = scale.toUnits(p.x);
        r.y = scale.toUnits(p.y);
    } else {
        POINT p{0, 0};
        ClientToScreen(handle, &p);
        r.x = scale.toUnits(p.x);
        r.y = scale.toUnits(p.y);
    }
    return r;
}

void DWindow::moveTo(int x, int y)
{
    DRect r = bounds();
    setBounds(x, y, r.width, r.height);
}

void DWindow::setBounds(int x, int y, int width, int height)
{
    if (!handle)
        return;
    placeClient(scale.toDevice(x), scale.toDevice(y), width, height);
}

void DWindow::placeClient(int left, int top, int width, int height)
{
    const int clientWidth = scale.toDevice(width);
    const int clientHeight = scale.toDevice(height);
    SIZE outer = outerSizeFor(clientWidth, clientHeight, scale.dpi());
    HWND window = handle;
    MoveWindow(handle, left, top, outer.cx, outer.cy, TRUE);
    if (!isLive(this) || handle != window || IsIconic(window))
        return;  // closed by a handler, or nothing to measure
    // The frame the system draws may differ from its measures for this dpi (a display of
    // another dpi under a system that draws one frame for all): the client size decides.
    RECT client;
    GetClientRect(window, &client);
    const int moreWidth = clientWidth - client.right;
    const int moreHeight = clientHeight - client.bottom;
    if (moreWidth != 0 || moreHeight != 0)
        MoveWindow(window, left, top, outer.cx + moreWidth, outer.cy + moreHeight, TRUE);
}

void DWindow::resize(int width, int height)
{
    if (!handle)
        return;
    // The outer corner stays on its device pixel.
    RECT outer;
    GetWindowRect(handle, &outer);
    POINT p{outer.left, outer.top};
    if (parentHandle)
        ScreenToClient(parentHandle, &p);
    placeClient(p.x, p.y, width, height);
}

void DWindow::center()
{
    if (!handle)
        return;
    int areaWidth, areaHeight;
    if (parentHandle) {
        RECT area;
        GetClientRect(parentHandle, &area);
        areaWidth = scale.toUnits(area.right - area.left);
        areaHeight = scale.toUnits(area.bottom - area.top);
    } else {
        screenArea(areaWidth, areaHeight);
    }
    DRect r = bounds();
    DPoint p = centeredPosition(areaWidth, areaHeight, r.width, r.height);
    moveTo(p.x, p.y);
}

void DWindow::screenArea(int& width, int& height) const
{
    width = scale.toUnits(GetSystemMetrics(SM_CXSCREEN));
    height = scale.toUnits(GetSystemMetrics(SM_CYSCREEN));
}

void DWindow::cursorPoint(int& x, int& y) const
{
    cursorPosition(x, y);
    x = scale.toUnits(x);
    y = scale.toUnits(y);
}

void DWindow::clientToScreenPoint(int& x, int& y) const
{
    if (!handle)
        return;
    int deviceX = scale.toDevice(x);
    int deviceY = scale.toDevice(y);
    clientToScreen(handle, deviceX, deviceY);
    x = scale.toUnits(deviceX);
    y = scale.toUnits(deviceY);
}

void DWindow::changeScale(int dpi, const RECT* suggested)
{
    if (!handle || dpi < 1)
        return;
    DRect before = bounds();
    const int width = interior ? interior->getWidth() : before.width;
    const int height = interior ? interior->getHeight() : before.height;
    // A menu or list opened at the old place would now stand beside its window.
    if (keyTarget && isLive(keyTarget))
        keyTarget->dismiss();
    scale = DScale(dpi);
    if (interior)
        interior->setDisplayScale(scale);
    RECT outer;
    GetWindowRect(handle, &outer);
    POINT corner{suggested ? suggested->left : outer.left, suggested ? suggested->top : outer.top};
    if (parentHandle)
        ScreenToClient(parentHandle, &corner);
    HWND window = handle;
    placeClient(corner.x, corner.y, width, height);
    if (!DWindow::isLive(this) || handle != window)
        return;
    // The title bar's and task bar's icons at the sizes of the new dpi.
    DIcon* big = bigIconSource;
    DIcon* little = smallIconSource;
    if (big)
        setIcon(big);
    if (little && little != big)
        setSmallIcon(little);
    onScaleChanged();
    if (handle == window)
        redraw();
}
