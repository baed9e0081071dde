#include "mail/SocketLibrary.h"

#include <winsock2.h>

bool startSocketLibrary()
{
    // A function-local static is started exactly once, even when the first calls come from
    // several threads together.
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}
