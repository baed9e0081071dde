#include "WorkingThreadSupport.h"

#include <windows.h>

bool waitForEnd(DThread& thread, int milliseconds)
{
    DWORD start = GetTickCount();
    while (thread.isRunning()) {
        if (static_cast<int>(GetTickCount() - start) > milliseconds)
            return false;
        Sleep(10);
    }
    return true;
}
