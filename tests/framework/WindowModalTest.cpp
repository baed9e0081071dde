// Modal runs, application services, timers and the drawing lock with real windows.
#include "WindowTestKit.h"

#include "framework/DWinInterior.h"
#include "framework/InputSources.h"
#include "framework/DTheme.h"
#include "graphics/DIcon.h"
#include "system/DTimer.h"
#include "system/DrawingLock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <new>
#include <thread>

using namespace windowtest;

namespace {

class WindowServices : public ::testing::Test {
protected:
    void SetUp() override { releaseKeys(); }
    void TearDown() override
    {
        releaseKeys();
        pumpMessages();
    }
};

}  // namespace

// --- modal windows -------------------------------------------------------------------

TEST_F(WindowServices, ClicksToTheOwnerAreDroppedDuringAModalRun)
{
    RecordingWindow owner, modal;
    ASSERT_TRUE(owner.make());
    ASSERT_TRUE(modal.make(150, 100));
    owner.show(true);
    bool hiddenBeforeClick = false;
    bool backAfterClick = false;
    int refusedCloses = -1;
    modal.postAction([&] {
        EXPECT_EQ(owner.getModalChild(), &modal);
        EXPECT_EQ(modal.getModalOwner(), &owner);
        ShowWindow(modal.getHandle(), SW_HIDE);
        hiddenBeforeClick = !IsWindowVisible(modal.getHandle());
        PostMessageA(owner.getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, point(5, 5));
        PostMessageA(owner.getHandle(), WM_LBUTTONUP, 0, point(5, 5));
        PostMessageA(owner.getHandle(), WM_KEYDOWN, 'A', keyData('A', false));
        modal.postAction([&] {
            backAfterClick = IsWindowVisible(modal.getHandle()) != 0;
            owner.close();  // refused: it has a modal child
            refusedCloses = owner.closeCount;
            modal.close();
        });
    });
    modal.runModal(&owner);
    EXPECT_TRUE(hiddenBeforeClick);
    EXPECT_TRUE(backAfterClick);
    EXPECT_EQ(refusedCloses, 0);
    EXPECT_EQ(owner.names(), "");
    EXPECT_TRUE(IsWindow(owner.getHandle()));
    EXPECT_EQ(owner.getModalChild(), nullptr);
    EXPECT_EQ(modal.closeCount, 1);
    owner.close();
    EXPECT_EQ(owner.closeCount, 1);
}

TEST_F(WindowServices, ClosingASecondModalMakesTheSuspendedOneModalAgain)
{
    RecordingWindow owner, first, second;
    ASSERT_TRUE(owner.make());
    ASSERT_TRUE(first.make(150, 100));
    ASSERT_TRUE(second.make(120, 80));
    DWindow* childAfterSecond = nullptr;
    bool firstRefused = false;
    first.postAction([&] {
        second.postAction([&] {
            EXPECT_EQ(owner.getModalChild(), &second);
            EXPECT_TRUE(owner.isSuspendedModal(&first));
            first.close();  // a suspended modal window refuses
            firstRefused = first.closeCount == 0 && IsWindow(first.getHandle());
            // Input to the suspended window is dropped too.
            PostMessageA(first.getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, point(3, 3));
            second.postAction([&] { second.close(); });
        });
        second.runModal(&owner);
        childAfterSecond = owner.getModalChild();
        // The first window's own loop goes on until it closes too.
        first.postAction([&] { first.close(); });
    });
    first.runModal(&owner);
    EXPECT_TRUE(firstRefused);
    EXPECT_EQ(childAfterSecond, &first);
    EXPECT_FALSE(owner.isSuspendedModal(&first));
    EXPECT_EQ(owner.getModalChild(), nullptr);
    EXPECT_EQ(first.closeCount, 1);
    EXPECT_EQ(second.closeCount, 1);
    EXPECT_EQ(first.count("mouseDown"), 0);
    owner.close();
}

