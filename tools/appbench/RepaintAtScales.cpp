#include "tools/appbench/RepaintAtScales.h"

#include "windows/DMainWindow.h"

#include <windows.h>

#include <cstdio>

namespace {

double cpuMilliseconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return static_cast<double>(k.QuadPart + u.QuadPart) / 10000.0;
}

void settle()
{
    MSG msg;
    for (int pass = 0; pass < 3; ++pass)
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
}

struct Repaint {
    double wall = 0;
    double cpu = 0;
};

// Invalidated and painted at once, `redraws` times; the figures per repaint.
Repaint timeRepaints(HWND window, int redraws)
{
    settle();
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    const double cpuBefore = cpuMilliseconds();
    QueryPerformanceCounter(&start);
    for (int i = 0; i < redraws; i++)
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    QueryPerformanceCounter(&end);
    Repaint r;
    r.wall = static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
             static_cast<double>(frequency.QuadPart) / redraws;
    r.cpu = (cpuMilliseconds() - cpuBefore) / redraws;
    return r;
}

// What Windows sends a window moved to a monitor of `dpi`: the new dpi and the rectangle
// it suggests, here at the window's own corner.
void moveToDpi(HWND window, int dpi)
{
    RECT outer;
    GetWindowRect(window, &outer);
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&outer));
}

}  // namespace

void printRepaintAtScales(DMainWindow* window, int redraws)
{
    HWND handle = window->getHandle();
    const int dpi = window->getScale().dpi();
    window->moveTo(0, 0);
    window->show(true);
    const Repaint base = timeRepaints(handle, redraws);
    moveToDpi(handle, 2 * dpi);
    RECT client;
    GetClientRect(handle, &client);
    const Repaint twice = timeRepaints(handle, redraws);
    moveToDpi(handle, dpi);
    settle();
    window->show(false);
    std::printf("main window repaint at %d dpi: %.1f ms each (%.1f ms CPU)\n", dpi, base.wall,
                base.cpu);
    std::printf("main window repaint at %d dpi (%ld x %ld pixels): %.1f ms each (%.1f ms CPU), "
                "%.2f times the first, %d repaints each\n",
                2 * dpi, client.right, client.bottom, twice.wall, twice.cpu,
                base.wall > 0 ? twice.wall / base.wall : 0.0, redraws);
    std::fflush(stdout);
}
