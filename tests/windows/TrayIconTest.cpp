// Tray icons in Wine's notification area: adding, changing and removing them, tooltip
// cutting, callback messages routed to the owner as events, and the icon coming back after
// the notification area was rebuilt.
#include "framework/WindowTestKit.h"

#include "graphics/DIcon.h"
#include "windows/DTrayIcon.h"
#include "windows/DTrayIconWindow.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace windowtest;

namespace {

// An owner window that records the tray events it is given.
class TrayOwner : public RecordingWindow {
public:
    struct TrayEvent {
        DObject* sender;
        int code;
        int x;
        int y;
        int keys;
    };
    std::vector<TrayEvent> trayEvents;

    void onEvent(DObject* sender, int code, int x, int y, int keys) override
    {
        trayEvents.push_back(TrayEvent{sender, code, x, y, keys});
    }
};

// Whether the shell holds an icon with the record's window and identifier: a modify
// request that changes nothing succeeds only for an icon it has.
bool inNotificationArea(const NOTIFYICONDATAA& record)
{
    NOTIFYICONDATAA probe = record;
    probe.uFlags = 0;
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

bool isLiveIcon(HICON icon)
{
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return false;
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return true;
}

class TrayIcons : public ::testing::Test {
protected:
    void SetUp() override
    {
        releaseKeys();
        ASSERT_TRUE(owner.make(200, 100));
    }
    void TearDown() override
    {
        releaseKeys();
        owner.close();
        pumpMessages();
    }
    LRESULT callback(DTrayIcon& tray, unsigned message, UINT mouseMessage)
    {
        return SendMessageA(tray.getWindow()->getHandle(), message,
                            tray.getNotifyData().uID, mouseMessage);
    }

    TrayOwner owner;
    DIcon idle{16, 16};
    DIcon busy{16, 16};
};

}  // namespace

TEST_F(TrayIcons, AnIconIsAddedWithItsRecordAndRemovedWhenDeleted)
{
    auto* tray = new DTrayIcon(&owner, &idle);
    const NOTIFYICONDATAA& record = tray->getNotifyData();
    EXPECT_EQ(record.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_EQ(record.hWnd, tray->getWindow()->getHandle());
    EXPECT_EQ(record.uCallbackMessage, 0x8000u);
    EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON));
    EXPECT_EQ(record.hIcon, tray->getIconHandle());
    EXPECT_TRUE(isLiveIcon(tray->getIconHandle()));
    EXPECT_TRUE(tray->lastRequestSucceeded());
    EXPECT_TRUE(inNotificationArea(record));
    EXPECT_FALSE(IsWindowVisible(tray->getWindow()->getHandle()));
    EXPECT_TRUE(tray->getWindow()->title() == "TrayIcon");

    NOTIFYICONDATAA copy = record;
    HICON systemIcon = tray->getIconHandle();
    delete tray;
    EXPECT_FALSE(inNotificationArea(copy));
    EXPECT_FALSE(isLiveIcon(systemIcon));
    EXPECT_FALSE(IsWindow(copy.hWnd));
}

TEST_F(TrayIcons, EveryIconIsCalledBackWithOneMessageOnAWindowOfItsOwn)
{
    // One number for all, below the registered messages (0xC000 and up) that the framework
    // takes for its own, however many icons a long run makes.
    DTrayIcon first(&owner, &idle);
    DTrayIcon second(&owner, &idle);
    EXPECT_EQ(first.getCallbackMessage(), 0x8000u);
    EXPECT_EQ(second.getCallbackMessage(), 0x8000u);
    EXPECT_NE(first.getWindow()->getHandle(), second.getWindow()->getHandle());
    EXPECT_NE(first.getNotifyData().uID, second.getNotifyData().uID);
    EXPECT_TRUE(inNotificationArea(first.getNotifyData()));
    EXPECT_TRUE(inNotificationArea(second.getNotifyData()));
}

