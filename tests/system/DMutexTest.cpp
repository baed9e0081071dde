#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <memory>
#include <thread>

#include "system/DMutex.h"
#include "system/DrawingLock.h"

namespace {

// Runs `body` on another thread and reports when it has finished.
class OtherThread {
public:
    template <class Body>
    explicit OtherThread(Body body) : done(CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
        worker = std::thread([this, body] {
            body();
            SetEvent(done);
        });
    }
    ~OtherThread()
    {
        worker.join();
        CloseHandle(done);
    }
    // True when the thread finished within the limit.
    bool finishedWithin(DWORD ms) { return WaitForSingleObject(done, ms) == WAIT_OBJECT_0; }

private:
    HANDLE done;
    std::thread worker;
};

}  // namespace

TEST(DMutex, TheHolderMayLockAgain)
{
    DMutex mutex;
    EXPECT_FALSE(mutex.isFailed());
    EXPECT_EQ(mutex.lock(), 0u);
    EXPECT_EQ(mutex.lock(), 0u);  // re-entrant: no deadlock
    EXPECT_FALSE(mutex.isFailed());
    EXPECT_TRUE(mutex.unlock());
    EXPECT_TRUE(mutex.unlock());
    EXPECT_FALSE(mutex.unlock());  // not held any more
    EXPECT_TRUE(mutex.isFailed());
}

TEST(DMutex, AnotherThreadWaitsUntilEveryLockIsUndone)
{
    DMutex mutex;
    mutex.lock();
    mutex.lock();
    std::atomic<bool> acquired{false};
    OtherThread other([&] {
        mutex.lock();
        acquired = true;
        mutex.unlock();
    });
    EXPECT_FALSE(other.finishedWithin(200));
    mutex.unlock();  // still held once
    EXPECT_FALSE(other.finishedWithin(200));
    EXPECT_FALSE(acquired.load());
    mutex.unlock();
    EXPECT_TRUE(other.finishedWithin(10000));
    EXPECT_TRUE(acquired.load());
}

TEST(DMutex, OnlyTheHolderCanUnlock)
{
    DMutex mutex;
    mutex.lock();
    bool released = true;
    OtherThread other([&] { released = mutex.unlock(); });
    ASSERT_TRUE(other.finishedWithin(10000));
    EXPECT_FALSE(released);
    EXPECT_TRUE(mutex.unlock());
}

TEST(DrawingLock, OneLockForTheWholeProcess)
{
    EXPECT_EQ(&drawingLock(), &drawingLock());
    DMutex own;
    installDrawingLock(&own);
    EXPECT_EQ(&drawingLock(), &own);
    installDrawingLock(nullptr);
    EXPECT_NE(&drawingLock(), &own);
}

TEST(DrawingLock, HolderBlocksOtherThreadsButNotItself)
{
    std::atomic<bool> entered{false};
    std::unique_ptr<DDrawingLockHolder> outer(new DDrawingLockHolder);
    {
        DDrawingLockHolder inner;  // the same thread again: no deadlock
    }
    OtherThread other([&] {
        DDrawingLockHolder theirs;
        entered = true;
    });
    EXPECT_FALSE(other.finishedWithin(200));
    EXPECT_FALSE(entered.load());
    outer.reset();  // the last hold is released: the other thread gets in
    EXPECT_TRUE(other.finishedWithin(10000));
    EXPECT_TRUE(entered.load());
}
