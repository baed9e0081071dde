// DMutex: an unnamed, re-entrant lock. The thread that holds it may lock it again; every
// lock() needs its unlock(), and only the holder can unlock. The one instance the program
// uses is the drawing lock (DrawingLock.h), held around every dispatched window message and
// every canvas operation, thousands of times a second while windows paint.
//
// It is a slim lock of the system taken exclusively, with the holder and its depth kept
// beside it: taking it again costs nothing, and taking it with nobody else waiting does not
// call into the system's kernel side at all. (A system mutex would cost two round trips to
// the kernel per lock and unlock - under Wine, two requests to the wineserver - which was
// most of the cost of every repaint.)
#pragma once

#include <atomic>

#include "foundation/DObject.h"

class DMutex : public DObject {
public:
    DMutex();
    ~DMutex() override;
    DMutex(const DMutex&) = delete;
    DMutex& operator=(const DMutex&) = delete;

    // Waits without a time limit; returns 0 (the system's "acquired") once it holds the lock.
    unsigned long lock();
    // False, changing nothing, when the calling thread does not hold the lock.
    bool unlock();
    // Outcome of the last operation (false after construction). Every thread that locks
    // writes it, so it is atomic: a reader sees some thread's latest outcome, never a torn
    // or stale-forever value.
    bool isFailed() const { return failed.load(); }

private:
    void* slim = nullptr;                // the system's slim lock (one pointer, empty = free)
    std::atomic<unsigned long> holder{0};  // thread id of the holder, 0 when free
    int depth = 0;                       // locks the holder has not undone; only it writes
    std::atomic<bool> failed{false};
};
