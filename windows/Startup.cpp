#include "windows/Startup.h"

#include "framework/DApplication.h"
#include "framework/DXPTheme.h"
#include "graphics/BuiltInImages.h"
#include "mail/CheckState.h"
#include "mail/DMailboxEntry.h"
#include "mail/DictionaryTexts.h"
#include "mail/Mailboxes.h"
#include "mail/SettingsFile.h"
#include "windows/DMainWindow.h"

DStartupOptions startupOptionsIn(const DString& folder, int port)
{
    DStartupOptions options;
    options.documents = folder;
    options.program = folder + "\\";
    options.customFolders = true;
    options.checkPort = port;
    options.guideOnEmpty = false;
    return options;
}

DPellaroStartup::~DPellaroStartup()
{
    finish();
}

bool DPellaroStartup::start(const DStartupOptions& options)
{
    if (started)
        return window != nullptr;
    started = true;
    resetCheckState();
    mailboxesLocked = false;
    if (!DApplication::isInitialized()) {
        application = new DApplication;
    }
    // The six icons live until the process ends; a second start-up in the same process
    // (the tests) keeps the ones it finds.
    if (!idleIcon)
        buildBuiltInImages();
    if (application) {
        theme = new DXPTheme;
        application->setTheme(theme);
    }
    mailboxes = new DList;
    dictionary = new DPellaroDictionary;
    fillDictionary(*dictionary);

    // The language comes before any window: every text is translated as its control is made.
    hungarian = options.customFolders ? readStartupLanguage(options.documents, options.program)
                                      : readStartupLanguage();
    dictionary->setLanguage(hungarian ? 1 : 0);

    window = new DMainWindow;
    if (options.customFolders)
        window->setSettingsFolders(options.documents, options.program);
    window->setCheckPort(options.checkPort);
    window->setGuideOnEmpty(options.guideOnEmpty);
    window->setPollInterval(options.pollInterval);
    window->setTimeoutLimit(options.timeoutLimit);
    window->setResumeDelay(options.resumeDelay);
    window->setStopLimit(options.stopLimit);
    window->setSilenceLimit(options.silenceLimit);
    window->setThreadMaker(options.threadMaker);
    if (!window->create(nullptr, 0, 0, DMainWindow::clientWidth, DMainWindow::clientHeight,
                        DString("Pellaro"), 0)) {
        delete window;
        window = nullptr;
        return false;
    }
    window->setIcon(appIcon);
    window->setSmallIcon(appIcon);
    window->setSmallIcon(idleIcon);
    window->center();
    window->loadSettings();
    return true;
}

int DPellaroStartup::run()
{
    return DApplication::messageLoop(nullptr);
}

void DPellaroStartup::finish()
{
    if (!started)
        return;
    started = false;
    // The main window's close handler has stopped every check; a window still open (start-up
    // failed half-way, or a test ends without Exit) is closed here the same way.
    if (window && window->getHandle())
        window->close();
    delete window;
    window = nullptr;
    if (application) {
        application->setTheme(nullptr);
        delete application;
        application = nullptr;
    }
    delete theme;
    theme = nullptr;
    delete dictionary;
    dictionary = nullptr;
    if (mailboxes) {
        for (int i = 0; i < mailboxes->count(); i++)
            delete static_cast<DMailboxEntry*>(mailboxes->get(i));
        delete mailboxes;
        mailboxes = nullptr;
    }
}

int runPellaro()
{
    DPellaroStartup startup;
    if (!startup.start(DStartupOptions()))
        return 1;
    int code = startup.run();
    startup.finish();
    return code;
}
