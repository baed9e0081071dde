// DTimerThread: the thread of one enabled DTimer. It waits for the timer's interval on an
// event of its own (so a stop wakes it at once, whatever the interval), then sends the tick.
// Between the two it passes a gate, under the timers' lock, where a raised stop flag ends it:
// once the timer is disabled no new tick leaves. The thread uses the timer's address only as
// the tick's message parameter and never touches the timer object itself, so a timer may be
// destroyed while a thread it has let go is still finishing a tick.
// Owned by its DTimer, except once let go (`letGo`): then it destroys itself when it ends.
#pragma once

#include <mutex>

#include "system/DThread.h"

class DTimer;
class DWindow;
class DView;

// The one lock of all timers: their enabled state, their live set and the delivery state of
// their threads. Never held while a tick is sent or while waiting for a thread.
std::mutex& timersLock();
// The native window a tick of these owners goes to now (routing through the framework).
void* timerTickTarget(DWindow* window, DView* view, void* handle);

class DTimerThread : public DThread {
public:
    explicit DTimerThread(DTimer* timer);
    ~DTimerThread() override;

    // Raises the stop flag and wakes the thread from its wait (call with the timers' lock).
    void stopLocked();

protected:
    void run() override;

private:
    friend class DTimer;

    DTimer* timer;                  // not owned; used only as the tick's message parameter
    DWindow* ownerWindow;           // copies of the timer's owners, not owned
    DView* ownerView;
    void* ownerHandle;
    int interval;                   // milliseconds, fixed for the life of the thread
    void* wakeEvent;                // owned manual-reset event, set to stop the wait
    void* endedEvent;               // owned manual-reset event, set when run() is done

    // Guarded by the timers' lock.
    bool delivering = false;        // between the gate and the end of SendMessage
    bool accepted = false;          // the receiver took the tick now being delivered
    void* sendingTo = nullptr;      // native window of the tick being delivered
    bool letGo = false;             // the timer no longer owns this thread
    bool finished = false;          // run() is past its last use of the lock
};
