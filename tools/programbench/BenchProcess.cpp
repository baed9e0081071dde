#include "BenchProcess.h"

#include <tlhelp32.h>

#include "ProcessFigures.h"
#include "tests/windows/e2e/ProgramUnderTest.h"

namespace {

struct WindowSearch {
    DWORD pid;
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->pid)
        return TRUE;
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, search->className) != 0)
        return TRUE;
    if (search->title) {
        char text[256] = {};
        GetWindowTextA(window, text, sizeof text);
        if (lstrcmpA(text, search->title) != 0)
            return TRUE;
    }
    search->found = window;
    return FALSE;
}

}  // namespace

BenchProcess::~BenchProcess()
{
    if (info.hProcess) {
        if (running()) {
            TerminateProcess(info.hProcess, 1);
            WaitForSingleObject(info.hProcess, 10000);
        }
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
}

bool BenchProcess::start(const std::string& program, const std::string& arguments,
                         const std::string& folder)
{
    programPath = program;
    std::string command = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startTime = nowMilliseconds();
    if (!CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        info = PROCESS_INFORMATION{};
        return false;
    }
    return true;
}

bool BenchProcess::running() const
{
    return info.hProcess && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT;
}

HWND BenchProcess::window(const char* className, const char* title) const
{
    WindowSearch search{info.dwProcessId, className, title, nullptr};
    if (search.pid)
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

double BenchProcess::cpuMilliseconds()
{
    if (unixPid == 0)
        unixPid = unixProcessOf(programPath);
    return unixCpuMilliseconds(unixPid);
}

double BenchProcess::privateMegabytes() const
{
    return ::privateMegabytes(info.hProcess);
}

int BenchProcess::threadCount() const
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int threads = 0;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (entry.th32ProcessID == info.dwProcessId)
            threads = static_cast<int>(entry.cntThreads);
    CloseHandle(snapshot);
    return threads;
}

bool BenchProcess::close(HWND mainWindow, int boundMs)
{
    if (!running())
        return true;
    if (mainWindow)
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    if (waitUntil([this] { return !running(); }, boundMs))
        return true;
    TerminateProcess(info.hProcess, 1);
    WaitForSingleObject(info.hProcess, 10000);
    return false;
}

bool waitUntilQuiet(BenchProcess& process, int quietMs, int boundMs)
{
    // Read every 100 ms: each look is a few calls into Wine of the benchmark's own.
    double last = process.cpuMilliseconds();
    double since = nowMilliseconds();
    double looked = since;
    return waitUntil([&] {
        double now = nowMilliseconds();
        if (now - looked < 100)
            return false;
        looked = now;
        double cpu = process.cpuMilliseconds();
        if (cpu != last) {
            last = cpu;
            since = now;
        }
        return now - since >= quietMs;
    }, boundMs);
}
