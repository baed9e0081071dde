// Pellaro.exe run as a separate process under Wine, driven from outside as a user would,
// against a real POP3 server (Dovecot on port 110 of a loopback address of its own). The
// test checks what a user sees - the tray icons and tooltips (through a stand-in
// notification area), the windows and the notification box - and what lands on disk.
// The fixture (EndToEndFixture.h) says what the tests need from their environment.
#include "EndToEndFixture.h"

#include "mail/DictionaryTexts.h"
#include "mail/LoopbackServer.h"
#include "windows/MailboxForm.h"

using namespace e2e;

TEST_F(EndToEnd, AFirstStartShowsTheOptionsAndTheGuideAndExitWritesTheDefaultFile)
{
    startPellaro();
    HWND guide = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        guide = pellaro.visibleWindow("User's Guide");
        return guide && pellaro.visibleWindow("Pellaro");
    }, startBound)) << "no options window and user's guide after a first start";
    EXPECT_EQ(stateTip(), "Pellaro: Idle");
    EXPECT_EQ(programIcons().size(), 1u);

    // The guide's OK button, centred at its bottom.
    SIZE size = clientSize(guide);
    EXPECT_EQ(size.cx, 350);
    EXPECT_EQ(size.cy, 250);
    clickAt(guide, size.cx / 2, size.cy - 35 + 12);
    ASSERT_TRUE(waitUntil([&] { return !pellaro.visibleWindow("User's Guide"); }, stepBound));
    // With no mailbox the first check only reports it.
    ASSERT_TRUE(waitUntil([&] { return stateTipIs("Pellaro: Unconfigured!"); }, checkBound))
        << "tooltip: " << stateTip();

    exitThroughMainWindow();
    expectExitWithSettingsSaved();
    const std::vector<unsigned char> expected = {2, 3, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0,
                                                 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(fileBytes(settingsFile), expected);
}

TEST_F(EndToEnd, AMailboxAddedInTheOptionsWindowIsCheckedAndSaved)
{
    startPellaro();
    HWND guide = nullptr;
    HWND main = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        guide = pellaro.visibleWindow("User's Guide");
        main = pellaro.visibleWindow("Pellaro");
        return guide && main;
    }, startBound));
    pressKey(guide, VK_RETURN);  // OK answers Enter
    ASSERT_TRUE(waitUntil([&] { return stateTipIs("Pellaro: Unconfigured!"); }, checkBound))
        << "tooltip: " << stateTip();

    // "Add" in the "Mailboxes" group opens the mailbox window.
    clickAt(main, 10 + 10 + 40, 90 + 135 + 12);
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = pellaro.visibleWindow("Add Mailbox")) != nullptr; },
                          stepBound)) << "no mailbox window after Add";
    SIZE size = clientSize(box);
    EXPECT_EQ(size.cx, mailboxFormWidth);
    EXPECT_EQ(size.cy, mailboxFormHeight);
    const DMailboxFormLayout form = mailboxFormLayout(size.cx, size.cy);
    typeInto(box, server);           // the server field has the focus
    clickAt(box, form.userInput.x + form.userInput.width / 2,
            form.userInput.y + form.userInput.height / 2);
    typeInto(box, "three");
    clickAt(box, form.passwordInput.x + form.passwordInput.width / 2,
            form.passwordInput.y + form.passwordInput.height / 2);
    typeInto(box, "secret");
    pressKey(box, VK_RETURN);        // OK
    ASSERT_TRUE(waitUntil([&] { return !pellaro.visibleWindow("Add Mailbox"); }, stepBound))
        << "the mailbox window stayed open";
    EXPECT_TRUE(waitUntil([&] { return stateTipIs("Pellaro: Idle"); }, stepBound))
        << "tooltip: " << stateTip();
    // Saved as soon as the window closed, with nothing known about its mail yet.
    expectOneSavedMailbox("three", "secret", 0);

    // "Check Now!" finds its three messages.
    clickAt(main, 10 + 50, 450 - 35 + 12);
    ASSERT_TRUE(waitForCheckEnd()) << "tooltip: " << stateTip();
    EXPECT_EQ(stateTip(), "Pellaro: Idle");
    std::vector<TrayIconRecord> icons;
    ASSERT_TRUE(waitForEnvelope(icons));
    EXPECT_TRUE(waitUntil([&] {
        return popupWithText("three@" + server + " has 3 new mails!\n") != nullptr;
    }, stepBound));

    exitThroughMainWindow();
    expectExitWithSettingsSaved();
    expectOneSavedMailbox("three", "secret", 0);  // announced, not acknowledged
    // The stored password is scrambled: the file never holds it in plain text.
    const std::vector<unsigned char> bytes = fileBytes(settingsFile);
    const std::string raw(bytes.begin(), bytes.end());
    EXPECT_EQ(raw.find("secret"), std::string::npos);
    EXPECT_NE(raw.find("three"), std::string::npos);
}

