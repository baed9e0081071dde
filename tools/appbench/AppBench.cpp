// appbench: figures for Pellaro as a whole, run under Wine (a measurement, not a test):
//   - time from process start to the end of start-up (the state tray icon is added during
//     it, the first check has been started at its end);
//   - private memory after start-up, and after 100 checks of 20 mailboxes against a local
//     POP3 server (every mailbox holds five messages);
//   - the time to repaint the main window with its mailbox list, also at the display's own
//     scale and at twice its dpi (RepaintAtScales.h);
//   - CPU time used while idle for a while (nothing but the check interval may tick).
// Usage: appbench [port] [idle seconds] [checks]
//        (defaults: a free port (also for 0), 60 s, 100 checks)
// Progress and figures go to the standard output line by line.
#include <winsock2.h>
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "mail/CheckState.h"
#include "mail/SettingsFile.h"
#include "tools/appbench/RepaintAtScales.h"
#include "tools/pop3bench/SlowPop3Server.h"
#include "windows/DMainWindow.h"
#include "windows/Startup.h"

namespace {

double milliseconds(const FILETIME& later, const FILETIME& earlier)
{
    ULARGE_INTEGER a, b;
    a.LowPart = later.dwLowDateTime;
    a.HighPart = later.dwHighDateTime;
    b.LowPart = earlier.dwLowDateTime;
    b.HighPart = earlier.dwHighDateTime;
    return static_cast<double>(a.QuadPart - b.QuadPart) / 10000.0;
}

double cpuMilliseconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    FILETIME zero{0, 0};
    return milliseconds(kernel, zero) + milliseconds(user, zero);
}

// Private bytes, as the system counts them for the process (Wine reports them as the
// page-file usage), and the working set.
void printMemory(const char* when)
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(),
                         reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    SIZE_T privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    std::printf("memory %s: private %.1f MB, working set %.1f MB\n", when,
                static_cast<double>(privateBytes) / 1048576.0,
                static_cast<double>(counters.WorkingSetSize) / 1048576.0);
    std::fflush(stdout);
}

// A port on 127.0.0.1 that nothing listens on now.
int freePort()
{
    SOCKET probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = inet_addr("127.0.0.1");
    int length = sizeof address;
    int port = 0;
    if (bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    closesocket(probe);
    return port;
}

// Handles messages until `done` or `limit` ms have passed. It sleeps until a message comes
// or the time is up, so it adds no wake-ups of its own to the idle figure.
template <class Done> bool pumpUntil(Done done, DWORD limit)
{
    DWORD begin = GetTickCount();
    while (!done()) {
        DWORD spent = GetTickCount() - begin;
        if (spent >= limit)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, limit - spent, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    WSADATA winsock;
    WSAStartup(MAKEWORD(2, 2), &winsock);
    int port = argc > 1 ? std::atoi(argv[1]) : 0;
    if (port == 0)
        port = freePort();
    int idleSeconds = argc > 2 ? std::atoi(argv[2]) : 60;
    int checks = argc > 3 ? std::atoi(argv[3]) : 100;
    if (checks < 1)
        checks = 1;
    const int mailboxCount = 20;

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    DString folder = DString(temp) + "pellaro-appbench";
    CreateDirectoryA(folder.text(), nullptr);
    DSettingsRecord settings;
    settings.notify = false;
    settings.notifyAtStartup = false;
    settings.intervalIndex = 3;
    for (int i = 0; i < mailboxCount; i++) {
        DMailboxRecord record;
        record.userName = DString("user") + DString(i);
        record.server = "127.0.0.1";
        record.password = "secret";
        settings.mailboxes.push_back(record);
    }
    if (!saveSettingsFile(folder, settings)) {
        std::printf("cannot write the settings file in %s\n", folder.text());
        return 1;
    }
    SlowPop3Server server(port, 0);
    if (!server.ok()) {
        std::printf("cannot listen on port %d\n", port);
        return 1;
    }
    std::thread serving([&] { server.serve(mailboxCount * checks, 600000); });

    DStartupOptions options = startupOptionsIn(folder, port);
    DPellaroStartup startup;
    bool started = startup.start(options);
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    if (!started) {
        std::printf("start-up failed\n");
        return 1;
    }
    std::printf("process start to end of start-up (tray icon added): %.0f ms\n",
                milliseconds(now, created));
    std::fflush(stdout);
    printMemory("after start-up");

    DMainWindow* window = startup.mainWindow();
    DWORD begin = GetTickCount();
    double cpuBefore = cpuMilliseconds();
    bool allEnded = pumpUntil([] { return !checkInProgress; }, 60000);
    for (int i = 1; i < checks && allEnded; i++) {
        window->checkNow();
        allEnded = pumpUntil([] { return !checkInProgress; }, 60000);
        if (i % 10 == 0) {
            std::printf("  %d checks done\n", i);
            std::fflush(stdout);
        }
    }
    std::printf("%d checks of %d mailboxes: %s, %lu ms wall, %.0f ms CPU\n", checks,
                mailboxCount, allEnded ? "all ended" : "one did not end",
                GetTickCount() - begin, cpuMilliseconds() - cpuBefore);
    printMemory("after them");

    // Repainting the main window with its list of 20 mailboxes: the window is shown, painted
    // once, then invalidated and painted at once `redraws` times.
    const int redraws = 20;
    HWND mainHandle = window->getHandle();
    window->show(true);
    pumpUntil([] { return false; }, 500);
    LARGE_INTEGER frequency, paintStart, paintEnd;
    QueryPerformanceFrequency(&frequency);
    double paintCpuBefore = cpuMilliseconds();
    QueryPerformanceCounter(&paintStart);
    for (int i = 0; i < redraws; i++)
        RedrawWindow(mainHandle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    QueryPerformanceCounter(&paintEnd);
    std::printf("main window redraw: %.1f ms each (%.1f ms CPU), %d redraws\n",
                static_cast<double>(paintEnd.QuadPart - paintStart.QuadPart) * 1000.0 /
                    static_cast<double>(frequency.QuadPart) / redraws,
                (cpuMilliseconds() - paintCpuBefore) / redraws, redraws);
    std::fflush(stdout);
    window->show(false);
    printRepaintAtScales(window, redraws);

    double idleBefore = cpuMilliseconds();
    pumpUntil([] { return false; }, static_cast<DWORD>(idleSeconds) * 1000);
    std::printf("CPU while idle for %d s: %.0f ms\n", idleSeconds, cpuMilliseconds() - idleBefore);
    std::fflush(stdout);

    startup.finish();
    serving.join();
    SetFileAttributesA((folder + "\\.Pellaro.ini").text(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((folder + "\\.Pellaro.ini").text());
    RemoveDirectoryA(folder.text());
    WSACleanup();
    return 0;
}
