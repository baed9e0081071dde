#include "mail/DClientSocket.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

// How long one wait of a connect or a lookup lasts before the stop flag is looked at again.
const int stopSliceMs = 50;

// The state of one name lookup, shared by the connecting thread and the helper thread that
// runs the lookup. Whichever lets go last destroys it, so a connect that abandons its lookup
// leaves nothing behind that the helper could touch after it was freed.
struct ResolveJob {
    std::atomic<int> references{2};
    std::string name;
    unsigned long networkAddress = INADDR_NONE;
    std::atomic<bool> found{false};

    void release()
    {
        if (references.fetch_sub(1) == 1)
            delete this;
    }
};

DWORD WINAPI resolveEntry(LPVOID parameter)
{
    ResolveJob* job = static_cast<ResolveJob*>(parameter);
    hostent* entry = gethostbyname(job->name.c_str());
    if (entry != nullptr && entry->h_addrtype == AF_INET && entry->h_length == 4
        && entry->h_addr_list != nullptr && entry->h_addr_list[0] != nullptr) {
        std::memcpy(&job->networkAddress, entry->h_addr_list[0], 4);
        job->found.store(true);
    }
    // The connecting thread started the sockets library once more on this thread's behalf,
    // so the library stays up even when that thread has long closed its own use.
    WSACleanup();
    job->release();
    return 0;
}

// Four decimal parts of 0..255 separated by dots: such a host needs no lookup, since a name
// lookup of it gives the same address.
bool isDottedQuad(const char* text)
{
    int parts = 0;
    const char* p = text;
    while (true) {
        int digits = 0;
        int value = 0;
        while (*p >= '0' && *p <= '9' && digits < 4) {
            value = value * 10 + (*p - '0');
            ++digits;
            ++p;
        }
        if (digits == 0 || digits > 3 || value > 255)
            return false;
        ++parts;
        if (*p == '\0')
            return parts == 4;
        if (*p != '.' || parts == 4)
            return false;
        ++p;
    }
}

}  // namespace

void DSocketHandle::close()
{
    if (value != INVALID_SOCKET) {
        closesocket(value);
        value = INVALID_SOCKET;
    }
}

bool DWinsockUse::start()
{
    if (started)
        return true;
    WSADATA data;
    started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    return started;
}

void DWinsockUse::stop()
{
    if (started) {
        WSACleanup();
        started = false;
    }
}

DClientSocket::DClientSocket() : host("127.0.0.1")
{
    std::memset(&address, 0, sizeof address);
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
    return stopFlag != nullptr && stopFlag->load();
}

bool DClientSocket::connect()
{
    if (!library.start())
        return false;
    handle.reset(::socket(AF_INET, SOCK_STREAM, 0));
    bool ok = handle.isValid();
    if (ok) {
        int option = noDelay ? 1 : 0;
        setsockopt(handle.get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&option),
                   sizeof option);
    }
    unsigned long networkAddress = INADDR_NONE;
    ok = ok && port > 0 && port <= 65535 && resolve(&networkAddress);
    if (ok) {
        std::memset(&address, 0, sizeof address);
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<u_short>(port));
        address.sin_addr.s_addr = networkAddress;
        u_long nonBlocking = 1;
        ok = ioctlsocket(handle.get(), FIONBIO, &nonBlocking) == 0;
    }
    if (ok && ::connect(handle.get(), reinterpret_cast<const sockaddr*>(&address),
                        sizeof address) == SOCKET_ERROR) {
        int error = WSAGetLastError();
        ok = (error == WSAEWOULDBLOCK || error == WSAEINPROGRESS) && waitForConnect();
    }
    if (ok) {
        u_long nonBlocking = 0;
        ok = ioctlsocket(handle.get(), FIONBIO, &nonBlocking) == 0;
    }
    if (!ok) {
        // Nothing of a failed connect stays behind: neither the socket nor the library use.
        handle.close();
        library.stop();
    }
    return ok;
}

bool DClientSocket::resolve(unsigned long* networkAddress)
{
    const char* name = host.text();
    if (isDottedQuad(name)) {
        *networkAddress = inet_addr(name);
        return true;
    }
    if (name[0] == '\0' || stopRequested())
        return false;

    // The lookup may take as long as the resolver likes; it runs on a helper thread so that
    // a stop can leave it behind at once.
    ResolveJob* job = new ResolveJob;
    job->name = name;
    WSADATA data;
    bool helperLibrary = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    HANDLE thread = helperLibrary ? CreateThread(nullptr, 0, resolveEntry, job, 0, nullptr)
                                  : nullptr;
    bool finished = false;
    if (thread == nullptr) {
        // No helper: look the name up here, unstoppable but correct.
        if (helperLibrary)
            WSACleanup();
        hostent* entry = gethostbyname(name);
        if (entry != nullptr && entry->h_addrtype == AF_INET && entry->h_length == 4
            && entry->h_addr_list != nullptr && entry->h_addr_list[0] != nullptr) {
            std::memcpy(&job->networkAddress, entry->h_addr_list[0], 4);
            job->found.store(true);
        }
        job->release();  // the helper's share
        finished = true;
    } else {
        while (!stopRequested()) {
            DWORD waited = WaitForSingleObject(thread, stopSliceMs);
            if (waited != WAIT_TIMEOUT) {
                finished = waited == WAIT_OBJECT_0;
                break;
            }
        }
        CloseHandle(thread);
    }
    bool found = finished && job->found.load();
    unsigned long result = job->networkAddress;
    job->release();
    if (found) {
        *networkAddress = result;
        return true;
    }
    if (!finished)
        return false;
    // Not a name: perhaps an address in one of the shorter dotted forms.
    result = inet_addr(name);
    if (result == INADDR_NONE)
        return false;
    *networkAddress = result;
    return true;
}

bool DClientSocket::waitForConnect()
{
    while (!stopRequested()) {
        fd_set writable;
        fd_set failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(handle.get(), &writable);
        FD_SET(handle.get(), &failed);
        timeval limit;
        limit.tv_sec = 0;
        limit.tv_usec = stopSliceMs * 1000;
        int ready = select(0, nullptr, &writable, &failed, &limit);
        if (ready == SOCKET_ERROR)
            return false;
        if (ready == 0)
            continue;
        if (FD_ISSET(handle.get(), &failed))
            return false;
        int error = 0;
        int size = sizeof error;
        if (getsockopt(handle.get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error),
                       &size) != 0)
            return false;
        return error == 0;
    }
    return false;
}

void DClientSocket::close()
{
    handle.close();
    library.stop();
}

int DClientSocket::send(const void* data, int length)
{
    if (!connected || data == nullptr || length <= 0)
        return 0;
    int sent = ::send(handle.get(), static_cast<const char*>(data), length, 0);
    return sent == SOCKET_ERROR ? 0 : sent;
}

int DClientSocket::receive(char* buffer, int capacity)
{
    if (!connected || buffer == nullptr || capacity <= 0)
        return 0;
    int received = ::recv(handle.get(), buffer, capacity, 0);
    return received == SOCKET_ERROR ? 0 : received;
}

bool DClientSocket::canRead()
{
    return connected && waitReadable(0);
}

bool DClientSocket::waitReadable(int milliseconds)
{
    if (!connected)
        return true;
    if (milliseconds < 0)
        milliseconds = 0;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(handle.get(), &readable);
    timeval limit;
    limit.tv_sec = milliseconds / 1000;
    limit.tv_usec = (milliseconds % 1000) * 1000;
    // An error result counts as readable: the receive that follows reports 0.
    return select(0, &readable, nullptr, nullptr, &limit) != 0;
}
