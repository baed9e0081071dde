#include "system/DMutex.h"

#include <windows.h>

DMutex::DMutex() : handle(CreateMutexA(nullptr, FALSE, nullptr)), failed(handle == nullptr)
{
}

DMutex::~DMutex()
{
    if (handle)
        CloseHandle(handle);
}

unsigned long DMutex::lock()
{
    DWORD result = handle ? WaitForSingleObject(handle, INFINITE) : WAIT_FAILED;
    failed = result != WAIT_OBJECT_0;
    return result;
}

bool DMutex::unlock()
{
    bool released = handle && ReleaseMutex(handle) != 0;
    failed = !released;
    return released;
}
