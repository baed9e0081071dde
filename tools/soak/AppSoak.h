// AppSoak: the soak's check cycles run by Pellaro itself. Start-up runs in this process on a
// settings file of twenty mailboxes (the same mix as SoakCycle: a Dovecot, the fault servers
// and a port where nothing listens; each server field names its port), and every cycle is
// the main window's own: "Check Now!", the poll timer, the results in the list, the tray
// icons and the notification box, the silent servers' checks stopped at the check timeout.
// Needs a display.
#pragma once

#include "foundation/DString.h"
#include "tools/soak/SoakCycle.h"
#include "windows/Startup.h"

class AppSoak {
public:
    // `folder` (existing, without a trailing backslash) takes the settings file; `faults`
    // not owned, outlives the object.
    AppSoak(int dovecotPort, const FaultPop3Server& faults, const DString& folder);
    ~AppSoak();
    AppSoak(const AppSoak&) = delete;
    AppSoak& operator=(const AppSoak&) = delete;

    // Writes the settings and starts Pellaro; its first check ends before this returns.
    bool start();
    // One check cycle; `checks` counts the mailboxes, `ok` those counted, `ended` whether
    // the cycle ended within its bound.
    CycleOutcome run();

private:
    int dovecotPort;
    const FaultPop3Server& faults;  // not owned
    DString folder;
    DPellaroStartup startup;
    bool started = false;
};
