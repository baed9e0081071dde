#include "LoopbackServer.h"

#include "mail/SocketLibrary.h"

#include <windows.h>
#include <ws2tcpip.h>

#include <chrono>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

int millisecondsSince(Clock::time_point start)
{
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

bool readable(SOCKET socket, int milliseconds)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket, &set);
    timeval limit{milliseconds / 1000, (milliseconds % 1000) * 1000};
    return select(0, &set, nullptr, nullptr, &limit) > 0;
}

// How long the server waits for a client before it gives a case up.
const int patienceMs = 20000;

}  // namespace

WinsockSession::WinsockSession() : started(startSocketLibrary())
{
}

sockaddr_storage numericAddress(const char* address, int port)
{
    sockaddr_storage result;
    std::memset(&result, 0, sizeof result);
    result.ss_family = AF_UNSPEC;
    addrinfo hints;
    std::memset(&hints, 0, sizeof hints);
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST;
    addrinfo* list = nullptr;
    if (getaddrinfo(address, nullptr, &hints, &list) != 0 || list == nullptr)
        return result;
    if (list->ai_addrlen <= sizeof result)
        std::memcpy(&result, list->ai_addr, list->ai_addrlen);
    freeaddrinfo(list);
    u_short networkPort = htons(static_cast<u_short>(port));
    if (result.ss_family == AF_INET6)
        reinterpret_cast<sockaddr_in6&>(result).sin6_port = networkPort;
    else if (result.ss_family == AF_INET)
        reinterpret_cast<sockaddr_in&>(result).sin_port = networkPort;
    return result;
}

LoopbackListener::LoopbackListener(int backlog)
{
    open("127.0.0.1", 0, backlog);
}

LoopbackListener::LoopbackListener(const char* address, int port, int backlog)
{
    open(address, port, backlog);
}

void LoopbackListener::open(const char* text, int port, int backlog)
{
    bound = numericAddress(text, port);
    if (bound.ss_family == AF_UNSPEC)
        return;
    listening = ::socket(bound.ss_family, SOCK_STREAM, 0);
    if (listening == INVALID_SOCKET)
        return;
    int size = bound.ss_family == AF_INET6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in);
    if (bind(listening, reinterpret_cast<sockaddr*>(&bound), size) != 0
        || listen(listening, backlog) != 0
        || getsockname(listening, reinterpret_cast<sockaddr*>(&bound), &size) != 0) {
        close();
        return;
    }
    boundPort = ntohs(bound.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6&>(bound).sin6_port
                                                  : reinterpret_cast<sockaddr_in&>(bound).sin_port);
}

LoopbackListener::~LoopbackListener()
{
    close();
}

void LoopbackListener::close()
{
    if (listening != INVALID_SOCKET) {
        closesocket(listening);
        listening = INVALID_SOCKET;
    }
}

SOCKET LoopbackListener::accept(int milliseconds)
{
    if (listening == INVALID_SOCKET || !readable(listening, milliseconds))
        return INVALID_SOCKET;
    return ::accept(listening, nullptr, nullptr);
}

int closedLoopbackPort()
{
    LoopbackListener probe;
    int port = probe.port();
    probe.close();
    return port;
}

std::vector<SOCKET> fillListenerQueue(const LoopbackListener& listener)
{
    std::vector<SOCKET> fillers;
    sockaddr_storage address = listener.address();
    int size = address.ss_family == AF_INET6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in);
    for (int i = 0; i < 8; ++i) {
        SOCKET filler = ::socket(address.ss_family, SOCK_STREAM, 0);
        if (filler == INVALID_SOCKET)
            break;
        u_long nonBlocking = 1;
        ioctlsocket(filler, FIONBIO, &nonBlocking);
        ::connect(filler, reinterpret_cast<const sockaddr*>(&address), size);
        fillers.push_back(filler);
        fd_set writable;
        FD_ZERO(&writable);
        FD_SET(filler, &writable);
        timeval limit{1, 0};
        if (select(0, nullptr, &writable, nullptr, &limit) == 0)
            return fillers;  // this one hangs: the queue is full
    }
    closeAll(fillers);
    return {};
}

void closeAll(const std::vector<SOCKET>& sockets)
{
    for (SOCKET s : sockets)
        closesocket(s);
}

