#include "framework/DLiveRegistry.h"

void DLiveRegistry::add(const void* object, void* handle)
{
    std::lock_guard<std::mutex> hold(mutex);
    objects[object] = handle;
}

void DLiveRegistry::remove(const void* object)
{
    std::lock_guard<std::mutex> hold(mutex);
    objects.erase(object);
}

bool DLiveRegistry::contains(const void* object) const
{
    std::lock_guard<std::mutex> hold(mutex);
    return objects.count(object) != 0;
}

void DLiveRegistry::setHandle(const void* object, void* handle)
{
    std::lock_guard<std::mutex> hold(mutex);
    auto found = objects.find(object);
    if (found != objects.end())
        found->second = handle;
}

void* DLiveRegistry::handleOf(const void* object) const
{
    std::lock_guard<std::mutex> hold(mutex);
    auto found = objects.find(object);
    return found == objects.end() ? nullptr : found->second;
}

int DLiveRegistry::count() const
{
    std::lock_guard<std::mutex> hold(mutex);
    return static_cast<int>(objects.size());
}
