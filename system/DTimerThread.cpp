#include "system/DTimerThread.h"

#include <windows.h>

#include "system/DTimer.h"

DTimerThread::DTimerThread(DTimer* owner)
    : timer(owner),
      ownerWindow(owner->getOwnerWindow()),
      ownerView(owner->getOwnerView()),
      ownerHandle(owner->getOwnerHandle()),
      interval(owner->getInterval() < 1 ? 1 : owner->getInterval()),
      wakeEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      endedEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
}

DTimerThread::~DTimerThread()
{
    if (wakeEvent)
        CloseHandle(wakeEvent);
    if (endedEvent)
        CloseHandle(endedEvent);
}

void DTimerThread::stopLocked()
{
    requestStop();
    if (wakeEvent)
        SetEvent(wakeEvent);
}

void DTimerThread::run()
{
    for (;;) {
        if (wakeEvent)
            WaitForSingleObject(wakeEvent, static_cast<DWORD>(interval));
        else
            Sleep(static_cast<DWORD>(interval));  // no event could be made: stops take one interval
        if (isStopRequested())
            break;
        void* target = timerTickTarget(ownerWindow, ownerView, ownerHandle);
        {
            std::lock_guard<std::mutex> hold(timersLock());
            if (isStopRequested())
                break;
            delivering = true;
            accepted = false;
            sendingTo = target;
        }
        if (target)
            SendMessageA(static_cast<HWND>(target), timerTickMessage(),
                         reinterpret_cast<WPARAM>(timer), 0);
        bool stop;
        {
            std::lock_guard<std::mutex> hold(timersLock());
            delivering = false;
            accepted = false;
            sendingTo = nullptr;
            stop = isStopRequested();
        }
        if (stop)
            break;
    }
    bool selfDestroy;
    {
        std::lock_guard<std::mutex> hold(timersLock());
        finished = true;
        selfDestroy = letGo;
    }
    if (selfDestroy) {
        delete this;
        return;
    }
    // The owner may destroy this object once the event is set or the thread has ended.
    SetEvent(endedEvent);
}