TEST_F(EndToEnd, ACheckAnnouncesNewMailAndExitKeepsWhatWasAcknowledged)
{
    DSettingsRecord settings;
    settings.mailboxes.push_back(mailbox("three", server, "secret", 0));
    settings.mailboxes.push_back(mailbox("one", server, "secret", 0));
    settings.mailboxes.push_back(mailbox("empty", server, "secret", 0));
    writeSettings(settings);
    startPellaro();

    ASSERT_TRUE(waitForCheckEnd()) << "tooltip: " << stateTip();
    EXPECT_EQ(stateTip(), "Pellaro: Idle");
    // The idle picture it was added with, the checking one when the check began, and the
    // idle one again now.
    const std::vector<uint64_t> pictures = programIcons()[0].pictures;
    ASSERT_GE(pictures.size(), 3u);
    EXPECT_NE(pictures[1], pictures[0]);
    EXPECT_EQ(pictures.back(), pictures[0]);
    EXPECT_FALSE(pellaro.visibleWindow("Pellaro")) << "the options window shows with mailboxes";
    EXPECT_FALSE(pellaro.visibleWindow("User's Guide"));

    // The envelope beside the state icon, with its own picture.
    std::vector<TrayIconRecord> icons;
    ASSERT_TRUE(waitForEnvelope(icons));
    EXPECT_EQ(icons[1].tip, "There are new mails!");
    EXPECT_TRUE(icons[1].hasPicture);
    EXPECT_NE(icons[1].picture, icons[0].picture);
    const uint64_t newMailPicture = icons[1].picture;

    // The notification box: one line per mailbox with news, bottom-right corner 50 pixels
    // inside the screen's, topmost, and not holding the focus.
    const std::string text = "three@" + server + " has 3 new mails!\n" + "one@" + server +
                             " has 1 new mail!\n";
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = popupWithText(text)) != nullptr; }, stepBound))
        << "no notification box with the text expected";
    RECT r{};
    GetWindowRect(box, &r);
    EXPECT_EQ(r.right, screenWidth - 50);
    EXPECT_EQ(r.bottom, screenHeight - 50);
    EXPECT_GT(r.right - r.left, 0);
    EXPECT_NE(GetForegroundWindow(), box);

    // A click hides it.
    clickAt(box, 5, 5);
    ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(box); }, stepBound));

    // The envelope's menu acknowledges "one": its picture turns to the seen one.
    ASSERT_TRUE(TrayStandIn::click(icons[1], WM_LBUTTONUP, screenWidth - 40, screenHeight - 10));
    HWND menu = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (menu = openMenu(box)) != nullptr; }, stepBound))
        << "the envelope's menu did not open";
    clickMenuItem(menu, {DMenuEntryShape{}, DMenuEntryShape{}}, 1);
    ASSERT_TRUE(waitUntil([&] {
        icons = programIcons();
        return icons.size() == 2 && icons[1].picture != newMailPicture;
    }, stepBound)) << "acknowledging one of two mailboxes did not change the envelope";

    // Exit through the state icon's menu: its last item.
    ASSERT_TRUE(TrayStandIn::click(icons[0], WM_RBUTTONUP, screenWidth - 20, screenHeight - 10));
    ASSERT_TRUE(waitUntil([&] { return (menu = openMenu(box)) != nullptr; }, stepBound))
        << "the tray menu did not open";
    DMenuEntryShape separator;
    separator.separator = true;
    std::vector<DMenuEntryShape> trayMenu(9);
    trayMenu[1] = separator;
    trayMenu[5] = separator;
    clickMenuItem(menu, trayMenu, 8);
    expectExitWithSettingsSaved();

    DSettingsRecord saved;
    ASSERT_TRUE(readSettingsBack(saved));
    ASSERT_EQ(saved.mailboxes.size(), 3u);
    EXPECT_EQ(saved.mailboxes[0].seenCount, 0);  // announced, never acknowledged
    EXPECT_EQ(saved.mailboxes[1].seenCount, 1);  // acknowledged
    EXPECT_EQ(saved.mailboxes[2].seenCount, 0);
    EXPECT_STREQ(saved.mailboxes[1].password.text(), "secret");
    EXPECT_TRUE(saved.notify);
    EXPECT_EQ(saved.intervalIndex, 1);
}

