// The main window: its controls at their places, the interval choice, removing mailboxes,
// the language read at start-up, and a real check against Dovecot.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "Pop3CountServer.h"
#include "controls/DButton.h"
#include "controls/DCheckBox.h"
#include "controls/DComboBox.h"
#include "controls/DGroup.h"
#include "controls/DListView.h"
#include "controls/DMenu.h"
#include "controls/DMenuItem.h"
#include "controls/DStaticText.h"
#include "controls/DWaitBar.h"
#include "framework/WindowTestKit.h"
#include "graphics/BuiltInImages.h"
#include "mail/CheckState.h"
#include "mail/DMailboxEntry.h"
#include "system/DTimer.h"
#include "mail/Mailboxes.h"
#include "windows/DNotificationBox.h"
#include "windows/DTrayIcon.h"
#include "mail/LoopbackServer.h"

using maintest::PellaroRun;
using maintest::text;

namespace {

struct Place {
    int x, y, width, height;
};

void expectPlace(DView* view, Place expected, const char* name)
{
    ASSERT_NE(nullptr, view) << name;
    EXPECT_EQ(expected.x, view->getX()) << name;
    EXPECT_EQ(expected.y, view->getY()) << name;
    EXPECT_EQ(expected.width, view->getWidth()) << name;
    EXPECT_EQ(expected.height, view->getHeight()) << name;
}

}  // namespace

class MainWindow : public PellaroRun {
protected:
    // One mailbox with no mail, checked once.
    void startWithQuietMailbox()
    {
        ASSERT_TRUE(server.ok());
        DSettingsRecord settings;
        settings.mailboxes.push_back(box("ann"));
        server.setCount("ann", 0);
        startChecked(settings, server.port());
    }

    Pop3CountServer server;
};

TEST_F(MainWindow, EveryControlIsAtItsPlace)
{
    start(server.port());
    ASSERT_NE(nullptr, window);
    RECT client;
    GetClientRect(window->getHandle(), &client);
    EXPECT_EQ(400, client.right);
    EXPECT_EQ(450, client.bottom);
    expectPlace(window->getStatusText(), {10, 22, 360, 20}, "status text");
    expectPlace(window->getWaitBar(), {10, 42, 360, 20}, "wait bar");
    expectPlace(window->getMailboxGroup(), {10, 90, 380, 170}, "mailbox group");
    expectPlace(window->getMailboxList(), {10, 20, 360, 105}, "mailbox list");
    expectPlace(window->getAddButton(), {10, 135, 80, 25}, "add");
    expectPlace(window->getEditButton(), {100, 135, 80, 25}, "edit");
    expectPlace(window->getRemoveButton(), {190, 135, 80, 25}, "remove");
    expectPlace(window->getIntervalCombo(), {10, 16, 360, 25}, "interval combo");
    expectPlace(window->getNotifyCheck(), {10, 20, 360, 20}, "notify");
    expectPlace(window->getNotifyAtStartupCheck(), {10, 40, 360, 20}, "notify at startup");
    expectPlace(window->getConnectionCheck(), {10, 60, 360, 20}, "connection");
    expectPlace(window->getCheckNowButton(), {10, 415, 100, 25}, "check now");
    expectPlace(window->getHideButton(), {220, 415, 80, 25}, "hide");
    expectPlace(window->getExitButton(), {310, 415, 80, 25}, "exit");
    expectPlace(window->getIntervalCombo()->getParent(), {10, 260, 380, 50}, "interval group");
    expectPlace(window->getNotifyCheck()->getParent(), {10, 310, 380, 90}, "options group");
    EXPECT_EQ(3, window->getMailboxList()->columnCount());
    EXPECT_EQ(1, window->getIntervalCombo()->getSelected());
    EXPECT_TRUE(window->getHideButton()->isFocused());
    EXPECT_EQ(0x44, window->getStatusText()->getFormat());
    EXPECT_EQ(12, window->getWaitBar()->getBandLength());
    // No settings file: both notification options on, no mailbox, so "Unconfigured!".
    EXPECT_TRUE(window->getNotifyCheck()->isChecked());
    EXPECT_TRUE(window->getNotifyAtStartupCheck()->isChecked());
    EXPECT_FALSE(window->getConnectionCheck()->isChecked());
    EXPECT_TRUE(window->isShown());
    EXPECT_EQ("Pellaro: Unconfigured!", tooltip());
    EXPECT_EQ("Unconfigured!", text(window->getStatusText()->getText()));
    EXPECT_EQ(errorIcon, stateIcon());
    EXPECT_EQ(0, window->checksStarted());
    EXPECT_TRUE(window->getCheckTimer()->isEnabled());
}

