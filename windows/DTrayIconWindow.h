// DTrayIconWindow: the hidden window that receives one tray icon's callback messages from
// the system and the "TaskbarCreated" broadcast sent when the notification area is
// rebuilt. It decodes the callback's mouse message once and calls the tray icon's mouse
// operations with the cursor's screen position and the modifier keys; double clicks and
// the middle button are swallowed. Never shown. The tray icon is not owned (it owns this).
#pragma once

#include "framework/DWindow.h"

class DTrayIcon;

class DTrayIconWindow : public DWindow {
public:
    DTrayIconWindow() = default;

    void link(DTrayIcon* icon);
    void unlink() { trayIcon = nullptr; }
    DTrayIcon* getTrayIcon() const { return trayIcon; }

    bool handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The registered message the system broadcasts when the notification area is rebuilt.
    static UINT taskbarCreatedMessage();

private:
    DTrayIcon* trayIcon = nullptr;  // not owned
};
