// The check cycle as the user meets it: Pellaro's start-up in the test program, working
// threads talking to a loopback POP3 server whose counts the test sets, and what the list,
// the state tray icon, the envelope with its menu and the notification box show.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "HeldCheck.h"
#include "MainWindowFixture.h"
#include "Pop3CountServer.h"
#include "controls/DButton.h"
#include "controls/DMenu.h"
#include "controls/DMenuItem.h"
#include "framework/WindowTestKit.h"
#include "graphics/BuiltInImages.h"
#include "mail/CheckState.h"
#include "mail/DMailboxEntry.h"
#include "system/DThreadManager.h"
#include "system/DTimer.h"
#include "mail/Mailboxes.h"
#include "windows/DNotificationBox.h"
#include "windows/DTrayIcon.h"
#include "windows/DTrayIconWindow.h"

using maintest::PellaroRun;
using windowtest::pumpUntil;

namespace {

DMailboxEntry& entry(int index)
{
    return *static_cast<DMailboxEntry*>(mailboxes->get(index));
}

DSettingsRecord twoMailboxes(bool notify = true, bool notifyAtStartup = true)
{
    DSettingsRecord settings;
    settings.notify = notify;
    settings.notifyAtStartup = notifyAtStartup;
    settings.mailboxes.push_back(PellaroRun::box("ann"));
    settings.mailboxes.push_back(PellaroRun::box("bob"));
    return settings;
}

void click(DButton* button)
{
    button->notifyParent(notifyActivated);
}

}  // namespace

class CheckCycle : public PellaroRun {
protected:
    // Starts Pellaro on these settings and lets its first check end.
    void startChecked(const DSettingsRecord& settings)
    {
        ASSERT_TRUE(server.ok());
        PellaroRun::startChecked(settings, server.port());
    }
    // Starts a check of two mailboxes whose server never answers.
    void startHanging()
    {
        ASSERT_TRUE(server.ok());
        server.setSlow("ann");
        server.setSlow("bob");
        writeSettings(twoMailboxes());
        start(server.port());
        ASSERT_TRUE(checkInProgress);
    }

    Pop3CountServer server;
};

TEST_F(CheckCycle, CheckNowDuringACheckStartsNothing)
{
    startHanging();
    ASSERT_EQ(1, window->checksStarted());
    ASSERT_EQ(2, window->getThreads()->count());

    window->onMenuItem(commandCheckNow);
    window->checkNow();
    EXPECT_EQ(1, window->checksStarted());
    EXPECT_EQ(2, window->getThreads()->count());
    EXPECT_EQ("Checking...", cell(0, 1));
    EXPECT_EQ("Pellaro: Checking...", tooltip());
    EXPECT_EQ(checkingIcon, stateIcon());
}

TEST_F(CheckCycle, DisableStopsTheRunningCheckAndEveryLaterOne)
{
    ASSERT_TRUE(server.ok());
    server.setSlow("ann");
    server.setCount("bob", 1);
    writeSettings(twoMailboxes());
    start(server.port());
    ASSERT_TRUE(checkInProgress);

    window->onMenuItem(commandDisable);
    EXPECT_TRUE(window->getTrayMenu()->isItemChecked(commandDisable));
    EXPECT_EQ("Pellaro: Disabled!", tooltip());
    EXPECT_EQ(errorIcon, stateIcon());
    // The running check ends at its next poll, its rows marked and nothing counted.
    ASSERT_TRUE(waitForCheckEnd());
    EXPECT_EQ(0, window->getThreads()->count());
    EXPECT_EQ("Terminated!", cell(0, 1));
    EXPECT_EQ("Terminated!", cell(1, 1));
    EXPECT_EQ(0, entry(1).newCount);

    // Neither the interval nor "Check Now!" starts a check now.
    int calls = window->checkRequests();
    window->getCheckTimer()->setInterval(20);
    ASSERT_TRUE(pumpUntil([&] { return window->checkRequests() >= calls + 3; }, 20000));
    click(window->getCheckNowButton());
    window->onMenuItem(commandCheckNow);
    EXPECT_EQ(1, window->checksStarted());
    EXPECT_FALSE(checkInProgress);
    EXPECT_EQ("Pellaro: Disabled!", tooltip());

    // Choosing it again gives the idle state back and checks run again.
    window->getCheckTimer()->setInterval(600000);
    window->onMenuItem(commandDisable);
    EXPECT_FALSE(window->getTrayMenu()->isItemChecked(commandDisable));
    EXPECT_EQ("Pellaro: Idle", tooltip());
    EXPECT_EQ(idleIcon, stateIcon());
    window->checkNow();
    EXPECT_EQ(2, window->checksStarted());
}

