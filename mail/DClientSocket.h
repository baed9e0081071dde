// DClientSocket: a small TCP client over IPv4 on Windows sockets. It resolves a host,
// connects, sends and receives raw bytes and can tell whether bytes are waiting; it knows
// nothing of lines or of POP3. Every connection brings up the sockets library for itself and
// shuts it down again when it closes - also when the connect fails half-way.
//
// Connecting can be abandoned at any moment through an optional stop flag (not owned): the
// name lookup runs on a small helper thread of its own that is left behind when the flag
// rises, and the connect itself is waited for in short slices that look at the flag. Once
// connected the socket is blocking again; waitReadable bounds each wait for data.
// Defaults: host "127.0.0.1", port 8080, TCP_NODELAY off.
#pragma once

#include <winsock2.h>

#include <atomic>

#include "foundation/DString.h"
#include "mail/DByteChannel.h"

// Owns one socket handle and closes it when destroyed or reset.
class DSocketHandle {
public:
    DSocketHandle() = default;
    ~DSocketHandle() { close(); }
    DSocketHandle(const DSocketHandle&) = delete;
    DSocketHandle& operator=(const DSocketHandle&) = delete;

    SOCKET get() const { return value; }
    bool isValid() const { return value != INVALID_SOCKET; }
    void reset(SOCKET socket) { close(); value = socket; }
    void close();

private:
    SOCKET value = INVALID_SOCKET;
};

// One start-up of the sockets library, shut down again when stopped or destroyed.
class DWinsockUse {
public:
    DWinsockUse() = default;
    ~DWinsockUse() { stop(); }
    DWinsockUse(const DWinsockUse&) = delete;
    DWinsockUse& operator=(const DWinsockUse&) = delete;

    bool start();  // asks for version 2.2; true when the library is up for this user
    void stop();
    bool isStarted() const { return started; }

private:
    bool started = false;
};

class DClientSocket : public DByteChannel {
public:
    DClientSocket();
    ~DClientSocket() override;
    DClientSocket(const DClientSocket&) = delete;
    DClientSocket& operator=(const DClientSocket&) = delete;

    // Both close an open connection first.
    void setHost(DString host);
    void setPort(int port);
    DString getHost() const { return host; }
    int getPort() const { return port; }

    // True connects when not connected; false closes when connected.
    void setActive(bool active);
    bool isConnected() const { return connected; }

    // While connecting, a raised flag abandons the lookup or the connect (not owned; null
    // for none). The flag must outlive every connect made while it is set.
    void setStopFlag(const std::atomic<bool>* flag) { stopFlag = flag; }

    int send(const void* data, int length) override;
    int receive(char* buffer, int capacity) override;
    // Whether a receive would not block right now; false when not connected.
    bool canRead();
    bool waitReadable(int milliseconds) override;

private:
    bool connect();
    void close();
    bool resolve(unsigned long* networkAddress);
    bool waitForConnect();
    bool stopRequested() const;

    sockaddr_in address;
    DSocketHandle handle;
    DWinsockUse library;
    DString host;
    int port = 8080;
    bool connected = false;
    bool noDelay = false;
    const std::atomic<bool>* stopFlag = nullptr;  // not owned
};
