#include "system/DMutex.h"

#include <windows.h>

static_assert(sizeof(SRWLOCK) == sizeof(void*), "the slim lock is one pointer");

namespace {

PSRWLOCK slimLock(void*& storage)
{
    return reinterpret_cast<PSRWLOCK>(&storage);
}

}  // namespace

DMutex::DMutex() = default;

DMutex::~DMutex() = default;

unsigned long DMutex::lock()
{
    // Only this thread ever writes its own id, so finding it there means this thread holds
    // the lock; any other value means it does not.
    DWORD self = GetCurrentThreadId();
    if (holder.load(std::memory_order_relaxed) != self) {
        AcquireSRWLockExclusive(slimLock(slim));
        holder.store(self, std::memory_order_relaxed);
    }
    ++depth;
    failed = false;
    return WAIT_OBJECT_0;
}

bool DMutex::unlock()
{
    if (holder.load(std::memory_order_relaxed) != GetCurrentThreadId() || depth <= 0) {
        failed = true;
        return false;
    }
    if (--depth == 0) {
        holder.store(0, std::memory_order_relaxed);
        ReleaseSRWLockExclusive(slimLock(slim));
    }
    failed = false;
    return true;
}
