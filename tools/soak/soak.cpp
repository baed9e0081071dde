// soak: many check cycles of twenty mailboxes in one process - a Dovecot and servers that
// are slow, silent, drop the connection or send over-long lines, and a port where nothing
// listens - printing the process's GDI and USER objects, handles, threads and private
// memory after cycle 10, 100 and 1000 (and the last), with the checks' outcomes.
//   soak <Dovecot port> [cycles] [app]     default 1000 cycles
// With "app" the cycles are Pellaro's own: start-up in this process and the main window's
// check cycle (needs a display); without it, the working threads and the thread manager
// alone. tools/soak.sh starts the Dovecot and runs both under Wine.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include <memory>
#include <string>

#include "tools/soak/AppSoak.h"
#include "tools/soak/FaultPop3Server.h"
#include "tools/soak/SoakCycle.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: soak <Dovecot port> [cycles] [app]\n");
        return 2;
    }
    int port = std::atoi(argv[1]);
    int cycles = argc > 2 ? std::atoi(argv[2]) : 1000;
    FaultPop3Server faults(50);
    if (!faults.ok()) {
        std::printf("the fault servers did not start\n");
        return 1;
    }
    bool app = argc > 3 && std::string(argv[3]) == "app";
    std::unique_ptr<SoakCycle> threadsOnly;
    std::unique_ptr<AppSoak> pellaro;
    if (app) {
        char temp[MAX_PATH + 1] = {0};
        GetTempPathA(MAX_PATH, temp);
        DString folder = DString(temp) + "pellaro-soak-" + DString(static_cast<int>(GetCurrentProcessId()));
        CreateDirectoryA(folder.text(), nullptr);
        pellaro.reset(new AppSoak(port, faults, folder));
        if (!pellaro->start()) {
            std::printf("Pellaro's start-up or its first check failed\n");
            return 1;
        }
    } else {
        threadsOnly.reset(new SoakCycle(port, faults));
    }
    std::printf("%s\nbefore    %s\n",
                app ? "check cycles of Pellaro's main window" : "check cycles of working threads",
                describe(measureResources()).c_str());
    std::fflush(stdout);
    long long checks = 0, ok = 0, unexpected = 0, notEnded = 0;
    ULONGLONG cycleMs = 0;  // the cycles' own time, without the measuring
    for (int n = 1; n <= cycles; ++n) {
        ULONGLONG begin = GetTickCount64();
        CycleOutcome outcome = app ? pellaro->run() : threadsOnly->run();
        cycleMs += GetTickCount64() - begin;
        checks += outcome.checks;
        ok += outcome.ok;
        unexpected += outcome.unexpected;
        notEnded += outcome.ended && outcome.serverIdle ? 0 : 1;
        if (outcome.unexpected > 0 && unexpected == outcome.unexpected)
            std::printf("cycle %d: first unexpected outcome: %s\n", n, outcome.firstUnexpected.c_str());
        if (n == 10 || n % 100 == 0 || n == cycles) {
            std::printf("cycle %-4d %s   checks %lld, counted %lld, unexpected %lld, cycles not "
                        "ended %lld, %.0f ms per cycle\n",
                        n, describe(measureResources()).c_str(), checks, ok, unexpected, notEnded,
                        static_cast<double>(cycleMs) / n);
            std::fflush(stdout);
        }
    }
    return unexpected == 0 && notEnded == 0 ? 0 : 1;
}
