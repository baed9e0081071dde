// SoakCycle: one mail check cycle of twenty mailboxes the way the program runs one - a
// working thread per mailbox in a thread manager, all started together, polled until the
// answering servers are done, the rest stopped, every thread destroyed - against a Dovecot
// and the fault servers of FaultPop3Server, and the process's resource figures between
// cycles. The soak benchmark and the soak test run many cycles in one process and watch the
// figures for growth.
#pragma once

#include <string>
#include <vector>

class FaultPop3Server;

// What the system counts for this process. Where the system keeps no count (Wine), GDI
// objects are what the process's capacity to make more has lost since the first
// measurement, USER objects are its windows, and handles and private memory are counted by
// hand (SoakCycle.cpp).
struct ResourceFigures {
    long gdiObjects = 0;
    long userObjects = 0;
    long handles = 0;
    long threads = 0;
    double privateMiB = 0;  // private (committed, unshared) memory
    double heapMiB = 0;     // in use in the process's heaps (blocks handed out, not free)
};

ResourceFigures measureResources();
std::string describe(const ResourceFigures& figures);

// One mailbox of the soak's mix: where its server listens, the user name, and the count
// its check must give (-1: the check must fail; -2: a silent server, the check is stopped).
struct SoakMailbox {
    int port;
    const char* user;
    int expectedCount;
};

// The twenty mailboxes: ten on the Dovecot at `dovecotPort` (users "empty", "one", "three"
// and "many", password "secret"), two on each fault server and two on a port where nothing
// listens.
std::vector<SoakMailbox> soakMailboxes(int dovecotPort, const FaultPop3Server& faults);

struct CycleOutcome {
    int checks = 0;
    int ok = 0;           // checks that counted their mailbox
    int unexpected = 0;   // checks whose outcome is not what their server makes
    std::string firstUnexpected;
    bool ended = true;    // every answering server's check ended within the cycle's limit
    bool serverIdle = true;  // the fault servers saw every connection closed afterwards
};

class SoakCycle {
public:
    static constexpr int mailboxes = 20;

    // `dovecotPort` on 127.0.0.1 with the test users "empty", "one", "three" and "many"
    // (password "secret"); `faults` not owned, outlives the object.
    SoakCycle(int dovecotPort, const FaultPop3Server& faults);
    CycleOutcome run();

private:
    std::vector<SoakMailbox> boxes;
    const FaultPop3Server& faults;  // not owned
};
