// DThreadManager: the working threads of one mail check, in mailbox order, polled and
// stopped together from the user-interface thread. Holds DThread pointers in a DList it owns;
// the threads themselves are not owned: whoever removes one destroys it.
#pragma once

#include "foundation/DList.h"
#include "system/DThread.h"

class DThreadManager : public DObject {
public:
    DThreadManager();
    ~DThreadManager() override;
    DThreadManager(const DThreadManager&) = delete;
    DThreadManager& operator=(const DThreadManager&) = delete;

    void add(DThread* thread);
    // Unlinks the thread at a 0-based index without destroying it.
    void remove(int index);
    int count() const;
    DThread* get(int index) const;
    // False for an empty list; otherwise asks every thread, in order.
    bool anyRunning() const;
    // Raises the stop flag of every thread first, then waits for each, so the threads wind
    // down together and the whole wait is that of the slowest, not the sum.
    void terminateAll();
    // As terminateAll, but waits `milliseconds` at most in all: true when every thread has
    // ended. A thread busy in a call that does not heed its stop is left running; its owner
    // decides what becomes of it (see DWorkingThread::release).
    bool stopAll(unsigned long milliseconds);

private:
    DList* threadList;  // owned list; the threads in it are not owned
};
