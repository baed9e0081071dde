#include "tools/soak/AppSoak.h"

#include <winsock2.h>
#include <windows.h>

#include <string>
#include <vector>

#include "controls/DListView.h"
#include "mail/CheckState.h"
#include "mail/SettingsFile.h"
#include "tools/soak/FaultPop3Server.h"
#include "windows/DMainWindow.h"

namespace {

// The poll timer looks at the threads every 10 ms and stops them after 10 looks: the
// silent servers' checks end every cycle with the check timeout (under a loaded Wine a look
// takes far longer than 10 ms and the slow servers usually answer in time). A check cycle
// that times out keeps the results of the checks that ended; the others read "Terminated!".
const int pollMs = 10;
const unsigned timeoutLooks = 10;
const DWORD cycleLimitMs = 60000;

// Handles messages until `done` or `limit` ms have passed.
template <class Done>
bool pumpUntil(Done done, DWORD limit)
{
    DWORD begin = GetTickCount();
    while (!done()) {
        if (GetTickCount() - begin > limit)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        for (int i = 0; i < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i)
            DispatchMessageA(&msg);
    }
    return true;
}

DString serverText(int port)
{
    return DString(("127.0.0.1:" + std::to_string(port)).c_str());
}

}  // namespace

AppSoak::AppSoak(int dovecotPort, const FaultPop3Server& faults, const DString& folder)
    : dovecotPort(dovecotPort), faults(faults), folder(folder)
{
}

AppSoak::~AppSoak()
{
    if (started)
        startup.finish();
}

bool AppSoak::start()
{
    DSettingsRecord settings;
    settings.intervalIndex = 3;  // the interval never comes round during a soak
    for (const SoakMailbox& box : soakMailboxes(dovecotPort, faults)) {
        DMailboxRecord record;
        record.userName = box.user;
        record.server = serverText(box.port);
        record.password = "secret";
        settings.mailboxes.push_back(record);
    }
    if (!saveSettingsFile(folder, settings))
        return false;
    DStartupOptions options = startupOptionsIn(folder, dovecotPort);
    options.pollInterval = pollMs;
    options.timeoutLimit = timeoutLooks;
    started = startup.start(options);
    return started && pumpUntil([] { return !checkInProgress; }, cycleLimitMs);
}

CycleOutcome AppSoak::run()
{
    CycleOutcome outcome;
    DMainWindow* window = startup.mainWindow();
    window->checkNow();
    outcome.ended = pumpUntil([] { return !checkInProgress; }, cycleLimitMs);
    // Each row must read what its server makes it read, or "Terminated!" for a check the
    // timeout stopped: a counted mailbox "Idle", a failing one its error, never the reverse.
    DListView* list = window->getMailboxList();
    std::vector<SoakMailbox> boxes = soakMailboxes(dovecotPort, faults);
    for (int i = 0; i < list->rowCount() && i < static_cast<int>(boxes.size()); ++i) {
        ++outcome.checks;
        DString status = list->getCell(i, 1);
        bool counted = status == "Idle";
        outcome.ok += counted ? 1 : 0;
        int expected = boxes[static_cast<size_t>(i)].expectedCount;
        bool right = status == "Terminated!" ||
                     (expected >= 0 ? counted && list->getCell(i, 2).length() > 0 : !counted);
        if (!right && outcome.unexpected++ == 0)
            outcome.firstUnexpected = std::string(boxes[static_cast<size_t>(i)].user) + ": \"" +
                                      status.text() + "\"";
    }
    DWORD begin = GetTickCount();
    while (faults.openConnections() > 0 && GetTickCount() - begin < 10000)
        Sleep(5);
    outcome.serverIdle = faults.openConnections() == 0;
    return outcome;
}
