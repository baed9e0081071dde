#include "Pop3CountServer.h"

#include <cstdio>

Pop3CountServer::Pop3CountServer()
{
    if (listener.ok())
        acceptor = std::thread([this] { acceptLoop(); });
}

Pop3CountServer::~Pop3CountServer()
{
    stopping = true;
    if (acceptor.joinable())
        acceptor.join();
    std::vector<std::thread> running;
    {
        std::lock_guard<std::mutex> hold(lock);
        running.swap(connections);
    }
    for (std::thread& t : running)
        t.join();
}

void Pop3CountServer::setCount(const std::string& user, int count)
{
    std::lock_guard<std::mutex> hold(lock);
    counts[user] = count;
}

void Pop3CountServer::setSlow(const std::string& user)
{
    std::lock_guard<std::mutex> hold(lock);
    slow[user] = true;
}

void Pop3CountServer::acceptLoop()
{
    while (!stopping) {
        SOCKET client = listener.accept(50);
        if (client == INVALID_SOCKET)
            continue;
        acceptedCount++;
        std::lock_guard<std::mutex> hold(lock);
        connections.emplace_back([this, client] { serve(client); });
    }
}

bool Pop3CountServer::readLine(SOCKET client, std::string& pending, std::string& line)
{
    for (;;) {
        size_t end = pending.find('\n');
        if (end != std::string::npos) {
            line = pending.substr(0, end);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            pending.erase(0, end + 1);
            return true;
        }
        if (stopping)
            return false;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(client, &readable);
        timeval wait{0, 50000};
        int ready = select(0, &readable, nullptr, nullptr, &wait);
        if (ready < 0)
            return false;
        if (ready == 0)
            continue;
        char buffer[512];
        int got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0)
            return false;
        pending.append(buffer, static_cast<size_t>(got));
    }
}

void Pop3CountServer::serve(SOCKET client)
{
    std::string pending, line, user;
    sendAll(client, "+OK test server ready\r\n");
    while (readLine(client, pending, line)) {
        std::string command = line.substr(0, 4);
        std::string argument = line.size() > 5 ? line.substr(5) : std::string();
        bool known = false, isSlow = false;
        int count = 0;
        {
            std::lock_guard<std::mutex> hold(lock);
            auto found = counts.find(command == "USER" ? argument : user);
            known = found != counts.end();
            count = known ? found->second : 0;
            isSlow = slow.count(command == "USER" ? argument : user) > 0;
        }
        if (command == "USER") {
            user = argument;
            if (isSlow) {
                // Says nothing more until the client gives up or the test ends.
                while (readLine(client, pending, line)) {
                }
                break;
            }
            sendAll(client, "+OK\r\n");
        } else if (command == "PASS") {
            sendAll(client, known ? "+OK logged in\r\n" : "-ERR invalid login\r\n");
        } else if (command == "STAT") {
            char reply[64];
            std::snprintf(reply, sizeof reply, "+OK %d %lld\r\n", count, static_cast<long long>(count) * 100);
            sendAll(client, reply);
        } else if (command == "QUIT") {
            sendAll(client, "+OK bye\r\n");
            break;
        } else {
            sendAll(client, "-ERR unknown command\r\n");
        }
    }
    closesocket(client);
    finishedCount++;
}