TEST_F(TrayIcons, TheKeyboardReachesAnIconThroughTheFourthWayOfCallingBack)
{
    DTrayIcon tray(&owner, &idle);
    // Wine's notification area takes the request (and would answer the keyboard's
    // notifications, had it a keyboard way into the tray).
    EXPECT_TRUE(tray.takesKeyboard());
    const unsigned message = tray.getCallbackMessage();
    const UINT id = tray.getNotifyData().uID;
    HWND window = tray.getWindow()->getHandle();
    // As the shell sends them: the icon's place in wParam, the notification and the icon
    // in lParam. Enter on the icon, then its menu key.
    SendMessageA(window, message, MAKEWPARAM(980, 750), MAKELPARAM(0x401, id & 0xFFFF));
    SendMessageA(window, message, MAKEWPARAM(981, 751), MAKELPARAM(WM_CONTEXTMENU, id & 0xFFFF));
    // A right click the same way: its release counts, the shell's repeat of it does not.
    SendMessageA(window, message, MAKEWPARAM(982, 752), MAKELPARAM(WM_RBUTTONUP, id & 0xFFFF));
    SendMessageA(window, message, MAKEWPARAM(982, 752), MAKELPARAM(WM_CONTEXTMENU, id & 0xFFFF));
    ASSERT_EQ(owner.trayEvents.size(), 3u);
    EXPECT_EQ(owner.trayEvents[0].code, 8);
    EXPECT_EQ(owner.trayEvents[0].x, 980);
    EXPECT_EQ(owner.trayEvents[0].y, 750);
    EXPECT_EQ(owner.trayEvents[1].code, 9);
    EXPECT_EQ(owner.trayEvents[1].x, 981);
    EXPECT_EQ(owner.trayEvents[1].y, 751);
    EXPECT_EQ(owner.trayEvents[2].code, 7);
    EXPECT_EQ(owner.trayEvents[0].sender, &tray);

    // After the notification area is rebuilt the icon asks again.
    EXPECT_TRUE(tray.restore());
    EXPECT_TRUE(tray.takesKeyboard());
}

TEST_F(TrayIcons, CallbacksReachTheOwnerAsEventsWithCursorAndKeys)
{
    DTrayIcon tray(&owner, &idle);
    SetCursorPos(321, 234);
    POINT cursor;
    GetCursorPos(&cursor);
    const unsigned message = tray.getCallbackMessage();
    const UINT mouse[5] = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN,
                           WM_RBUTTONUP};
    for (UINT m : mouse)
        callback(tray, message, m);
    ASSERT_EQ(owner.trayEvents.size(), 5u);
    int expectedCodes[5] = {3, 4, 5, 6, 7};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(owner.trayEvents[i].sender, &tray);
        EXPECT_EQ(owner.trayEvents[i].code, expectedCodes[i]);
        EXPECT_EQ(owner.trayEvents[i].x, cursor.x);
        EXPECT_EQ(owner.trayEvents[i].y, cursor.y);
        EXPECT_EQ(owner.trayEvents[i].keys, 0);
    }
    holdKeys({VK_LSHIFT, VK_CONTROL, VK_MENU});
    callback(tray, message, WM_RBUTTONUP);
    ASSERT_EQ(owner.trayEvents.size(), 6u);
    EXPECT_EQ(owner.trayEvents.back().keys, 0x111);
    holdKeys({VK_CONTROL});
    callback(tray, message, WM_LBUTTONUP);
    EXPECT_EQ(owner.trayEvents.back().keys, 0x10);
    parkPointer();
}

TEST_F(TrayIcons, DoubleClicksTheMiddleButtonAndOtherIconsMessagesDoNothing)
{
    DTrayIcon first(&owner, &idle);
    DTrayIcon second(&owner, &idle);
    // A double click on the icon arrives as release, double click, release: two releases.
    callback(first, first.getCallbackMessage(), WM_LBUTTONUP);
    callback(first, first.getCallbackMessage(), WM_LBUTTONDBLCLK);
    callback(first, first.getCallbackMessage(), WM_LBUTTONUP);
    callback(first, first.getCallbackMessage(), WM_RBUTTONDBLCLK);
    callback(first, first.getCallbackMessage(), WM_MBUTTONDOWN);
    callback(first, first.getCallbackMessage(), WM_MBUTTONUP);
    ASSERT_EQ(owner.trayEvents.size(), 2u);
    EXPECT_EQ(owner.trayEvents[0].code, 5);
    EXPECT_EQ(owner.trayEvents[1].code, 5);
    // Other messages reaching the icon's window are not its business.
    EXPECT_FALSE(first.getWindow()->handleMessage(first.getWindow()->getHandle(),
                                                  WM_USER + 1, 0, WM_LBUTTONUP));
    EXPECT_EQ(owner.trayEvents.size(), 2u);
    EXPECT_TRUE(first.getWindow()->handleMessage(first.getWindow()->getHandle(),
                                                 first.getCallbackMessage(), 0, WM_LBUTTONDBLCLK));
    // Nor is a callback meant for another icon's window.
    EXPECT_FALSE(first.getWindow()->handleMessage(second.getWindow()->getHandle(),
                                                  first.getCallbackMessage(), 0, WM_LBUTTONUP));
    callback(second, second.getCallbackMessage(), WM_RBUTTONUP);
    ASSERT_EQ(owner.trayEvents.size(), 3u);
    EXPECT_EQ(owner.trayEvents.back().sender, &second);
}

TEST_F(TrayIcons, EventsWithoutAnOwnerAreDropped)
{
    DTrayIcon tray(nullptr, &idle);
    callback(tray, tray.getCallbackMessage(), WM_LBUTTONUP);
    EXPECT_TRUE(owner.trayEvents.empty());
    tray.setOwner(&owner);
    callback(tray, tray.getCallbackMessage(), WM_LBUTTONUP);
    EXPECT_EQ(owner.trayEvents.size(), 1u);
}

