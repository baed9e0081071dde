#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>

#include "system/DThread.h"
#include "system/DThreadManager.h"

namespace {

// Waits (in short sleeps, up to a generous limit) until the condition holds.
template <class Condition>
bool eventually(Condition condition, DWORD limitMs = 10000)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > limitMs)
            return false;
        Sleep(2);
    }
    return true;
}

class CountingThread : public DThread {
public:
    std::atomic<int> runs{0};

protected:
    void run() override { ++runs; }
};

// Blocks in a wait until it is asked to stop; records that run() has returned.
class WaitingThread : public DThread {
public:
    explicit WaitingThread(std::atomic<int>* destroyed = nullptr) : destroyed(destroyed) {}
    ~WaitingThread() override
    {
        if (destroyed)
            ++*destroyed;
    }
    std::atomic<bool> started{false};
    std::atomic<bool> returned{false};

protected:
    void run() override
    {
        started = true;
        while (!stopFlag().load())
            Sleep(5);
        returned = true;
    }

private:
    std::atomic<int>* destroyed;
};

// Blocks in a system wait on its stop event alone, without a time limit.
class EventWaitingThread : public DThread {
public:
    std::atomic<bool> started{false};
    std::atomic<bool> woken{false};

protected:
    void run() override
    {
        started = true;
        woken = WaitForSingleObject(stopEvent(), INFINITE) == WAIT_OBJECT_0;
    }
};

class SelfStoppingThread : public DThread {
public:
    std::atomic<bool> returned{false};

protected:
    void run() override
    {
        terminate();  // must not wait for itself
        returned = isStopRequested();
    }
};

}  // namespace

TEST(DThread, RunsOnceAndEnds)
{
    CountingThread thread;
    EXPECT_FALSE(thread.isRunning());  // not started yet
    ASSERT_TRUE(thread.start());
    EXPECT_TRUE(eventually([&] { return !thread.isRunning(); }));
    EXPECT_EQ(thread.runs.load(), 1);
    EXPECT_FALSE(thread.start());  // a thread object starts once
    Sleep(20);
    EXPECT_EQ(thread.runs.load(), 1);
}

TEST(DThread, TerminateStopsAThreadBlockedInAWait)
{
    WaitingThread thread;
    ASSERT_TRUE(thread.start());
    ASSERT_TRUE(eventually([&] { return thread.started.load(); }));
    EXPECT_TRUE(thread.isRunning());
    EXPECT_FALSE(thread.isStopRequested());
    thread.terminate();
    // run() has returned by the time terminate() does.
    EXPECT_TRUE(thread.returned.load());
    EXPECT_FALSE(thread.isRunning());
    EXPECT_TRUE(thread.isStopRequested());
    thread.terminate();  // again: nothing to wait for
}

