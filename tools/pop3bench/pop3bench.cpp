// pop3bench: measures checks of many mailboxes at once - wall time and the CPU time of the
// whole process (GetProcessTimes) - the way the check cycle runs them: one DWorkingThread
// per mailbox, all started together, polled until none runs.
//
//   pop3bench check <host> <port> <user> <password> <N>...   N checks at once, per N
//   pop3bench slow <N> <delay ms>                            N checks against a server in a
//                                                            second process that waits
//                                                            <delay> before each answer
//   pop3bench slowserver <port> <N> <delay ms>               that server (used by "slow")
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "mail/DWorkingThread.h"
#include "tools/pop3bench/SlowPop3Server.h"

namespace {

double cpuSeconds()
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return -1;
    auto value = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(value(kernel) + value(user)) / 1e7;
}

double wallSeconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs `count` checks at once and prints one line of figures; false when any failed.
bool measure(const char* label, const char* host, int port, const char* user,
             const char* password, int count)
{
    double wallStart = wallSeconds();
    double cpuStart = cpuSeconds();
    std::vector<std::unique_ptr<DWorkingThread>> threads;
    for (int i = 0; i < count; ++i) {
        auto thread = std::make_unique<DWorkingThread>();
        thread->setServer(host);
        thread->setPort(port);
        thread->setUserName(user);
        thread->setPassword(password);
        thread->setMailboxIndex(i);
        thread->start();
        threads.push_back(std::move(thread));
    }
    // The check cycle polls once a second; a shorter poll gives a finer wall time.
    for (;;) {
        bool running = false;
        for (auto& thread : threads)
            running = running || thread->isRunning();
        if (!running)
            break;
        Sleep(20);
    }
    double wall = wallSeconds() - wallStart;
    double cpu = cpuSeconds() - cpuStart;
    int ok = 0;
    int firstCount = -1;
    std::string firstError;
    for (auto& thread : threads) {
        if (thread->getStatus() == "OK") {
            ++ok;
            firstCount = thread->getMailCount();
        } else if (firstError.empty()) {
            firstError = thread->getStatus().text();
        }
    }
    std::printf("%-8s N=%-4d wall %7.3f s   process CPU %6.3f s   OK %d/%d   count %d%s%s\n",
                label, count, wall, cpu, ok, count, firstCount,
                firstError.empty() ? "" : "   first error: ", firstError.c_str());
    std::fflush(stdout);
    return ok == count;
}

int runSlowServer(int port, int connections, int delayMs)
{
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return 1;
    int status = 1;
    {
        SlowPop3Server server(port, delayMs);
        if (server.ok()) {
            std::printf("slow server on 127.0.0.1:%d\n", port);
            std::fflush(stdout);
            // Long enough for every conversation of the measurement, bounded all the same.
            server.serve(connections, 120000);
            status = 0;
        }
    }
    WSACleanup();
    return status;
}

int runSlow(int count, int delayMs)
{
    // A port for the server: bind to 0 and let go again.
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address;
    std::memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = inet_addr("127.0.0.1");
    int size = sizeof address;
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
    int port = ntohs(address.sin_port);
    closesocket(probe);

    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    // The probe that finds the server up counts as one of its connections.
    std::string command = std::string("\"") + self + "\" slowserver " + std::to_string(port) + " "
                          + std::to_string(count + 1) + " " + std::to_string(delayMs);
    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::printf("cannot start the slow server\n");
        return 1;
    }
    // Wait, bounded, until the server accepts connections.
    bool up = false;
    for (int i = 0; i < 200 && !up; ++i) {
        SOCKET s = ::socket(AF_INET, SOCK_STREAM, 0);
        up = ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        closesocket(s);
        if (!up)
            Sleep(50);
    }
    WSACleanup();
    int status = 1;
    if (up) {
        std::string label = "slow" + std::to_string(delayMs / 1000) + "s";
        status = measure(label.c_str(), "127.0.0.1", port, "bench", "secret", count) ? 0 : 1;
    } else {
        std::printf("the slow server did not come up\n");
    }
    WaitForSingleObject(process.hProcess, 150000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "check" && argc >= 7) {
        bool ok = true;
        for (int i = 6; i < argc; ++i)
            ok = measure("dovecot", argv[2], std::atoi(argv[3]), argv[4], argv[5],
                         std::atoi(argv[i])) && ok;
        return ok ? 0 : 1;
    }
    if (mode == "slow" && argc == 4)
        return runSlow(std::atoi(argv[2]), std::atoi(argv[3]));
    if (mode == "slowserver" && argc == 5)
        return runSlowServer(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    std::fprintf(stderr,
                 "usage: pop3bench check <host> <port> <user> <password> <N>...\n"
                 "       pop3bench slow <N> <delay ms>\n"
                 "       pop3bench slowserver <port> <N> <delay ms>\n");
    return 2;
}
