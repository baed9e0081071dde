// DLiveRegistry: a thread-safe record of which objects are alive, each with one native
// handle. Windows and views register themselves while they live, so a timer thread can
// look up where to send a tick and the window procedure can refuse to route a tick to an
// owner that has been destroyed. Objects and handles are opaque pointers; nothing is owned.
#pragma once

#include "foundation/DObject.h"

#include <map>
#include <mutex>

class DLiveRegistry : public DObject {
public:
    void add(const void* object, void* handle = nullptr);
    void remove(const void* object);
    bool contains(const void* object) const;
    // Replaces the handle of a live object; nothing for an object not registered.
    void setHandle(const void* object, void* handle);
    // The handle of a live object, none when it is not registered.
    void* handleOf(const void* object) const;
    int count() const;

private:
    mutable std::mutex mutex;                // guards `objects`
    std::map<const void*, void*> objects;  // object -> native handle, neither owned
};
