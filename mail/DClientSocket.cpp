#include "mail/DClientSocket.h"

#include "mail/ServerAddress.h"
#include "mail/SocketLibrary.h"

#include <windows.h>
#include <ws2tcpip.h>

#include <cstring>
#include <string>

namespace {

// How long one wait of a connect or a lookup lasts before the stop flag is looked at again,
// when there is a flag and no stop event.
const DWORD stopSliceMs = 50;

enum class Woken { Signal, Stop, TimeOut, Failed };

// Waits until `signal` or the stop event (when there is one) is set, at most `limit` ms
// (INFINITE for no limit). The signal wins when both are set.
Woken waitForSignal(HANDLE signal, void* stopEvent, DWORD limit)
{
    HANDLE handles[2] = {signal, static_cast<HANDLE>(stopEvent)};
    DWORD count = stopEvent != nullptr ? 2 : 1;
    switch (WaitForMultipleObjects(count, handles, FALSE, limit)) {
    case WAIT_OBJECT_0:
        return Woken::Signal;
    case WAIT_OBJECT_0 + 1:
        return Woken::Stop;
    case WAIT_TIMEOUT:
        return Woken::TimeOut;
    default:
        return Woken::Failed;
    }
}

// The state of one name lookup, shared by the connecting thread and the helper thread that
// runs the lookup. Whichever lets go last destroys it, so a connect that abandons its lookup
// leaves nothing behind that the helper could touch after it was freed.
struct ResolveJob {
    std::atomic<int> references{2};
    std::string name;
    std::vector<sockaddr_storage> addresses;
    std::atomic<bool> found{false};

    void release()
    {
        if (references.fetch_sub(1) == 1)
            delete this;
    }
};

// Every stream address of `name`, IPv4 and IPv6, in the resolver's order of preference.
// With `numericOnly` the name is only read as an address and no lookup is made.
bool lookUp(const char* name, bool numericOnly, std::vector<sockaddr_storage>* addresses)
{
    addrinfo hints;
    std::memset(&hints, 0, sizeof hints);
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    hints.ai_flags = numericOnly ? AI_NUMERICHOST : 0;
    addrinfo* list = nullptr;
    if (getaddrinfo(name, nullptr, &hints, &list) != 0 || list == nullptr)
        return false;
    for (addrinfo* entry = list; entry != nullptr; entry = entry->ai_next) {
        if ((entry->ai_family != AF_INET && entry->ai_family != AF_INET6)
            || entry->ai_addr == nullptr || entry->ai_addrlen > sizeof(sockaddr_storage))
            continue;
        sockaddr_storage address;
        std::memset(&address, 0, sizeof address);
        std::memcpy(&address, entry->ai_addr, entry->ai_addrlen);
        addresses->push_back(address);
    }
    freeaddrinfo(list);
    return !addresses->empty();
}

DWORD WINAPI resolveEntry(LPVOID parameter)
{
    ResolveJob* job = static_cast<ResolveJob*>(parameter);
    if (lookUp(job->name.c_str(), false, &job->addresses))
        job->found.store(true);
    job->release();
    return 0;
}

int addressLength(const sockaddr_storage& address)
{
    return address.ss_family == AF_INET6 ? static_cast<int>(sizeof(sockaddr_in6))
                                         : static_cast<int>(sizeof(sockaddr_in));
}

void setPortOf(sockaddr_storage& address, int port)
{
    u_short networkPort = htons(static_cast<u_short>(port));
    if (address.ss_family == AF_INET6)
        reinterpret_cast<sockaddr_in6&>(address).sin6_port = networkPort;
    else
        reinterpret_cast<sockaddr_in&>(address).sin_port = networkPort;
}

}  // namespace

void DSocketHandle::close()
{
    if (value != INVALID_SOCKET) {
        closesocket(value);
        value = INVALID_SOCKET;
    }
}

bool DNetworkEvent::make()
{
    if (value == WSA_INVALID_EVENT)
        value = WSACreateEvent();
    return value != WSA_INVALID_EVENT;
}

void DNetworkEvent::close()
{
    if (value != WSA_INVALID_EVENT) {
        WSACloseEvent(value);
        value = WSA_INVALID_EVENT;
    }
}

DClientSocket::DClientSocket() : host("127.0.0.1")
{
}

DClientSocket::~DClientSocket()
{
    setActive(false);
}

