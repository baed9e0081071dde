// The window procedures of "DWindow" and "TBButton": the one place where native messages
// are decoded. WPARAM and LPARAM are taken apart here once and the view tree and the
// window's virtual operations receive plain events.
//
// A handler may close its window (and its owner may then delete the object). Every step
// that follows a call into a handler therefore first checks that the native window is
// still attached to the same object, and views destroyed during handling are freed only
// once the outermost window procedure call has returned.
#include "framework/DWindow.h"

#include "foundation/DList.h"
#include "framework/AccessibleObject.h"
#include "framework/DApplication.h"
#include "framework/DView.h"
#include "framework/DWinInterior.h"
#include "framework/InputSources.h"
#include "framework/SystemUtils.h"
#include "system/DTimer.h"
#include "system/DrawingLock.h"

#include <cstdint>

namespace {

// Nesting depth of window procedure calls; the user-interface thread alone touches it.
int dispatchDepth = 0;

UINT tickMessage()
{
    static UINT message = RegisterWindowMessageA("DVTimerTick");
    return message;
}

UINT recordMessage()
{
    static UINT message = RegisterWindowMessageA("DVMessage");
    return message;
}

// The record a "DVMessage" carries: a target window and five values. Made with new by
// the sender, deleted by the receiving procedure.
struct DMessageRecord {
    DWindow* target;
    int32_t values[5];
};

// Sent before a move to a display of another dpi (WM_GETDPISCALEDSIZE, Windows 10 from
// version 1703), named here for the older headers the build uses.
const UINT dpiScaledSizeMessage = 0x02E4;

bool attached(HWND window, const DWindow* object)
{
    return object && DWindow::fromHandle(window) == object;
}

bool isTableMessage(UINT message)
{
    switch (message) {
    case WM_CREATE: case WM_DESTROY: case WM_MOVE: case WM_SIZE: case WM_ACTIVATE:
    case WM_KEYDOWN: case WM_KEYUP: case WM_SYSKEYDOWN: case WM_SYSKEYUP:
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: case WM_MOUSEWHEEL: case WM_MOUSELEAVE:
        return true;
    default:
        return false;
    }
}

// Messages for a native window with no object attached (before create attached it, or
// after closing detached it) touch no object.
LRESULT detachedProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        DestroyWindow(window);
        return 0;
    }
    if (message == recordMessage()) {
        delete reinterpret_cast<DMessageRecord*>(wParam);  // nobody is left to act on it
        return 0;
    }
    if (message == tickMessage())
        return 0;
    if (isTableMessage(message))
        return 0;
    // WM_PAINT included: default processing validates the window, so no endless repaint.
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool DWindow::isDispatching()
{
    return dispatchDepth > 0;
}

bool DWindow::postRecord(HWND via, DWindow* target, int v0, int v1, int v2, int v3, int v4)
{
    if (!via || !target)
        return false;
    DMessageRecord* record = new DMessageRecord{target, {v0, v1, v2, v3, v4}};
    if (PostMessageA(via, recordMessage(), reinterpret_cast<WPARAM>(record), 0))
        return true;
    delete record;
    return false;
}

LRESULT CALLBACK DWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWindow* object = fromHandle(window);
    if (!object)
        return detachedProcedure(window, message, wParam, lParam);
    ++dispatchDepth;
    LRESULT result;
    {
        // Sent messages (timer ticks from timer threads) bypass the message loop, so the
        // procedure takes the drawing lock itself; the lock is re-entrant.
        DDrawingLockHolder hold;
        result = object->dispatch(window, message, wParam, lParam);
    }
    if (--dispatchDepth == 0)
        DView::releaseDeferred();
    return result;
}

bool DWindow::sendToInterior(int kind, int a, int b, int c, int d)
{
    return interior ? interior->sendEvent(kind, a, b, c, d) : false;
}

