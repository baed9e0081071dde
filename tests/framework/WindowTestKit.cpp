#include "WindowTestKit.h"

#include "framework/DTheme.h"
#include "framework/InputSources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

namespace windowtest {

unsigned fakeTick = 100000;

namespace {

std::vector<int> heldKeys;

unsigned testTick()
{
    return fakeTick;
}

bool testKeyHeld(int virtualKey)
{
    if (std::find(heldKeys.begin(), heldKeys.end(), virtualKey) != heldKeys.end())
        return true;
    // The generic keys answer for either side.
    if (virtualKey == VK_SHIFT)
        return testKeyHeld(VK_LSHIFT);
    return false;
}

// One application object for the whole test program, as in the real program.
class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        application = new DApplication;
        theme = new DTheme;
        application->setTheme(theme);
        setTickSource(testTick);
        setKeyStateSource(testKeyHeld);
    }
    void TearDown() override
    {
        setTickSource(nullptr);
        setKeyStateSource(nullptr);
        application->setTheme(nullptr);
        delete theme;
        delete application;
    }

private:
    DApplication* application = nullptr;
    DTheme* theme = nullptr;
};

const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace

void holdKeys(std::vector<int> virtualKeys)
{
    heldKeys = std::move(virtualKeys);
}

void releaseKeys()
{
    heldKeys.clear();
}

void pumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        DispatchMessageA(&msg);
    }
}

bool pumpUntil(const std::function<bool()>& done, int milliseconds)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > static_cast<DWORD>(milliseconds))
            return done();
        pumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void parkPointer()
{
    SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
}

LPARAM point(int x, int y)
{
    return MAKELPARAM(x, y);
}

SIZE iconSize(HICON icon)
{
    SIZE size = {0, 0};
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info))
        return size;
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    size.cx = bitmap.bmWidth;
    size.cy = bitmap.bmHeight;
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return size;
}

LPARAM keyData(int virtualKey, bool release)
{
    UINT scan = MapVirtualKeyA(static_cast<UINT>(virtualKey), 0);
    LPARAM data = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16);
    if (release)
        data |= (1u << 30) | (1u << 31);
    return data;
}

bool RecordingWindow::make(int width, int height, unsigned options, HWND parent)
{
    return create(parent, 10, 10, width, height, DString("Test"), options);
}

void RecordingWindow::postAction(std::function<void()> action)
{
    actions.push_back(std::move(action));
    PostMessageA(getHandle(), actionMessage, 0, 0);
}

int RecordingWindow::count(const std::string& name) const
{
    return static_cast<int>(std::count_if(events.begin(), events.end(),
                                          [&](const Event& e) { return e.name == name; }));
}

const Event* RecordingWindow::last(const std::string& name) const
{
    for (auto it = events.rbegin(); it != events.rend(); ++it)
        if (it->name == name)
            return &*it;
    return nullptr;
}

std::string RecordingWindow::names() const
{
    std::string all;
    for (const Event& e : events) {
        if (!all.empty())
            all += ' ';
        all += e.name;
    }
    return all;
}

void RecordingWindow::record(const std::string& name, DView* source, int a, int b, int c)
{
    Event e;
    e.name = name;
    e.source = source;
    e.a = a;
    e.b = b;
    e.c = c;
    events.push_back(e);
}

void RecordingWindow::onClose()
{
    closeCount++;
    record("close");
}

void RecordingWindow::onClick(DView* source)
{
    record("click", source);
    if (clickAction)
        clickAction(source);
}

bool RecordingWindow::handleMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == actionMessage) {
        if (!actions.empty()) {
            std::function<void()> action = actions.front();
            actions.erase(actions.begin());
            action();
        }
        return true;
    }
    if (message == WM_APP + 18) {
        record("record", nullptr, static_cast<int>(wParam), static_cast<int>(lParam));
        return true;
    }
    return false;
}

}  // namespace windowtest
