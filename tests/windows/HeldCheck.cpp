#include "HeldCheck.h"

#include <windows.h>

namespace heldcheck {

std::atomic<int> entered{0};
std::atomic<int> destroyed{0};

namespace {

// The gate: a manual-reset event, made once and kept for the process.
HANDLE gate()
{
    static HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

// The connection seen through a wait that ignores the thread's stop event and stop flag.
class HeldChannel : public DByteChannel {
public:
    explicit HeldChannel(DByteChannel& beneath) : beneath(beneath) {}
    int send(const void* data, int length) override { return beneath.send(data, length); }
    int receive(char* buffer, int capacity) override
    {
        (void)buffer;
        (void)capacity;
        return 0;  // let go: the conversation ends as a lost connection
    }
    bool waitReadable(int) override
    {
        entered++;
        WaitForSingleObject(gate(), INFINITE);
        return true;
    }

private:
    DByteChannel& beneath;  // not owned
};

}  // namespace

void reset()
{
    ResetEvent(gate());
    entered.store(0);
    destroyed.store(0);
}

void letGo()
{
    SetEvent(gate());
}

HeldThread::~HeldThread()
{
    destroyed++;
}

DByteChannel* HeldThread::openChannel(DByteChannel& connection)
{
    return new HeldChannel(connection);
}

DWorkingThread* makeHeldThread()
{
    return new HeldThread;
}

}  // namespace heldcheck
