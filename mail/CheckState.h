// The process-wide flags of the check cycle and of start-up. All of them live on the
// user-interface thread: start-up sets them before the main window exists and the main
// window's check cycle, menus and mailbox commands read and change them.
#pragma once

extern bool checkInProgress;     // a check cycle is running
extern unsigned timeoutTicks;    // poll ticks counted during the running check
extern bool firstCheckPending;   // true from start-up until the new-mail notice is first rebuilt
extern bool noticeAcknowledged;  // some, not all, items of the new-mail menu were acknowledged
extern bool hungarian;           // the interface language chosen (false: English)

// Start-up's values: no check, the first notice still to come, English.
void resetCheckState();
