// The notification-area rules that need no platform calls: which window message carries
// a tray icon's notifications, which of the system's mouse and keyboard notifications
// become which tray event, and how much of a tooltip the system's record can hold.
//
// Icons ask for the notification area's fourth way of calling back, in which the keyboard
// reaches them too (Win+B, then the arrows): Enter or Space on an icon comes as NIN_KEYSELECT
// and its menu key or Shift+F10 as WM_CONTEXTMENU, the message always in the low word of the
// callback's lParam and the icon's place in its wParam. The mouse's messages stay as they
// were; the shell adds NIN_SELECT after a left release and WM_CONTEXTMENU after a right
// release, which repeat the mouse's own and are passed over.
#pragma once

#include "foundation/DString.h"

// The message the system calls every tray icon back with. Each icon has a hidden window of
// its own, so the window tells the icons apart and one number serves them all, however many
// icons a long run makes: the first application-defined number, far below the registered
// messages (0xC000 and up) that the framework uses for its own purposes.
const unsigned trayCallbackMessage = 0x8000;

// Tray icon events, as handed to the owner window's onEvent.
enum DTrayEvent : int {
    trayNoEvent = 0,
    trayMouseMove = 3,
    trayLeftDown = 4,
    trayLeftUp = 5,
    trayRightDown = 6,
    trayRightUp = 7,
    trayKeySelect = 8,    // Enter or Space on the icon
    trayContextMenu = 9,  // the menu key or Shift+F10 on the icon
};

// The notification area's fourth way of calling back, and its keyboard notifications.
const unsigned trayVersion4 = 4;
const unsigned traySelectMessage = 0x400;     // NIN_SELECT
const unsigned trayKeySelectMessage = 0x401;  // NIN_KEYSELECT
const unsigned trayContextMenuMessage = 0x7B; // WM_CONTEXTMENU

// Turns the notifications of one icon into its events in the order they come: the mouse's
// as trayEventFor, Enter or Space as trayKeySelect, and a context menu asked for with the
// keyboard as trayContextMenu; NIN_SELECT and the WM_CONTEXTMENU that follows a right
// release (the mouse's, already told as trayRightUp) give trayNoEvent.
class DTrayEventFilter {
public:
    DTrayEvent take(unsigned message);

private:
    bool afterRightRelease = false;
};

// The event for a mouse message carried in a callback's lParam (0x200 moved, 0x201 left
// pressed, 0x202 left released, 0x204 right pressed, 0x205 right released); any other
// message (double clicks, the middle button) gives trayNoEvent.
DTrayEvent trayEventFor(unsigned mouseMessage);

// The tooltip buffer holds 63 characters and a terminating zero.
const int trayTipLimit = 63;
// The part of `text` the tooltip buffer receives: at most trayTipLimit bytes.
DString trayTipText(const DString& text);
