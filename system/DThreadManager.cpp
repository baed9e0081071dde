#include "system/DThreadManager.h"

#include <chrono>

DThreadManager::DThreadManager() : threadList(new DList)
{
}

DThreadManager::~DThreadManager()
{
    delete threadList;
}

void DThreadManager::add(DThread* thread)
{
    threadList->add(thread);
}

void DThreadManager::remove(int index)
{
    threadList->remove(index);
}

int DThreadManager::count() const
{
    return threadList->count();
}

DThread* DThreadManager::get(int index) const
{
    return static_cast<DThread*>(threadList->get(index));
}

bool DThreadManager::anyRunning() const
{
    bool any = false;
    int n = count();
    for (int i = 0; i < n; ++i) {
        DThread* thread = get(i);
        if (thread && thread->isRunning())
            any = true;
    }
    return any;
}

void DThreadManager::terminateAll()
{
    int n = count();
    for (int i = 0; i < n; ++i) {
        if (DThread* thread = get(i))
            thread->requestStop();
    }
    for (int i = 0; i < n; ++i) {
        if (DThread* thread = get(i))
            thread->terminate();
    }
}

bool DThreadManager::stopAll(unsigned long milliseconds)
{
    using Clock = std::chrono::steady_clock;
    int n = count();
    for (int i = 0; i < n; ++i) {
        if (DThread* thread = get(i))
            thread->requestStop();
    }
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    bool allEnded = true;
    for (int i = 0; i < n; ++i) {
        DThread* thread = get(i);
        if (!thread)
            continue;
        Clock::time_point now = Clock::now();
        unsigned long left = now >= deadline
            ? 0
            : static_cast<unsigned long>(
                  std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count());
        if (!thread->waitForEnd(left))
            allEnded = false;
    }
    return allEnded;
}
