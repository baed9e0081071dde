#include "tools/soak/SoakCycle.h"

#include <winsock2.h>
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <vector>

#include "mail/SocketLibrary.h"
#include "system/DThreadManager.h"
#include "mail/DWorkingThread.h"
#include "tools/soak/FaultPop3Server.h"

namespace {

// Bounds of one cycle: every answering server is done well within them even on a loaded
// machine; a check still running then counts as not ended.
const ULONGLONG cycleLimitMs = 30000;
const ULONGLONG serverIdleLimitMs = 10000;
const DWORD pollMs = 5;

long threadCount()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    long count = 0;
    THREADENTRY32 entry;
    entry.dwSize = sizeof entry;
    DWORD self = GetCurrentProcessId();
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == self)
            ++count;
    CloseHandle(snapshot);
    return count;
}

// A port on 127.0.0.1 where nothing listens: bound, and let go again.
int closedPort()
{
    SOCKET probe = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
    closesocket(probe);
    return ntohs(address.sin_port);
}

// How many more objects of a kind the process could make now: they are made until the table
// or the quota runs out, then all destroyed again. Where the system keeps no count of a
// process's GDI objects (Wine answers 0), objects held are what this capacity has lost since
// the first measurement (Wine's GDI table is the process's own).
template <class Make, class Destroy>
long freeCapacity(Make make, Destroy destroy)
{
    std::vector<void*> made;
    made.reserve(70000);
    while (made.size() < 70000) {
        void* object = make();
        if (object == nullptr)
            break;
        made.push_back(object);
    }
    for (void* object : made)
        destroy(object);
    return static_cast<long>(made.size());
}

long gdiObjectCount()
{
    long reported = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    if (reported > 0)
        return reported;
    long capacity = freeCapacity([] { return static_cast<void*>(CreatePen(PS_SOLID, 1, RGB(1, 2, 3))); },
                                 [](void* pen) { DeleteObject(static_cast<HGDIOBJ>(pen)); });
    static long start = capacity;
    return start - capacity;
}

BOOL CALLBACK countOwnWindow(HWND window, LPARAM counter)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId())
        ++*reinterpret_cast<long*>(counter);
    return TRUE;
}

BOOL CALLBACK countOwnTree(HWND window, LPARAM counter)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<long*>(counter);
        EnumChildWindows(window, countOwnWindow, counter);
    }
    return TRUE;
}

// USER objects: the system's count, or where it keeps none (Wine), this process's windows -
// top-level, message-only and their children. The USER handle table is shared by every
// program of the session, so a capacity probe would count the others' objects too.
long userObjectCount()
{
    long reported = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    if (reported > 0)
        return reported;
    long windows = 0;
    EnumWindows(countOwnTree, reinterpret_cast<LPARAM>(&windows));
    HWND messageOnly = nullptr;
    for (int i = 0; i < 100000; ++i) {
        messageOnly = FindWindowExA(HWND_MESSAGE, messageOnly, nullptr, nullptr);
        if (messageOnly == nullptr)
            break;
        countOwnTree(messageOnly, reinterpret_cast<LPARAM>(&windows));
    }
    return windows;
}

// The system's count of this process's handles, or, where it keeps none (Wine answers 0),
// the handle values that name an open handle: handles are small multiples of 4.
long handleCount()
{
    DWORD reported = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &reported) && reported > 0)
        return static_cast<long>(reported);
    long count = 0;
    DWORD flags = 0;
    for (ULONG_PTR value = 4; value < 4 * 65536; value += 4)
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    return count;
}

// Private committed memory: the system's figure, or where it gives none (Wine), the sum of
// the committed private regions of the address space.
double privateMemoryMiB()
{
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory) && memory.PrivateUsage > 0)
        return static_cast<double>(memory.PrivateUsage) / (1024.0 * 1024.0);
    unsigned long long total = 0;
    MEMORY_BASIC_INFORMATION region;
    const char* at = nullptr;
    for (int i = 0; i < 1000000 && VirtualQuery(at, &region, sizeof region) == sizeof region; ++i) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at)
            break;
        at = next;
    }
    return static_cast<double>(total) / (1024.0 * 1024.0);
}

// The bytes of the blocks handed out in every heap of the process: where private memory
// grows, this tells the program's own allocations from memory the system keeps.
double heapInUseMiB()
{
    HANDLE heaps[256];
    DWORD count = GetProcessHeaps(256, heaps);
    if (count > 256)
        count = 256;
    unsigned long long total = 0;
    for (DWORD i = 0; i < count; ++i) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry))
            if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0)
                total += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return static_cast<double>(total) / (1024.0 * 1024.0);
}

}  // namespace

