// FaultPop3Server: POP3 servers on 127.0.0.1 that misbehave the way real ones sometimes do,
// for the soak run: one listening port per fault, all served by one thread of their own
// with non-blocking sockets (so the number of threads does not change with the number of
// connections, and what the soak counts is the client's).
//   Slow      every answer, the greeting included, only after a delay; a good conversation
//   Silent    accepts and never says anything
//   Dropped   greets, then closes the connection when the user name arrives
//   OverLong  a greeting and a STAT reply far longer than a line may be, then a good end
// Every login is accepted; a counted mailbox holds two messages.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

class FaultPop3Server {
public:
    enum Fault { Slow, Silent, Dropped, OverLong, faultCount };

    explicit FaultPop3Server(int slowDelayMs);
    ~FaultPop3Server();  // stops the thread and closes every socket
    FaultPop3Server(const FaultPop3Server&) = delete;
    FaultPop3Server& operator=(const FaultPop3Server&) = delete;

    bool ok() const { return started; }
    int port(Fault fault) const { return ports[fault]; }
    // Connections accepted and not yet closed by either side.
    int openConnections() const { return open.load(); }

private:
    struct Connection {
        SOCKET socket;
        Fault fault;
        std::string in;       // bytes received, not yet a whole line
        std::string out;      // bytes to send
        long long sendAt;     // tick count from which `out` may go (slow answers)
        int lines = 0;        // command lines answered
        bool closeAfterSend = false;
    };

    void serve();
    void answer(Connection& c, const std::string& line);
    bool pump(Connection& c, long long now);  // false when the connection is over

    SOCKET listeners[faultCount];
    int ports[faultCount] = {};
    int slowDelayMs;
    bool started = false;
    std::atomic<bool> stop{false};
    std::atomic<int> open{0};
    std::vector<Connection> connections;  // only the serving thread touches it
    std::thread server;
};
