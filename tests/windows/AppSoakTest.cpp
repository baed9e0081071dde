// A short soak of Pellaro itself: start-up in this process and 40 check cycles of the main
// window over twenty mailboxes (the test run's Dovecot, servers that are slow, silent, drop
// the connection or send over-long lines, and a port where nothing listens). Every cycle
// must end, and nothing the process holds - windows, GDI objects, handles, threads,
// memory - may keep growing between cycle 10 and cycle 40. Fewer cycles than the working
// threads' soak: under Wine one of the main window's cycles takes seconds.
#include <gtest/gtest.h>

#include <windows.h>

#include "mail/SoakFigures.h"
#include "tools/soak/AppSoak.h"
#include "tools/soak/FaultPop3Server.h"

TEST(AppSoak, CheckCyclesOfTheMainWindowHoldNothingMore)
{
    ASSERT_GT(dovecotPort(), 0) << "PELLARO_POP3_PORT is not set: run through ctest, which starts Dovecot";
    FaultPop3Server faults(50);
    ASSERT_TRUE(faults.ok());
    char temp[MAX_PATH + 1] = {0};
    GetTempPathA(MAX_PATH, temp);
    DString folder = DString(temp) + "pellaro-app-soak-" + DString(static_cast<int>(GetCurrentProcessId()));
    CreateDirectoryA(folder.text(), nullptr);
    ResourceFigures settled;
    {
        AppSoak pellaro(dovecotPort(), faults, folder);
        ASSERT_TRUE(pellaro.start());
        measureResources();  // the GDI capacity is taken from here on
        for (int n = 1; n <= 40; ++n) {
            CycleOutcome outcome = pellaro.run();
            ASSERT_EQ(outcome.checks, SoakCycle::mailboxes) << "cycle " << n;
            ASSERT_EQ(outcome.unexpected, 0) << "cycle " << n << ": " << outcome.firstUnexpected;
            ASSERT_TRUE(outcome.ended) << "cycle " << n << ": the check cycle did not end";
            ASSERT_TRUE(outcome.serverIdle) << "cycle " << n << ": a connection stayed open after its check";
            if (n == 10)
                settled = measureResources();
        }
        expectNoGrowth(settled, measureResources(), 10, 40);
    }
    std::string file = std::string(folder.text()) + "\\.Pellaro.ini";
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.text());
}
