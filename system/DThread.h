// DThread: a system thread that runs the object's virtual run() once. Stops are
// cooperative: requestStop() raises a flag that run() checks (through isStopRequested() or
// stopFlag()) and sets the stop event, so a run() blocked in a system wait that includes
// stopEvent() wakes at once instead of looking at the flag at intervals; terminate() waits
// until run() has returned, so after it the thread no longer touches its object. Nothing
// here ever kills a thread by force: a thread stopped in the middle of a heap or lock
// operation would leave that lock held for ever.
// The thread handle is owned and closed by the destructor, which does not stop the thread:
// the owner terminates (or waits for) a started thread before destroying it. The stop event
// (manual reset, made with the object) is owned through a DStopEvent and lives as long as
// the object, so a wait on it may last until run() returns.
// start, isRunning and terminate are meant for the thread that owns the object.
#pragma once

#include <atomic>

#include "foundation/DObject.h"

// Owns one manual-reset event, unsignalled when made, that stays signalled once set. The
// handle is a void* so that users of DThread need no system headers; null when the system
// could not make an event (waits then fall back on the stop flag).
class DStopEvent {
public:
    DStopEvent();
    ~DStopEvent();
    DStopEvent(const DStopEvent&) = delete;
    DStopEvent& operator=(const DStopEvent&) = delete;

    void* get() const { return handle; }
    void set();
    bool isSet() const;

private:
    void* handle = nullptr;  // owned event handle
};

class DThread : public DObject {
public:
    DThread();
    ~DThread() override;  // the destructor closes the handle; it does not stop the thread
    DThread(const DThread&) = delete;
    DThread& operator=(const DThread&) = delete;

    bool start();                    // once; false when no thread could be made
    bool isRunning() const;          // a thread whose start failed counts as ended
    void requestStop();              // raises the stop flag, sets the stop event, returns at once
    bool isStopRequested() const;
    void terminate();                // cooperative stop: requestStop, then wait until run() has returned
    // Waits at most `milliseconds` for run() to return, without asking it to stop; true when
    // it has returned or the thread never started.
    bool waitForEnd(unsigned long milliseconds) const;
    // Whether start() made a system thread.
    bool wasStarted() const { return handle != nullptr; }
    // The event requestStop() sets (a HANDLE; not to be closed): a wait of run() that also
    // waits on it ends as soon as a stop is asked for. Null when no event could be made.
    void* stopEvent() const { return stopSignal.get(); }

protected:
    virtual void run();
    const std::atomic<bool>& stopFlag() const;  // for helpers that wait on the thread's behalf

private:
    friend struct DThreadStarter;  // the system thread's entry point

    void* handle = nullptr;          // owned system thread handle, none until a successful start
    std::atomic<unsigned long> threadId{0};  // also stored by the thread itself before run()
    bool startAttempted = false;
    std::atomic<bool> stopRequested{false};
    DStopEvent stopSignal;
};