TEST_F(EndToEnd, AFailingMailboxShowsTheErrorWhileTheOtherOneIsStillAnnounced)
{
    DSettingsRecord settings;
    settings.mailboxes.push_back(mailbox("three", server, "wrong", 0));
    settings.mailboxes.push_back(mailbox("one", server, "secret", 0));
    writeSettings(settings);
    startPellaro();

    ASSERT_TRUE(waitForCheckEnd()) << "tooltip: " << stateTip();
    EXPECT_EQ(stateTip(), "Pellaro: Error!");
    // The state icon was added with the idle picture and given the checking one when the
    // check began; it shows a third, the error picture, now.
    const std::vector<uint64_t> pictures = programIcons()[0].pictures;
    ASSERT_GE(pictures.size(), 3u);
    EXPECT_NE(pictures[1], pictures[0]);
    EXPECT_NE(pictures.back(), pictures[0]);
    EXPECT_NE(pictures.back(), pictures[1]);
    std::vector<TrayIconRecord> icons;
    ASSERT_TRUE(waitForEnvelope(icons));
    EXPECT_EQ(icons[1].tip, "There are new mails!");
    HWND box = nullptr;
    EXPECT_TRUE(waitUntil([&] { return (box = popupWithText("one@" + server + " has 1 new mail!\n")); },
                          stepBound));

    exitThroughMainWindow();
    expectExitWithSettingsSaved();
    DSettingsRecord saved;
    ASSERT_TRUE(readSettingsBack(saved));
    ASSERT_EQ(saved.mailboxes.size(), 2u);
    EXPECT_STREQ(saved.mailboxes[0].password.text(), "wrong");
    EXPECT_EQ(saved.mailboxes[0].seenCount, 0);
    EXPECT_EQ(saved.mailboxes[1].seenCount, 0);  // announced but not acknowledged
}

TEST_F(EndToEnd, BothIconsComeBackWhenTheNotificationAreaRestarts)
{
    DSettingsRecord settings;
    settings.mailboxes.push_back(mailbox("one", server, "secret", 0));
    writeSettings(settings);
    startPellaro();
    ASSERT_TRUE(waitForCheckEnd()) << "tooltip: " << stateTip();
    std::vector<TrayIconRecord> before;
    ASSERT_TRUE(waitForEnvelope(before));

    // Explorer restarts: every icon is gone, and the new task bar announces itself.
    tray.destroy();
    ASSERT_TRUE(tray.create());
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
    std::vector<TrayIconRecord> after;
    ASSERT_TRUE(waitUntil([&] {
        after = programIcons();
        return after.size() == 2 && after[0].tip == before[0].tip && after[1].tip == before[1].tip;
    }, stepBound)) << "the tray icons did not come back with their tooltips";
    for (size_t i = 0; i < 2; i++) {
        EXPECT_EQ(after[i].tip, before[i].tip);
        EXPECT_EQ(after[i].picture, before[i].picture);
        EXPECT_EQ(after[i].callback, before[i].callback);
    }
    EXPECT_EQ(after[0].tip, "Pellaro: Idle");

    exitThroughMainWindow();
    expectExitWithSettingsSaved();
}

