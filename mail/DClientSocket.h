// DClientSocket: a small TCP client over IPv4 and IPv6 on Windows sockets. It resolves a
// host to all of its addresses, connects to the first of them that answers, sends and
// receives raw bytes and can tell whether bytes are waiting; it knows nothing of lines or of
// POP3. The sockets library is the process's one use of it (SocketLibrary.h), started by
// the first connect and never shut down by a connection.
//
// Waits can be abandoned at any moment. The owner of the socket may give it a stop event (a
// manual-reset event handle, not owned, such as DThread::stopEvent()): the name lookup (run
// on a small helper thread of its own, left behind on a stop), the connect and waitReadable
// then wait on the system's signal and on that event together, so they sleep without limit
// slices and return as soon as the event is set. Callers without an event may give a stop
// flag (not owned) instead: the lookup and the connect then look at it every 50 ms.
// A numeric address (dotted IPv4 or IPv6) needs no lookup and no helper thread. The
// addresses of a name are tried in the order the resolver gives them, each connect bounded
// by the connect limit, so an address that swallows the request does not hide the next.
// Once connected the socket stays non-blocking and reports its network events through its
// event object; send and receive still behave as blocking calls (they wait while nothing can
// go or come), except that the stop event ends their wait too.
// Owns its socket handle and the event that reports the socket's network events.
// Defaults: host "127.0.0.1", port 8080, TCP_NODELAY off, 10 s per address.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <vector>

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

// Owns one event object of the sockets library (a WSAEVENT), none until made.
class DNetworkEvent {
public:
    DNetworkEvent() = default;
    ~DNetworkEvent() { close(); }
    DNetworkEvent(const DNetworkEvent&) = delete;
    DNetworkEvent& operator=(const DNetworkEvent&) = delete;

    bool make();  // true when an event exists afterwards
    WSAEVENT get() const { return value; }
    void close();

private:
    WSAEVENT value = WSA_INVALID_EVENT;
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

    // The next connect sends each piece at once rather than gathering small ones (Nagle).
    void setNoDelay(bool value) { noDelay = value; }
    bool getNoDelay() const { return noDelay; }
    // How long one address may take to accept the connection before the next is tried
    // (milliseconds; 0 or less for as long as the system tries).
    void setConnectLimit(int milliseconds) { connectLimitMs = milliseconds; }
    // Addresses to try in this order instead of looking the host up (IPv4 or IPv6, their
    // own ports ignored); an empty list goes back to the lookup. For callers that resolved
    // the name already, and for tests that need a name with several addresses.
    void setAddresses(const std::vector<sockaddr_storage>& addresses) { given = addresses; }
    // The family (AF_INET or AF_INET6) of the address connected to; 0 when not connected.
    int connectedFamily() const { return connected ? family : 0; }

    // True connects when not connected; false closes when connected.
    void setActive(bool active);
    bool isConnected() const { return connected; }

    // While connecting, a raised flag abandons the lookup or the connect (not owned; null
    // for none). The flag must outlive every connect made while it is set.
    void setStopFlag(const std::atomic<bool>* flag) { stopFlag = flag; }
    // Once set, the event abandons the lookup or the connect and ends waitReadable at once
    // (a manual-reset event HANDLE, not owned; null for none). It must outlive every connect
    // and wait made while it is given.
    void setStopEvent(void* event) { stopEvent = event; }

    int send(const void* data, int length) override;
    int receive(char* buffer, int capacity) override;
    // Whether a receive would not block right now; false when not connected.
    bool canRead();
    // Also false, without waiting longer, once the stop event is set (and nothing waits).
    bool waitReadable(int milliseconds) override;

private:
    bool connect();
    bool connectTo(const sockaddr_storage& target);
    void close();
    bool resolve(std::vector<sockaddr_storage>* addresses);
    bool waitForConnect();
    bool readableNow();
    // Sleeps until the socket reports a network event (then true, the event reset) or the
    // stop event is set or `limit` ms pass (false).
    bool waitForEvent(unsigned long limit);
    // The slice of a lookup or connect wait: none with a stop event or with nothing to look at.
    unsigned long stopWaitLimit() const;
    bool stopRequested() const;

    DSocketHandle handle;
    DNetworkEvent networkEvent;  // exists while connected (and during the connect)
    DString host;
    int port = 8080;
    bool connected = false;
    bool noDelay = false;
    int connectLimitMs = 10000;
    int family = 0;                               // of the connected address
    std::vector<sockaddr_storage> given;          // addresses to try instead of a lookup
    const std::atomic<bool>* stopFlag = nullptr;  // not owned
    void* stopEvent = nullptr;                     // not owned
};