TEST_F(MainWindow, TheTrayMenuHoldsItsCommandsInOrder)
{
    start(server.port());
    DMenu* menu = window->getTrayMenu();
    ASSERT_EQ(9, menu->itemCount());
    const int ids[] = {100, 0, 101, 0, 104, 0, 102, 105, 103};
    for (int i = 0; i < 9; i++)
        EXPECT_EQ(ids[i], menu->itemAt(i)->id) << i;
    EXPECT_EQ(window->getLanguageMenu(), menu->itemAt(3)->submenu);
    EXPECT_EQ("Language", text(menu->itemAt(3)->text));
    EXPECT_TRUE(window->getLanguageMenu()->isItemChecked(commandEnglish));
    EXPECT_FALSE(window->getLanguageMenu()->isItemChecked(commandMagyar));
    EXPECT_FALSE(menu->isItemChecked(commandDisable));
}

TEST_F(MainWindow, TenMinutesSetsTheCheckIntervalAtOnce)
{
    start(server.port());
    DComboBox* combo = window->getIntervalCombo();
    combo->setSelected(2);
    combo->notifyParent(notifyChanged, 1);
    EXPECT_EQ(600000, window->getCheckTimer()->getInterval());
    combo->setSelected(0);
    combo->notifyParent(notifyChanged, 1);
    EXPECT_EQ(60000, window->getCheckTimer()->getInterval());
    window->onMenuItem(commandExit);
    windowtest::pumpMessages();
    EXPECT_EQ(0, settingsOnDisk().intervalIndex);
}

TEST_F(MainWindow, RemovingTheLastMailboxLeavesItUnconfigured)
{
    ASSERT_TRUE(server.ok());
    server.setCount("ann", 3);
    DSettingsRecord settings;
    settings.notify = false;
    settings.mailboxes.push_back(box("ann"));
    writeSettings(settings);
    start(server.port());
    ASSERT_TRUE(waitForCheckEnd());
    ASSERT_NE(nullptr, window->getMailTrayIcon());
    ASSERT_EQ("Pellaro: Idle", tooltip());

    DListView* list = window->getMailboxList();
    // A click on the first row: the list sits at (20, 110) of the client area, its rows
    // start under the 18-pixel header.
    window->show(true);
    HWND h = window->getHandle();
    int rowY = 110 + 20 + list->lineHeight() / 2;
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, windowtest::point(60, rowY));
    SendMessageA(h, WM_LBUTTONUP, 0, windowtest::point(60, rowY));
    ASSERT_EQ(0, list->getSelected());
    window->getRemoveButton()->notifyParent(notifyActivated);
    EXPECT_EQ(0, mailboxes->count());
    EXPECT_EQ(0, list->rowCount());
    EXPECT_EQ(nullptr, window->getMailTrayIcon());
    EXPECT_EQ("Pellaro: Unconfigured!", tooltip());
    EXPECT_EQ(errorIcon, stateIcon());
    EXPECT_EQ(0u, settingsOnDisk().mailboxes.size());
}

TEST_F(MainWindow, TheLanguageByteMakesEveryWindowHungarian)
{
    DSettingsRecord settings;
    settings.hungarian = true;
    writeSettings(settings);
    start(server.port());
    EXPECT_TRUE(hungarian);
    EXPECT_EQ("Kil\xE9p\xE9s", text(window->getExitButton()->getText()));
    EXPECT_EQ("Elrejt\xE9s", text(window->getHideButton()->getText()));
    EXPECT_EQ("Postafi\xF3kok", text(window->getMailboxGroup()->getText()));
    EXPECT_EQ("5 perc", text(window->getIntervalCombo()->getText()));
    EXPECT_EQ("Ellen\xF6rz\xE9s most!", text(window->getTrayMenu()->itemAt(0)->text));
    EXPECT_EQ("Nyelv", text(window->getTrayMenu()->itemAt(3)->text));
    EXPECT_TRUE(window->getLanguageMenu()->isItemChecked(commandMagyar));
    EXPECT_EQ("Pellaro: Nincs konfigur\xE1lva!", tooltip());
    // The language stays in the file.
    window->onMenuItem(commandExit);
    windowtest::pumpMessages();
    EXPECT_TRUE(settingsOnDisk().hungarian);
}

