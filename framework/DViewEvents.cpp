// The view dispatcher: view events travelling down the tree (direction 1) and
// notifications climbing up it (direction 2).
#include "framework/DView.h"

#include "foundation/DList.h"
#include "framework/DWindow.h"
#include "framework/KeyCodes.h"
#include "framework/WindowGeometry.h"

bool DView::handleEvent(DView* sender, int direction, int kind, int a, int b, int c, int d)
{
    if (direction == directionNotification)
        return dispatchNotification(sender, kind, a, b, c, d);
    if (direction != directionEvent)
        return false;

    switch (kind) {
    case eventKeyDown:
    case eventKeyUp:
        return handleKeyEvent(kind, a, b);
    case eventChar:
        if (!visible || !enabled)
            return false;
        dropDeadKeyGrab();
        if (keyGrab) {
            keyGrab->onChar(a);
            return true;
        }
        if (offerToChildren(kind, a, b, c, d))
            return true;
        return isFocused() ? charInput(a) : false;
    case eventDefaultAction:
    case eventCancelAction:
        if (!visible || !enabled)
            return false;
        if ((kind == eventDefaultAction && isDefault) || (kind == eventCancelAction && isCancel)) {
            notifyParent(notifyActivated);
            return true;
        }
        return offerToChildren(kind, a, b, c, d);
    case eventPaint: {
        if (!visible || !canvas)
            return false;
        paint();
        // Children paint after their parent, in the order they were added. A copy of the
        // list keeps the walk sound if a paint handler changes the tree.
        DList snapshot;
        for (int i = 0; i < childCount(); i++)
            snapshot.add(childAt(i));
        for (int i = 0; i < snapshot.count(); i++) {
            DView* child = static_cast<DView*>(snapshot.get(i));
            if (child->parent == this)
                child->handleEvent(child, directionEvent, eventPaint, 0, 0, 0, 0);
        }
        return false;
    }
    case eventMouseMove:
    case eventLeftDown:
    case eventLeftUp:
    case eventRightDown:
    case eventRightUp:
    case eventWheelForward:
    case eventWheelBackward:
    case eventDoubleClick:
        return handleMouseEvent(kind, a, b, c);
    default:
        return false;
    }
}

void DView::dropDeadKeyGrab()
{
    // A grabbing window (an open menu) deleted without letting go: keys go their normal way.
    if (keyGrab && !DWindow::isLive(keyGrab))
        keyGrab = nullptr;
}

bool DView::offerToChildren(int kind, int a, int b, int c, int d)
{
    for (int i = 0; i < childCount(); i++) {
        DView* child = childAt(i);
        if (child->handleEvent(child, directionEvent, kind, a, b, c, d))
            return true;
        // A handler that closed the window has taken the tree apart: stop walking it.
        if (destroyed)
            return true;
    }
    return false;
}

bool DView::handleKeyEvent(int kind, int key, int mods)
{
    if (!visible || !enabled)
        return false;
    dropDeadKeyGrab();
    if (keyGrab) {
        if (kind == eventKeyDown)
            keyGrab->onKeyDown(key, mods);
        else
            keyGrab->onKeyUp(key, mods);
        return true;
    }
    if (offerToChildren(kind, key, mods, 0, 0))
        return true;

    bool unwanted = (key == keyEscape && !wantsEscape) || (key == keyEnter && !wantsEnter) ||
                    (key == keyTab && !wantsTab);
    if (unwanted) {
        if (parent)
            return false;
        if (kind != eventKeyDown)
            return false;
        if (key == keyEscape)
            sendEvent(eventCancelAction);
        else if (key == keyEnter)
            sendEvent(eventDefaultAction);
        else if (mods & modShift)
            focusPrevious();
        else
            focusNext();
        return true;
    }
    if (!isFocused())
        return false;
    bool result;
    if (kind == eventKeyUp) {
        result = keyUp(key, mods);
        if (!destroyed)
            notifyParent(notifyKeyUp, key, mods);
    } else {
        result = keyDown(key, mods);
        if (!destroyed)
            notifyParent(notifyKeyDown, key, mods);
    }
    return result;
}

