#include "system/DThread.h"

#include <windows.h>

DStopEvent::DStopEvent() : handle(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

DStopEvent::~DStopEvent()
{
    if (handle)
        CloseHandle(handle);
}

void DStopEvent::set()
{
    if (handle)
        SetEvent(handle);
}

bool DStopEvent::isSet() const
{
    return handle != nullptr && WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
}

DThread::DThread() = default;

DThread::~DThread()
{
    if (handle)
        CloseHandle(handle);
}

struct DThreadStarter {
    static DWORD WINAPI entry(LPVOID self)
    {
        // The thread knows itself before run() begins, so a run() that stops its own thread
        // does not depend on start() having stored the id yet.
        DThread* thread = static_cast<DThread*>(self);
        thread->threadId.store(GetCurrentThreadId());
        // Nothing may touch the object after run(): its owner may destroy it from then on,
        // and a timer thread that was let go destroys itself at the end of its run().
        thread->run();
        return 0;
    }
};

bool DThread::start()
{
    if (startAttempted)
        return false;
    startAttempted = true;
    DWORD id = 0;
    HANDLE made = CreateThread(nullptr, 0, &DThreadStarter::entry, this, 0, &id);
    if (!made)
        return false;
    handle = made;
    threadId.store(id);
    return true;
}

bool DThread::isRunning() const
{
    if (!handle)
        return false;
    // The handle is signalled once the thread has ended; a failed query counts as ended, so
    // no caller waits for ever on a thread that cannot be asked.
    return WaitForSingleObject(handle, 0) == WAIT_TIMEOUT;
}

void DThread::requestStop()
{
    // The flag first: whoever the event wakes finds the flag raised.
    stopRequested.store(true);
    stopSignal.set();
}

bool DThread::isStopRequested() const
{
    return stopRequested.load();
}

const std::atomic<bool>& DThread::stopFlag() const
{
    return stopRequested;
}

void DThread::terminate()
{
    requestStop();
    // A thread that stops itself cannot wait for its own end. It is asked first: the handle
    // is stored by start() on the owner's thread, possibly only after run() has begun.
    if (GetCurrentThreadId() == threadId.load())
        return;
    if (!handle)
        return;
    while (WaitForSingleObject(handle, 1000) == WAIT_TIMEOUT) {
    }
}

bool DThread::waitForEnd(unsigned long milliseconds) const
{
    if (!handle)
        return true;
    // A failed wait counts as ended, as in isRunning.
    return WaitForSingleObject(handle, milliseconds) != WAIT_TIMEOUT;
}

void DThread::run()
{
}
