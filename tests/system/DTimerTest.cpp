#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <map>

#include "system/DTimer.h"

namespace {

// A plain native window that receives timer ticks the way the window framework's windows
// do: every "DVTimerTick" goes through DTimer::acceptTick before it is handled.
class TickWindow {
public:
    TickWindow()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &TickWindow::procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "PellaroTimerTestWindow";
        RegisterClassA(&wc);  // fails harmlessly when already registered
        handle = CreateWindowExA(0, "PellaroTimerTestWindow", "", WS_POPUP, 0, 0, 10, 10,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TickWindow() { DestroyWindow(handle); }

    // Handles messages until the condition holds or the limit has passed; true when it held.
    bool pumpUntil(const std::function<bool()>& condition, DWORD limitMs = 10000)
    {
        DWORD start = GetTickCount();
        for (;;) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            if (condition())
                return true;
            DWORD elapsed = GetTickCount() - start;
            if (elapsed >= limitMs)
                return false;
            DWORD left = limitMs - elapsed;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, left < 10 ? left : 10, QS_ALLINPUT);
        }
    }
    void pumpFor(DWORD ms)
    {
        pumpUntil([] { return false; }, ms);
    }

    HWND handle = nullptr;
    int ticks = 0;         // ticks handled
    int refused = 0;       // ticks that arrived but were refused
    std::map<DTimer*, int> ticksOf;
    LPARAM lastLParam = -1;
    std::function<void(DTimer*)> onTick;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == timerTickMessage()) {
            TickWindow* self = reinterpret_cast<TickWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
            if (!self)
                return 0;
            DTimer* timer = DTimer::acceptTick(wParam);
            if (!timer) {
                ++self->refused;
                return 0;
            }
            ++self->ticks;
            ++self->ticksOf[timer];
            self->lastLParam = lParam;
            if (self->onTick)
                self->onTick(timer);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

}  // namespace

TEST(DTimer, StartsDisabledWithOneSecond)
{
    TickWindow window;
    DTimer timer(static_cast<void*>(window.handle));
    EXPECT_FALSE(timer.isEnabled());
    EXPECT_EQ(timer.getInterval(), 1000);
    EXPECT_EQ(timer.getOwnerHandle(), window.handle);
    EXPECT_EQ(timer.getOwnerWindow(), nullptr);
    EXPECT_EQ(timer.getOwnerView(), nullptr);
    timer.tick();  // disabled: nothing is sent
    EXPECT_EQ(window.ticks + window.refused, 0);
}

TEST(DTimer, FiftyMillisecondsGiveAboutTwentyTicksASecond)
{
    TickWindow window;
    DTimer timer(static_cast<void*>(window.handle));
    timer.setInterval(50);
    EXPECT_FALSE(timer.isEnabled());  // setInterval does not start a disabled timer
    timer.setEnabled(true);
    EXPECT_TRUE(timer.isEnabled());
    window.pumpFor(1000);
    timer.setEnabled(false);
    EXPECT_GE(window.ticks, 5);
    EXPECT_LE(window.ticks, 40);
    EXPECT_EQ(window.ticksOf[&timer], window.ticks);  // wParam is the timer
    EXPECT_EQ(window.lastLParam, 0);
}

TEST(DTimer, EnablingAnEnabledTimerMakesNoSecondThread)
{
    TickWindow window;
    DTimer timer(static_cast<void*>(window.handle));
    timer.setEnabled(false);  // disabled already: nothing to do
    EXPECT_FALSE(timer.isEnabled());
    timer.setInterval(10);
    timer.setEnabled(true);
    timer.setEnabled(true);
    ASSERT_TRUE(window.pumpUntil([&] { return window.ticks >= 3; }));
    timer.setEnabled(false);
    // A second timer thread would outlive the disabling and go on sending ticks, each
    // of them refused.
    int ticks = window.ticks;
    int refused = window.refused;
    window.pumpFor(200);
    EXPECT_EQ(window.ticks, ticks);
    EXPECT_EQ(window.refused, refused);
}

TEST(DTimer, SetIntervalOnADisabledTimerDoesNotStartIt)
{
    TickWindow window;
    DTimer timer(static_cast<void*>(window.handle));
    timer.setInterval(10);
    EXPECT_EQ(timer.getInterval(), 10);
    window.pumpFor(200);
    EXPECT_FALSE(timer.isEnabled());
    EXPECT_EQ(window.ticks + window.refused, 0);
}

