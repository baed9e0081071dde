// The fixture of the end-to-end tests: Pellaro.exe started as a separate process under Wine
// from a folder of the test's own, a stand-in notification area that records its tray icons
// and clicks them, the settings file in the Wine user's documents folder, and waits bounded
// generously (starting a Wine process and a POP3 round trip each take seconds on a loaded
// machine) that end as soon as their condition holds.
//
// Environment: PELLARO_E2E_PROGRAM, the program's path (a Unix path of the build tree, or a
// Windows path); PELLARO_E2E_SERVER, the loopback address of the Dovecot whose users
// "empty", "one" and "three" hold 0, 1 and 3 messages (password "secret").
#pragma once

#include "ProgramUnderTest.h"
#include "TrayStandIn.h"

#include "controls/MenuGeometry.h"
#include "foundation/DFileStreamReader.h"
#include "framework/SystemUtils.h"
#include "mail/SettingsCodec.h"
#include "mail/SettingsFile.h"
#include "mail/SettingsFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace e2e {

// Generous bounds: starting a Wine process and a POP3 round trip each take seconds on a
// loaded machine. Waits end as soon as their condition holds.
const int startBound = 60000;
const int checkBound = 90000;
const int stepBound = 20000;

inline std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// A Unix path of the build tree as Wine's drive Z: shows it.
inline std::string windowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

inline std::string currentFolder()
{
    char buffer[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

inline void removeFile(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

inline DMailboxRecord mailbox(const std::string& user, const std::string& server,
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

    // The settings file holds exactly one mailbox: `user` on the test's server with
    // `password` and `seen` messages known.
    void expectOneSavedMailbox(const char* user, const char* password, int seen)
    {
        DSettingsRecord saved;
        ASSERT_TRUE(readSettingsBack(saved));
        ASSERT_EQ(saved.mailboxes.size(), 1u);
        EXPECT_STREQ(saved.mailboxes[0].server.text(), server.c_str());
        EXPECT_STREQ(saved.mailboxes[0].userName.text(), user);
        EXPECT_STREQ(saved.mailboxes[0].password.text(), password);
        EXPECT_EQ(saved.mailboxes[0].seenCount, seen);
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

}  // namespace e2e