namespace {

// Ends a modal run that would otherwise never end, so a failing test fails instead of
// hanging: if the run has not finished within the limit, the quit message is posted to the
// interface thread and `fired` is set.
class HangGuard {
public:
    explicit HangGuard(DWORD limitMs)
        : finished(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          uiThread(GetCurrentThreadId()),
          watcher([this, limitMs] {
              if (WaitForSingleObject(finished, limitMs) != WAIT_OBJECT_0) {
                  fired = true;
                  PostThreadMessageA(uiThread, WM_QUIT, 0, 0);
              }
          })
    {
    }
    ~HangGuard()
    {
        finish();
        CloseHandle(finished);
    }
    void finish()
    {
        SetEvent(finished);
        if (watcher.joinable())
            watcher.join();
    }

    std::atomic<bool> fired{false};

private:
    HANDLE finished;
    DWORD uiThread;
    std::thread watcher;
};

bool noQuitPending()
{
    MSG msg;
    return !PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

class SelfDeletingWindow : public RecordingWindow {
public:
    void onClose() override { delete this; }
};

}  // namespace

TEST_F(WindowServices, AModalWindowDeletingItselfWhileClosingEndsItsRun)
{
    RecordingWindow owner;
    ASSERT_TRUE(owner.make());
    auto* modal = new SelfDeletingWindow;
    ASSERT_TRUE(modal->make(150, 100));
    modal->postAction([modal] { modal->close(); });
    HangGuard guard(10000);
    modal->runModal(&owner);
    guard.finish();
    EXPECT_FALSE(guard.fired);
    EXPECT_EQ(owner.getModalChild(), nullptr);
    EXPECT_TRUE(noQuitPending());
    owner.close();
    EXPECT_EQ(owner.closeCount, 1);
}

TEST_F(WindowServices, AModalWindowClosedAndDeletedByAHandlerIsNotTouchedAgain)
{
    RecordingWindow owner;
    ASSERT_TRUE(owner.make());
    // The window lives in storage the test owns, so writes after its deletion show.
    alignas(RecordingWindow) static unsigned char storage[sizeof(RecordingWindow)];
    auto* modal = new (storage) RecordingWindow;
    ASSERT_TRUE(modal->make(150, 100));
    modal->postAction([modal] {
        modal->close();
        modal->~RecordingWindow();
        std::memset(storage, 0xA5, sizeof storage);
    });
    HangGuard guard(10000);
    modal->runModal(&owner);
    guard.finish();
    EXPECT_FALSE(guard.fired);
    bool untouched = true;
    for (unsigned char byte : storage)
        untouched = untouched && byte == 0xA5;
    EXPECT_TRUE(untouched);
    EXPECT_EQ(owner.getModalChild(), nullptr);
    // Its one quit message ended its own run; none is left for the loop outside.
    EXPECT_TRUE(noQuitPending());
    owner.close();
}

TEST_F(WindowServices, ASuspendedModalWindowDeletedMeanwhileEndsItsRunAfterTheNewerOne)
{
    RecordingWindow owner, second;
    ASSERT_TRUE(owner.make());
    auto* first = new RecordingWindow;
    ASSERT_TRUE(first->make(150, 100));
    ASSERT_TRUE(second.make(120, 80));
    bool droppedFromSuspended = false;
    first->postAction([&] {
        second.postAction([&] {
            ASSERT_TRUE(owner.isSuspendedModal(first));
            delete first;
            droppedFromSuspended = !owner.isSuspendedModal(first);
            // Input for the owner is still held back by the running modal window.
            PostMessageA(owner.getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, point(3, 3));
            second.postAction([&] { second.close(); });
        });
        second.runModal(&owner);
    });
    HangGuard guard(10000);
    first->runModal(&owner);
    guard.finish();
    EXPECT_FALSE(guard.fired);
    EXPECT_TRUE(droppedFromSuspended);
    EXPECT_EQ(second.closeCount, 1);
    EXPECT_EQ(owner.getModalChild(), nullptr);
    EXPECT_EQ(owner.count("mouseDown"), 0);
    EXPECT_TRUE(noQuitPending());
    owner.close();
    EXPECT_EQ(owner.closeCount, 1);
}

TEST_F(WindowServices, RunModalWithoutOwnerReturnsAtOnce)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    w.runModal(nullptr);
    EXPECT_FALSE(IsWindowVisible(w.getHandle()));
    w.close();
}

// --- application services --------------------------------------------------------------

TEST_F(WindowServices, WindowsAskedForOnAnotherThreadAreMadeByTheInterfaceThread)
{
    RecordingWindow w;
    std::atomic<bool> done{false};
    bool made = false;
    std::thread worker([&] {
        made = w.make(100, 60, windowFrameless);
        done = true;
    });
    // The creator window works through this thread's messages.
    pumpUntil([&] { return done.load(); }, 10000);
    worker.join();
    ASSERT_TRUE(made);
    EXPECT_EQ(GetWindowThreadProcessId(w.getHandle(), nullptr), GetCurrentThreadId());
    w.close();
}

TEST_F(WindowServices, TheMessageLoopEndsWithTheQuitCode)
{
    PostQuitMessage(7);
    EXPECT_EQ(DApplication::messageLoop(nullptr), 7);
}

TEST_F(WindowServices, IconsGoToTheWindowAndItsTaskbarWindow)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    DIcon image(16, 16);
    w.setIcon(&image);
    EXPECT_NE(SendMessageA(w.getHandle(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(w.getTaskbarButton(), WM_GETICON, ICON_SMALL, 0), 0);
    w.setIcon(nullptr);
    EXPECT_EQ(SendMessageA(w.getHandle(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(SendMessageA(w.getHandle(), WM_GETICON, ICON_SMALL, 0),
              reinterpret_cast<LRESULT>(LoadIconA(nullptr, IDI_APPLICATION)));
    w.setSmallIcon(&image);
    LRESULT small = SendMessageA(w.getHandle(), WM_GETICON, ICON_SMALL, 0);
    EXPECT_NE(small, 0);
    EXPECT_NE(small, reinterpret_cast<LRESULT>(LoadIconA(nullptr, IDI_APPLICATION)));
    w.close();
}

TEST_F(WindowServices, MovesActivationAndThemeColoursReachTheWindow)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make(200, 100, windowFrameless));
    struct MoveProbe : RecordingWindow {
        void onMove(int x, int y) override { record("move", nullptr, x, y); }
        void onActivate() override { record("activate"); }
        void onDeactivate() override { record("deactivate"); }
    } probe;
    ASSERT_TRUE(probe.make(200, 100, windowFrameless));
    probe.moveTo(40, 50);
    ASSERT_NE(probe.last("move"), nullptr);
    EXPECT_EQ(probe.last("move")->a, 40);
    EXPECT_EQ(probe.last("move")->b, 50);
    probe.show(true);
    w.show(true);
    SetActiveWindow(probe.getHandle());
    EXPECT_EQ(probe.count("activate"), 1);
    EXPECT_EQ(GetFocus(), probe.getHandle());  // activation also gives the keyboard focus
    SetActiveWindow(w.getHandle());
    EXPECT_EQ(probe.count("deactivate"), 1);
    EXPECT_EQ(probe.count("activate"), 1);

    DTheme* theme = DApplication::currentTheme();
    ASSERT_NE(theme, nullptr);
    EXPECT_EQ(w.getBackColor(), theme->color(1));
    EXPECT_EQ(w.getSelectColor(), theme->color(4));
    w.setTheme(nullptr);  // a temporary default theme supplies the colours
    EXPECT_EQ(w.getSelectColor().value(), 0x800000u);
    EXPECT_EQ(w.getTheme(), nullptr);
    probe.close();
    w.close();
}

namespace {

class TickingView : public DView {
public:
    TickingView() { init(0, 0, 10, 10); }
    void timerTick(DTimer*) override { ticks++; }
    std::atomic<int> ticks{0};
};

}  // namespace

TEST_F(WindowServices, ViewTimersTickUntilTheViewIsDestroyed)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    auto* view = new TickingView;
    w.addView(view);
    DTimer timer(static_cast<DView*>(view));
    timer.setInterval(20);
    timer.setEnabled(true);
    ASSERT_TRUE(pumpUntil([&] { return view->ticks >= 2; }, 5000));
    view->destroy();
    // Further ticks find no live view and are dropped.
    pumpUntil([] { return false; }, 150);
    timer.setEnabled(false);
    w.close();
}

TEST_F(WindowServices, HandlersRunUnderTheDrawingLockAlsoForMessagesSentFromOtherThreads)
{
    RecordingWindow w;
    ASSERT_TRUE(w.make());
    std::atomic<bool> lockTaken{false};
    bool takenWhileHandling = true;
    std::thread contender;
    w.actions.push_back([&] {
        contender = std::thread([&] {
            drawingLock().lock();
            lockTaken = true;
            drawingLock().unlock();
        });
        Sleep(100);  // the contender must still be waiting when the handler ends
        takenWhileHandling = lockTaken.load();
    });
    // Sent from another thread, as timer ticks are: no message loop takes the lock for it.
    std::thread sender([&] { SendMessageA(w.getHandle(), RecordingWindow::actionMessage, 0, 0); });
    pumpUntil([&] { return lockTaken.load(); }, 10000);
    sender.join();
    contender.join();
    EXPECT_FALSE(takenWhileHandling);
    EXPECT_TRUE(lockTaken);
    w.close();
}