TEST(DThread, TheStopEventWakesAWaitWithoutLimitAndStaysSet)
{
    EventWaitingThread thread;
    ASSERT_NE(thread.stopEvent(), nullptr);
    EXPECT_EQ(WaitForSingleObject(thread.stopEvent(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    ASSERT_TRUE(thread.start());
    ASSERT_TRUE(eventually([&] { return thread.started.load(); }));
    thread.requestStop();
    bool ended = eventually([&] { return !thread.isRunning(); });
    EXPECT_TRUE(ended) << "the stop did not set the event";
    if (!ended)
        SetEvent(thread.stopEvent());  // let the thread go so the test can end
    thread.terminate();
    EXPECT_TRUE(thread.woken.load());
    // Manual reset: every later wait on it ends at once too.
    EXPECT_EQ(WaitForSingleObject(thread.stopEvent(), 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(thread.stopEvent(), 0), static_cast<DWORD>(WAIT_OBJECT_0));
}

TEST(DThread, RequestStopReturnsAtOnce)
{
    WaitingThread thread;
    ASSERT_TRUE(thread.start());
    thread.requestStop();
    EXPECT_TRUE(thread.isStopRequested());
    EXPECT_TRUE(eventually([&] { return thread.returned.load(); }));
    thread.terminate();
}

TEST(DThread, NeverStartedThreadCountsAsEnded)
{
    WaitingThread thread;
    EXPECT_FALSE(thread.isRunning());
    thread.terminate();  // returns: there is nothing to wait for
    EXPECT_TRUE(thread.isStopRequested());
}

TEST(DThread, AThreadMayStopItselfWithoutWaitingForItself)
{
    SelfStoppingThread thread;
    ASSERT_TRUE(thread.start());
    ASSERT_TRUE(eventually([&] { return !thread.isRunning(); }));
    EXPECT_TRUE(thread.returned.load());
}

TEST(DThreadManager, EmptyManager)
{
    DThreadManager manager;
    EXPECT_EQ(manager.count(), 0);
    EXPECT_FALSE(manager.anyRunning());
    EXPECT_EQ(manager.get(0), nullptr);
    manager.terminateAll();
    manager.remove(0);
}

TEST(DThreadManager, KeepsOrderAndRemoveDoesNotDestroy)
{
    std::atomic<int> destroyed{0};
    WaitingThread* a = new WaitingThread(&destroyed);
    WaitingThread* b = new WaitingThread(&destroyed);
    WaitingThread* c = new WaitingThread(&destroyed);
    {
        DThreadManager manager;
        manager.add(a);
        manager.add(b);
        manager.add(c);
        EXPECT_EQ(manager.count(), 3);
        EXPECT_EQ(manager.get(0), a);
        EXPECT_EQ(manager.get(2), c);
        manager.remove(1);
        EXPECT_EQ(manager.count(), 2);
        EXPECT_EQ(manager.get(1), c);
        EXPECT_EQ(destroyed.load(), 0);
        EXPECT_FALSE(manager.anyRunning());  // none started
    }
    EXPECT_EQ(destroyed.load(), 0);  // the manager does not own its threads either
    delete a;
    delete b;
    delete c;
    EXPECT_EQ(destroyed.load(), 3);
}

TEST(DThreadManager, AnyRunningUntilTheLastOneEnds)
{
    DThreadManager manager;
    CountingThread quick;
    WaitingThread slow;
    manager.add(&quick);
    manager.add(&slow);
    ASSERT_TRUE(quick.start());
    ASSERT_TRUE(slow.start());
    ASSERT_TRUE(eventually([&] { return !quick.isRunning(); }));
    EXPECT_TRUE(manager.anyRunning());
    slow.requestStop();
    EXPECT_TRUE(eventually([&] { return !manager.anyRunning(); }));
}

namespace {

// Each of these, once asked to stop, waits until every one of the group has been asked
// before it returns. Stopping them one by one (ask, wait, ask the next) leaves the first
// waiting for the others: it then gives up after its limit and says so.
class GroupThread : public DThread {
public:
    GroupThread(std::atomic<int>* asked, int groupSize) : asked(asked), groupSize(groupSize) {}
    std::atomic<bool> gaveUp{false};

protected:
    void run() override
    {
        while (!isStopRequested())
            Sleep(2);
        ++*asked;
        DWORD start = GetTickCount();
        while (asked->load() < groupSize) {
            if (GetTickCount() - start > 5000) {
                gaveUp = true;
                return;
            }
            Sleep(2);
        }
    }

private:
    std::atomic<int>* asked;
    int groupSize;
};

}  // namespace

TEST(DThreadManager, TerminateAllAsksEveryThreadBeforeWaiting)
{
    std::atomic<int> asked{0};
    const int n = 4;
    GroupThread* threads[n];
    DThreadManager manager;
    for (int i = 0; i < n; ++i) {
        threads[i] = new GroupThread(&asked, n);
        manager.add(threads[i]);
        ASSERT_TRUE(threads[i]->start());
    }
    manager.terminateAll();
    EXPECT_FALSE(manager.anyRunning());
    for (int i = 0; i < n; ++i) {
        EXPECT_FALSE(threads[i]->gaveUp.load()) << i;
        delete threads[i];
    }
}

namespace {

// Ignores its stop: waits on an event of the test's own until the test lets it go.
class DeafThread : public DThread {
public:
    explicit DeafThread(HANDLE gate) : gate(gate) {}
    std::atomic<bool> started{false};

protected:
    void run() override
    {
        started = true;
        WaitForSingleObject(gate, INFINITE);
    }

private:
    HANDLE gate;
};

}  // namespace

TEST(DThreadManager, StopAllWaitsNoLongerThanItsLimitForAThreadThatIgnoresItsStop)
{
    HANDLE gate = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(gate, nullptr);
    std::atomic<int> destroyed{0};
    DThreadManager manager;
    auto* heeding = new WaitingThread(&destroyed);
    auto* deaf = new DeafThread(gate);
    manager.add(heeding);
    manager.add(deaf);
    ASSERT_TRUE(heeding->start());
    ASSERT_TRUE(deaf->start());
    ASSERT_TRUE(eventually([&] { return heeding->started.load() && deaf->started.load(); }));

    // Returns (false) although one thread never answers; the one that heeds has ended.
    EXPECT_FALSE(manager.stopAll(200));
    EXPECT_TRUE(heeding->returned.load());
    EXPECT_FALSE(heeding->isRunning());
    EXPECT_TRUE(deaf->isRunning());
    EXPECT_TRUE(deaf->isStopRequested());
    EXPECT_FALSE(deaf->waitForEnd(0));

    SetEvent(gate);
    EXPECT_TRUE(deaf->waitForEnd(10000));
    EXPECT_TRUE(manager.stopAll(0));  // everything has ended now
    delete heeding;
    delete deaf;
    EXPECT_EQ(destroyed.load(), 1);
    CloseHandle(gate);
}
