// SlowPop3Server: a POP3 server for measurements that waits a fixed time before each answer,
// so that checks spend nearly all their time waiting for replies. Every login succeeds and
// every mailbox holds five messages. One thread per connection; it listens on 127.0.0.1.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <thread>
#include <vector>

class SlowPop3Server {
public:
    SlowPop3Server(int port, int delayMs);
    ~SlowPop3Server();
    bool ok() const { return listening != INVALID_SOCKET; }
    // Serves until `connections` conversations have ended or `limitMs` has passed.
    void serve(int connections, int limitMs);

private:
    void converse(SOCKET client);

    SOCKET listening = INVALID_SOCKET;
    int delayMs;
    std::atomic<int> finished{0};
    std::vector<std::thread> talkers;
};
