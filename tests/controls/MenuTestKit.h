// Helpers of the menu and combo box tests: an owner window that records the commands it
// receives, and mouse input sent to an open menu the way the capture delivers it (client
// coordinates of the menu window, 16 bits each, so points left of or above it wrap).
#pragma once

#include "framework/WindowTestKit.h"

#include "controls/DMenu.h"
#include "controls/MenuGeometry.h"

#include <windows.h>

namespace menutest {

// A recording window that also records chosen menu commands as "menu" events.
class MenuOwner : public windowtest::RecordingWindow {
public:
    void onMenuItem(int id) override
    {
        record("menu", nullptr, id);
        if (onCommand)
            onCommand(id);
    }
    // Changed notifications (combo boxes, scroll bars) as "change" events.
    void onChange(DView* source, int a, int, int, int) override
    {
        record("change", source, a);
        if (onChangeAction)
            onChangeAction(source);
    }
    std::function<void(int)> onCommand;
    std::function<void(DView*)> onChangeAction;
};

// The centre of item `index` of an open menu, in the menu's client pixels.
inline POINT itemCentre(const DMenu& menu, int index)
{
    const DMenuLayout& layout = menu.getLayout();
    DMenuBox band = menuHighlightBox(layout, index);
    return POINT{band.x + band.width / 2, band.y + band.height / 2};
}

inline void moveOver(const DMenu& menu, int x, int y)
{
    SendMessageA(menu.getHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

// A full left click at client point (x, y) of the menu window.
inline void clickAt(const DMenu& menu, int x, int y)
{
    HWND h = menu.getHandle();
    SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

inline void clickItem(const DMenu& menu, int index)
{
    POINT p = itemCentre(menu, index);
    clickAt(menu, p.x, p.y);
}

// A key press and release sent to `window` (the owner, or the menu when it is in front).
inline void pressKey(HWND window, int virtualKey)
{
    SendMessageA(window, WM_KEYDOWN, virtualKey, windowtest::keyData(virtualKey, false));
    SendMessageA(window, WM_KEYUP, virtualKey, windowtest::keyData(virtualKey, true));
}

// A real click of the system's mouse at screen point (x, y), through the input queue.
inline bool systemClick(int x, int y, bool right = false)
{
    SetCursorPos(x, y);
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2u;
}

// A real key press and release through the input queue (reaches the focused window).
inline bool systemKey(int virtualKey)
{
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = static_cast<WORD>(virtualKey);
    inputs[1].type = INPUT_KEYBOARD;
    inputs[1].ki.wVk = static_cast<WORD>(virtualKey);
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2u;
}

}  // namespace menutest
