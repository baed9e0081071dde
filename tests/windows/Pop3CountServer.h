// A POP3 server for the main window's tests, on 127.0.0.1 with a port of the system's
// choosing: it answers any number of connections at once (each on a thread of its own) with
// a message count per user that the test sets and changes between checks. A user it does
// not know fails the login; a user marked slow gets no answer after its USER line, so its
// check runs until it is stopped. Win32 only.
#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "mail/LoopbackServer.h"

class Pop3CountServer {
public:
    Pop3CountServer();
    ~Pop3CountServer();
    Pop3CountServer(const Pop3CountServer&) = delete;
    Pop3CountServer& operator=(const Pop3CountServer&) = delete;

    bool ok() const { return listener.ok(); }
    int port() const { return listener.port(); }
    void setCount(const std::string& user, int count);
    void setSlow(const std::string& user);
    // Connections accepted so far, and those whose client has gone again.
    int accepted() const { return acceptedCount.load(); }
    int finished() const { return finishedCount.load(); }

private:
    void acceptLoop();
    void serve(SOCKET client);
    // One line from the client, without its line end; false once it closed or we stop.
    bool readLine(SOCKET client, std::string& pending, std::string& line);

    LoopbackListener listener;
    std::mutex lock;  // guards counts, slow and connections
    std::map<std::string, int> counts;
    std::map<std::string, bool> slow;
    std::vector<std::thread> connections;
    std::atomic<bool> stopping{false};
    std::atomic<int> acceptedCount{0};
    std::atomic<int> finishedCount{0};
    std::thread acceptor;
};