TEST_F(CheckCycle, AtTheTimeoutOnlyTheUnfinishedRowsAreTerminated)
{
    ASSERT_TRUE(server.ok());
    server.setCount("ann", 4);
    server.setSlow("bob");
    writeSettings(twoMailboxes(false, false));
    start(server.port(), 3);
    // ann's conversation ends at once, bob's never: the third poll tick stops bob alone.
    ASSERT_TRUE(pumpUntil([&] { return server.finished() >= 1; }, 20000));
    ASSERT_TRUE(waitForCheckEnd());
    EXPECT_EQ("Idle", cell(0, 1));
    EXPECT_EQ("4", cell(0, 2));
    EXPECT_EQ(4, entry(0).newCount);
    EXPECT_EQ("Terminated!", cell(1, 1));
    EXPECT_EQ(0, entry(1).newCount);
    EXPECT_EQ("Pellaro: Timeout!", tooltip());
    EXPECT_EQ(errorIcon, stateIcon());
    // ann's news is announced all the same.
    EXPECT_EQ(newMailIcon, envelopeIcon());
    ASSERT_EQ(1, window->getNewMailMenu()->itemCount());
    EXPECT_EQ(0, window->getThreads()->count());
    EXPECT_TRUE(window->getCheckTimer()->isEnabled());
}

TEST_F(CheckCycle, NewMailWithNeitherOptionChangesOnlyTheTray)
{
    server.setCount("ann", 2);
    server.setCount("bob", 0);
    startChecked(twoMailboxes(false, false));
    EXPECT_EQ("Idle", cell(0, 1));
    EXPECT_EQ("2", cell(0, 2));
    EXPECT_EQ("0", cell(1, 2));
    EXPECT_EQ("Pellaro: Idle", tooltip());
    EXPECT_EQ(newMailIcon, envelopeIcon());
    ASSERT_EQ(1, window->getNewMailMenu()->itemCount());
    EXPECT_EQ("ann@127.0.0.1 has 2 new mails!",
              maintest::text(window->getNewMailMenu()->itemAt(0)->text));
    EXPECT_FALSE(boxShown());
}

TEST_F(CheckCycle, TheStartupOptionShowsTheBoxOnlyAtTheFirstNotice)
{
    server.setCount("ann", 1);
    server.setCount("bob", 0);
    startChecked(twoMailboxes(false, true));
    ASSERT_TRUE(boxShown());
    EXPECT_EQ("ann@127.0.0.1 has 1 new mail!\n",
              maintest::text(window->getNotificationBox()->title()));
    DRect place = window->getNotificationBox()->bounds();
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) - 50, place.x + place.width);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) - 50, place.y + place.height);

    // More mail later: announced in the tray, never again in the box.
    server.setCount("bob", 3);
    ASSERT_TRUE(checkAgain());
    EXPECT_FALSE(boxShown());
    EXPECT_EQ(2, window->getNewMailMenu()->itemCount());
    EXPECT_EQ(newMailIcon, envelopeIcon());
}

