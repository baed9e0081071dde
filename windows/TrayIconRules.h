// The notification-area rules that need no platform calls: which window message carries
// a tray icon's notifications, which of the system's mouse messages become which tray
// event, and how much of a tooltip the system's record can hold.
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
};

// The event for a mouse message carried in a callback's lParam (0x200 moved, 0x201 left
// pressed, 0x202 left released, 0x204 right pressed, 0x205 right released); any other
// message (double clicks, the middle button) gives trayNoEvent.
DTrayEvent trayEventFor(unsigned mouseMessage);

// The tooltip buffer holds 63 characters and a terminating zero.
const int trayTipLimit = 63;
// The part of `text` the tooltip buffer receives: at most trayTipLimit bytes.
DString trayTipText(const DString& text);
