// The check after a wake-up: power broadcasts and the network watch's message sent to the
// main window as Windows would send them, with the delay before the check quickened by
// the start-up options, and the checks that follow counted at the loopback POP3 server.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <ws2ipdef.h>
#include <windows.h>
#include <iphlpapi.h>
#include <netioapi.h>

#include "MainWindowFixture.h"
#include "Pop3CountServer.h"
#include "controls/DMenu.h"
#include "framework/WindowTestKit.h"
#include "mail/CheckState.h"
#include "mail/DNetworkWatch.h"
#include "system/DThreadManager.h"
#include "system/DTimer.h"

using maintest::PellaroRun;
using windowtest::pumpUntil;

namespace {

DSettingsRecord oneMailbox()
{
    DSettingsRecord settings;
    settings.mailboxes.push_back(PellaroRun::box("ann"));
    return settings;
}

}  // namespace

class ResumeCheckRun : public PellaroRun {
protected:
    void startChecked()
    {
        ASSERT_TRUE(server.ok());
        server.setCount("ann", 1);
        PellaroRun::startChecked(oneMailbox(), server.port());
        ASSERT_EQ(1, window->checksStarted());
        // A long interval: every further check here comes from a wake-up.
        window->getCheckTimer()->setInterval(600000);
    }
    void broadcast(unsigned event)
    {
        SendMessageA(window->getHandle(), WM_POWERBROADCAST, event, 0);
    }
    // Pumps until the one-shot timer has fired (or was never started) and no check runs.
    bool settle()
    {
        return pumpUntil(
            [&] { return !window->getResumeTimer()->isEnabled() && !checkInProgress; }, 30000);
    }

    Pop3CountServer server;
};

TEST_F(ResumeCheckRun, OneWakeUpStartsExactlyOneCheckWithFreshCounts)
{
    startChecked();
    ASSERT_EQ("1", cell(0, 2));
    server.setCount("ann", 3);
    int requests = window->checkRequests();

    // Windows sends both resume broadcasts on one wake-up.
    broadcast(PBT_APMRESUMEAUTOMATIC);
    broadcast(PBT_APMRESUMESUSPEND);
    EXPECT_TRUE(window->getResumeTimer()->isEnabled());
    EXPECT_EQ(1, window->checksStarted());  // not before the delay
    ASSERT_TRUE(settle());
    EXPECT_EQ(2, window->checksStarted());
    EXPECT_EQ(requests + 1, window->checkRequests());
    EXPECT_EQ("3", cell(0, 2));
    // The interval starts afresh after the check; the one-shot stays off.
    EXPECT_TRUE(window->getCheckTimer()->isEnabled());
    EXPECT_FALSE(window->getResumeTimer()->isEnabled());

    // The next wake-up checks again.
    broadcast(PBT_APMRESUMEAUTOMATIC);
    ASSERT_TRUE(settle());
    EXPECT_EQ(3, window->checksStarted());
}

TEST_F(ResumeCheckRun, OtherPowerEventsAndASuspendBeforeTheDelayStartNothing)
{
    startChecked();
    int requests = window->checkRequests();
    broadcast(PBT_APMPOWERSTATUSCHANGE);
    EXPECT_FALSE(window->getResumeTimer()->isEnabled());

    // The computer goes back to sleep before the check was due.
    broadcast(PBT_APMRESUMEAUTOMATIC);
    broadcast(PBT_APMSUSPEND);
    ASSERT_TRUE(settle());
    EXPECT_EQ(1, window->checksStarted());
    EXPECT_EQ(requests, window->checkRequests());
}

TEST_F(ResumeCheckRun, DisabledProgramDoesNotCheckAfterAWakeUp)
{
    startChecked();
    window->onMenuItem(commandDisable);
    ASSERT_TRUE(window->isDisabled());
    int requests = window->checkRequests();

    broadcast(PBT_APMRESUMEAUTOMATIC);
    broadcast(PBT_APMRESUMESUSPEND);
    ASSERT_TRUE(settle());
    EXPECT_EQ(1, window->checksStarted());
    EXPECT_EQ(requests, window->checkRequests());
    EXPECT_EQ("Pellaro: Disabled!", tooltip());
}

TEST_F(ResumeCheckRun, AWakeUpDuringARunningCheckStartsNoSecondOne)
{
    ASSERT_TRUE(server.ok());
    server.setSlow("ann");
    writeSettings(oneMailbox());
    start(server.port());
    ASSERT_TRUE(checkInProgress);
    int requests = window->checkRequests();

    broadcast(PBT_APMRESUMEAUTOMATIC);
    ASSERT_TRUE(pumpUntil([&] { return !window->getResumeTimer()->isEnabled(); }, 30000));
    EXPECT_TRUE(checkInProgress);
    EXPECT_EQ(1, window->checksStarted());
    EXPECT_EQ(requests, window->checkRequests());
    EXPECT_EQ(1, window->getThreads()->count());
}

TEST_F(ResumeCheckRun, TheNetworkComingBackStartsOneCheck)
{
    startChecked();
    unsigned message = window->getNetworkBackMessage();
    ASSERT_NE(0u, message);
    server.setCount("ann", 5);
    int requests = window->checkRequests();

    // Several addresses coming up at once give one check.
    PostMessageA(window->getHandle(), message, 0, 0);
    PostMessageA(window->getHandle(), message, 0, 0);
    ASSERT_TRUE(pumpUntil([&] { return window->getResumeTimer()->isEnabled() ||
                                       window->checksStarted() > 1; },
                          30000));
    ASSERT_TRUE(settle());
    EXPECT_EQ(2, window->checksStarted());
    EXPECT_EQ(requests + 1, window->checkRequests());
    EXPECT_EQ("5", cell(0, 2));
}

TEST_F(ResumeCheckRun, TheNetworkWatchEndsWithTheWindow)
{
    startChecked();
    ASSERT_NE(nullptr, window->getNetworkWatch());
    window->close();
    EXPECT_EQ(nullptr, window->getNetworkWatch());
    EXPECT_EQ(nullptr, window->getResumeTimer());
}

TEST(NetworkWatch, OnlyANewAddressOutsideLoopbackCountsAsTheNetworkComingBack)
{
    EXPECT_TRUE(DNetworkWatch::isNetworkBack(MibAddInstance, IF_TYPE_ETHERNET_CSMACD));
    EXPECT_TRUE(DNetworkWatch::isNetworkBack(MibAddInstance, IF_TYPE_IEEE80211));
    EXPECT_FALSE(DNetworkWatch::isNetworkBack(MibAddInstance, IF_TYPE_SOFTWARE_LOOPBACK));
    EXPECT_FALSE(DNetworkWatch::isNetworkBack(MibDeleteInstance, IF_TYPE_ETHERNET_CSMACD));
    EXPECT_FALSE(DNetworkWatch::isNetworkBack(MibParameterNotification, IF_TYPE_IEEE80211));
    EXPECT_FALSE(DNetworkWatch::isNetworkBack(MibInitialNotification, IF_TYPE_ETHERNET_CSMACD));
}

TEST(NetworkWatch, StartsAndStopsAnyNumberOfTimes)
{
    DNetworkWatch watch(nullptr, WM_APP);
    bool started = watch.start();
    EXPECT_EQ(started, watch.isWatching());
    EXPECT_TRUE(watch.start() == started);
    watch.stop();
    EXPECT_FALSE(watch.isWatching());
    watch.stop();
    EXPECT_FALSE(watch.isWatching());
}