TEST_F(CheckCycle, AcknowledgingTurnsTheEnvelopeToSeenAndMoreMailTurnsItBack)
{
    server.setCount("ann", 2);
    server.setCount("bob", 3);
    startChecked(twoMailboxes(false, false));
    ASSERT_EQ(newMailIcon, envelopeIcon());
    ASSERT_EQ(2, window->getNewMailMenu()->itemCount());

    window->onMenuItem(200);
    EXPECT_EQ(seenMailIcon, envelopeIcon());
    EXPECT_TRUE(noticeAcknowledged);
    EXPECT_EQ("0", cell(0, 2));
    EXPECT_EQ(2, entry(0).seenCount);
    EXPECT_EQ(0, entry(0).newCount);
    ASSERT_EQ(1, window->getNewMailMenu()->itemCount());
    EXPECT_EQ(201, window->getNewMailMenu()->itemAt(0)->id);

    // Nothing new: the next check keeps the seen picture.
    ASSERT_TRUE(checkAgain());
    EXPECT_EQ(seenMailIcon, envelopeIcon());
    // More mail for bob turns it back.
    server.setCount("bob", 5);
    ASSERT_TRUE(checkAgain());
    EXPECT_EQ(newMailIcon, envelopeIcon());
    EXPECT_FALSE(noticeAcknowledged);

    // The last item acknowledged takes the envelope away; the raised count is saved.
    window->onMenuItem(201);
    EXPECT_EQ(nullptr, window->getMailTrayIcon());
    EXPECT_FALSE(noticeAcknowledged);
    EXPECT_EQ(0, window->getNewMailMenu()->itemCount());
    EXPECT_EQ(5, entry(1).seenCount);
    // A command for no mailbox is ignored.
    window->onMenuItem(209);
    EXPECT_EQ(nullptr, window->getMailTrayIcon());
}

TEST_F(CheckCycle, ANoticeRebuiltAtEveryCheckKeepsItsEnvelope)
{
    server.setCount("ann", 2);
    server.setCount("bob", 0);
    startChecked(twoMailboxes(false, false));
    DTrayIcon* envelope = window->getMailTrayIcon();
    ASSERT_NE(nullptr, envelope);
    HWND envelopeWindow = envelope->getWindow()->getHandle();
    server.setCount("bob", 1);
    ASSERT_TRUE(checkAgain());
    EXPECT_EQ(envelope, window->getMailTrayIcon());
    EXPECT_EQ(envelopeWindow, window->getMailTrayIcon()->getWindow()->getHandle());
    EXPECT_EQ(2, window->getNewMailMenu()->itemCount());
}

TEST_F(CheckCycle, AfterTwentyThousandRebuildsTheEnvelopeStillOpensItsMenu)
{
    // Mail left unacknowledged for weeks at a one-minute interval: the notice is rebuilt at
    // every check, with news coming and going.
    server.setCount("ann", 2);
    server.setCount("bob", 0);
    startChecked(twoMailboxes(false, false));
    ASSERT_NE(nullptr, window->getMailTrayIcon());
    for (int i = 0; i < 20000; ++i) {
        entry(1).newCount = i % 2;
        entry(1).notifyPending = i % 2 == 1;
        window->updateNewMailNotice();
        ASSERT_NE(nullptr, window->getMailTrayIcon()) << "rebuild " << i;
    }
    DTrayIcon* envelope = window->getMailTrayIcon();
    DMenu* menu = window->getNewMailMenu();
    ASSERT_EQ(2, menu->itemCount());
    ASSERT_FALSE(menu->isOpen());
    PostMessageA(envelope->getWindow()->getHandle(), envelope->getCallbackMessage(),
                 envelope->getNotifyData().uID, WM_LBUTTONUP);
    EXPECT_TRUE(pumpUntil([&] { return menu->isOpen(); }, 10000));
    menu->close();
}

