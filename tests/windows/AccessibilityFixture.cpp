#include "AccessibilityFixture.h"

#include "foundation/DPellaroDictionary.h"
#include "framework/InputRules.h"
#include "framework/WindowTestKit.h"
#include "windows/DMainWindow.h"

#include <vector>

namespace a11ytest {

namespace {

// The test thread is a screen reader's thread too: it needs a COM apartment.
class ApartmentEnvironment : public ::testing::Environment {
public:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
};

const ::testing::Environment* const apartment =
    ::testing::AddGlobalTestEnvironment(new ApartmentEnvironment);

DMainWindow* modalOwner = nullptr;
std::function<void(DWindow*)> modalAction;

void CALLBACK actInsideModal(HWND, UINT, UINT_PTR timer, DWORD)
{
    DWindow* modal = modalOwner ? modalOwner->getModalChild() : nullptr;
    if (!modal || !modal->isShown())
        return;
    KillTimer(nullptr, timer);
    std::function<void(DWindow*)> action;
    action.swap(modalAction);
    if (action)
        action(modal);
}

}  // namespace

void Run::settle()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        DispatchMessageA(&msg);
    }
}

void Run::SetUp()
{
    PellaroRun::SetUp();
    ASSERT_TRUE(server.ok());
}

void Run::startWith(bool inHungarian, int count)
{
    server.setCount("ann", count);
    DSettingsRecord settings;
    settings.hungarian = inHungarian;
    settings.mailboxes.push_back(box("ann"));
    startChecked(settings, server.port());
}

void Run::showMainWindow()
{
    window->show(true);
    SetForegroundWindow(window->getHandle());
    SetActiveWindow(window->getHandle());
    windowtest::pumpMessages();
}

std::string Run::shown(const char* english)
{
    return translate(DString(english)).text();
}

void Run::press(HWND window, int virtualKey, int mods)
{
    std::vector<int> held;
    if (mods & modShift)
        held.push_back(VK_SHIFT);
    if (mods & modCtrl)
        held.push_back(VK_CONTROL);
    if (mods & modAlt)
        held.push_back(VK_MENU);
    windowtest::holdKeys(held);
    bool system = (mods & modAlt) != 0 || virtualKey == VK_F10;
    SendMessageA(window, system ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(virtualKey),
                 windowtest::keyData(virtualKey, false));
    if (IsWindow(window))
        SendMessageA(window, system ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(virtualKey),
                     windowtest::keyData(virtualKey, true));
    windowtest::releaseKeys();
    settle();
}

void Run::pressAlt(HWND window)
{
    windowtest::holdKeys({VK_MENU});
    SendMessageA(window, WM_SYSKEYDOWN, VK_MENU, windowtest::keyData(VK_MENU, false));
    SendMessageA(window, WM_KEYUP, VK_MENU, windowtest::keyData(VK_MENU, true));
    windowtest::releaseKeys();
    settle();
}

void Run::insideModal(const std::function<void()>& open,
                      const std::function<void(DWindow* modal)>& inside)
{
    modalOwner = window;
    modalAction = inside;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, actInsideModal);
    ASSERT_NE(0u, timer);
    open();
    KillTimer(nullptr, timer);
    bool ran = !modalAction;
    modalAction = nullptr;
    modalOwner = nullptr;
    EXPECT_TRUE(ran) << "no modal window opened";
}

}  // namespace a11ytest
