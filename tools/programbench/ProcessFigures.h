// Figures of another process, read from outside it while it runs under Wine: its CPU time,
// its private memory and the CPU time of the wineserver that serves it.
//
// CPU times come from Linux's /proc (reached through Wine's drive Z:), in milliseconds:
// Wine 8 does not count another process's CPU time in GetProcessTimes (a child that spun
// for 500 ms showed 30 ms), and /proc also keeps the time of threads that have ended. A process is found
// there by the Windows path of its program, which Wine shows as the process's command line.
// Private memory is the sum of the committed pages of type MEM_PRIVATE found by walking the
// process's address space with VirtualQueryEx (Wine answers 0 for the private-usage
// counter).
#pragma once

#include <windows.h>

#include <string>

// The Linux process id of the running process whose command line starts with `program`
// (a Windows path; compared without regard to case or slash direction) and that runs in
// this process's Wine prefix; 0 when there is none.
int unixProcessOf(const std::string& program);
// The Linux process id of the wineserver of this process's Wine prefix; 0 when not found.
int wineserverProcess();
// User and system CPU time of Linux process `pid` so far, in ms; -1 when it cannot be read.
double unixCpuMilliseconds(int pid);
// Private committed bytes of `process` (opened with PROCESS_QUERY_INFORMATION).
double privateMegabytes(HANDLE process);

// A clock in milliseconds with sub-millisecond resolution.
double nowMilliseconds();
