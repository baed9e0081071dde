// A child for the held-check tests: Pellaro's start-up in this process on one mailbox whose
// check is held inside a call that does not heed its stop, then Exit from the tray menu
// while it is held. The process must end all the same, by returning from main with the
// thread still held. Exit codes: 0 Exit returned with the check still held, 2 the start-up
// failed, 3 the check never reached its hold, 4 the check was not held any more.
//   held_exit_child <folder for the settings file>
#include <windows.h>

#include <cstdio>

#include "HeldCheck.h"
#include "mail/LoopbackServer.h"
#include "mail/SettingsFile.h"
#include "windows/DMainWindow.h"
#include "windows/Startup.h"

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    DString folder(argv[1]);
    CreateDirectoryA(folder.text(), nullptr);
    // The system accepts the connection into the listener's queue; the hold comes first.
    LoopbackListener listener(8);
    if (!listener.ok())
        return 2;
    DSettingsRecord settings;
    DMailboxRecord box;
    box.userName = "ann";
    box.password = "secret";
    box.server = "127.0.0.1";
    settings.mailboxes.push_back(box);
    if (!saveSettingsFile(folder, settings))
        return 2;
    heldcheck::reset();
    DStartupOptions options = startupOptionsIn(folder, listener.port());
    options.threadMaker = heldcheck::makeHeldThread;
    DPellaroStartup startup;
    if (!startup.start(options))
        return 2;
    DWORD begin = GetTickCount();
    while (heldcheck::entered.load() == 0 && GetTickCount() - begin < 60000) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
    if (heldcheck::entered.load() == 0)
        return 3;
    startup.mainWindow()->onMenuItem(commandExit);
    startup.run();
    startup.finish();
    if (heldcheck::destroyed.load() != 0)
        return 4;
    std::printf("Exit returned with the check still held\n");
    std::fflush(stdout);
    return 0;
}
