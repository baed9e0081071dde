// Loopback servers for the mail tests: a plain listener on 127.0.0.1 with a port of the
// system's choosing, and a scripted server that plays one conversation per accepted
// connection on a thread of its own and records every byte the client sent. Win32 only.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The sockets library for the test's own sockets: the process's one use of it, shared with
// the connections under test and never shut down (a shutdown would close their sockets).
class WinsockSession {
public:
    WinsockSession();
    bool ok() const { return started; }

private:
    bool started = false;
};

// A listening socket on 127.0.0.1, or on another numeric loopback address (IPv4 or IPv6)
// and a given port (0 for one of the system's choosing).
class LoopbackListener {
public:
    explicit LoopbackListener(int backlog = 8);
    LoopbackListener(const char* address, int port, int backlog = 8);
    ~LoopbackListener();
    bool ok() const { return listening != INVALID_SOCKET; }
    int port() const { return boundPort; }
    // The next connection, or INVALID_SOCKET when none came within the time.
    SOCKET accept(int milliseconds);
    void close();

    // The address listened on, with its port.
    const sockaddr_storage& address() const { return bound; }

private:
    void open(const char* address, int port, int backlog);

    WinsockSession session;
    SOCKET listening = INVALID_SOCKET;
    int boundPort = 0;
    sockaddr_storage bound;
};

// A numeric address (IPv4 or IPv6) with a port; family AF_UNSPEC when the text is none.
sockaddr_storage numericAddress(const char* address, int port);

// A port on 127.0.0.1 where nothing listens (it was bound and released again).
int closedLoopbackPort();

// Connects to the listener, without it accepting, until its queue of waiting connections is
// full and a further connect would hang (the system then drops the requests and the client
// retries for minutes). Returns the sockets holding the queue; empty when that failed.
std::vector<SOCKET> fillListenerQueue(const LoopbackListener& listener);
void closeAll(const std::vector<SOCKET>& sockets);

// Receives until `text` has come in full, or the time runs out, or the peer closes.
std::string receiveUntil(SOCKET socket, const std::string& text, int milliseconds);
// Sends all of `text`; false on an error.
bool sendAll(SOCKET socket, const std::string& text);

// One step of a server script.
struct ScriptStep {
    enum Kind {
        Say,        // send the text in one piece
        Drip,       // send the text one byte per send, with a short pause between bytes
        AwaitLine,  // receive until the client has sent one more line (LF)
        Close,      // close the connection at once
        Silent,     // say nothing until the client closes the connection (or the server stops)
        Pause,      // wait `milliseconds`, recording what the client sends meanwhile
        Mark        // put the text into the record of received bytes, to show the order
    };
    Kind kind;
    std::string text;
    int milliseconds = 0;
};

ScriptStep say(const std::string& text);
ScriptStep drip(const std::string& text);
ScriptStep awaitLine();
ScriptStep closeNow();
ScriptStep silent();
ScriptStep pause(int milliseconds);
ScriptStep mark(const std::string& text);

// Plays its script to the first client; after the last step it keeps receiving until the
// client closes or a few seconds pass, so everything the client sent is recorded.
class ScriptedServer {
public:
    explicit ScriptedServer(std::vector<ScriptStep> script);
    // Listens on a numeric loopback address other than 127.0.0.1 (such as "::1"), on a
    // given port or (0) one of the system's choosing.
    ScriptedServer(const char* address, std::vector<ScriptStep> script, int port = 0);
    ~ScriptedServer();
    int port() const { return listener.port(); }
    bool ok() const { return listener.ok(); }
    // Waits until the conversation is over; then received() is complete.
    void join();
    std::string received();
    bool accepted() const { return acceptedConnection.load(); }
    bool clientClosed() const { return peerClosed.load(); }

private:
    void serve();
    bool step(SOCKET client, const ScriptStep& step);
    // Receives what is there within the time into the record; false once the client closed.
    bool record(SOCKET client, int milliseconds);

    LoopbackListener listener;
    std::vector<ScriptStep> script;
    std::mutex receivedLock;
    std::string bytes;
    std::atomic<bool> stopping{false};
    std::atomic<bool> acceptedConnection{false};
    std::atomic<bool> peerClosed{false};
    std::thread worker;
};