ResourceFigures measureResources()
{
    ResourceFigures f;
    f.gdiObjects = gdiObjectCount();
    f.userObjects = userObjectCount();
    f.handles = handleCount();
    f.threads = threadCount();
    f.privateMiB = privateMemoryMiB();
    f.heapMiB = heapInUseMiB();
    return f;
}

std::string describe(const ResourceFigures& f)
{
    char text[200];
    std::snprintf(text, sizeof text,
                  "GDI %4ld  USER %4ld  handles %5ld  threads %3ld  private %7.2f MiB  heap %7.3f MiB",
                  f.gdiObjects, f.userObjects, f.handles, f.threads, f.privateMiB, f.heapMiB);
    return text;
}

std::vector<SoakMailbox> soakMailboxes(int dovecotPort, const FaultPop3Server& faults)
{
    startSocketLibrary();
    int refused = closedPort();
    const int slow = faults.port(FaultPop3Server::Slow);
    const int silent = faults.port(FaultPop3Server::Silent);
    const int dropped = faults.port(FaultPop3Server::Dropped);
    const int overLong = faults.port(FaultPop3Server::OverLong);
    return {
        {dovecotPort, "one", 1},    {dovecotPort, "three", 3},  {dovecotPort, "empty", 0},
        {dovecotPort, "many", 250}, {dovecotPort, "three", 3},  {dovecotPort, "one", 1},
        {dovecotPort, "three", 3},  {dovecotPort, "empty", 0},  {dovecotPort, "one", 1},
        {dovecotPort, "three", 3},  {slow, "slow", 2},          {slow, "slow", 2},
        {silent, "silent", -2},     {silent, "silent", -2},     {dropped, "dropped", -1},
        {dropped, "dropped", -1},   {overLong, "overlong", 2},  {overLong, "overlong", 2},
        {refused, "refused", -1},   {refused, "refused", -1},
    };
}

SoakCycle::SoakCycle(int dovecotPort, const FaultPop3Server& faults)
    : boxes(soakMailboxes(dovecotPort, faults)), faults(faults)
{
}

CycleOutcome SoakCycle::run()
{
    CycleOutcome outcome;
    DThreadManager manager;
    std::vector<DWorkingThread*> threads;
    for (int i = 0; i < mailboxes; ++i) {
        DWorkingThread* thread = new DWorkingThread;
        thread->setServer("127.0.0.1");
        thread->setPort(boxes[i].port);
        thread->setUserName(boxes[i].user);
        thread->setPassword("secret");
        thread->setMailboxIndex(i);
        manager.add(thread);
        threads.push_back(thread);
        thread->start();
    }
    // Polled as the check cycle polls, until only the silent servers' checks are left.
    ULONGLONG begin = GetTickCount64();
    for (;;) {
        bool waiting = false;
        for (int i = 0; i < mailboxes; ++i)
            waiting = waiting || (boxes[i].expectedCount != -2 && threads[i]->isRunning());
        if (!waiting)
            break;
        if (GetTickCount64() - begin > cycleLimitMs) {
            outcome.ended = false;
            break;
        }
        Sleep(pollMs);
    }
    manager.terminateAll();

    for (int i = 0; i < mailboxes; ++i) {
        ++outcome.checks;
        DString status = threads[i]->getStatus();
        int count = threads[i]->getMailCount();
        bool counted = status == "OK";
        outcome.ok += counted ? 1 : 0;
        int expected = boxes[i].expectedCount;
        bool right = expected >= 0 ? counted && count == expected : expected == -2 || !counted;
        if (!right) {
            if (outcome.unexpected++ == 0)
                outcome.firstUnexpected = std::string(boxes[i].user) + ": \"" + status.text() +
                                          "\" count " + std::to_string(count);
        }
    }
    for (int i = manager.count() - 1; i >= 0; --i) {
        DThread* thread = manager.get(i);
        manager.remove(i);
        delete thread;
    }
    // The next cycle starts with the fault servers' side of every connection closed too.
    begin = GetTickCount64();
    while (faults.openConnections() > 0 && GetTickCount64() - begin < serverIdleLimitMs)
        Sleep(pollMs);
    outcome.serverIdle = faults.openConnections() == 0;
    return outcome;
}