void DClientSocket::setHost(DString newHost)
{
    setActive(false);
    host = newHost;
}

void DClientSocket::setPort(int newPort)
{
    setActive(false);
    port = newPort;
}

void DClientSocket::setActive(bool active)
{
    if (active && !connected)
        connected = connect();
    else if (!active && connected) {
        close();
        connected = false;
    }
}

bool DClientSocket::stopRequested() const
{
    if (stopFlag != nullptr && stopFlag->load())
        return true;
    return stopEvent != nullptr && WaitForSingleObject(stopEvent, 0) == WAIT_OBJECT_0;
}

unsigned long DClientSocket::stopWaitLimit() const
{
    // Without a limit the wait still ends: the system gives up a connect that gets no answer,
    // and the resolver a lookup, after their own time-outs.
    return stopEvent == nullptr && stopFlag != nullptr ? stopSliceMs : INFINITE;
}

bool DClientSocket::connect()
{
    if (!startSocketLibrary())
        return false;
    std::vector<sockaddr_storage> addresses;
    bool ok = port > 0 && port <= 65535;
    if (ok && !given.empty())
        addresses = given;
    else
        ok = ok && resolve(&addresses);
    ok = ok && !addresses.empty();
    bool done = false;
    for (size_t i = 0; ok && !done && i < addresses.size(); ++i) {
        // A stop asked for before a connect leaves no half-made connection at the server.
        if (stopRequested())
            break;
        done = connectTo(addresses[i]);
    }
    if (!done) {
        // Nothing of a failed connect stays behind.
        close();
    }
    return done;
}

bool DClientSocket::connectTo(const sockaddr_storage& target)
{
    sockaddr_storage address = target;
    setPortOf(address, port);
    handle.reset(::socket(address.ss_family, SOCK_STREAM, IPPROTO_TCP));
    bool ok = handle.isValid() && networkEvent.make();
    if (ok) {
        int option = noDelay ? 1 : 0;
        setsockopt(handle.get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&option),
                   sizeof option);
        // This also makes the socket non-blocking, so the connect returns at once and its
        // end is reported through the event.
        ok = WSAResetEvent(networkEvent.get())
             && WSAEventSelect(handle.get(), networkEvent.get(), FD_CONNECT) == 0;
    }
    if (ok && ::connect(handle.get(), reinterpret_cast<const sockaddr*>(&address),
                        addressLength(address)) == SOCKET_ERROR) {
        int error = WSAGetLastError();
        ok = (error == WSAEWOULDBLOCK || error == WSAEINPROGRESS) && waitForConnect();
    }
    // The socket stays non-blocking and tied to its event for the whole connection: a wait
    // for a reply is then one look and one sleep, with no switching of modes around it.
    ok = ok && WSAEventSelect(handle.get(), networkEvent.get(), FD_READ | FD_WRITE | FD_CLOSE) == 0;
    if (ok)
        family = address.ss_family;
    else
        handle.close();
    return ok;
}

bool DClientSocket::resolve(std::vector<sockaddr_storage>* addresses)
{
    const char* name = host.text();
    if (name[0] == '\0')
        return false;
    // The system's parser would take "127.1", "0x7f.1" or "010.0.0.1" to addresses other than
    // they seem to name: an IPv4 address is only taken in its plain dotted form.
    if (!isPlainIpv4OrName(host))
        return false;
    // An address needs no lookup, and no helper thread to wait for one.
    if (lookUp(name, true, addresses))
        return true;
    if (stopRequested())
        return false;

    // The lookup may take as long as the resolver likes; it runs on a helper thread so that
    // a stop can leave it behind at once.
    ResolveJob* job = new ResolveJob;
    job->name = name;
    HANDLE thread = CreateThread(nullptr, 0, resolveEntry, job, 0, nullptr);
    bool finished = false;
    if (thread == nullptr) {
        // No helper: look the name up here, unstoppable but correct.
        if (lookUp(name, false, &job->addresses))
            job->found.store(true);
        job->release();  // the helper's share
        finished = true;
    } else {
        DWORD limit = stopWaitLimit();
        while (!stopRequested()) {
            Woken woken = waitForSignal(thread, stopEvent, limit);
            if (woken != Woken::TimeOut) {
                finished = woken == Woken::Signal;
                break;
            }
        }
        CloseHandle(thread);
    }
    // An abandoned helper may still be writing the addresses: they are read only after its end.
    bool found = finished && job->found.load();
    if (found)
        *addresses = job->addresses;
    job->release();
    return found;
}