TEST_F(CheckCycle, AcknowledgingAHugeCountKeepsTheBaselineInRange)
{
    server.setCount("ann", INT_MAX);
    DSettingsRecord settings;
    settings.notify = false;
    settings.mailboxes.push_back(box("ann", "secret", INT_MAX - 5));
    startChecked(settings);
    ASSERT_EQ(5, entry(0).newCount);
    entry(0).newCount = INT_MAX;  // as a wildly growing mailbox would report
    window->onMenuItem(200);
    EXPECT_EQ(INT_MAX, entry(0).seenCount);
}

TEST_F(CheckCycle, AMailboxWhoseLoginFailsShowsItsOwnText)
{
    server.setCount("ann", 1);  // bob is unknown: his login fails
    startChecked(twoMailboxes(true, true));
    EXPECT_EQ("Idle", cell(0, 1));
    EXPECT_NE("Idle", cell(1, 1));
    EXPECT_NE("", cell(1, 1));
    EXPECT_NE("Checking...", cell(1, 1));
    EXPECT_EQ("Pellaro: Error!", tooltip());
    EXPECT_EQ(errorIcon, stateIcon());
    EXPECT_EQ(newMailIcon, envelopeIcon());
    EXPECT_TRUE(boxShown());
}

TEST_F(CheckCycle, ExitDuringACheckStopsTheChecksAndSaves)
{
    startHanging();
    ASSERT_TRUE(pumpUntil([&] { return server.accepted() >= 2; }, 20000));
    entry(1).seenCount = 7;

    window->onMenuItem(commandExit);
    windowtest::pumpMessages();
    EXPECT_EQ(nullptr, window->getHandle());
    EXPECT_FALSE(checkInProgress);
    EXPECT_EQ(nullptr, window->getThreads());
    EXPECT_EQ(nullptr, window->getStateTrayIcon());
    // Both connections were closed by the stopped threads.
    EXPECT_TRUE(pumpUntil([&] { return server.finished() >= 2; }, 20000));
    DSettingsRecord saved = settingsOnDisk();
    ASSERT_EQ(2u, saved.mailboxes.size());
    EXPECT_EQ(7, saved.mailboxes[1].seenCount);
}

