#include "framework/DWinInterior.h"

#include "framework/DWindow.h"

DWinInterior::DWinInterior(DWindow* owner) : ownerWindow(owner)
{
}

void DWinInterior::paint()
{
    if (ownerWindow)
        ownerWindow->onPaint();
}

// Input over the bare interior is left to the window's own handlers.
bool DWinInterior::mouseMove(int, int, int) { return false; }
bool DWinInterior::leftButtonUp(int, int, int) { return false; }
bool DWinInterior::leftButtonDown(int, int, int) { return false; }
bool DWinInterior::rightButtonUp(int, int, int) { return false; }
bool DWinInterior::rightButtonDown(int, int, int) { return false; }
bool DWinInterior::doubleClick(int, int, int) { return false; }
bool DWinInterior::wheelUp(int, int, int) { return false; }
bool DWinInterior::wheelDown(int, int, int) { return false; }

bool DWinInterior::childKeyDown(DView* sender, int key, int mods)
{
    if (ownerWindow)
        ownerWindow->onViewKeyDown(sender, key, mods);
    return true;
}

bool DWinInterior::childKeyUp(DView* sender, int key, int mods)
{
    if (ownerWindow)
        ownerWindow->onViewKeyUp(sender, key, mods);
    return true;
}

bool DWinInterior::childMouseMove(DView* sender, int x, int y, int mods)
{
    if (ownerWindow)
        ownerWindow->onViewMouseMove(sender, x, y, mods);
    return true;
}

bool DWinInterior::childLeftButtonUp(DView* sender, int x, int y, int mods)
{
    if (ownerWindow)
        ownerWindow->onViewMouseUp(sender, x, y, mods);
    return true;
}

bool DWinInterior::childLeftButtonDown(DView* sender, int x, int y, int mods)
{
    if (ownerWindow)
        ownerWindow->onViewMouseDown(sender, x, y, mods);
    return true;
}

bool DWinInterior::childRightButtonUp(DView* sender, int x, int y, int mods)
{
    if (ownerWindow)
        ownerWindow->onViewRightMouseUp(sender, x, y, mods);
    return true;
}

bool DWinInterior::childRightButtonDown(DView* sender, int x, int y, int mods)
{
    if (ownerWindow)
        ownerWindow->onViewRightMouseDown(sender, x, y, mods);
    return true;
}

bool DWinInterior::childActivated(DView* sender)
{
    if (ownerWindow)
        ownerWindow->onClick(sender);
    return true;
}

bool DWinInterior::childContextClick(DView* sender)
{
    if (ownerWindow)
        ownerWindow->onRightClick(sender);
    return true;
}

bool DWinInterior::childDoubleClick(DView* sender, int x, int y, int mods)
{
    if (ownerWindow)
        ownerWindow->onViewDoubleClick(sender, x, y, mods);
    return true;
}

bool DWinInterior::childChanged(DView* sender, int what, int detail1, int detail2, int detail3)
{
    if (ownerWindow)
        ownerWindow->onChange(sender, what, detail1, detail2, detail3);
    return true;
}

bool DWinInterior::childWheelUp(DView* sender, int x, int y, int mods)
{
    if (ownerWindow)
        ownerWindow->onViewWheelForward(sender, x, y, mods);
    return true;
}

bool DWinInterior::childWheelDown(DView* sender, int x, int y, int mods)
{
    if (ownerWindow)
        ownerWindow->onViewWheelBackward(sender, x, y, mods);
    return true;
}

void DWinInterior::resized(int newWidth, int)
{
    if (ownerWindow && ownerWindow->getTopBar())
        ownerWindow->getTopBar()->setBounds(0, 0, newWidth, 20);
}

void DWinInterior::command(int id)
{
    if (ownerWindow)
        ownerWindow->onMenuItem(id);
}

void DWinInterior::setKeyGrab(DWindow* window)
{
    DView::setKeyGrab(window);
    if (ownerWindow)
        ownerWindow->setKeyTarget(window);
}