bool DClientSocket::waitForConnect()
{
    ULONGLONG begin = GetTickCount64();
    while (!stopRequested()) {
        DWORD limit = stopWaitLimit();
        if (connectLimitMs > 0) {
            ULONGLONG spent = GetTickCount64() - begin;
            if (spent >= static_cast<ULONGLONG>(connectLimitMs))
                return false;
            DWORD left = static_cast<DWORD>(static_cast<ULONGLONG>(connectLimitMs) - spent);
            if (limit == INFINITE || left < limit)
                limit = left;
        }
        Woken woken = waitForSignal(networkEvent.get(), stopEvent, limit);
        if (woken == Woken::TimeOut)
            continue;
        if (woken != Woken::Signal)
            return false;
        // Reading the events also resets the event object.
        WSANETWORKEVENTS events;
        if (WSAEnumNetworkEvents(handle.get(), networkEvent.get(), &events) != 0)
            return false;
        if ((events.lNetworkEvents & FD_CONNECT) != 0)
            return events.iErrorCode[FD_CONNECT_BIT] == 0;
    }
    return false;
}

void DClientSocket::close()
{
    family = 0;
    handle.close();
    networkEvent.close();
}

int DClientSocket::send(const void* data, int length)
{
    if (!connected || data == nullptr || length <= 0)
        return 0;
    // As a blocking send would: everything goes, waiting while the system's buffer is full
    // (a stop ends the wait); a failure on the way gives 0.
    const char* bytes = static_cast<const char*>(data);
    int done = 0;
    while (done < length) {
        int sent = ::send(handle.get(), bytes + done, length - done, 0);
        if (sent > 0) {
            done += sent;
            continue;
        }
        if (sent == 0)
            return 0;
        if (WSAGetLastError() != WSAEWOULDBLOCK || !waitForEvent(INFINITE))
            return 0;
    }
    return done;
}

int DClientSocket::receive(char* buffer, int capacity)
{
    if (!connected || buffer == nullptr || capacity <= 0)
        return 0;
    // As a blocking receive would: it waits until bytes or the end come (or a stop).
    for (;;) {
        int received = ::recv(handle.get(), buffer, capacity, 0);
        if (received != SOCKET_ERROR)
            return received;
        if (WSAGetLastError() != WSAEWOULDBLOCK || !waitForEvent(INFINITE))
            return 0;
    }
}

bool DClientSocket::canRead()
{
    return connected && readableNow();
}

bool DClientSocket::readableNow()
{
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(handle.get(), &readable);
    timeval limit;
    limit.tv_sec = 0;
    limit.tv_usec = 0;
    // An error result counts as readable: the receive that follows reports 0.
    return select(0, &readable, nullptr, nullptr, &limit) != 0;
}

bool DClientSocket::waitForEvent(unsigned long limit)
{
    Woken woken = waitForSignal(networkEvent.get(), stopEvent, limit);
    if (woken != Woken::Signal)
        return false;
    // Reading the events also resets the event object for the next wait.
    WSANETWORKEVENTS events;
    return WSAEnumNetworkEvents(handle.get(), networkEvent.get(), &events) == 0;
}

bool DClientSocket::waitReadable(int milliseconds)
{
    if (!connected)
        return true;
    // The socket is looked at before every sleep: the event reports only what happened since
    // it was last reset (a receive that left bytes behind, a send that found room), so it may
    // wake the wait for nothing, and bytes that came earlier are found by the look.
    if (readableNow())
        return true;
    if (milliseconds <= 0)
        return false;
    ULONGLONG begin = GetTickCount64();
    for (;;) {
        ULONGLONG spent = GetTickCount64() - begin;
        if (spent >= static_cast<ULONGLONG>(milliseconds))
            return false;
        DWORD left = static_cast<DWORD>(static_cast<ULONGLONG>(milliseconds) - spent);
        Woken woken = waitForSignal(networkEvent.get(), stopEvent, left);
        if (woken == Woken::Stop || woken == Woken::TimeOut)
            return false;
        if (woken == Woken::Failed)
            return true;  // as a failed wait: the receive that follows reports the failure
        WSANETWORKEVENTS events;
        if (WSAEnumNetworkEvents(handle.get(), networkEvent.get(), &events) != 0)
            return true;
        if (readableNow())
            return true;
    }
}
