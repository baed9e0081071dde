// Shared helpers of the window tests: one application object for the test program, a
// window that records what reaches its virtual operations, a clock and a modifier-key state
// that tests set by hand, and message pumping that waits for a condition.
#pragma once

#include "framework/DApplication.h"
#include "framework/DView.h"
#include "framework/DWindow.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace windowtest {

// The test clock and key state, installed by the environment.
extern unsigned fakeTick;
void holdKeys(std::vector<int> virtualKeys);  // replaces the set of held keys
void releaseKeys();

// Runs the message loop's work for queued messages until none is left.
void pumpMessages();
// Pumps messages until `done` answers true or `milliseconds` passed; the answer of `done`.
bool pumpUntil(const std::function<bool()>& done, int milliseconds);

LPARAM point(int x, int y);
// Moves the system pointer to the bottom-left corner of the screen, where no test puts a
// window: a window that appears under the pointer gets mouse moves of its own, which would
// make hover states depend on where an earlier test program left the pointer.
void parkPointer();
// Key message lParam with the key's scan code, as the keyboard driver would fill it.
LPARAM keyData(int virtualKey, bool release);
// The pixel size of an icon's picture; 0 x 0 for none.
SIZE iconSize(HICON icon);

// One event that reached a recording window.
struct Event {
    std::string name;
    DView* source = nullptr;
    int a = 0;
    int b = 0;
    int c = 0;
};

// A window that records its virtual operations and runs posted actions: posting
// actionMessage to it runs the next queued action (from inside whatever loop is running).
class RecordingWindow : public DWindow {
public:
    static const UINT actionMessage = WM_APP + 17;

    std::vector<Event> events;
    std::vector<std::function<void()>> actions;
    bool allowClose = true;
    int closeCount = 0;
    int timerCount = 0;
    std::function<void(DView*)> clickAction;

    bool make(int width = 300, int height = 200, unsigned options = 0, HWND parent = nullptr);
    void postAction(std::function<void()> action);
    int count(const std::string& name) const;
    const Event* last(const std::string& name) const;
    // Names of the recorded events in order, e.g. "keyDown char".
    std::string names() const;

    bool canClose() override { return allowClose; }
    void onClose() override;
    void onKeyDown(int key, int mods) override { record("keyDown", nullptr, key, mods); }
    void onKeyUp(int key, int mods) override { record("keyUp", nullptr, key, mods); }
    void onChar(int ch) override { record("char", nullptr, ch); }
    void onMouseMove(int x, int y, int mods) override { record("mouseMove", nullptr, x, y, mods); }
    void onMouseDown(int x, int y, int mods) override { record("mouseDown", nullptr, x, y, mods); }
    void onMouseUp(int x, int y, int mods) override { record("mouseUp", nullptr, x, y, mods); }
    void onRightMouseUp(int x, int y, int mods) override { record("rightUp", nullptr, x, y, mods); }
    void onDoubleClick(int x, int y, int mods) override { record("doubleClick", nullptr, x, y, mods); }
    void onWheelForward(int x, int y, int mods) override { record("wheelForward", nullptr, x, y, mods); }
    void onWheelBackward(int x, int y, int mods) override { record("wheelBackward", nullptr, x, y, mods); }
    void onMouseEnter() override { record("mouseEnter"); }
    void onMouseLeave() override { record("mouseLeave"); }
    void onClick(DView* source) override;
    void onRightClick(DView* source) override { record("rightClick", source); }
    void onViewMouseDown(DView* source, int x, int y, int mods) override { record("viewMouseDown", source, x, y, mods); }
    void onViewMouseUp(DView* source, int x, int y, int mods) override { record("viewMouseUp", source, x, y, mods); }
    void onViewKeyDown(DView* source, int key, int mods) override { record("viewKeyDown", source, key, mods); }
    void onTimer(DTimer*) override { timerCount++; }
    void onSize(int width, int height) override { record("size", nullptr, width, height); }
    bool handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    void record(const std::string& name, DView* source = nullptr, int a = 0, int b = 0, int c = 0);
};

// A test with one hidden recording window of 300 x 200, no keys held, and helpers to
// send it keys; the window is closed and the queue drained after each test.
class OneWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        releaseKeys();
        parkPointer();
        ASSERT_TRUE(window.make(300, 200));
        h = window.getHandle();
    }
    void TearDown() override
    {
        window.close();
        pumpMessages();
    }
    // A key press, and its release unless `release` is false.
    void key(int virtualKey, bool release = true)
    {
        SendMessageA(h, WM_KEYDOWN, virtualKey, keyData(virtualKey, false));
        if (release)
            SendMessageA(h, WM_KEYUP, virtualKey, keyData(virtualKey, true));
    }

    RecordingWindow window;
    HWND h = nullptr;
};

}  // namespace windowtest
