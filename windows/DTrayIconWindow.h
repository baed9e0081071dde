// DTrayIconWindow: the hidden window that receives one tray icon's callback messages from
// the system and the "TaskbarCreated" broadcast sent when the notification area is
// rebuilt. It decodes the callback's message once (TrayIconRules.h) and calls the tray
// icon's mouse operations with the cursor's screen position (in the window's units) and the
// modifier keys, and its keyboard operations with the icon's place that the callback
// carries; double clicks, the middle button and the shell's repeats of the mouse's messages
// are swallowed. Never shown. The tray icon is not owned (it owns this).
#pragma once

#include "framework/DWindow.h"
#include "windows/TrayIconRules.h"

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
    DTrayEventFilter events;
};