TEST_F(CheckCycle, TheEndOfTheSessionSavesTheSettings)
{
    server.setCount("ann", 4);
    server.setCount("bob", 0);
    startChecked(twoMailboxes(false, false));
    window->onMenuItem(200);
    ASSERT_EQ(0, settingsOnDisk().mailboxes[0].seenCount);

    EXPECT_NE(0, SendMessageA(window->getHandle(), WM_QUERYENDSESSION, 0, 0));
    SendMessageA(window->getHandle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(4, settingsOnDisk().mailboxes[0].seenCount);
}

TEST_F(CheckCycle, ARestartedTaskBarGetsBothIconsBack)
{
    server.setCount("ann", 2);
    server.setCount("bob", 1);
    startChecked(twoMailboxes(false, false));
    window->onMenuItem(200);
    ASSERT_EQ(seenMailIcon, envelopeIcon());
    window->onMenuItem(commandDisable);

    SendMessageA(window->getHandle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_NE(nullptr, window->getStateTrayIcon());
    EXPECT_EQ("Pellaro: Disabled!", tooltip());
    EXPECT_EQ(errorIcon, stateIcon());
    EXPECT_EQ(seenMailIcon, envelopeIcon());
}

// Checks held inside a call that does not heed the stop: stopping them returns within the
// stop limit, and the threads left behind end on their own once let go, destroying
// themselves.
class HeldCheckCycle : public CheckCycle {
protected:
    void SetUp() override
    {
        CheckCycle::SetUp();
        heldcheck::reset();
        adjustOptions = [](DStartupOptions& options) {
            options.threadMaker = heldcheck::makeHeldThread;
            options.stopLimit = 300;
        };
    }
    void TearDown() override
    {
        heldcheck::letGo();
        EXPECT_TRUE(pumpUntil([] { return heldcheck::destroyed.load() >= heldcheck::entered.load(); },
                              20000));
        CheckCycle::TearDown();
    }
    // Two mailboxes with mail, both checks held in their first wait for a reply.
    void startHeld(unsigned timeoutLimit = 300)
    {
        ASSERT_TRUE(server.ok());
        server.setCount("ann", 3);
        server.setCount("bob", 1);
        writeSettings(twoMailboxes());
        start(server.port(), timeoutLimit);
        ASSERT_TRUE(pumpUntil([] { return heldcheck::entered.load() >= 2; }, 20000));
    }
    // The threads let go end and destroy themselves; nothing of theirs is counted.
    void expectLetGoThreadsEndOnTheirOwn()
    {
        EXPECT_EQ(0, heldcheck::destroyed.load());
        heldcheck::letGo();
        EXPECT_TRUE(pumpUntil([] { return heldcheck::destroyed.load() == 2; }, 20000));
    }
};

TEST_F(HeldCheckCycle, DisableReturnsAndTheThreadsLeftBehindEndOnTheirOwn)
{
    startHeld();
    window->onMenuItem(commandDisable);
    ASSERT_TRUE(waitForCheckEnd());
    EXPECT_EQ(0, window->getThreads()->count());
    EXPECT_EQ("Terminated!", cell(0, 1));
    EXPECT_EQ("Terminated!", cell(1, 1));
    expectLetGoThreadsEndOnTheirOwn();
    EXPECT_EQ(0, entry(0).newCount);
    EXPECT_EQ(0, entry(1).newCount);
    EXPECT_EQ("Terminated!", cell(0, 1));
}

TEST_F(HeldCheckCycle, TheCycleLimitReturnsAndTheThreadsLeftBehindEndOnTheirOwn)
{
    startHeld(3);
    ASSERT_TRUE(waitForCheckEnd());
    EXPECT_EQ(0, window->getThreads()->count());
    EXPECT_EQ("Terminated!", cell(0, 1));
    EXPECT_EQ("Terminated!", cell(1, 1));
    EXPECT_EQ("Pellaro: Timeout!", tooltip());
    EXPECT_TRUE(window->getCheckTimer()->isEnabled());
    expectLetGoThreadsEndOnTheirOwn();
    EXPECT_EQ(nullptr, window->getMailTrayIcon());
}

TEST_F(HeldCheckCycle, ExitReturnsAndSavesWhileChecksAreHeld)
{
    startHeld();
    entry(1).seenCount = 5;
    window->onMenuItem(commandExit);
    windowtest::pumpMessages();
    EXPECT_EQ(nullptr, window->getHandle());
    EXPECT_EQ(nullptr, window->getThreads());
    DSettingsRecord saved = settingsOnDisk();
    ASSERT_EQ(2u, saved.mailboxes.size());
    EXPECT_EQ(5, saved.mailboxes[1].seenCount);
    startup.finish();
    // The dictionary and the mailbox list are gone; the threads still end cleanly.
    expectLetGoThreadsEndOnTheirOwn();
}

// The whole process: Exit while a check is held ends the program all the same.
TEST(HeldCheckProcess, ExitEndsTheProgramWhileACheckIsHeld)
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder(self);
    folder = folder.substr(0, folder.rfind('\\') + 1);
    std::string child = folder + "held_exit_child.exe";
    std::string settings = folder + "held-exit-" + std::to_string(GetCurrentProcessId());
    std::string command = "\"" + child + "\" \"" + settings + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(child.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process))
        << "cannot start " << child;
    DWORD waited = WaitForSingleObject(process.hProcess, 120000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 9);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::string file = settings + "\\.Pellaro.ini";
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(file.c_str());
    RemoveDirectoryA(settings.c_str());
    ASSERT_EQ(waited, WAIT_OBJECT_0) << "the program did not end";
    EXPECT_EQ(code, 0u) << "0: ended with the check held; 3: never held; 4: not held at the end";
}
