// A working thread whose conversation is held inside a wait that does not heed its stop, as
// a system call stuck in a driver or a network stack would hold it: the check can only end
// when the test lets it go. Counts the threads that reached the hold and those destroyed,
// so a test sees a thread left behind by a stop finish and clean up after itself. Win32.
#pragma once

#include <atomic>

#include "mail/DWorkingThread.h"

namespace heldcheck {

// Threads that have entered the hold, and held threads destroyed, since the last reset.
extern std::atomic<int> entered;
extern std::atomic<int> destroyed;

// Closes the gate (holds come to wait at it) and zeroes the counts.
void reset();
// Opens the gate: every held wait returns and its check ends as a lost connection.
void letGo();

class HeldThread : public DWorkingThread {
public:
    ~HeldThread() override;

protected:
    DByteChannel* openChannel(DByteChannel& connection) override;
};

// The maker for the main window's start-up options.
DWorkingThread* makeHeldThread();

}  // namespace heldcheck
