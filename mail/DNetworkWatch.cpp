#include "mail/DNetworkWatch.h"

#include <winsock2.h>
#include <ws2ipdef.h>
#include <windows.h>
#include <iphlpapi.h>
#include <netioapi.h>

struct DNetworkWatchReport {
    // Runs on a thread of the system's: it only posts, and PostMessage is safe from any
    // thread.
    static void WINAPI addressChanged(PVOID context, PMIB_UNICASTIPADDRESS_ROW row,
                                      MIB_NOTIFICATION_TYPE kind)
    {
        auto* watch = static_cast<DNetworkWatch*>(context);
        if (!watch || !row)
            return;
        if (DNetworkWatch::isNetworkBack(static_cast<int>(kind),
                                         static_cast<unsigned long>(row->InterfaceLuid.Info.IfType)))
            PostMessageA(static_cast<HWND>(watch->target), watch->message, 0, 0);
    }
};

DNetworkWatch::DNetworkWatch(void* window, unsigned posted) : target(window), message(posted)
{
}

DNetworkWatch::~DNetworkWatch()
{
    stop();
}

bool DNetworkWatch::start()
{
    if (watching)
        return true;
    HANDLE made = nullptr;
    // No initial report: the addresses present now are not a return of the network.
    if (NotifyUnicastIpAddressChange(AF_UNSPEC, &DNetworkWatchReport::addressChanged, this,
                                     FALSE, &made) != NO_ERROR)
        return false;
    registration = made;
    watching = true;
    return true;
}

void DNetworkWatch::stop()
{
    if (!watching)
        return;
    // Returns once a report in progress has finished: none reaches this object afterwards.
    if (registration)
        CancelMibChangeNotify2(static_cast<HANDLE>(registration));
    registration = nullptr;
    watching = false;
}

bool DNetworkWatch::isNetworkBack(int notificationType, unsigned long interfaceType)
{
    return notificationType == MibAddInstance && interfaceType != IF_TYPE_SOFTWARE_LOOPBACK;
}
