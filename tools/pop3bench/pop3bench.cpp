// pop3bench: measures checks of many mailboxes at once - wall time and the CPU time of the
// whole process (GetProcessTimes) - the way the check cycle runs them: one DWorkingThread
// per mailbox, all started together, polled until none runs.
//
//   pop3bench check <host> <port> <user> <password> <N>...   N checks at once, per N
//   pop3bench slow <N> <delay ms>                            N checks against a server in a
//                                                            second process that waits
//                                                            <delay> before each answer
//   pop3bench slowserver <port> <N> <delay ms>               that server (used by "slow")
//   pop3bench latency <host> <port> <user> <password> <one-way ms> [rounds]
//                                                            1 and 100 checks at once
//                                                            through a delay relay: the
//                                                            median of the rounds, their
//                                                            ratio and the ratio to the
//                                                            floor of six round trips
//   pop3bench cpu <host> <port> <user> <password> <N>       where a check's CPU time goes:
//                                                            the pieces of a check, N of
//                                                            each, then N whole checks
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <ws2tcpip.h>

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

// This thread's CPU time: the measuring thread's poll for the end of the checks is no part
// of their cost.
double threadCpuSeconds()
{
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user))
        return 0;
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

// The longest one measurement may take.
const double runLimitSeconds = 120;

struct Run {
    double wall = 0;
    double cpu = 0;
    int ok = 0;
    int firstCount = -1;
    std::string firstError;
};

// Runs `count` checks at once, the way the check cycle starts them, and measures them.
// `pollMs` is how often the end is looked for: the wall time is that much too long at most.
Run runChecks(const char* host, int port, const char* user, const char* password, int count,
              int pollMs)
{
    Run run;
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
    double pollStart = threadCpuSeconds();
    // The check cycle polls once a second; a shorter poll gives a finer wall time. A server
    // that never answers must not hold the measurement for ever: after the limit the
    // remaining checks are stopped and count as failed.
    for (;;) {
        bool running = false;
        for (auto& thread : threads)
            running = running || thread->isRunning();
        if (!running)
            break;
        if (wallSeconds() - wallStart > runLimitSeconds) {
            for (auto& thread : threads)
                thread->requestStop();
            for (auto& thread : threads)
                thread->terminate();
            run.firstError = "stopped after the time limit";
            break;
        }
        Sleep(static_cast<DWORD>(pollMs));
    }
    run.wall = wallSeconds() - wallStart;
    run.cpu = cpuSeconds() - cpuStart - (threadCpuSeconds() - pollStart);
    for (auto& thread : threads) {
        if (thread->getStatus() == "OK") {
            ++run.ok;
            run.firstCount = thread->getMailCount();
        } else if (run.firstError.empty() && thread->getStatus().length() > 0) {
            run.firstError = thread->getStatus().text();
        }
    }
    return run;
}

