// Pellaro's start-up and the teardown after its message loop. start() builds the global
// objects in their fixed order - flags, application object, the six icons, the theme, the
// mailbox list, the dictionary - reads the interface language from the settings file before
// any window exists, creates the hidden main window and loads the settings, which starts
// the first check; run() is the message loop, which ends when the main window is closed;
// finish() releases what start() made, in reverse. The main window's close handler does the
// shutdown proper (saving, stopping checks, removing the tray icons).
//
// A DPellaroStartup owns what it creates: the application object and the theme (only when
// no application object existed yet, as in a test program that has its own), the main
// window object, the mailbox list with its entries and the dictionary. The six icons are
// made once and kept until the process ends.
#pragma once

#include <functional>

#include "foundation/DString.h"
#include "mail/CheckOutcome.h"
#include "mail/ResumeCheck.h"

class DApplication;
class DMainWindow;
class DWorkingThread;
class DXPTheme;

struct DStartupOptions {
    // Where the settings file is read and written; empty: the user's documents folder and
    // the program's own folder.
    DString documents;
    DString program;
    bool customFolders = false;
    int checkPort = 0;          // POP3 port for server fields naming none; 0: 110 or 995
    bool guideOnEmpty = true;   // open the user's guide when no mailbox is configured
    int pollInterval = 1000;    // ms between two looks at a running check's threads
    unsigned timeoutLimit = 300;  // looks before a running check is stopped
    // ms from a wake-up or the network's return to its check
    int resumeDelay = ResumeCheck::delayMs;
    int stopLimit = checkStopLimitMs;  // ms a stop waits for the check's threads
    int silenceLimit = 0;              // ms a server may say nothing; 0: the threads' own
    // Makes each working thread (a test's own kind); empty for the program's.
    std::function<DWorkingThread*()> threadMaker;
};

// Options for a run that keeps its settings file in `folder` (as documents and program
// folder alike), checks port `port` and opens no guide: for tests and measurements.
DStartupOptions startupOptionsIn(const DString& folder, int port);

class DPellaroStartup {
public:
    DPellaroStartup() = default;
    ~DPellaroStartup();
    DPellaroStartup(const DPellaroStartup&) = delete;
    DPellaroStartup& operator=(const DPellaroStartup&) = delete;

    // Start-up up to the first check; false when the main window could not be created.
    bool start(const DStartupOptions& options);
    // The message loop; its exit code.
    int run();
    // Releases everything start() made. Called by the destructor when not called before.
    void finish();

    DMainWindow* mainWindow() const { return window; }

private:
    DApplication* application = nullptr;  // owned when made here
    DXPTheme* theme = nullptr;            // owned when made here
    DMainWindow* window = nullptr;        // owned
    bool started = false;
};

// The whole program: start, message loop, finish. The process's exit code.
int runPellaro();
