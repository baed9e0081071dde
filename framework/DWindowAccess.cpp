// A window as screen readers and access keys see it: its client area as the top node of its
// accessible tree, the events it reports, and the Alt key that shows and runs access keys.
#include "framework/DWindow.h"

#include "framework/DTheme.h"
#include "framework/DView.h"
#include "framework/DWinInterior.h"
#include "framework/InputSources.h"

DAccessibleInfo DWindow::accessibleInfo() const
{
    DAccessibleInfo info;
    info.role = accessClient;
    info.name = title();
    info.state = accessFocusable;
    if (!handle || !IsWindowVisible(handle))
        info.state |= accessInvisible;
    DView* focused = interior ? DView::focusedIn(interior) : nullptr;
    if (handle && GetActiveWindow() == handle && !focused)
        info.state |= accessFocused;
    return info;
}

void DWindow::announce(DAccessibleEvent event, int part) const
{
    if (handle)
        NotifyWinEvent(event, handle, OBJID_CLIENT, part < 0 ? CHILDID_SELF : part + 1);
}

void DWindow::announceFocus() const
{
    DView* focused = interior ? DView::focusedIn(interior) : nullptr;
    if (focused)
        focused->announceFocus();
    else
        announce(accessEventFocus);
}

bool DWindow::accessKeysShown() const
{
    return keyboardCues || systemShowsKeyboardCues();
}

void DWindow::showAccessKeys()
{
    if (keyboardCues)
        return;
    keyboardCues = true;
    if (interior)
        interior->redraw();
}

void DWindow::followSystemLook()
{
    if (!theme)
        return;
    theme->followSystem();
    setTheme(theme);
    if (handle)
        InvalidateRect(handle, nullptr, TRUE);
}

bool DWindow::runAccessKey(int key)
{
    if (!interior || (keyTarget && isLive(keyTarget)))
        return false;
    DWindow* grab = interior->getKeyGrab();
    if (grab && isLive(grab))
        return false;
    if (key < '0' || key > 'Z' || (key > '9' && key < 'A'))
        return false;
    DView* owner = DView::findAccessKey(interior, static_cast<char>(key));
    return owner && owner->runAccessKey();
}
