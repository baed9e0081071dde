#include "tools/soak/FaultPop3Server.h"

#include <ws2tcpip.h>

#include "mail/SocketLibrary.h"

#include <cstring>

namespace {

// One select() call waits this long at most, so a stop is seen within it.
const long selectSliceUs = 5000;
// The connections one select() can watch, with room for the listeners.
const size_t maxConnections = 56;

long long ticks()
{
    return static_cast<long long>(GetTickCount64());
}

void makeNonBlocking(SOCKET s)
{
    u_long on = 1;
    ioctlsocket(s, FIONBIO, &on);
}

}  // namespace

FaultPop3Server::FaultPop3Server(int slowDelayMs) : slowDelayMs(slowDelayMs)
{
    started = startSocketLibrary();
    for (SOCKET& l : listeners)
        l = INVALID_SOCKET;
    for (int f = 0; started && f < faultCount; ++f) {
        SOCKET l = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address;
        std::memset(&address, 0, sizeof address);
        address.sin_family = AF_INET;
        inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
        int size = sizeof address;
        started = l != INVALID_SOCKET &&
                  bind(l, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                  listen(l, 64) == 0 &&
                  getsockname(l, reinterpret_cast<sockaddr*>(&address), &size) == 0;
        listeners[f] = l;
        ports[f] = ntohs(address.sin_port);
        if (started)
            makeNonBlocking(l);
    }
    if (started)
        server = std::thread([this] { serve(); });
}

FaultPop3Server::~FaultPop3Server()
{
    stop.store(true);
    if (server.joinable())
        server.join();
    for (Connection& c : connections)
        closesocket(c.socket);
    for (SOCKET l : listeners)
        if (l != INVALID_SOCKET)
            closesocket(l);
}

void FaultPop3Server::answer(Connection& c, const std::string& line)
{
    ++c.lines;
    if (c.fault == Dropped) {
        c.closeAfterSend = true;  // nothing more to send: the connection ends now
        return;
    }
    std::string upper = line.substr(0, 4);
    for (char& ch : upper)
        ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
    if (upper == "STAT")
        c.out += c.fault == OverLong ? "+OK 2 320 " + std::string(20000, 'y') + "\r\n" : "+OK 2 320\r\n";
    else if (upper == "QUIT") {
        c.out += "+OK bye\r\n";
        c.closeAfterSend = true;
    } else {
        c.out += "+OK\r\n";
    }
    c.sendAt = ticks() + (c.fault == Slow ? slowDelayMs : 0);
}

bool FaultPop3Server::pump(Connection& c, long long now)
{
    char buffer[4096];
    for (int reads = 0; reads < 64; ++reads) {
        int got = recv(c.socket, buffer, sizeof buffer, 0);
        if (got == 0)
            return false;  // the client closed
        if (got < 0) {
            if (WSAGetLastError() != WSAEWOULDBLOCK)
                return false;
            break;
        }
        // A silent server reads and forgets: it only ever waits for the close.
        if (c.fault != Silent)
            c.in.append(buffer, static_cast<size_t>(got));
    }
    size_t end;
    while (c.fault != Silent && c.out.empty() && (end = c.in.find('\n')) != std::string::npos) {
        std::string line = c.in.substr(0, end);
        c.in.erase(0, end + 1);
        answer(c, line);
    }
    if (c.closeAfterSend && c.out.empty())
        return false;
    if (!c.out.empty() && now >= c.sendAt) {
        int put = send(c.socket, c.out.data(), static_cast<int>(c.out.size()), 0);
        if (put > 0)
            c.out.erase(0, static_cast<size_t>(put));
        else if (WSAGetLastError() != WSAEWOULDBLOCK)
            return false;
        if (c.closeAfterSend && c.out.empty())
            return false;
    }
    return true;
}

void FaultPop3Server::serve()
{
    while (!stop.load()) {
        fd_set readable;
        FD_ZERO(&readable);
        for (SOCKET l : listeners)
            FD_SET(l, &readable);
        for (Connection& c : connections)
            FD_SET(c.socket, &readable);
        timeval slice = {0, selectSliceUs};
        select(0, &readable, nullptr, nullptr, &slice);

        long long now = ticks();
        for (int f = 0; f < faultCount; ++f) {
            if (!FD_ISSET(listeners[f], &readable))
                continue;
            for (int i = 0; i < 64 && connections.size() < maxConnections; ++i) {
                SOCKET s = accept(listeners[f], nullptr, nullptr);
                if (s == INVALID_SOCKET)
                    break;
                makeNonBlocking(s);
                Connection c{s, static_cast<Fault>(f), std::string(), std::string(), now};
                if (f == OverLong)
                    c.out = "+OK " + std::string(70000, 'x') + "\r\n";
                else if (f != Silent)
                    c.out = "+OK fault server ready\r\n";
                if (f == Slow)
                    c.sendAt = now + slowDelayMs;
                connections.push_back(c);
                open.fetch_add(1);
            }
        }
        for (size_t i = 0; i < connections.size();) {
            if (pump(connections[i], now)) {
                ++i;
                continue;
            }
            closesocket(connections[i].socket);
            connections.erase(connections.begin() + static_cast<long>(i));
            open.fetch_sub(1);
        }
    }
}
