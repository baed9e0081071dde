// BenchProcess: one program started by the whole-program benchmark and watched from
// outside: when it was started, its windows, its CPU time and private memory, and its end.
// Owns the process and thread handles.
#pragma once

#include <windows.h>

#include <string>

class BenchProcess {
public:
    BenchProcess() = default;
    ~BenchProcess();
    BenchProcess(const BenchProcess&) = delete;
    BenchProcess& operator=(const BenchProcess&) = delete;

    // Starts `program` (a Windows path) with `arguments` in `folder`; `startedAt` is the
    // nowMilliseconds value just before the process was made.
    bool start(const std::string& program, const std::string& arguments,
               const std::string& folder);
    double startedAt() const { return startTime; }
    DWORD pid() const { return info.dwProcessId; }
    HANDLE process() const { return info.hProcess; }
    bool running() const;

    // The process's top-level window of class `className` (and title `title` when given).
    HWND window(const char* className, const char* title = nullptr) const;
    // CPU time so far in ms (user and system, ended threads included); -1 when unreadable.
    double cpuMilliseconds();
    double privateMegabytes() const;
    // Threads of the process now (under Wine each holds some 2-3 MB of committed stack).
    int threadCount() const;

    // Closes `mainWindow` as the user would and waits, bounded, for the process to end;
    // a process that does not end is stopped by force. True when it ended by itself.
    bool close(HWND mainWindow, int boundMs);

private:
    PROCESS_INFORMATION info{};
    std::string programPath;
    double startTime = 0;
    int unixPid = 0;  // found on first use
};

// Waits until the CPU time of `process` has stayed the same for `quietMs`: its work has
// ended. False when that did not happen within `boundMs`.
bool waitUntilQuiet(BenchProcess& process, int quietMs, int boundMs);
