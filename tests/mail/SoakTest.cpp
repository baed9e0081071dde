// A short soak: 100 check cycles of twenty mailboxes in this process, against the Dovecot
// of the test run and servers that are slow, silent, drop the connection or send over-long
// lines. Every check must end as its server makes it end, and nothing the process holds may
// keep growing: the figures after cycle 100 are compared with those after cycle 20, when
// the heap and the system's lazily made objects have settled.
#include <gtest/gtest.h>

#include "mail/SoakFigures.h"
#include "tools/soak/FaultPop3Server.h"
#include "tools/soak/SoakCycle.h"

TEST(Soak, HundredCheckCyclesHoldNothingMore)
{
    ASSERT_GT(dovecotPort(), 0) << "PELLARO_POP3_PORT is not set: run through ctest, which starts Dovecot";
    FaultPop3Server faults(50);
    ASSERT_TRUE(faults.ok());
    SoakCycle cycle(dovecotPort(), faults);
    measureResources();  // the GDI capacity is taken from here on

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
    expectNoGrowth(settled, measureResources());
}