TEST(DTimer, NoTickAfterDisabling)
{
    TickWindow window;
    DTimer timer(static_cast<void*>(window.handle));
    timer.setInterval(10);
    timer.setEnabled(true);
    ASSERT_TRUE(window.pumpUntil([&] { return window.ticks >= 3; }));
    timer.setEnabled(false);
    int seen = window.ticks;
    window.pumpFor(200);
    EXPECT_EQ(window.ticks, seen);
    EXPECT_FALSE(timer.isEnabled());
}

TEST(DTimer, ATickOnItsWayWhenTheTimerIsDisabledIsNotHandled)
{
    TickWindow window;
    DTimer timer(static_cast<void*>(window.handle));
    timer.setInterval(10);
    timer.setEnabled(true);
    ASSERT_TRUE(window.pumpUntil([&] { return window.ticks >= 1; }));
    for (int round = 0; round < 5; ++round) {
        // Without handling messages for a while, the timer thread is left waiting in its
        // send: the next tick is on its way when the timer is disabled.
        Sleep(60);
        int seen = window.ticks;
        DWORD start = GetTickCount();
        timer.setEnabled(false);
        EXPECT_LT(GetTickCount() - start, 5000u);
        window.pumpFor(100);
        EXPECT_EQ(window.ticks, seen) << round;
        timer.setEnabled(true);
        ASSERT_TRUE(window.pumpUntil([&] { return window.ticks > seen; }));
    }
    EXPECT_GE(window.refused, 1);  // the tick on its way arrived and was turned away
    timer.setEnabled(false);
}

TEST(DTimer, DisablingFromInsideItsOwnTickHandler)
{
    TickWindow window;
    DTimer timer(static_cast<void*>(window.handle));
    timer.setInterval(10);
    window.onTick = [&](DTimer* t) { t->setEnabled(false); };
    timer.setEnabled(true);
    ASSERT_TRUE(window.pumpUntil([&] { return window.ticks >= 1; }));
    window.pumpFor(200);
    EXPECT_EQ(window.ticks, 1);
    EXPECT_FALSE(timer.isEnabled());
}

TEST(DTimer, ReEnablingInsideTheHandlerKeepsItTicking)
{
    TickWindow window;
    DTimer timer(static_cast<void*>(window.handle));
    timer.setInterval(10);
    window.onTick = [&](DTimer* t) {
        t->setEnabled(false);
        if (window.ticks < 5)
            t->setEnabled(true);
    };
    timer.setEnabled(true);
    ASSERT_TRUE(window.pumpUntil([&] { return window.ticks >= 5; }));
    window.pumpFor(150);
    EXPECT_EQ(window.ticks, 5);  // the fifth handler left it disabled
    EXPECT_FALSE(timer.isEnabled());
}

TEST(DTimer, SetIntervalInsideTheHandlerRestartsIt)
{
    TickWindow window;
    DTimer timer(static_cast<void*>(window.handle));
    timer.setInterval(10);
    window.onTick = [&](DTimer* t) { t->setInterval(t->getInterval() + 1); };
    timer.setEnabled(true);
    ASSERT_TRUE(window.pumpUntil([&] { return window.ticks >= 4; }));
    EXPECT_TRUE(timer.isEnabled());
    timer.setEnabled(false);
    EXPECT_GE(timer.getInterval(), 14);
}

TEST(DTimer, DisablingAFifteenMinuteTimerReturnsAtOnce)
{
    TickWindow window;
    DTimer timer(static_cast<void*>(window.handle));
    timer.setInterval(900000);
    timer.setEnabled(true);
    window.pumpFor(50);
    DWORD start = GetTickCount();
    timer.setEnabled(false);
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_EQ(window.ticks, 0);
}

TEST(DTimer, DestroyingAnEnabledTimerStopsIt)
{
    TickWindow window;
    DTimer* timer = new DTimer(static_cast<void*>(window.handle));
    timer->setInterval(10);
    timer->setEnabled(true);
    ASSERT_TRUE(window.pumpUntil([&] { return window.ticks >= 2; }));
    Sleep(40);  // leave a tick on its way
    delete timer;
    int seen = window.ticks;
    window.pumpFor(200);
    EXPECT_EQ(window.ticks, seen);
}

