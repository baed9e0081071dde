// ResumeCheck: after the computer wakes from sleep, or when the network comes back, mail is
// checked once shortly afterwards instead of at the end of the interval that was running
// when the computer went to sleep. The main window hands it the power broadcasts it gets
// (the WPARAM of WM_POWERBROADCAST) and network events; when it answers true, the window
// starts a one-shot timer of `delayMs` (the network needs a moment after waking), and when
// that timer fires, it asks dueNow() whether to start a check. Windows sends both resume
// broadcasts on one wake-up (automatic, then the one for a present user): one check comes
// of them. A suspend forgets a pending check. Portable, no state beyond one flag.
#pragma once

class ResumeCheck {
public:
    // The power broadcast events, as the system numbers them.
    static const unsigned suspendEvent = 0x4;           // PBT_APMSUSPEND
    static const unsigned resumeSuspendEvent = 0x7;     // PBT_APMRESUMESUSPEND
    static const unsigned resumeAutomaticEvent = 0x12;  // PBT_APMRESUMEAUTOMATIC
    // How long after a wake-up the check starts.
    static const int delayMs = 10000;

    // True when the caller should start the one-shot timer now (a resume, and no check
    // waiting yet); other events give false.
    bool onPowerBroadcast(unsigned event);
    // The network is back (an address came up): like a resume.
    bool onNetworkBack();
    // The timer fired: true when a check should start now - a resume is pending, checks are
    // not disabled and no check is running. Either way the pending resume is used up.
    bool dueNow(bool disabled, bool checkRunning);
    bool isPending() const { return pending; }

private:
    bool pending = false;
};
