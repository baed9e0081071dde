#include "windows/DTrayIconWindow.h"

#include "framework/InputSources.h"
#include "framework/SystemUtils.h"
#include "windows/DTrayIcon.h"
#include "windows/TrayIconRules.h"

UINT DTrayIconWindow::taskbarCreatedMessage()
{
    static UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

void DTrayIconWindow::link(DTrayIcon* icon)
{
    trayIcon = icon;
}

bool DTrayIconWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!trayIcon || window != handle)
        return false;
    if (message == taskbarCreatedMessage() && message != 0) {
        trayIcon->restore();
        return false;  // a broadcast: let default processing see it too
    }
    if (message != trayCallbackMessage)
        return false;
    DTrayEvent event = events.take(static_cast<unsigned>(lParam & 0xFFFF));
    if (event == trayNoEvent)
        return true;
    int x = 0;
    int y = 0;
    cursorPoint(x, y);
    int keys = currentMouseModifiers();
    if (event == trayKeySelect || event == trayContextMenu) {
        // The keyboard's notifications carry the icon's place on the screen, in device
        // pixels: menus open there.
        x = scale.toUnits(static_cast<short>(LOWORD(wParam)));
        y = scale.toUnits(static_cast<short>(HIWORD(wParam)));
    }
    switch (event) {
    case trayMouseMove: trayIcon->mouseMove(x, y, keys); break;
    case trayLeftDown: trayIcon->leftButtonDown(x, y, keys); break;
    case trayLeftUp: trayIcon->leftButtonUp(x, y, keys); break;
    case trayRightDown: trayIcon->rightButtonDown(x, y, keys); break;
    case trayRightUp: trayIcon->rightButtonUp(x, y, keys); break;
    case trayKeySelect: trayIcon->keySelect(x, y, keys); break;
    case trayContextMenu: trayIcon->contextMenuKey(x, y, keys); break;
    default: break;
    }
    return true;
}