TEST(DTimer, DestroyingTheTimerInsideItsOwnHandler)
{
    TickWindow window;
    DTimer* timer = new DTimer(static_cast<void*>(window.handle));
    timer->setInterval(10);
    window.onTick = [&](DTimer* t) {
        delete t;
        timer = nullptr;
    };
    timer->setEnabled(true);
    ASSERT_TRUE(window.pumpUntil([&] { return timer == nullptr; }));
    window.pumpFor(200);
    EXPECT_EQ(window.ticks, 1);
}

TEST(DTimer, TwoTimersOnOneWindowTickIndependently)
{
    TickWindow window;
    DTimer fast(static_cast<void*>(window.handle));
    DTimer slow(static_cast<void*>(window.handle));
    fast.setInterval(10);
    slow.setInterval(30);
    // The slow timer's handler stops the fast one, as the check's poll timer stops the
    // animation timer.
    window.onTick = [&](DTimer* t) {
        if (t == &slow && window.ticksOf[&slow] == 2)
            fast.setEnabled(false);
    };
    fast.setEnabled(true);
    slow.setEnabled(true);
    ASSERT_TRUE(window.pumpUntil([&] { return window.ticksOf[&slow] >= 2; }));
    int fastSeen = window.ticksOf[&fast];
    ASSERT_TRUE(window.pumpUntil([&] { return window.ticksOf[&slow] >= 5; }));
    EXPECT_EQ(window.ticksOf[&fast], fastSeen);
    EXPECT_FALSE(fast.isEnabled());
    slow.setEnabled(false);
}

namespace {

HWND routedWindow = nullptr;
int fakeWindowObject = 0;
int fakeViewObject = 0;

void* windowHandleOf(DWindow* owner)
{
    return owner == reinterpret_cast<DWindow*>(&fakeWindowObject) ? routedWindow : nullptr;
}

void* viewHandleOf(DView* owner)
{
    return owner == reinterpret_cast<DView*>(&fakeViewObject) ? routedWindow : nullptr;
}

}  // namespace

TEST(DTimer, WindowAndViewOwnersAreRoutedThroughTheFramework)
{
    TickWindow window;
    routedWindow = window.handle;
    DWindow* ownerWindow = reinterpret_cast<DWindow*>(&fakeWindowObject);
    DView* ownerView = reinterpret_cast<DView*>(&fakeViewObject);
    DTimer forWindow(ownerWindow);
    DTimer forView(ownerView);
    EXPECT_EQ(forWindow.getOwnerWindow(), ownerWindow);
    EXPECT_EQ(forWindow.getOwnerView(), nullptr);
    EXPECT_EQ(forView.getOwnerView(), ownerView);
    EXPECT_EQ(forView.getOwnerHandle(), nullptr);

    // Without routing a tick has nowhere to go.
    setTimerRouting(nullptr, nullptr);
    forWindow.setInterval(10);
    forWindow.setEnabled(true);
    window.pumpFor(100);
    forWindow.setEnabled(false);
    EXPECT_EQ(window.ticks + window.refused, 0);

    setTimerRouting(&windowHandleOf, &viewHandleOf);
    forView.setInterval(10);
    forWindow.setEnabled(true);
    forView.setEnabled(true);
    ASSERT_TRUE(window.pumpUntil([&] { return window.ticksOf[&forWindow] >= 2 && window.ticksOf[&forView] >= 2; }));
    forWindow.setEnabled(false);
    forView.setEnabled(false);
    setTimerRouting(nullptr, nullptr);
}

TEST(DTimer, AcceptTickRefusesUnknownAndDisabledTimers)
{
    TickWindow window;
    DTimer timer(static_cast<void*>(window.handle));
    EXPECT_EQ(DTimer::acceptTick(reinterpret_cast<std::uintptr_t>(&timer)), nullptr);
    int notATimer = 0;
    EXPECT_EQ(DTimer::acceptTick(reinterpret_cast<std::uintptr_t>(&notATimer)), nullptr);
    EXPECT_EQ(DTimer::acceptTick(0), nullptr);
    timer.setInterval(900000);
    timer.setEnabled(true);
    EXPECT_EQ(DTimer::acceptTick(reinterpret_cast<std::uintptr_t>(&timer)), &timer);
    timer.tick();  // a tick now, on request
    EXPECT_EQ(window.ticks, 1);
    timer.setEnabled(false);
}