TEST_F(MainWindow, TheHiddenWindowShowsFromTheTrayAndHidesWithHide)
{
    startWithQuietMailbox();
    EXPECT_FALSE(window->isShown());
    window->onEvent(window->getStateTrayIcon(), 5, 0, 0, 0);
    EXPECT_TRUE(window->isShown());
    window->getHideButton()->notifyParent(notifyActivated);
    EXPECT_FALSE(window->isShown());
    window->onMenuItem(commandOptions);
    EXPECT_TRUE(window->isShown());
}

// A real check against Dovecot: one good mailbox and one whose password is wrong.
TEST_F(MainWindow, DovecotOneOfTwoFailsAndTheGoodOneIsAnnounced)
{
    const char* port = std::getenv("PELLARO_POP3_PORT");
    ASSERT_NE(nullptr, port) << "the Dovecot fixture gives its port";
    DSettingsRecord settings;
    settings.mailboxes.push_back(box("three"));
    settings.mailboxes.push_back(box("one", "wrong"));
    writeSettings(settings);
    start(std::atoi(port));
    ASSERT_TRUE(waitForCheckEnd());
    EXPECT_EQ("Idle", maintest::text(window->getMailboxList()->getCell(0, 1)));
    EXPECT_EQ("3", maintest::text(window->getMailboxList()->getCell(0, 2)));
    EXPECT_EQ("Login failed!", maintest::text(window->getMailboxList()->getCell(1, 1)));
    EXPECT_EQ("?", maintest::text(window->getMailboxList()->getCell(1, 2)));
    EXPECT_EQ("Pellaro: Error!", tooltip());
    EXPECT_EQ(newMailIcon, envelopeIcon());
    ASSERT_EQ(1, window->getNewMailMenu()->itemCount());
    EXPECT_EQ("three@127.0.0.1 has 3 new mails!",
              maintest::text(window->getNewMailMenu()->itemAt(0)->text));
    EXPECT_TRUE(boxShown());
}

TEST_F(MainWindow, ASilentServerEndsItsOwnCheckAndTheOthersAreAnnounced)
{
    const char* port = std::getenv("PELLARO_POP3_PORT");
    ASSERT_NE(nullptr, port) << "the Dovecot fixture gives its port";
    // Accepts connections (the system does, into its queue) and never says a word.
    LoopbackListener silent(16);
    ASSERT_TRUE(silent.ok());
    DSettingsRecord settings;
    settings.notify = false;
    settings.mailboxes.push_back(box("three"));
    DMailboxRecord dead = box("one");
    dead.server = DString("127.0.0.1:") + DString(silent.port());
    settings.mailboxes.push_back(dead);
    settings.mailboxes.push_back(box("one"));
    writeSettings(settings);
    adjustOptions = [](DStartupOptions& options) { options.silenceLimit = 5000; };
    start(std::atoi(port));
    ASSERT_TRUE(waitForCheckEnd());
    EXPECT_EQ("Idle", cell(0, 1));
    EXPECT_EQ("3", cell(0, 2));
    EXPECT_EQ("Server not responding!", cell(1, 1));
    EXPECT_EQ("?", cell(1, 2));
    EXPECT_EQ("Idle", cell(2, 1));
    EXPECT_EQ("1", cell(2, 2));
    EXPECT_EQ("Pellaro: Error!", tooltip());
    EXPECT_EQ(newMailIcon, envelopeIcon());
    ASSERT_EQ(2, window->getNewMailMenu()->itemCount());
    EXPECT_EQ("three@127.0.0.1 has 3 new mails!",
              maintest::text(window->getNewMailMenu()->itemAt(0)->text));
    EXPECT_EQ("one@127.0.0.1 has 1 new mail!",
              maintest::text(window->getNewMailMenu()->itemAt(1)->text));
}