std::string receiveUntil(SOCKET socket, const std::string& text, int milliseconds)
{
    std::string got;
    Clock::time_point start = Clock::now();
    while (got.find(text) == std::string::npos) {
        int left = milliseconds - millisecondsSince(start);
        if (left <= 0 || !readable(socket, left))
            break;
        char buffer[4096];
        int n = recv(socket, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        got.append(buffer, static_cast<size_t>(n));
    }
    return got;
}

bool sendAll(SOCKET socket, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        int n = ::send(socket, text.data() + done, static_cast<int>(text.size() - done), 0);
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

ScriptStep say(const std::string& text) { return {ScriptStep::Say, text}; }
ScriptStep drip(const std::string& text) { return {ScriptStep::Drip, text}; }
ScriptStep awaitLine() { return {ScriptStep::AwaitLine, ""}; }
ScriptStep closeNow() { return {ScriptStep::Close, ""}; }
ScriptStep silent() { return {ScriptStep::Silent, ""}; }
ScriptStep pause(int milliseconds) { return {ScriptStep::Pause, "", milliseconds}; }
ScriptStep mark(const std::string& text) { return {ScriptStep::Mark, text}; }

bool ScriptedServer::record(SOCKET client, int milliseconds)
{
    if (!readable(client, milliseconds))
        return true;
    char buffer[4096];
    int n = recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) {
        peerClosed.store(true);
        return false;
    }
    std::lock_guard<std::mutex> hold(receivedLock);
    bytes.append(buffer, static_cast<size_t>(n));
    return true;
}

ScriptedServer::ScriptedServer(std::vector<ScriptStep> steps) : script(std::move(steps))
{
    if (listener.ok())
        worker = std::thread([this] { serve(); });
}

ScriptedServer::ScriptedServer(const char* address, std::vector<ScriptStep> steps, int port)
    : listener(address, port), script(std::move(steps))
{
    if (listener.ok())
        worker = std::thread([this] { serve(); });
}

ScriptedServer::~ScriptedServer()
{
    stopping.store(true);
    join();
}

void ScriptedServer::join()
{
    if (worker.joinable())
        worker.join();
}

std::string ScriptedServer::received()
{
    std::lock_guard<std::mutex> hold(receivedLock);
    return bytes;
}

void ScriptedServer::serve()
{
    SOCKET client = INVALID_SOCKET;
    Clock::time_point start = Clock::now();
    while (client == INVALID_SOCKET && !stopping.load() && millisecondsSince(start) < patienceMs)
        client = listener.accept(100);
    if (client == INVALID_SOCKET)
        return;
    acceptedConnection.store(true);
    bool open = true;
    for (const ScriptStep& s : script) {
        open = step(client, s);
        if (!open)
            break;
    }
    if (open) {
        // Record whatever else the client sends until it closes.
        start = Clock::now();
        while (!stopping.load() && millisecondsSince(start) < 5000 && record(client, 100)) {
        }
    }
    closesocket(client);
}

bool ScriptedServer::step(SOCKET client, const ScriptStep& s)
{
    switch (s.kind) {
    case ScriptStep::Say:
        return sendAll(client, s.text);
    case ScriptStep::Drip:
        for (char c : s.text) {
            if (::send(client, &c, 1, 0) != 1)
                return false;
            Sleep(2);
        }
        return true;
    case ScriptStep::AwaitLine: {
        Clock::time_point start = Clock::now();
        while (!stopping.load() && millisecondsSince(start) < patienceMs) {
            if (!readable(client, 100))
                continue;
            char c;
            int n = recv(client, &c, 1, 0);
            if (n <= 0) {
                peerClosed.store(true);
                return false;
            }
            std::lock_guard<std::mutex> hold(receivedLock);
            bytes.push_back(c);
            if (c == '\n')
                return true;
        }
        return false;
    }
    case ScriptStep::Close:
        return false;
    case ScriptStep::Silent: {
        Clock::time_point start = Clock::now();
        while (!stopping.load() && millisecondsSince(start) < patienceMs) {
            if (!record(client, 100))
                return false;
        }
        return false;
    }
    case ScriptStep::Pause: {
        Clock::time_point start = Clock::now();
        while (millisecondsSince(start) < s.milliseconds) {
            if (!record(client, s.milliseconds - millisecondsSince(start)))
                return false;
        }
        return true;
    }
    case ScriptStep::Mark: {
        std::lock_guard<std::mutex> hold(receivedLock);
        bytes += s.text;
        return true;
    }
    }
    return false;
}
