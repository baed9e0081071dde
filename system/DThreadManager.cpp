#include "system/DThreadManager.h"

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