namespace {

DPellaroStartup* runningStartup = nullptr;
std::string guideTitle;
bool guideWasShown = false;

// Runs inside the guide's modal loop: notes what is on the screen and closes the guide.
void CALLBACK closeGuide(HWND, UINT, UINT_PTR timer, DWORD)
{
    DMainWindow* owner = runningStartup ? runningStartup->mainWindow() : nullptr;
    DWindow* guide = owner ? owner->getModalChild() : nullptr;
    if (!guide)
        return;
    KillTimer(nullptr, timer);
    guideTitle = text(guide->title());
    guideWasShown = owner->isShown() && guide->isShown();
    guide->close();
}

}  // namespace

TEST_F(MainWindow, AFirstStartShowsTheWindowAndTheGuideBeforeItsFirstCheck)
{
    DStartupOptions options = startupOptionsIn(folder, server.port());
    options.guideOnEmpty = true;
    guideTitle.clear();
    guideWasShown = false;
    // A thread timer ticks inside the guide's modal loop and closes the guide.
    runningStartup = &startup;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, closeGuide);
    ASSERT_NE(0u, timer);
    ASSERT_TRUE(startup.start(options));
    runningStartup = nullptr;
    window = startup.mainWindow();
    KillTimer(nullptr, timer);
    EXPECT_EQ("User's Guide", guideTitle);
    EXPECT_TRUE(guideWasShown);
    EXPECT_EQ("Pellaro: Unconfigured!", tooltip());
    EXPECT_EQ(1, window->checkRequests());
}

namespace {

DMainWindow* boxOwner = nullptr;
std::string boxTitle;

// Runs inside a box's modal loop: notes its title and closes it.
void CALLBACK closeModalBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    DWindow* modal = boxOwner ? boxOwner->getModalChild() : nullptr;
    if (!modal)
        return;
    KillTimer(nullptr, timer);
    boxTitle = text(modal->title());
    modal->close();
}

// Runs `action` and returns the title of the modal box it opened (closed again at once),
// or the empty text when it opened none.
std::string titleOfBoxAfter(DMainWindow* window, const std::function<void()>& action)
{
    boxOwner = window;
    boxTitle.clear();
    UINT_PTR timer = SetTimer(nullptr, 0, 50, closeModalBox);
    action();
    KillTimer(nullptr, timer);
    boxOwner = nullptr;
    return boxTitle;
}

std::string titleOfBoxFrom(DMainWindow* window, int command)
{
    return titleOfBoxAfter(window, [&] { window->onMenuItem(command); });
}

}  // namespace

TEST_F(MainWindow, SwitchingToMagyarOpensTheRestartBoxInHungarian)
{
    start(server.port());
    EXPECT_EQ("Inform\xE1" "ci\xF3", titleOfBoxFrom(window, commandMagyar));
    EXPECT_TRUE(hungarian);
    EXPECT_TRUE(window->getLanguageMenu()->isItemChecked(commandMagyar));
    EXPECT_FALSE(window->getLanguageMenu()->isItemChecked(commandEnglish));
    // The rest of the window keeps its language until a restart.
    EXPECT_EQ("Exit", text(window->getExitButton()->getText()));
    // The language already active still shows the box.
    EXPECT_EQ("Inform\xE1" "ci\xF3", titleOfBoxFrom(window, commandMagyar));
    EXPECT_EQ("Information", titleOfBoxFrom(window, commandEnglish));
    EXPECT_FALSE(hungarian);
    EXPECT_EQ("About", titleOfBoxFrom(window, commandAbout));
}

TEST_F(MainWindow, EditAndRemoveWithoutASelectedRowDoNothing)
{
    startWithQuietMailbox();
    ASSERT_EQ(-1, window->getMailboxList()->getSelected());
    EXPECT_EQ("", titleOfBoxAfter(window, [&] {
        window->getEditButton()->notifyParent(notifyActivated);
    }));
    window->getRemoveButton()->notifyParent(notifyActivated);
    EXPECT_EQ(1, mailboxes->count());
    EXPECT_EQ("ann@127.0.0.1", text(window->getMailboxList()->getCell(0, 0)));
}

