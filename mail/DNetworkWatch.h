// DNetworkWatch: tells a window when the network comes back. It asks the system to report
// every IP address that comes up on an adapter other than loopback (a cable plugged in, a
// wireless network joined, a connection made again after sleep) and posts `message` to
// the window `target` for each; the window turns any number of them into one check. No
// thread of its own and no timer: the system calls back only when an address appears, so
// the watch costs nothing while the network stays as it is.
// The window handle is not owned; the system registration is, and stop() (or the
// destructor) ends it, waiting for a report in progress, so no report arrives after it.
#pragma once

class DNetworkWatch {
public:
    // `target` is an HWND; `message` is posted with wParam and lParam 0.
    DNetworkWatch(void* target, unsigned message);
    ~DNetworkWatch();
    DNetworkWatch(const DNetworkWatch&) = delete;
    DNetworkWatch& operator=(const DNetworkWatch&) = delete;

    // False when the system would not take the registration (the watch stays off).
    bool start();
    void stop();
    bool isWatching() const { return watching; }

    // Whether an address report counts as the network coming back: a new address (not a
    // change or removal of one) on an interface that is not loopback. Numbers as the
    // system gives them (MIB_NOTIFICATION_TYPE, the interface type of the address's LUID).
    static bool isNetworkBack(int notificationType, unsigned long interfaceType);

private:
    friend struct DNetworkWatchReport;

    void* target;                  // not owned (HWND)
    unsigned message;
    void* registration = nullptr;  // owned system notification handle; may be null on success
    bool watching = false;
};
