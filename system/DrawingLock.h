// The process-wide drawing lock: one DMutex held around every dispatched window message,
// around paint handling and around every canvas operation, so a thread that takes it never
// runs at the same time as a window handler. The application object creates it and
// installs it here; until then drawingLock() makes one on first use, so canvases and
// timers work in programs (tests, tools) that have no application object.
#pragma once

#include "system/DMutex.h"

// The lock in force. Never null.
DMutex& drawingLock();
// Installs the application's lock (not owned here); null goes back to the built-in one.
void installDrawingLock(DMutex* lock);

// Holds the drawing lock for the lifetime of a scope.
class DDrawingLockHolder {
public:
    DDrawingLockHolder() : mutex(drawingLock()) { mutex.lock(); }
    ~DDrawingLockHolder() { mutex.unlock(); }
    DDrawingLockHolder(const DDrawingLockHolder&) = delete;
    DDrawingLockHolder& operator=(const DDrawingLockHolder&) = delete;

private:
    DMutex& mutex;  // not owned
};