TEST_F(MainWindow, TheLanguageByteMakesTheBoxesHungarianToo)
{
    DSettingsRecord settings;
    settings.hungarian = true;
    writeSettings(settings);
    start(server.port());
    EXPECT_EQ("N\xE9vjegy", titleOfBoxFrom(window, commandAbout));
    EXPECT_EQ("Haszn\xE1lati utas\xEDt\xE1s", titleOfBoxFrom(window, commandGuide));
    DString file = folder + "\\.Pellaro.ini";
    SetFileAttributesA(file.text(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(DeleteFileA(file.text()));
    EXPECT_EQ("Postafi\xF3k hozz\xE1" "ad\xE1sa", titleOfBoxAfter(window, [&] {
        window->getAddButton()->notifyParent(notifyActivated);
    }));
    // Cancelled: nothing was added, and the settings were saved once the window closed.
    EXPECT_EQ(0, window->getMailboxList()->rowCount());
    EXPECT_TRUE(settingsOnDisk().hungarian);
}

namespace {

DMainWindow* exitOwner = nullptr;
std::vector<std::string> boxesSeen;
int boxesToOpen = 0;

// Runs inside the boxes' modal loops: with a box open, opens the user's guide over it until
// enough boxes are open, then chooses Exit from the tray menu, as a user would.
void CALLBACK exitOverBoxes(HWND, UINT, UINT_PTR timer, DWORD)
{
    DWindow* modal = exitOwner ? exitOwner->getModalChild() : nullptr;
    if (!modal || !modal->isShown())
        return;
    boxesSeen.push_back(text(modal->title()));
    if (static_cast<int>(boxesSeen.size()) < boxesToOpen) {
        exitOwner->onMenuItem(commandGuide);  // returns once Exit has closed it again
        return;
    }
    KillTimer(nullptr, timer);
    exitOwner->onMenuItem(commandExit);
}

}  // namespace

class ExitOverBoxes : public MainWindow {
protected:
    // Opens a box with `open`, chooses Exit from the tray while `boxes` boxes are open, and
    // checks that every box closed, the settings were saved and the window ended.
    void exitOver(const std::function<void()>& open, int boxes,
                  const std::vector<std::string>& titles)
    {
        ASSERT_TRUE(server.ok());
        DSettingsRecord settings;
        settings.mailboxes.push_back(box("ann"));
        server.setCount("ann", 0);
        startChecked(settings, server.port());
        window->show(true);
        entry0SeenCount(9);
        exitOwner = window;
        boxesSeen.clear();
        boxesToOpen = boxes;
        UINT_PTR timer = SetTimer(nullptr, 0, 50, exitOverBoxes);
        open();
        windowtest::pumpUntil([&] { return window->getHandle() == nullptr; }, 20000);
        KillTimer(nullptr, timer);
        exitOwner = nullptr;
        EXPECT_EQ(titles, boxesSeen);
        EXPECT_EQ(nullptr, window->getHandle());
        EXPECT_EQ(nullptr, window->getModalChild());
        EXPECT_EQ(nullptr, window->getStateTrayIcon());
        DSettingsRecord saved = settingsOnDisk();
        ASSERT_EQ(1u, saved.mailboxes.size());  // nothing added by a cancelled form
        EXPECT_EQ(9, saved.mailboxes[0].seenCount);
    }
    void entry0SeenCount(int count)
    {
        static_cast<DMailboxEntry*>(mailboxes->get(0))->seenCount = count;
    }
};

TEST_F(ExitOverBoxes, TheAboutBox)
{
    exitOver([&] { window->onMenuItem(commandAbout); }, 1, {"About"});
}

TEST_F(ExitOverBoxes, TheUsersGuide)
{
    exitOver([&] { window->onMenuItem(commandGuide); }, 1, {"User's Guide"});
}

TEST_F(ExitOverBoxes, TheRestartBox)
{
    exitOver([&] { window->onMenuItem(commandMagyar); }, 1, {"Inform\xE1" "ci\xF3"});
}

TEST_F(ExitOverBoxes, TheMailboxWindowAsIfCancelled)
{
    exitOver([&] { window->onClick(window->getAddButton()); }, 1, {"Add Mailbox"});
}

TEST_F(ExitOverBoxes, TheGuideOpenedOverTheAboutBox)
{
    exitOver([&] { window->onMenuItem(commandAbout); }, 2, {"About", "User's Guide"});
}
