// Pellaro.exe run as a separate process under Wine, driven from outside as a user would,
// against a real POP3 server (Dovecot on port 110 of a loopback address of its own). The
// test checks what a user sees - the tray icons and tooltips (through a stand-in
// notification area), the windows and the notification box - and what lands on disk.
//
// Environment: PELLARO_E2E_PROGRAM, the program's path (a Unix path of the build tree, or a
// Windows path); PELLARO_E2E_SERVER, the loopback address of the Dovecot whose users
// "empty", "one" and "three" hold 0, 1 and 3 messages (password "secret").
#include "ProgramUnderTest.h"
#include "TrayStandIn.h"

#include "controls/MenuGeometry.h"
#include "foundation/DFileStreamReader.h"
#include "framework/SystemUtils.h"
#include "mail/DictionaryTexts.h"
#include "mail/LoopbackServer.h"
#include "mail/SettingsCodec.h"
#include "mail/SettingsFile.h"
#include "mail/SettingsFolder.h"
#include "windows/MailboxForm.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Generous bounds: starting a Wine process and a POP3 round trip each take seconds on a
// loaded machine. Waits end as soon as their condition holds.
const int startBound = 60000;
const int checkBound = 90000;
const int stepBound = 20000;

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// A Unix path of the build tree as Wine's drive Z: shows it.
std::string windowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string currentFolder()
{
    char buffer[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

void removeFile(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

DMailboxRecord mailbox(const std::string& user, const std::string& server,
                       const std::string& password, int seen)
{
    DMailboxRecord r;
    r.userName = DString(user.c_str());
    r.server = DString(server.c_str());
    r.password = DString(password.c_str());
    r.seenCount = seen;
    return r;
}

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        program = windowsPath(environment("PELLARO_E2E_PROGRAM"));
        server = environment("PELLARO_E2E_SERVER");
        ASSERT_FALSE(program.empty()) << "PELLARO_E2E_PROGRAM is not set";
        ASSERT_NE(GetFileAttributesA(program.c_str()), INVALID_FILE_ATTRIBUTES)
            << "no program at " << program;
        ASSERT_FALSE(server.empty()) << "PELLARO_E2E_SERVER is not set";
        ASSERT_TRUE(tray.create()) << "the stand-in notification area is not the one "
                                      "Shell_NotifyIcon finds";
        documents = documentsFolder().text();
        ASSERT_FALSE(documents.empty());
        CreateDirectoryA(documents.c_str(), nullptr);
        settingsFile = documents + "\\.Pellaro.ini";
        removeFile(settingsFile);
        programFolder = currentFolder() + "\\e2e-program";
        removeFile(programFolder + "\\.Pellaro.ini");
        screenWidth = GetSystemMetrics(SM_CXSCREEN);
        screenHeight = GetSystemMetrics(SM_CYSCREEN);
    }

    void TearDown() override
    {
        pellaro.kill();
        removeFile(settingsFile);
    }

    void writeSettings(const DSettingsRecord& settings)
    {
        ASSERT_TRUE(saveSettingsFile(DString(documents.c_str()), settings));
    }

    bool readSettingsBack(DSettingsRecord& settings)
    {
        // A program folder that holds no file: only the documents folder's file counts.
        return loadSettingsFile(DString(documents.c_str()),
                                DString((programFolder + "\\none\\").c_str()), settings);
    }

    void startPellaro()
    {
        ASSERT_TRUE(pellaro.start(program, programFolder)) << "cannot start " << program;
    }

    // The program's tray icons: the permanent state icon first, then the envelope when
    // there is one. A re-added envelope may come before the state icon in the notification
    // area; the state icon is the one whose tooltip begins with the untranslated "Pellaro: ".
    std::vector<TrayIconRecord> programIcons() const
    {
        std::vector<TrayIconRecord> icons = tray.iconsOf(pellaro.pid());
        if (icons.size() == 2 && icons[1].tip.rfind("Pellaro: ", 0) == 0)
            std::swap(icons[0], icons[1]);
        return icons;
    }
    // Waits until the program shows both icons and the envelope has its tooltip.
    bool waitForEnvelope(std::vector<TrayIconRecord>& icons)
    {
        return waitUntil([&] {
            icons = programIcons();
            return icons.size() == 2 && !icons[1].tip.empty();
        }, stepBound);
    }
    // The current tooltip of the program's permanent tray icon.
    std::string stateTip() const
    {
        auto icons = programIcons();
        return icons.empty() ? std::string("<no icon>") : icons[0].tip;
    }
    bool stateTipIs(const std::string& tip) const { return stateTip() == tip; }
    bool tipSeen(const std::string& tip) const
    {
        for (const std::string& t : tray.tipsOf(pellaro.pid()))
            if (t == tip)
                return true;
        return false;
    }
    // Waits until a check has run: its tooltip was shown and another one has followed.
    bool waitForCheckEnd()
    {
        return waitUntil(
            [this] { return tipSeen("Pellaro: Checking...") && !stateTipIs("Pellaro: Checking..."); },
            checkBound);
    }

    // The visible topmost frameless window whose title is `text`, none when there is none.
    HWND popupWithText(const std::string& text) const
    {
        for (const ProgramWindow& w : pellaro.visiblePopups())
            if (w.title == text)
                return w.handle;
        return nullptr;
    }
    // A popup menu that is open now: a visible topmost frameless window other than `except`.
    HWND openMenu(HWND except) const
    {
        for (const ProgramWindow& w : pellaro.visiblePopups())
            if (w.handle != except && w.title.empty())
                return w.handle;
        return nullptr;
    }
    // Clicks item `index` of an open menu made of `shapes`: the item's band comes from the
    // menus' own geometry, the line height from the menu's height.
    void clickMenuItem(HWND menu, std::vector<DMenuEntryShape> shapes, int index)
    {
        SIZE size = clientSize(menu);
        int lineHeight = 20;
        for (int candidate = 20; candidate < 200; candidate++)
            if (layoutMenu(shapes, candidate).height == size.cy)
                lineHeight = candidate;
        DMenuLayout layout = layoutMenu(shapes, lineHeight);
        ASSERT_EQ(layout.height, size.cy) << "the menu is not the one expected";
        int y = menuItemY(layout, index) + layout.heights[index] / 2 + 2;
        clickAt(menu, size.cx / 2, y);
    }

    // "Exit" through the main window's own button: the tray icon's left click shows the
    // window, the button sits at the bottom right of its client area.
    void exitThroughMainWindow()
    {
        auto icons = programIcons();
        ASSERT_FALSE(icons.empty());
        HWND main = pellaro.visibleWindow("Pellaro");
        if (!main) {
            ASSERT_TRUE(TrayStandIn::click(icons[0], WM_LBUTTONUP, screenWidth - 20, screenHeight - 10));
            ASSERT_TRUE(waitUntil([&] { return (main = pellaro.visibleWindow("Pellaro")) != nullptr; },
                                  stepBound));
        }
        SIZE size = clientSize(main);
        ASSERT_EQ(size.cx, 400);
        ASSERT_EQ(size.cy, 450);
        clickAt(main, size.cx - 50, size.cy - 22);
    }

    // Types into the focused control of `window`, one key per character, as the keyboard
    // does; only characters typed without Shift.
    void typeInto(HWND window, const std::string& text)
    {
        for (char c : text) {
            SHORT key = VkKeyScanA(c);
            ASSERT_TRUE(key != -1 && !(key & 0x100)) << "no plain key types '" << c << "'";
            pressKey(window, key & 0xFF);
        }
    }

    void expectExitWithSettingsSaved()
    {
        DWORD code = 1;
        ASSERT_TRUE(pellaro.waitForExit(stepBound, &code)) << "Pellaro did not end";
        EXPECT_EQ(code, 0u);
        EXPECT_EQ(tray.iconsOf(pellaro.pid()).size(), 0u) << "a tray icon was left behind";
        EXPECT_EQ(GetFileAttributesA(settingsFile.c_str()),
                  static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    }

    std::string program;
    std::string server;
    std::string documents;
    std::string settingsFile;
    std::string programFolder;
    int screenWidth = 0;
    int screenHeight = 0;
    TrayStandIn tray;
    ProgramUnderTest pellaro;
};

}  // namespace

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
    DSettingsRecord saved;
    ASSERT_TRUE(readSettingsBack(saved));
    ASSERT_EQ(saved.mailboxes.size(), 1u);
    EXPECT_STREQ(saved.mailboxes[0].server.text(), server.c_str());
    EXPECT_STREQ(saved.mailboxes[0].userName.text(), "three");
    EXPECT_STREQ(saved.mailboxes[0].password.text(), "secret");
    EXPECT_EQ(saved.mailboxes[0].seenCount, 0);

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
    ASSERT_TRUE(readSettingsBack(saved));
    ASSERT_EQ(saved.mailboxes.size(), 1u);
    EXPECT_EQ(saved.mailboxes[0].seenCount, 0);  // announced, not acknowledged
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
}
