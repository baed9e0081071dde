// soak: many check cycles of twenty mailboxes in one process - a Dovecot and servers that
// are slow, silent, drop the connection or send over-long lines, and a port where nothing
// listens - printing the process's GDI and USER objects, handles, threads and private
// memory after cycle 10, 100 and 1000 (and the last), with the checks' outcomes.
//   soak <Dovecot port> [cycles]        default 1000 cycles
// tools/soak.sh starts the Dovecot and runs this under Wine.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "tools/soak/FaultPop3Server.h"
#include "tools/soak/SoakCycle.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: soak <Dovecot port> [cycles]\n");
        return 2;
    }
    int port = std::atoi(argv[1]);
    int cycles = argc > 2 ? std::atoi(argv[2]) : 1000;
    FaultPop3Server faults(50);
    if (!faults.ok()) {
        std::printf("the fault servers did not start\n");
        return 1;
    }
    SoakCycle cycle(port, faults);
    std::printf("before    %s\n", describe(measureResources()).c_str());
    std::fflush(stdout);
    long long checks = 0, ok = 0, unexpected = 0, notEnded = 0;
    ULONGLONG cycleMs = 0;  // the cycles' own time, without the measuring
    for (int n = 1; n <= cycles; ++n) {
        ULONGLONG begin = GetTickCount64();
        CycleOutcome outcome = cycle.run();
        cycleMs += GetTickCount64() - begin;
        checks += outcome.checks;
        ok += outcome.ok;
        unexpected += outcome.unexpected;
        notEnded += outcome.ended && outcome.serverIdle ? 0 : 1;
        if (outcome.unexpected > 0 && unexpected == outcome.unexpected)
            std::printf("cycle %d: first unexpected outcome: %s\n", n, outcome.firstUnexpected.c_str());
        if (n == 10 || n == 100 || n == 1000 || n == cycles) {
            std::printf("cycle %-4d %s   checks %lld, counted %lld, unexpected %lld, cycles not "
                        "ended %lld, %.0f ms per cycle\n",
                        n, describe(measureResources()).c_str(), checks, ok, unexpected, notEnded,
                        static_cast<double>(cycleMs) / n);
            std::fflush(stdout);
        }
    }
    return unexpected == 0 && notEnded == 0 ? 0 : 1;
}
