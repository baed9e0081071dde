// DMutex: an unnamed, re-entrant system mutex. The thread that holds it may lock it again;
// every lock() needs its unlock(). The one instance the program uses is the drawing lock
// (DrawingLock.h), held around every dispatched window message and every canvas operation.
#pragma once

#include <atomic>

#include "foundation/DObject.h"

class DMutex : public DObject {
public:
    DMutex();
    ~DMutex() override;
    DMutex(const DMutex&) = delete;
    DMutex& operator=(const DMutex&) = delete;

    // Waits without a time limit; returns the system's wait result (0 when acquired).
    unsigned long lock();
    bool unlock();
    // Outcome of the last operation (or, after construction, whether creation failed).
    // Every thread that locks writes it, so it is atomic: a reader sees some thread's
    // latest outcome, never a torn or stale-forever value.
    bool isFailed() const { return failed.load(); }

private:
    void* handle;  // owned system mutex handle, or null when creation failed
    std::atomic<bool> failed;
};