bool DView::handleMouseEvent(int kind, int px, int py, int mods)
{
    if (!visible || !enabled)
        return false;
    for (int i = 0; i < childCount(); i++) {
        DView* child = childAt(i);
        int cx, cy;
        child->absolutePosition(cx, cy);
        if (containsPoint(cx, cy, child->width, child->height, px, py)) {
            if (child->handleEvent(child, directionEvent, kind, px, py, mods, 0))
                return true;
            if (destroyed)
                return true;
        }
    }
    int ax, ay;
    absolutePosition(ax, ay);
    if (!containsPoint(ax, ay, width, height, px, py))
        return false;
    int lx = px - ax;
    int ly = py - ay;

    // Each step below may end in a handler that closes the window; `destroyed` then tells
    // the rest of the sequence to stop (the object itself stays until handling unwinds).
    bool result = false;
    switch (kind) {
    case eventMouseMove:
        result = mouseMove(lx, ly, mods);
        if (!hot && !destroyed)
            becomeHot();
        if (!destroyed)
            notifyParent(notifyMouseMove, lx, ly, mods);
        break;
    case eventLeftDown:
        if (focusable && parent)
            parent->setFocus(this);
        result = leftButtonDown(lx, ly, mods);
        if (!destroyed)
            notifyParent(notifyLeftDown, lx, ly, mods);
        break;
    case eventLeftUp:
        result = leftButtonUp(lx, ly, mods);
        if (!destroyed)
            notifyParent(notifyLeftUp, lx, ly, mods);
        if (!destroyed)
            notifyParent(notifyActivated);
        break;
    case eventRightDown:
        result = rightButtonDown(lx, ly, mods);
        if (!destroyed)
            notifyParent(notifyRightDown, lx, ly, mods);
        break;
    case eventRightUp:
        if (focusable && parent)
            parent->setFocus(this);
        result = rightButtonUp(lx, ly, mods);
        if (!destroyed)
            notifyParent(notifyRightUp, lx, ly, mods);
        if (!destroyed)
            notifyParent(notifyContextClick);
        break;
    case eventDoubleClick:
        if (!acceptsDoubleClick)
            return true;  // swallowed
        result = doubleClick(lx, ly, mods);
        if (!destroyed)
            notifyParent(notifyDoubleClick, lx, ly, mods);
        break;
    case eventWheelForward:
        result = wheelUp(lx, ly, mods);
        if (!destroyed)
            notifyParent(notifyWheelUp, lx, ly, mods);
        break;
    case eventWheelBackward:
        result = wheelDown(lx, ly, mods);
        if (!destroyed)
            notifyParent(notifyWheelDown, lx, ly, mods);
        break;
    default:
        return false;
    }
    return result;
}

bool DView::dispatchNotification(DView* sender, int kind, int a, int b, int c, int d)
{
    bool taken = false;
    switch (kind) {
    case notifyKeyDown: taken = childKeyDown(sender, a, b); break;
    case notifyKeyUp: taken = childKeyUp(sender, a, b); break;
    case notifyMouseMove: taken = childMouseMove(sender, a, b, c); break;
    case notifyLeftDown: taken = childLeftButtonDown(sender, a, b, c); break;
    case notifyLeftUp: taken = childLeftButtonUp(sender, a, b, c); break;
    case notifyRightDown: taken = childRightButtonDown(sender, a, b, c); break;
    case notifyRightUp: taken = childRightButtonUp(sender, a, b, c); break;
    case notifyActivated: taken = childActivated(sender); break;
    case notifyContextClick: taken = childContextClick(sender); break;
    case notifyChanged: taken = childChanged(sender, a, b, c, d); break;
    case notifyWheelUp: taken = childWheelUp(sender, a, b, c); break;
    case notifyWheelDown: taken = childWheelDown(sender, a, b, c); break;
    case notifyDoubleClick: taken = childDoubleClick(sender, a, b, c); break;
    default: return false;
    }
    if (taken)
        return true;
    if (!parent || destroyed)
        return false;
    return parent->handleEvent(sender, directionNotification, kind, a, b, c, d);
}
