// DThread: a system thread that runs the object's virtual run() once. Stops are
// cooperative: requestStop() raises a flag that run() checks (through isStopRequested() or
// stopFlag()), and terminate() waits until run() has returned, so after it the thread no
// longer touches its object. Nothing here ever kills a thread by force: a thread stopped in
// the middle of a heap or lock operation would leave that lock held for ever.
// The thread handle is owned and closed by the destructor, which does not stop the thread:
// the owner terminates (or waits for) a started thread before destroying it.
// start, isRunning and terminate are meant for the thread that owns the object.
#pragma once

#include <atomic>

#include "foundation/DObject.h"

class DThread : public DObject {
public:
    DThread();
    ~DThread() override;  // the destructor closes the handle; it does not stop the thread
    DThread(const DThread&) = delete;
    DThread& operator=(const DThread&) = delete;

    bool start();                    // once; false when no thread could be made
    bool isRunning() const;          // a thread whose start failed counts as ended
    void requestStop();              // raises the stop flag and returns at once
    bool isStopRequested() const;
    void terminate();                // cooperative stop: requestStop, then wait until run() has returned

protected:
    virtual void run();
    const std::atomic<bool>& stopFlag() const;  // for helpers that wait on the thread's behalf

private:
    friend struct DThreadStarter;  // the system thread's entry point


    void* handle = nullptr;          // owned system thread handle, none until a successful start
    unsigned long threadId = 0;
    bool startAttempted = false;
    std::atomic<bool> stopRequested{false};
};
