#include "MainWindowFixture.h"

#include <windows.h>

#include "controls/DListView.h"
#include "framework/WindowTestKit.h"
#include "mail/CheckState.h"
#include "mail/SettingsFile.h"
#include "windows/DNotificationBox.h"
#include "windows/DTrayIcon.h"

namespace maintest {

std::string text(const DString& s)
{
    return s.text();
}

namespace {

// A fresh folder under the temporary folder, ending without a backslash.
DString freshFolder()
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static int serial = 0;
    for (;;) {
        char path[MAX_PATH + 64];
        wsprintfA(path, "%spellaro-main-%lu-%d", base, GetCurrentProcessId(), ++serial);
        if (CreateDirectoryA(path, nullptr))
            return DString(path);
    }
}

void removeFolder(const DString& folder)
{
    const char* names[] = {"\\.Pellaro.ini", "\\.Pellaro.ini.new"};
    for (const char* name : names) {
        DString path = folder + name;
        SetFileAttributesA(path.text(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.text());
    }
    // Leftovers of an interrupted save carry other names: remove whatever is there.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").text(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DString path = folder + "\\" + found.cFileName;
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                SetFileAttributesA(path.text(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.text());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.text());
}

}  // namespace

void PellaroRun::SetUp()
{
    windowtest::releaseKeys();
    windowtest::parkPointer();
    folder = freshFolder();
}

void PellaroRun::TearDown()
{
    startup.finish();
    windowtest::pumpMessages();
    removeFolder(folder);
}

DMailboxRecord PellaroRun::box(const char* user, const char* password, int seenCount)
{
    DMailboxRecord record;
    record.userName = user;
    record.server = "127.0.0.1";
    record.password = password;
    record.seenCount = seenCount;
    return record;
}

void PellaroRun::writeSettings(const DSettingsRecord& settings)
{
    ASSERT_TRUE(saveSettingsFile(folder, settings));
}

DMainWindow* PellaroRun::start(int port, unsigned timeoutLimit)
{
    DStartupOptions options = startupOptionsIn(folder, port);
    options.pollInterval = 50;
    options.timeoutLimit = timeoutLimit;
    options.resumeDelay = 50;
    if (adjustOptions)
        adjustOptions(options);
    EXPECT_TRUE(startup.start(options));
    window = startup.mainWindow();
    return window;
}

void PellaroRun::startChecked(const DSettingsRecord& settings, int port)
{
    writeSettings(settings);
    start(port);
    ASSERT_TRUE(waitForCheckEnd());
}

bool PellaroRun::waitForCheckEnd(int milliseconds)
{
    return windowtest::pumpUntil([] { return !checkInProgress; }, milliseconds);
}

bool PellaroRun::checkAgain()
{
    window->checkNow();
    return waitForCheckEnd();
}

std::string PellaroRun::cell(int row, int column) const
{
    return text(window->getMailboxList()->getCell(row, column));
}

std::string PellaroRun::tooltip() const
{
    return text(window->getStateTrayIcon()->getTip());
}

DIcon* PellaroRun::stateIcon() const
{
    return window->getStateTrayIcon()->getIcon();
}

DIcon* PellaroRun::envelopeIcon() const
{
    DTrayIcon* envelope = window->getMailTrayIcon();
    return envelope ? envelope->getIcon() : nullptr;
}

bool PellaroRun::boxShown() const
{
    DNotificationBox* box = window->getNotificationBox();
    return box && box->getHandle() && IsWindowVisible(box->getHandle());
}

DSettingsRecord PellaroRun::settingsOnDisk() const
{
    DSettingsRecord settings;
    EXPECT_TRUE(loadSettingsFile(folder, folder + "\\", settings));
    return settings;
}

}  // namespace maintest