TEST_F(EndToEnd, ASettingsFileInHungarianMakesTheProgramSpeakHungarian)
{
    DPellaroDictionary d;
    fillDictionary(d);
    d.setLanguage(1);
    DSettingsRecord settings;
    settings.hungarian = true;
    settings.mailboxes.push_back(mailbox("one", server, "secret", 0));
    writeSettings(settings);
    startPellaro();

    const std::string checking = d.translate(DString("Pellaro: Checking...")).text();
    const std::string idle = std::string("Pellaro: ") + d.translate(DString("Idle")).text();
    ASSERT_NE(idle, "Pellaro: Idle");
    ASSERT_TRUE(waitUntil([&] { return tipSeen(checking) && stateTipIs(idle); }, checkBound))
        << "tooltip: " << stateTip();
    std::vector<TrayIconRecord> icons;
    ASSERT_TRUE(waitForEnvelope(icons));
    EXPECT_EQ(icons[1].tip, d.translate(DString("There are new mails!")).text());
    const std::string line = "one@" + server + d.translate(DString(" has ")).text() + "1" +
                             d.translate(DString(" new mail!\n")).text();
    EXPECT_TRUE(waitUntil([&] { return popupWithText(line) != nullptr; }, stepBound))
        << "no notification box reading " << line;

    exitThroughMainWindow();
    expectExitWithSettingsSaved();
    DSettingsRecord saved;
    ASSERT_TRUE(readSettingsBack(saved));
    EXPECT_TRUE(saved.hungarian);
}

// Start-up and Exit again and again, every other time while a check waits on a server that
// never answers: every run ends by itself, with exit code 0 and no icon left behind. The
// number of runs is PELLARO_START_EXIT_CYCLES (default 6).
TEST_F(EndToEnd, StartAndExitManyTimesHalfOfThemDuringACheck)
{
    int cycles = std::atoi(environment("PELLARO_START_EXIT_CYCLES").c_str());
    if (cycles <= 0)
        cycles = 6;
    LoopbackListener silent(64);
    ASSERT_TRUE(silent.ok());
    const std::string silentServer = "127.0.0.1:" + std::to_string(silent.port());
    std::vector<SOCKET> held;
    for (int i = 0; i < cycles; ++i) {
        const bool duringCheck = i % 2 == 0;
        DSettingsRecord settings;
        settings.notify = false;
        settings.mailboxes.push_back(
            mailbox("one", duringCheck ? silentServer : server, "secret", 1));
        writeSettings(settings);
        // A fresh notification area: the system reuses process ids, and the records of an
        // earlier run must not stand for this one's.
        tray.destroy();
        ASSERT_TRUE(tray.create());
        startPellaro();
        if (duringCheck) {
            // Waited for while this thread's messages are pumped: the program's tray
            // records reach the stand-in on this thread.
            SOCKET s = INVALID_SOCKET;
            ASSERT_TRUE(waitUntil([&] { return (s = silent.accept(0)) != INVALID_SOCKET; },
                                  startBound))
                << "run " << i << ": the check did not connect; " << stateTip();
            held.push_back(s);
            ASSERT_TRUE(waitUntil([&] { return stateTipIs("Pellaro: Checking..."); }, stepBound))
                << "run " << i << ": " << stateTip();
        } else {
            ASSERT_TRUE(waitForCheckEnd()) << "run " << i << ": " << stateTip();
        }
        auto icons = programIcons();
        ASSERT_FALSE(icons.empty()) << "run " << i;
        ASSERT_TRUE(TrayStandIn::click(icons[0], WM_RBUTTONUP, screenWidth - 20, screenHeight - 10));
        HWND menu = nullptr;
        ASSERT_TRUE(waitUntil([&] { return (menu = openMenu(nullptr)) != nullptr; }, stepBound))
            << "run " << i << ": the tray menu did not open";
        DMenuEntryShape separator;
        separator.separator = true;
        std::vector<DMenuEntryShape> trayMenu(9);
        trayMenu[1] = separator;
        trayMenu[5] = separator;
        clickMenuItem(menu, trayMenu, 8);
        DWORD code = 1;
        ASSERT_TRUE(pellaro.waitForExit(startBound, &code)) << "run " << i << " did not end";
        ASSERT_EQ(code, 0u) << "run " << i << (duringCheck ? ", during a check," : "")
                            << " ended with code " << std::hex << code;
        ASSERT_EQ(tray.iconsOf(pellaro.pid()).size(), 0u) << "run " << i;
        pellaro.kill();
    }
    for (SOCKET s : held)
        closesocket(s);
    std::printf("%d runs, %d of them during a check, each ended with code 0\n", cycles,
                (cycles + 1) / 2);
}
