#include "system/DTimer.h"

#include <windows.h>

#include <atomic>
#include <set>

#include "system/DTimerThread.h"

namespace {

std::atomic<DTimerWindowHandleFn> windowRouting{nullptr};
std::atomic<DTimerViewHandleFn> viewRouting{nullptr};

// Timers alive now, so acceptTick can tell a live timer from a stale address.
std::set<const DTimer*>& liveTimers()
{
    static std::set<const DTimer*>* timers = new std::set<const DTimer*>;  // kept to process end
    return *timers;
}

// How long the owner's thread, disabling a timer whose tick is on its way to it, waits to
// take that tick in (and refuse it) before it lets the thread go.
const DWORD pendingTickLimitMs = 250;

// Waits for the thread's end while taking in the messages other threads send to this one,
// so the tick that thread is sending here can be handled (and refused). False when the
// thread has not ended within the limit.
bool waitTakingSentMessages(HANDLE ended, DWORD limitMs)
{
    DWORD startedAt = GetTickCount();
    for (;;) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        DWORD elapsed = GetTickCount() - startedAt;
        if (elapsed >= limitMs)
            return WaitForSingleObject(ended, 0) == WAIT_OBJECT_0;
        DWORD result = MsgWaitForMultipleObjectsEx(1, &ended, limitMs - elapsed, QS_SENDMESSAGE,
                                                   MWMO_INPUTAVAILABLE);
        if (result == WAIT_OBJECT_0)
            return true;
        if (result == WAIT_FAILED)
            return false;
    }
}

}  // namespace

std::mutex& timersLock()
{
    static std::mutex* lock = new std::mutex;  // kept to process end: threads may outlive statics
    return *lock;
}

void* timerTickTarget(DWindow* window, DView* view, void* handle)
{
    if (view) {
        DTimerViewHandleFn route = viewRouting.load();
        return route ? route(view) : nullptr;
    }
    if (window) {
        DTimerWindowHandleFn route = windowRouting.load();
        return route ? route(window) : nullptr;
    }
    return handle;
}

void setTimerRouting(DTimerWindowHandleFn forWindow, DTimerViewHandleFn forView)
{
    windowRouting.store(forWindow);
    viewRouting.store(forView);
}

unsigned timerTickMessage()
{
    static const UINT message = RegisterWindowMessageA("DVTimerTick");
    return message;
}

DTimer::DTimer(DWindow* owner) : ownerWindow(owner)
{
    std::lock_guard<std::mutex> hold(timersLock());
    liveTimers().insert(this);
}

DTimer::DTimer(DView* owner) : ownerView(owner)
{
    std::lock_guard<std::mutex> hold(timersLock());
    liveTimers().insert(this);
}

DTimer::DTimer(void* handle) : ownerHandle(handle)
{
    std::lock_guard<std::mutex> hold(timersLock());
    liveTimers().insert(this);
}

DTimer::~DTimer()
{
    setEnabled(false);
    std::lock_guard<std::mutex> hold(timersLock());
    liveTimers().erase(this);
}

void* DTimer::tickTarget() const
{
    return timerTickTarget(ownerWindow, ownerView, ownerHandle);
}

bool DTimer::isEnabled() const
{
    std::lock_guard<std::mutex> hold(timersLock());
    return enabled;
}

void DTimer::setInterval(int milliseconds)
{
    if (isEnabled()) {
        setEnabled(false);
        interval = milliseconds;
        setEnabled(true);
    } else {
        interval = milliseconds;
    }
}

void DTimer::setEnabled(bool enable)
{
    if (enable == isEnabled())
        return;
    if (enable) {
        DTimerThread* thread = new DTimerThread(this);
        {
            std::lock_guard<std::mutex> hold(timersLock());
            enabled = true;
            timerThread = thread;
        }
        if (!thread->start()) {
            {
                std::lock_guard<std::mutex> hold(timersLock());
                enabled = false;
                timerThread = nullptr;
            }
            delete thread;
        }
        return;
    }

    DTimerThread* thread;
    bool delivering;
    bool accepted;
    void* sendingTo;
    {
        std::lock_guard<std::mutex> hold(timersLock());
        enabled = false;
        thread = timerThread;
        timerThread = nullptr;
        if (!thread)
            return;
        thread->stopLocked();
        delivering = thread->delivering;
        accepted = thread->accepted;
        sendingTo = thread->sendingTo;
    }

    // Not past the gate: the thread is in its wait (woken now) or on its way out, and can
    // send nothing more. It is let go to end by itself, without this thread waiting for
    // it: a check disables and enables its timers several times, and each wait for a
    // thread's end was a few milliseconds of the window's time on a busy machine.
    bool onReceivingThread =
        sendingTo && GetWindowThreadProcessId(static_cast<HWND>(sendingTo), nullptr) == GetCurrentThreadId();
    if (!delivering || !onReceivingThread) {
        // A tick sent to another thread is handled (and refused) there without this one.
        letGo(thread);
        return;
    }
    // A tick is being delivered to this very thread. Either its handler is running right now
    // (the timer is disabled from inside its own tick: the thread waits for this handler and
    // cannot be waited for), or the tick is still on its way: take it in, so it is refused
    // while the timer object still exists, and wait for the thread's end.
    if (!accepted && thread->endedEvent && waitTakingSentMessages(thread->endedEvent, pendingTickLimitMs)) {
        thread->terminate();
        delete thread;
        return;
    }
    letGo(thread);
}

void DTimer::letGo(DTimerThread* thread)
{
    bool ended;
    {
        std::lock_guard<std::mutex> hold(timersLock());
        ended = thread->finished;
        if (!ended)
            thread->letGo = true;  // it destroys itself at the end of its run
    }
    if (ended) {
        thread->terminate();
        delete thread;
    }
}

void DTimer::tick()
{
    if (!isEnabled())
        return;
    void* target = tickTarget();
    if (target)
        SendMessageA(static_cast<HWND>(target), timerTickMessage(), reinterpret_cast<WPARAM>(this), 0);
}

DTimer* DTimer::acceptTick(std::uintptr_t wParam)
{
    const DTimer* candidate = reinterpret_cast<const DTimer*>(wParam);
    std::lock_guard<std::mutex> hold(timersLock());
    if (!liveTimers().count(candidate))
        return nullptr;
    DTimer* timer = const_cast<DTimer*>(candidate);
    if (!timer->enabled)
        return nullptr;
    if (timer->timerThread && timer->timerThread->delivering)
        timer->timerThread->accepted = true;
    return timer;
}
