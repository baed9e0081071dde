// The smallest tray program, the yardstick of the whole-program benchmark: a window class,
// one hidden window, one Shell_NotifyIcon with the system's application icon and a tooltip,
// and a message loop. WM_CLOSE removes the icon and ends it.
#include <windows.h>
#include <shellapi.h>

namespace {

const UINT trayCallback = WM_APP + 1;

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        NOTIFYICONDATAA icon{};
        icon.cbSize = sizeof icon;
        icon.hWnd = window;
        icon.uID = 1;
        Shell_NotifyIconA(NIM_DELETE, &icon);
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "MinimalTray";
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND window = CreateWindowExA(0, "MinimalTray", "Minimal tray", WS_OVERLAPPEDWINDOW, 0, 0,
                                  400, 450, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    NOTIFYICONDATAA icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    icon.uCallbackMessage = trayCallback;
    icon.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    lstrcpynA(icon.szTip, "Minimal tray", sizeof icon.szTip);
    if (!Shell_NotifyIconA(NIM_ADD, &icon))
        return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
