// DTimer: a periodic tick delivered to a window, a view, or a plain native window. While the
// timer is enabled a DTimerThread of its own waits `interval` milliseconds, then sends the
// registered message "DVTimerTick" (wParam: this DTimer, lParam: 0) synchronously to the
// owner's native window, so every tick is handled on the thread that owns that window (the
// user-interface thread), one at a time: the next wait starts only when the previous tick has
// been handled. The timer owns its thread; it holds its owner and owner handle without
// owning them. A timer is enabled, disabled and destroyed on one thread (the owner's).
//
// Disabling returns at once, also for a 15-minute interval, and also from inside the timer's
// own tick handler (where the timer thread is still waiting for the handler to return): the
// thread is let go and ends by itself without touching the timer again. Only a tick that is
// on its way to the disabling thread itself is taken in (and refused) first. Once disabled, a
// timer delivers no further tick; a tick that was already on its way is refused by
// acceptTick(), which the window procedure consults for every "DVTimerTick" message.
#pragma once

#include <cstdint>

#include "foundation/DObject.h"

class DWindow;
class DView;
class DTimerThread;

// Where ticks go for DWindow and DView owners: the window framework installs these. Each
// returns the native window handle (HWND) to send to, or null when the owner is gone.
using DTimerWindowHandleFn = void* (*)(DWindow* owner);  // native handle of the owner window
using DTimerViewHandleFn = void* (*)(DView* owner);      // native handle of the view's window
void setTimerRouting(DTimerWindowHandleFn forWindow, DTimerViewHandleFn forView);

// The registered message number of "DVTimerTick".
unsigned timerTickMessage();

class DTimer : public DObject {
public:
    explicit DTimer(DWindow* owner);
    explicit DTimer(DView* owner);
    // A timer for a plain native window (an HWND).
    explicit DTimer(void* ownerHandle);
    // Disables an enabled timer first.
    ~DTimer() override;
    DTimer(const DTimer&) = delete;
    DTimer& operator=(const DTimer&) = delete;

    DWindow* getOwnerWindow() const { return ownerWindow; }
    DView* getOwnerView() const { return ownerView; }
    void* getOwnerHandle() const { return ownerHandle; }

    int getInterval() const { return interval; }
    // Milliseconds between ticks (values below 1 count as 1). On an enabled timer the
    // next tick comes one full new interval later; a disabled timer stays disabled.
    void setInterval(int milliseconds);
    void setEnabled(bool enable);
    bool isEnabled() const;

    // Sends one tick now, synchronously, when the timer is enabled.
    void tick();

    // The receiving end of a tick, for window procedures: given the wParam of a
    // "DVTimerTick" message, the timer whose handler should run, or null when the tick must
    // be dropped because the timer has been disabled or destroyed since it was sent. Call it
    // on the owner's thread, right before handing the tick on.
    static DTimer* acceptTick(std::uintptr_t wParam);

private:
    friend class DTimerThread;
    void* tickTarget() const;
    // Leaves a stopped timer thread to end and destroy itself; one that has ended already
    // is destroyed here.
    static void letGo(DTimerThread* thread);

    int interval = 1000;
    bool enabled = false;                // guarded by the timers' lock (read by acceptTick)
    DWindow* ownerWindow = nullptr;      // not owned
    DView* ownerView = nullptr;          // not owned
    void* ownerHandle = nullptr;         // not owned (a native window handle)
    DTimerThread* timerThread = nullptr; // owned; exists exactly while enabled
};