LRESULT DWindow::dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == tickMessage()) {
        // A tick sent before its timer was disabled or destroyed is refused here.
        DTimer* timer = DTimer::acceptTick(static_cast<std::uintptr_t>(wParam));
        if (!timer)
            return 0;
        DWindow* ownerWindow = timer->getOwnerWindow();
        if (ownerWindow) {
            // A tick for a window that closed or was destroyed goes nowhere.
            if (isLive(ownerWindow) && ownerWindow->handle)
                ownerWindow->onTimer(timer);
        } else {
            DView* ownerView = timer->getOwnerView();
            if (DView::isLive(ownerView))
                ownerView->timerTick(timer);
        }
        return 0;
    }
    if (message == recordMessage()) {
        DMessageRecord* record = reinterpret_cast<DMessageRecord*>(wParam);
        if (!record)
            return 0;
        DMessageRecord copy = *record;
        delete record;
        if (isLive(copy.target))
            copy.target->handleMessage(reinterpret_cast<HWND>(static_cast<intptr_t>(copy.values[0])),
                                       static_cast<UINT>(copy.values[1]),
                                       static_cast<WPARAM>(static_cast<uint32_t>(copy.values[2])),
                                       static_cast<LPARAM>(copy.values[3]));
        return 0;
    }

    switch (message) {
    case WM_CREATE:
    case WM_DESTROY:
        return 0;
    case WM_MOVE: {
        RECT outer;
        GetWindowRect(window, &outer);
        onMove(scale.toUnits(outer.left), scale.toUnits(outer.top));
        return 0;
    }
    case WM_SIZE: {
        minimiseHandling(wParam);
        RECT client;
        GetClientRect(window, &client);
        const int width = scale.toUnits(client.right - client.left);
        const int height = scale.toUnits(client.bottom - client.top);
        if (interior)
            interior->resize(width, height);
        if (attached(window, this))
            onSize(width, height);
        return 0;
    }
    case WM_DPICHANGED:
        // The window went to a display of another dpi; the new dpi is in both halves.
        changeScale(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case dpiScaledSizeMessage: {
        // Asked before such a move: the outer size that keeps the client size in units.
        SIZE* size = reinterpret_cast<SIZE*>(lParam);
        if (!size || selfPaint)
            return DefWindowProcA(window, message, wParam, lParam);
        DRect now = bounds();
        const DScale next(static_cast<int>(LOWORD(wParam)));
        *size = outerSizeFor(next.toDevice(interior ? interior->getWidth() : now.width),
                             next.toDevice(interior ? interior->getHeight() : now.height),
                             next.dpi());
        return TRUE;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            onDeactivate();
        else
            onActivate();
        // Default processing gives the window the keyboard focus; without it key presses
        // would reach the window as system keys.
        if (IsWindow(window))
            DefWindowProcA(window, message, wParam, lParam);
        // A screen reader follows the focus into the window that became active.
        if (LOWORD(wParam) != WA_INACTIVE && attached(window, this))
            announceFocus();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(window, &ps);
        {
            DDrawingLockHolder hold;
            if (selfPaint)
                onPaint();
            else if (interior && interior->isVisible())
                interior->paint();
        }
        EndPaint(window, &ps);
        return 0;
    }
    case WM_CLOSE:
        closeProtocol();
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        keyProtocol(message, wParam, lParam);
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEWHEEL:
    case WM_MOUSELEAVE:
        mouseProtocol(message, wParam, lParam);
        return 0;
    case WM_NCDESTROY:
    case WM_ACTIVATEAPP:
        return DefWindowProcA(window, message, wParam, lParam);
    default:
        if (message == WM_GETOBJECT) {
            LRESULT answer = 0;
            if (answerAccessibleObjectRequest(this, wParam, lParam, answer))
                return answer;
        }
        if (message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE) {
            followSystemLook();  // high contrast on or off; the window may still want it too
            if (!attached(window, this))
                return 0;
        }
        if (handleMessage(window, message, wParam, lParam))
            return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void DWindow::minimiseHandling(WPARAM kind)
{
    if (taskbarButton) {
        if (kind == SIZE_MINIMIZED) {
            hiddenByMinimize = true;
            shown = false;
            ShowWindow(handle, SW_HIDE);
        } else if ((kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED) && hiddenByMinimize) {
            hiddenByMinimize = false;
            shown = true;
        }
    }
    if (kind == SIZE_MINIMIZED)
        shown = false;
    else if (kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED)
        shown = true;
}

void DWindow::closeProtocol()
{
    if (modalChild)
        return;
    if (modalOwner && isLive(modalOwner) && modalOwner->isSuspendedModal(this))
        return;
    HWND window = handle;
    if (!canClose() || !attached(window, this))
        return;
    onClose();
    if (!attached(window, this))
        return;  // the handler already took the window apart
    bool endsModalLoop = modalMark;
    destroyNativeWindows();
    if (endsModalLoop) {
        PostQuitMessage(0);
        if (modalRun)
            modalRun->quitPosted = true;  // a later delete must not end the loop twice
    }
}

void DWindow::deliverCharacter(int character)
{
    HWND window = handle;
    sendToInterior(eventChar, character);
    if (attached(window, this))
        onChar(character);
}

void DWindow::keyProtocol(UINT message, WPARAM wParam, LPARAM lParam)
{
    int virtualKey = static_cast<int>(wParam);
    if (message == WM_SYSKEYDOWN && virtualKey == VK_MENU)
        showAccessKeys();  // Alt pressed: the access keys show from now on
    if (isModifierKey(virtualKey))
        return;
    int key = normalizedKey(virtualKey);
    int mods = currentKeyModifiers();
    HWND window = handle;

    if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) {
        if (!systemKeyReachesViews(key, mods))
            return;
        bool down = message == WM_SYSKEYDOWN;
        if (down && mods == modAlt && runAccessKey(key))
            return;
        sendToInterior(down ? eventKeyDown : eventKeyUp, key, mods);
        if (!attached(window, this))
            return;
        if (down)
            onKeyDown(key, mods);
        else
            onKeyUp(key, mods);
        // Alt+F4 closes the window as its close box would (the system's own handling never
        // sees these keys).
        if (down && key == VK_F4 && attached(window, this))
            PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    }

    if (keyTarget && !isLive(keyTarget))
        keyTarget = nullptr;
    if (message == WM_KEYUP) {
        if (keyTarget) {
            keyTarget->onKeyUp(key, mods);
            return;
        }
        sendToInterior(eventKeyUp, key, mods);
        if (attached(window, this))
            onKeyUp(key, mods);
        return;
    }

    if (keyTarget) {
        keyTarget->onKeyDown(key, mods);
        return;
    }
    sendToInterior(eventKeyDown, key, mods);
    if (!attached(window, this))
        return;
    onKeyDown(key, mods);
    if (!attached(window, this) || keyTypesNoCharacter(key, mods))
        return;

    BYTE state[256];
    if (!GetKeyboardState(state))
        return;
    if (translatesFromKeyValue(key)) {
        WORD out = 0;
        if (ToAscii(static_cast<UINT>(key), 0, state, &out, 0) == 1)
            deliverCharacter(out & 0xFF);
        return;
    }
    UINT scanCode = (static_cast<UINT>(lParam) >> 16) & 0xFF;
    UINT mapped = MapVirtualKeyA(scanCode, 1);
    WORD out[2] = {0, 0};
    int count = ToAscii(mapped, scanCode, state, out, 0);
    if (count <= 0)
        return;
    // ToAscii packs up to two characters into the buffer, one byte each.
    unsigned char characters[2] = {static_cast<unsigned char>(out[0] & 0xFF),
                                   static_cast<unsigned char>(out[0] >> 8)};
    for (int i = 0; i < count && i < 2; i++) {
        deliverCharacter(characters[i]);
        if (!attached(window, this))
            return;
    }
}

void DWindow::wheel(WPARAM wParam, LPARAM lParam, int mods)
{
    int delta = static_cast<short>(HIWORD(wParam));
    if (delta == 0)
        return;
    DWindow* receiver = (keyTarget && isLive(keyTarget)) ? keyTarget : this;
    if (!receiver->handle)
        return;
    // Wheel positions are screen coordinates; the interior sits at the client origin.
    int x = static_cast<short>(LOWORD(lParam));
    int y = static_cast<short>(HIWORD(lParam));
    screenToClient(receiver->handle, x, y);
    x = receiver->scale.toUnits(x);
    y = receiver->scale.toUnits(y);
    HWND window = receiver->handle;
    bool forward = delta > 0;
    if (receiver->sendToInterior(forward ? eventWheelForward : eventWheelBackward, x, y, mods))
        return;
    if (!attached(window, receiver))
        return;
    if (forward)
        receiver->onWheelForward(x, y, mods);
    else
        receiver->onWheelBackward(x, y, mods);
}

void DWindow::mouseProtocol(UINT message, WPARAM wParam, LPARAM lParam)
{
    int mods = currentMouseModifiers();
    HWND window = handle;
    // Client pixels become units: the unit whose device pixels hold the point.
    int x = scale.toUnits(LOWORD(lParam));
    int y = scale.toUnits(HIWORD(lParam));
    switch (message) {
    case WM_MOUSEMOVE:
        clicks.reset();
        if (!sendToInterior(eventMouseMove, x, y, mods) && attached(window, this))
            onMouseMove(x, y, mods);
        if (!attached(window, this))
            return;
        if (!mouseInside) {
            mouseInside = true;
            TRACKMOUSEEVENT track = {};
            track.cbSize = sizeof track;
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = window;
            track.dwHoverTime = 0;
            TrackMouseEvent(&track);
            onMouseEnter();
            if (!attached(window, this))
                return;
        }
        if (interior && !interior->isEnabled())
            setCursor(window, cursorWait);
        return;
    case WM_LBUTTONDOWN:
        if (!sendToInterior(eventLeftDown, x, y, mods) && attached(window, this))
            onMouseDown(x, y, mods);
        return;
    case WM_LBUTTONUP: {
        if (!sendToInterior(eventLeftUp, x, y, mods) && attached(window, this))
            onMouseUp(x, y, mods);
        if (!attached(window, this))
            return;
        if (clicks.release(currentTick())) {
            if (!sendToInterior(eventDoubleClick, x, y, mods) && attached(window, this))
                onDoubleClick(x, y, mods);
        }
        return;
    }
    case WM_RBUTTONDOWN:
        if (!sendToInterior(eventRightDown, x, y, mods) && attached(window, this))
            onRightMouseDown(x, y, mods);
        return;
    case WM_RBUTTONUP:
        if (!sendToInterior(eventRightUp, x, y, mods) && attached(window, this))
            onRightMouseUp(x, y, mods);
        return;
    case WM_MOUSEWHEEL:
        wheel(wParam, lParam, mods);
        return;
    case WM_MOUSELEAVE:
        clicks.reset();
        onMouseLeave();
        if (!attached(window, this))
            return;
        mouseInside = false;
        if (interior)
            interior->clearHot();
        return;
    default:
        return;
    }
}

LRESULT CALLBACK DWindow::taskbarProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND target = reinterpret_cast<HWND>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!target || !IsWindow(target))
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            SetForegroundWindow(target);
            SetActiveWindow(target);
        }
        return 0;
    case WM_QUERYOPEN:
        OpenIcon(target);
        SetForegroundWindow(target);
        SetActiveWindow(target);
        return 0;
    case WM_CLOSE:
        SendMessageA(target, WM_CLOSE, 0, 0);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        SendMessageA(target, message, wParam, lParam);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
