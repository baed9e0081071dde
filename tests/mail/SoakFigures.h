// What the soak tests share: the port of the test run's Dovecot, and the comparison of the
// process's figures after cycle 20 and cycle 100.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tools/soak/SoakCycle.h"

// Tolerances, for figures taken after cycle `early` and cycle `late`. Each cycle makes 20
// threads, 20 sockets and some 60 events and other handles: a leak of one handle, thread or
// object in every cycle adds one per cycle compared, so the allowance is 6 and at most a
// sixth of the cycles compared (over 80 cycles a leak in every thirteenth cycle shows).
// Private memory may move by the heap's growth steps; 2 MiB over 80 cycles of 20 checks is
// under 1.3 KiB a check, less than one dialogue's line buffer and far less than one
// thread's stack.
inline void expectNoGrowth(const ResourceFigures& settled, const ResourceFigures& last,
                           int early = 20, int late = 100)
{
    std::printf("after cycle %d: %s\nafter cycle %d: %s\n", early, describe(settled).c_str(),
                late, describe(last).c_str());
    const long allowance = std::min(6L, static_cast<long>(late - early) / 6);
    EXPECT_LE(last.threads, settled.threads);
    EXPECT_LE(last.handles, settled.handles + allowance);
    EXPECT_LE(last.gdiObjects, settled.gdiObjects + allowance);
    EXPECT_LE(last.userObjects, settled.userObjects + allowance);
    EXPECT_LE(last.privateMiB, settled.privateMiB + 2.0);
}

inline int dovecotPort()
{
    const char* port = std::getenv("PELLARO_POP3_PORT");
    return port != nullptr ? std::atoi(port) : 0;
}
