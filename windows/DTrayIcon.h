// DTrayIcon: one icon in the notification area of the task bar, with its picture and
// tooltip, and the system's mouse notifications for it turned into events for an owner
// window: onEvent(this tray icon, code, x, y, keys) with code 3 moved, 4/5 left button
// pressed/released, 6/7 right button pressed/released, x and y the cursor's screen
// position in units of the display scale, keys the modifier flags (1 Shift, 16 Ctrl,
// 256 Alt). Icons also take the keyboard (the notification area's fourth way of calling
// back, TrayIconRules.h): code 8 for Enter or Space on the icon, 9 for its menu key or
// Shift+F10, with x and y the icon's place on the screen in units of the display scale.
//
// Each tray icon has a hidden message window (DTrayIconWindow) that receives its callback
// message; the window tells the icons apart, so every icon is called back with the same
// number (0x8000), and making icons for months never walks into other messages' numbers. When Explorer restarts, every icon vanishes from the notification area; the
// message window hears the system's "TaskbarCreated" broadcast and calls restore, which
// adds the icon again with its current picture and tooltip. Nothing else has to act.
//
// Owns the message window and the system icon; the DIcon and the owner are not owned.
#pragma once

#include "foundation/DObject.h"
#include "foundation/DString.h"

#include <windows.h>

#include <shellapi.h>

class DIcon;
class DTrayIconWindow;
class DWindow;

class DTrayIcon : public DObject {
public:
    // Adds the icon to the notification area, with no tooltip yet. `owner` may be null:
    // events are then dropped.
    DTrayIcon(DWindow* owner, DIcon* icon);
    // Removes the icon from the notification area.
    ~DTrayIcon() override;
    DTrayIcon(const DTrayIcon&) = delete;
    DTrayIcon& operator=(const DTrayIcon&) = delete;

    virtual void mouseMove(int x, int y, int keys);
    virtual void leftButtonUp(int x, int y, int keys);
    virtual void leftButtonDown(int x, int y, int keys);
    virtual void rightButtonUp(int x, int y, int keys);
    virtual void rightButtonDown(int x, int y, int keys);
    virtual void keySelect(int x, int y, int keys);
    virtual void contextMenuKey(int x, int y, int keys);

    // Shows `icon` (also when it is the one shown: the system icon is made anew).
    void setIcon(DIcon* icon);
    // The tooltip; the notification area shows at most its first 63 characters.
    void setTip(const DString& text);
    // Adds the icon again with its current picture and tooltip, after the notification
    // area was rebuilt; true when the system took it. Calling it while the icon is still
    // there only brings the icon up to date, so a second call does no harm.
    bool restore();

    DIcon* getIcon() const { return icon; }
    DWindow* getOwner() const { return owner; }
    void setOwner(DWindow* window) { owner = window; }
    DString getTip() const { return tip; }
    unsigned getCallbackMessage() const { return notifyData.uCallbackMessage; }
    DTrayIconWindow* getWindow() const { return window; }
    HICON getIconHandle() const { return iconHandle; }
    // The record last handed to the system.
    const NOTIFYICONDATAA& getNotifyData() const { return notifyData; }
    // Whether the system's last add, modify or restore request succeeded.
    bool lastRequestSucceeded() const { return lastResult; }
    // Whether the notification area took the fourth way of calling back, and with it
    // the keyboard, when the icon was last added.
    bool takesKeyboard() const { return keyboard; }

    // The size the record is handed over with: the first version of the shell's record
    // (size, window, identifier, flags, callback message, icon, 64-byte tooltip), 88 bytes
    // in a 32-bit program and 104 in a 64-bit one, where the handles are 8 bytes wide.
    static const DWORD recordSize = NOTIFYICONDATAA_V1_SIZE;

private:
    void notifyOwner(int code, int x, int y, int keys);
    // Asks the notification area to call back the fourth way (NIM_SETVERSION), which it
    // forgets whenever the icon is added again. The request needs the record's longer form.
    void askForKeyboard();

    DIcon* icon;                     // not owned
    DWindow* owner;                  // not owned
    DString tip;
    DTrayIconWindow* window;         // owned
    NOTIFYICONDATAA notifyData;
    HICON iconHandle = nullptr;      // owned
    bool lastResult = false;
    bool keyboard = false;
};