TEST_F(TrayIcons, SettingAPictureMakesANewSystemIconAndDestroysTheOldOne)
{
    DTrayIcon tray(&owner, &idle);
    HICON first = tray.getIconHandle();
    tray.setIcon(&busy);
    HICON second = tray.getIconHandle();
    EXPECT_NE(second, first);
    EXPECT_FALSE(isLiveIcon(first));
    EXPECT_TRUE(isLiveIcon(second));
    EXPECT_EQ(tray.getIcon(), &busy);
    EXPECT_TRUE(tray.lastRequestSucceeded());
    // The same picture again still replaces the system icon.
    tray.setIcon(&busy);
    EXPECT_NE(tray.getIconHandle(), second);
    EXPECT_FALSE(isLiveIcon(second));
    EXPECT_EQ(tray.getNotifyData().hIcon, tray.getIconHandle());
    EXPECT_EQ(tray.getNotifyData().uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON));
}

TEST_F(TrayIcons, ATooltipIsCutAt63CharactersButKeptWhole)
{
    DTrayIcon tray(&owner, &idle);
    tray.setTip(DString("Pellaro: Idle"));
    EXPECT_STREQ(tray.getNotifyData().szTip, "Pellaro: Idle");
    EXPECT_EQ(tray.getNotifyData().uFlags, static_cast<UINT>(NIF_TIP));
    EXPECT_TRUE(tray.lastRequestSucceeded());
    std::string longText = "Pellaro: " + std::string(80, 'z');
    tray.setTip(DString(longText.c_str()));
    EXPECT_EQ(std::strlen(tray.getNotifyData().szTip), 63u);
    EXPECT_EQ(std::string(tray.getNotifyData().szTip), longText.substr(0, 63));
    EXPECT_TRUE(tray.getTip() == longText.c_str());
    EXPECT_TRUE(tray.lastRequestSucceeded());
    // A shorter text after a long one leaves nothing of the long one behind.
    tray.setTip(DString("Pellaro: Error!"));
    EXPECT_STREQ(tray.getNotifyData().szTip, "Pellaro: Error!");
    EXPECT_EQ(tray.getNotifyData().szTip[20], 0);
}

TEST_F(TrayIcons, AfterTheNotificationAreaIsRebuiltTheIconComesBackAsItWas)
{
    DTrayIcon tray(&owner, &idle);
    tray.setIcon(&busy);
    tray.setTip(DString("Pellaro: Checking..."));
    // Explorer restarting loses every icon: take ours away behind the tray icon's back.
    NOTIFYICONDATAA copy = tray.getNotifyData();
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &copy));
    ASSERT_FALSE(inNotificationArea(copy));
    // The rebuilt notification area announces itself to every top-level window.
    SendMessageA(tray.getWindow()->getHandle(), DTrayIconWindow::taskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(inNotificationArea(copy));
    EXPECT_TRUE(tray.lastRequestSucceeded());
    const NOTIFYICONDATAA& record = tray.getNotifyData();
    EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(record.hIcon, tray.getIconHandle());
    EXPECT_TRUE(isLiveIcon(record.hIcon));
    EXPECT_STREQ(record.szTip, "Pellaro: Checking...");
    EXPECT_EQ(record.uCallbackMessage, tray.getCallbackMessage());
    // Hearing of the same rebuild a second time (the owner window restores its icons too)
    // leaves one icon, up to date.
    EXPECT_TRUE(tray.restore());
    EXPECT_TRUE(inNotificationArea(copy));
    NOTIFYICONDATAA probe = copy;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &probe));
    EXPECT_FALSE(inNotificationArea(copy));
    EXPECT_TRUE(tray.restore());
    // It still works as before.
    tray.setTip(DString("Pellaro: Idle"));
    EXPECT_TRUE(tray.lastRequestSucceeded());
    callback(tray, tray.getCallbackMessage(), WM_LBUTTONUP);
    EXPECT_EQ(owner.trayEvents.size(), 1u);
}

TEST_F(TrayIcons, AnIconWithoutAPictureGetsOneLater)
{
    DTrayIcon tray(&owner, nullptr);
    EXPECT_EQ(tray.getIconHandle(), nullptr);
    EXPECT_EQ(tray.getNotifyData().hIcon, nullptr);
    tray.setIcon(&idle);
    EXPECT_TRUE(isLiveIcon(tray.getIconHandle()));
    EXPECT_TRUE(inNotificationArea(tray.getNotifyData()));
    HICON shown = tray.getIconHandle();
    tray.setIcon(nullptr);
    EXPECT_EQ(tray.getIconHandle(), nullptr);
    EXPECT_FALSE(isLiveIcon(shown));
}