// Runs `count` checks at once and prints one line of figures; false when any failed.
bool measure(const char* label, const char* host, int port, const char* user,
             const char* password, int count)
{
    Run run = runChecks(host, port, user, password, count, 20);
    std::printf("%-8s N=%-4d wall %7.3f s   process CPU %6.3f s   OK %d/%d   count %d%s%s\n",
                label, count, run.wall, run.cpu, run.ok, count, run.firstCount,
                run.firstError.empty() ? "" : "   first error: ", run.firstError.c_str());
    std::fflush(stdout);
    return run.ok == count;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// 1 and 100 checks at once through a relay that delays each direction by `oneWayMs`, each
// `rounds` times; prints the medians and their ratios. Six round trips are the least a check
// can take: the connect, the greeting, USER, PASS, STAT and QUIT.
bool measureLatency(const char* host, int port, const char* user, const char* password,
                    int oneWayMs, int rounds)
{
    std::vector<double> one, hundred, cpu;
    bool ok = true;
    for (int round = 0; round < rounds; ++round) {
        Run single = runChecks(host, port, user, password, 1, 1);
        Run many = runChecks(host, port, user, password, 100, 1);
        ok = ok && single.ok == 1 && many.ok == 100;
        if (!many.firstError.empty() || !single.firstError.empty())
            std::printf("round %d: a check failed: %s%s\n", round + 1, single.firstError.c_str(),
                        many.firstError.c_str());
        one.push_back(single.wall);
        hundred.push_back(many.wall);
        cpu.push_back(many.cpu / 100);
        std::printf("round %d: 1 mailbox %.3f s, 100 at once %.3f s, CPU per check %.2f ms\n",
                    round + 1, single.wall, many.wall, many.cpu * 10);
        std::fflush(stdout);
    }
    double floor = 6 * 2 * oneWayMs / 1000.0;
    double a = median(one), b = median(hundred);
    std::printf("latency  one-way %d ms, median of %d rounds: 1 mailbox %.3f s, 100 at once %.3f s,"
                " ratio %.2f\n         floor of six round trips %.3f s: 1 mailbox %.2f x, 100 at"
                " once %.2f x; CPU per check %.2f ms\n",
                oneWayMs, rounds, a, b, a > 0 ? b / a : 0, floor, a / floor, b / floor,
                median(cpu) * 1000);
    std::fflush(stdout);
    return ok;
}

DWORD WINAPI emptyThread(LPVOID)
{
    return 0;
}

DWORD WINAPI lookupThread(LPVOID parameter)
{
    addrinfo hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    if (getaddrinfo(static_cast<const char*>(parameter), nullptr, &hints, &list) == 0)
        freeaddrinfo(list);
    return 0;
}

// A blocking connection to an IPv4 server whose greeting has been received.
SOCKET greetedSocket(const char* host, int port)
{
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    inet_pton(AF_INET, host, &address.sin_addr);
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    char greeting[512];
    ::recv(s, greeting, sizeof greeting, 0);
    return s;
}

// Runs `piece` `count` times and prints the process CPU time and the wall time per run.
template <class Piece>
void costOf(const char* label, int count, Piece piece)
{
    double wallStart = wallSeconds();
    double cpuStart = cpuSeconds();
    for (int i = 0; i < count; ++i)
        piece(i);
    double cpu = cpuSeconds() - cpuStart;
    double wall = wallSeconds() - wallStart;
    std::printf("  %-44s CPU %7.1f us   wall %7.1f us\n", label, cpu * 1e6 / count,
                wall * 1e6 / count);
    std::fflush(stdout);
}

// The pieces a check is made of, each alone, then whole checks, as CPU time per piece.
// The process CPU clock under Wine ticks in 10 ms, so N should be a few hundred at least.
bool measureCpu(const char* host, int port, const char* user, const char* password, int count)
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    std::printf("CPU per piece, %d of each:\n", count);
    costOf("thread start and end", count, [](int) {
        HANDLE t = CreateThread(nullptr, 0, emptyThread, nullptr, 0, nullptr);
        WaitForSingleObject(t, INFINITE);
        CloseHandle(t);
    });
    costOf("thread start and end, 64 KiB stack", count, [](int) {
        HANDLE t = CreateThread(nullptr, 64 * 1024, emptyThread, nullptr,
                                STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
        WaitForSingleObject(t, INFINITE);
        CloseHandle(t);
    });
    costOf("sockets library start and stop", count, [](int) {
        WSADATA d;
        WSAStartup(MAKEWORD(2, 2), &d);
        WSACleanup();
    });
    costOf("numeric address read (no lookup)", count, [host](int) {
        addrinfo hints = {};
        hints.ai_flags = AI_NUMERICHOST;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* list = nullptr;
        if (getaddrinfo(host, nullptr, &hints, &list) == 0)
            freeaddrinfo(list);
    });
    costOf("lookup on a helper thread", count, [host](int) {
        HANDLE t = CreateThread(nullptr, 0, lookupThread, const_cast<char*>(host), 0, nullptr);
        WaitForSingleObject(t, INFINITE);
        CloseHandle(t);
    });
    costOf("event object make and close", count, [](int) {
        WSAEVENT e = WSACreateEvent();
        WSACloseEvent(e);
    });
    costOf("socket, connect, close (server greets)", count, [host, port](int) {
        SOCKET s = greetedSocket(host, port);
        closesocket(s);
    });
    // The least a check's socket work can cost: the same dialogue on this thread with a
    // blocking socket, each command in two sends as the dialogue makes them.
    std::string login[4] = {std::string("USER ") + user, std::string("PASS ") + password, "STAT", "QUIT"};
    costOf("bare dialogue, blocking, on this thread", count, [&](int) {
        SOCKET s = greetedSocket(host, port);
        char reply[512];
        for (const std::string& command : login) {
            ::send(s, command.data(), static_cast<int>(command.size()), 0);
            ::send(s, "\r\n", 2, 0);
            ::recv(s, reply, sizeof reply, 0);
        }
        closesocket(s);
    });
    WSACleanup();
    bool ok = true;
    costOf("whole check, one at a time", count / 10 > 0 ? count / 10 : 1, [&](int) {
        ok = runChecks(host, port, user, password, 1, 1).ok == 1 && ok;
    });
    Run many = runChecks(host, port, user, password, count, 1);
    std::printf("  %-44s CPU %7.1f us   wall %7.1f us\n", "whole check, all at once",
                many.cpu * 1e6 / count, many.wall * 1e6 / count);
    return ok && many.ok == count;
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
    if (mode == "latency" && (argc == 7 || argc == 8))
        return measureLatency(argv[2], std::atoi(argv[3]), argv[4], argv[5], std::atoi(argv[6]),
                              argc == 8 ? std::atoi(argv[7]) : 5)
                   ? 0 : 1;
    if (mode == "cpu" && argc == 7)
        return measureCpu(argv[2], std::atoi(argv[3]), argv[4], argv[5], std::atoi(argv[6])) ? 0 : 1;
    if (mode == "slow" && argc == 4)
        return runSlow(std::atoi(argv[2]), std::atoi(argv[3]));
    if (mode == "slowserver" && argc == 5)
        return runSlowServer(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    std::fprintf(stderr,
                 "usage: pop3bench check <host> <port> <user> <password> <N>...\n"
                 "       pop3bench slow <N> <delay ms>\n"
                 "       pop3bench slowserver <port> <N> <delay ms>\n"
                 "       pop3bench latency <host> <port> <user> <password> <one-way ms> [rounds]\n"
                 "       pop3bench cpu <host> <port> <user> <password> <N>\n");
    return 2;
}
