#include "windows/DTrayIcon.h"

#include "framework/DWindow.h"
#include "framework/DisplayDpi.h"
#include "graphics/SystemIcon.h"
#include "windows/DTrayIconWindow.h"
#include "windows/TrayIconRules.h"

#include <cstdint>
#include <cstring>

static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88,
              "the first shell record is 88 bytes in a 32-bit program");

namespace {

// The picture at the size the notification area shows: the system's small icon size at
// its own dpi, enlarged pixel for pixel from the stored image.
HICON trayPicture(DIcon* icon)
{
    const int size = systemMetricForDpi(SM_CXSMICON, systemDpi());
    return makeSystemIcon(icon, size, size);
}

}  // namespace

DTrayIcon::DTrayIcon(DWindow* ownerWindow, DIcon* picture)
    : icon(picture), owner(ownerWindow), window(new DTrayIconWindow), notifyData()
{
    window->create(nullptr, 0, 0, 48, 48, DString("TrayIcon"), 0);
    window->link(this);
    iconHandle = trayPicture(icon);

    notifyData.cbSize = recordSize;
    notifyData.hWnd = window->getHandle();
    // The object's address identifies the icon; the shell's field holds its low 32 bits,
    // which together with the window of its own keep it unique.
    notifyData.uID = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(this));
    notifyData.uFlags = NIF_MESSAGE | NIF_ICON;
    notifyData.uCallbackMessage = trayCallbackMessage;
    notifyData.hIcon = iconHandle;
    lastResult = Shell_NotifyIconA(NIM_ADD, &notifyData) != FALSE;
    askForKeyboard();
}

void DTrayIcon::askForKeyboard()
{
    NOTIFYICONDATAA version = {};
    version.cbSize = sizeof version;
    version.hWnd = notifyData.hWnd;
    version.uID = notifyData.uID;
    version.uVersion = trayVersion4;
    keyboard = Shell_NotifyIconA(NIM_SETVERSION, &version) != FALSE;
}

DTrayIcon::~DTrayIcon()
{
    Shell_NotifyIconA(NIM_DELETE, &notifyData);
    if (iconHandle)
        DestroyIcon(iconHandle);
    iconHandle = nullptr;
    window->unlink();
    window->close();
    delete window;
}

void DTrayIcon::setIcon(DIcon* picture)
{
    icon = picture;
    HICON previous = iconHandle;
    iconHandle = trayPicture(icon);
    notifyData.uFlags = NIF_MESSAGE | NIF_ICON;
    notifyData.hIcon = iconHandle;
    lastResult = Shell_NotifyIconA(NIM_MODIFY, &notifyData) != FALSE;
    // The shell keeps a copy of its own: the old handle can go once it has the new one.
    if (previous)
        DestroyIcon(previous);
}

void DTrayIcon::setTip(const DString& text)
{
    tip = text;
    DString shown = trayTipText(text);
    std::memset(notifyData.szTip, 0, sizeof notifyData.szTip);
    std::memcpy(notifyData.szTip, shown.text(), static_cast<size_t>(shown.length()));
    notifyData.uFlags = NIF_TIP;
    lastResult = Shell_NotifyIconA(NIM_MODIFY, &notifyData) != FALSE;
}

bool DTrayIcon::restore()
{
    notifyData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    notifyData.hIcon = iconHandle;
    lastResult = Shell_NotifyIconA(NIM_ADD, &notifyData) != FALSE;
    // Asked twice for one rebuild (the message window and an owner both hear it), the
    // second add finds the icon there already: bringing it up to date is all that is left.
    if (!lastResult)
        lastResult = Shell_NotifyIconA(NIM_MODIFY, &notifyData) != FALSE;
    askForKeyboard();
    return lastResult;
}

void DTrayIcon::notifyOwner(int code, int x, int y, int keys)
{
    // An owner that has already gone away hears nothing.
    if (owner && DWindow::isLive(owner))
        owner->onEvent(this, code, x, y, keys);
}

void DTrayIcon::mouseMove(int x, int y, int keys) { notifyOwner(trayMouseMove, x, y, keys); }
void DTrayIcon::leftButtonUp(int x, int y, int keys) { notifyOwner(trayLeftUp, x, y, keys); }
void DTrayIcon::leftButtonDown(int x, int y, int keys) { notifyOwner(trayLeftDown, x, y, keys); }
void DTrayIcon::rightButtonUp(int x, int y, int keys) { notifyOwner(trayRightUp, x, y, keys); }
void DTrayIcon::rightButtonDown(int x, int y, int keys) { notifyOwner(trayRightDown, x, y, keys); }
void DTrayIcon::keySelect(int x, int y, int keys) { notifyOwner(trayKeySelect, x, y, keys); }
void DTrayIcon::contextMenuKey(int x, int y, int keys) { notifyOwner(trayContextMenu, x, y, keys); }
