// The plain POP3 client, the yardstick of the whole-program benchmark for a check: one
// blocking thread per mailbox, each connecting to port 110 of the server and saying USER,
// PASS, STAT and QUIT, as Pellaro's check does, and nothing else. It starts, signals that it
// is ready and waits for the go; then checks, signals that it is done and waits to be told
// to end, so that the benchmark can read its CPU time before and after the check alone.
//   plainclient <server address> <user> <password> <mailboxes> <ready> <go> <done> <end>
// The last four are names of manual-reset events made by the benchmark.
#include <winsock2.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

// Reads one reply line; true when it begins with "+OK".
bool replyIsPositive(SOCKET s)
{
    std::string line;
    char c = 0;
    while (recv(s, &c, 1, 0) == 1) {
        if (c == '\n')
            return line.compare(0, 3, "+OK") == 0;
        line += c;
    }
    return false;
}

bool say(SOCKET s, const std::string& command)
{
    std::string line = command + "\r\n";
    return send(s, line.data(), static_cast<int>(line.size()), 0) ==
               static_cast<int>(line.size()) &&
           replyIsPositive(s);
}

// One mailbox: the message count from STAT, or -1 when the conversation failed.
int checkMailbox(const char* server, const std::string& user, const std::string& password)
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(110);
    address.sin_addr.s_addr = inet_addr(server);
    int count = -1;
    if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        replyIsPositive(s) && say(s, "USER " + user) && say(s, "PASS " + password)) {
        std::string stat = "STAT\r\n";
        send(s, stat.data(), static_cast<int>(stat.size()), 0);
        std::string line;
        char c = 0;
        while (recv(s, &c, 1, 0) == 1 && c != '\n')
            line += c;
        if (line.compare(0, 4, "+OK ") == 0)
            count = std::atoi(line.c_str() + 4);
        say(s, "QUIT");
    }
    closesocket(s);
    return count;
}

HANDLE event(const char* name)
{
    return OpenEventA(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, name);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 9)
        return 2;
    const char* server = argv[1];
    std::string user = argv[2];
    std::string password = argv[3];
    int mailboxes = std::atoi(argv[4]);
    HANDLE ready = event(argv[5]), go = event(argv[6]), done = event(argv[7]),
           end = event(argv[8]);
    if (!ready || !go || !done || !end)
        return 2;
    WSADATA winsock;
    WSAStartup(MAKEWORD(2, 2), &winsock);
    SetEvent(ready);
    WaitForSingleObject(go, INFINITE);

    std::vector<int> counts(static_cast<size_t>(mailboxes), -1);
    std::vector<std::thread> threads;
    for (int i = 0; i < mailboxes; i++)
        threads.emplace_back([&, i] {
            counts[static_cast<size_t>(i)] = checkMailbox(server, user, password);
        });
    for (std::thread& t : threads)
        t.join();
    int failed = 0;
    for (int c : counts)
        failed += c < 0 ? 1 : 0;

    SetEvent(done);
    WaitForSingleObject(end, INFINITE);
    WSACleanup();
    return failed == 0 ? 0 : 1;
}
