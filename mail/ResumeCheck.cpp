#include "mail/ResumeCheck.h"

bool ResumeCheck::onPowerBroadcast(unsigned event)
{
    if (event == suspendEvent) {
        pending = false;
        return false;
    }
    if (event == resumeSuspendEvent || event == resumeAutomaticEvent)
        return onNetworkBack();
    return false;
}

bool ResumeCheck::onNetworkBack()
{
    if (pending)
        return false;
    pending = true;
    return true;
}

bool ResumeCheck::dueNow(bool disabled, bool checkRunning)
{
    if (!pending)
        return false;
    pending = false;
    // A running check already brings fresh counts; a disabled program checks nothing.
    return !disabled && !checkRunning;
}
