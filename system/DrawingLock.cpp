#include "system/DrawingLock.h"

#include <atomic>

namespace {

std::atomic<DMutex*> installed{nullptr};

DMutex& builtIn()
{
    // Made on first use and kept for the life of the process: a timer thread may still
    // be unwinding through it during exit.
    static DMutex* lock = new DMutex;
    return *lock;
}

}  // namespace

DMutex& drawingLock()
{
    DMutex* lock = installed.load();
    return lock ? *lock : builtIn();
}

void installDrawingLock(DMutex* lock)
{
    installed.store(lock);
}
