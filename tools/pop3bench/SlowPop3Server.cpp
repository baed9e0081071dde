#include "SlowPop3Server.h"

#include <windows.h>

#include <cstring>
#include <string>

SlowPop3Server::SlowPop3Server(int port, int delay) : delayMs(delay)
{
    listening = ::socket(AF_INET, SOCK_STREAM, 0);
    if (listening == INVALID_SOCKET)
        return;
    BOOL reuse = TRUE;
    setsockopt(listening, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse),
               sizeof reuse);
    sockaddr_in address;
    std::memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = inet_addr("127.0.0.1");
    address.sin_port = htons(static_cast<u_short>(port));
    if (bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || listen(listening, SOMAXCONN) != 0) {
        closesocket(listening);
        listening = INVALID_SOCKET;
    }
}

SlowPop3Server::~SlowPop3Server()
{
    for (std::thread& t : talkers)
        t.join();
    if (listening != INVALID_SOCKET)
        closesocket(listening);
}

void SlowPop3Server::serve(int connections, int limitMs)
{
    DWORD start = GetTickCount();
    int accepted = 0;
    while (finished.load() < connections && static_cast<int>(GetTickCount() - start) < limitMs) {
        if (accepted >= connections) {
            Sleep(50);
            continue;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(listening, &readable);
        timeval slice{0, 100000};
        if (select(0, &readable, nullptr, nullptr, &slice) <= 0)
            continue;
        SOCKET client = accept(listening, nullptr, nullptr);
        if (client == INVALID_SOCKET)
            continue;
        ++accepted;
        talkers.emplace_back([this, client] { converse(client); });
    }
}

void SlowPop3Server::converse(SOCKET client)
{
    auto answer = [&](const std::string& text) {
        Sleep(static_cast<DWORD>(delayMs));
        return ::send(client, text.data(), static_cast<int>(text.size()), 0)
               == static_cast<int>(text.size());
    };
    bool open = answer("+OK slow POP3 server ready\r\n");
    std::string line;
    while (open) {
        char c;
        if (recv(client, &c, 1, 0) != 1)
            break;
        if (c != '\n') {
            if (c != '\r')
                line += c;
            continue;
        }
        std::string word = line.substr(0, 4);
        line.clear();
        if (word == "STAT") {
            open = answer("+OK 5 500\r\n");
        } else if (word == "QUIT") {
            answer("+OK bye\r\n");
            break;
        } else {
            open = answer("+OK\r\n");
        }
    }
    closesocket(client);
    finished.fetch_add(1);
}
