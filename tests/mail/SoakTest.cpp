// A short soak: 100 check cycles of twenty mailboxes in this process, against the Dovecot
// of the test run and servers that are slow, silent, drop the connection or send over-long
// lines. Every check must end as its server makes it end, and nothing the process holds may
// keep growing: the figures after cycle 100 are compared with those after cycle 20, when
// the heap and the system's lazily made objects have settled.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tools/soak/FaultPop3Server.h"
#include "tools/soak/SoakCycle.h"

TEST(Soak, HundredCheckCyclesHoldNothingMore)
{
    const char* port = std::getenv("PELLARO_POP3_PORT");
    ASSERT_NE(port, nullptr) << "PELLARO_POP3_PORT is not set: run through ctest, which starts Dovecot";
    FaultPop3Server faults(50);
    ASSERT_TRUE(faults.ok());
    SoakCycle cycle(std::atoi(port), faults);
    measureResources();  // the GDI and USER capacities are taken from here on

    ResourceFigures settled;
    for (int n = 1; n <= 100; ++n) {
        CycleOutcome outcome = cycle.run();
        ASSERT_EQ(outcome.checks, SoakCycle::mailboxes);
        ASSERT_EQ(outcome.unexpected, 0) << "cycle " << n << ": " << outcome.firstUnexpected;
        ASSERT_TRUE(outcome.ended) << "cycle " << n << ": a check of an answering server did not end";
        ASSERT_TRUE(outcome.serverIdle) << "cycle " << n << ": a connection stayed open after its check";
        if (n == 20)
            settled = measureResources();
    }
    ResourceFigures last = measureResources();
    std::printf("after cycle 20:  %s\nafter cycle 100: %s\n", describe(settled).c_str(),
                describe(last).c_str());

    // Tolerances. Each cycle makes 20 threads, 20 sockets and some 60 events and other
    // handles: a leak of one handle, thread or object in every cycle, or even every tenth,
    // adds at least 8 over the 80 cycles compared. Private memory may move by the heap's
    // growth steps; 2 MiB over 1600 checks is under 1.3 KiB a check, less than one
    // dialogue's line buffer, and far less than one thread's stack.
    EXPECT_LE(last.threads, settled.threads);
    EXPECT_LE(last.handles, settled.handles + 6);
    EXPECT_LE(last.gdiObjects, settled.gdiObjects + 6);
    EXPECT_LE(last.userObjects, settled.userObjects + 6);
    EXPECT_LE(last.privateMiB, settled.privateMiB + 2.0);
}
