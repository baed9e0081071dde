// The view tree as screen readers and access keys see it: which views appear, what names a
// control without a caption, which control a label or group leads to, and the events that
// tell screen readers of changes.
#include "framework/DView.h"

#include "foundation/DList.h"
#include "framework/DWinInterior.h"
#include "framework/DWindow.h"

#include <windows.h>

namespace {

bool isAccessKeyChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// A view that can take the focus now.
bool canTakeFocus(const DView* view)
{
    return view->isFocusable() && view->isVisible() && view->isEnabled();
}

// The first view of the subtree under `view` (itself included) that can take the focus.
DView* firstFocusable(DView* view)
{
    if (canTakeFocus(view))
        return view;
    for (int i = 0; i < view->childCount(); i++)
        if (DView* found = firstFocusable(view->childAt(i)))
            return found;
    return nullptr;
}

}  // namespace

DAccessibleInfo DView::accessibleInfo() const
{
    return DAccessibleInfo();
}

DView* DView::focusedIn(DView* top)
{
    for (int i = 0; top && i < top->childCount(); i++) {
        DView* child = top->childAt(i);
        if (top->focusedChild == child)
            return child;
        if (DView* found = focusedIn(child))
            return found;
    }
    return nullptr;
}

void DView::accessibleChildren(std::vector<DView*>& out) const
{
    for (int i = 0; i < childCount(); i++) {
        DView* child = childAt(i);
        if (child->accessibleInfo().role != accessNoRole)
            out.push_back(child);
        else
            child->accessibleChildren(out);
    }
}

DView* DView::accessibleParent() const
{
    for (DView* up = parent; up; up = up->parent)
        if (up->parent && up->accessibleInfo().role != accessNoRole)
            return up;
    return nullptr;
}

DString DView::accessibleLabel() const
{
    if (parent) {
        int index = parent->children->indexOf(const_cast<DView*>(this));
        if (index > 0) {
            DView* before = parent->childAt(index - 1);
            if (before->labelsNext())
                return before->text;
        }
    }
    return groupTitle();
}

DString DView::groupTitle() const
{
    for (const DView* up = parent; up && up->parent; up = up->parent)
        if (up->text.length() > 0 && up->accessibleInfo().role == accessGrouping)
            return up->text;
    return DString();
}

DControlFacts DView::controlFacts() const
{
    DControlFacts facts;
    facts.enabled = isEnabled();
    facts.focusable = focusable;
    facts.focused = parent && isFocused();
    facts.visible = isVisible();
    return facts;
}

DView* DView::labelledView() const
{
    if (labelsNext() && parent) {
        // The next control after the label, among the views that follow it.
        bool after = false;
        for (int i = 0; i < parent->childCount(); i++) {
            DView* sibling = parent->childAt(i);
            if (sibling == this) {
                after = true;
                continue;
            }
            if (after)
                if (DView* found = firstFocusable(sibling))
                    return found;
        }
        return nullptr;
    }
    for (int i = 0; i < childCount(); i++)
        if (DView* found = firstFocusable(childAt(i)))
            return found;
    return nullptr;
}

char DView::reachingAccessKey() const
{
    if (accessKey)
        return accessKey;
    if (parent) {
        int index = parent->children->indexOf(const_cast<DView*>(this));
        if (index > 0) {
            DView* before = parent->childAt(index - 1);
            if (before->accessKey && before->labelsNext() && before->labelledView() == this)
                return before->accessKey;
        }
    }
    for (const DView* up = parent; up && up->parent; up = up->parent)
        if (up->accessKey && !up->labelsNext() && up->labelledView() == this)
            return up->accessKey;
    return 0;
}

void DView::setAccessKey(char key)
{
    if (key >= 'a' && key <= 'z')
        key = static_cast<char>(key - 'a' + 'A');
    accessKey = isAccessKeyChar(key) ? key : 0;
    redraw();
}

DView* DView::findAccessKey(DView* top, char key)
{
    if (!top || !top->visible || !top->enabled)
        return nullptr;
    if (top->accessKey != 0 && top->accessKey == key)
        return top;
    for (int i = 0; i < top->childCount(); i++)
        if (DView* found = findAccessKey(top->childAt(i), key))
            return found;
    return nullptr;
}

bool DView::runAccessKey()
{
    DView* target = canTakeFocus(this) ? this : labelledView();
    if (!target || !target->parent)
        return false;
    target->parent->setFocus(target);
    return true;
}

bool DView::accessKeysShown() const
{
    const DView* top = this;
    while (top->parent)
        top = top->parent;
    const DWinInterior* interior = dynamic_cast<const DWinInterior*>(top);
    DWindow* window = interior ? interior->getOwnerWindow() : nullptr;
    return window && DWindow::isLive(window) && window->accessKeysShown();
}

void DView::announce(DAccessibleEvent event, int part) const
{
    if (handle)
        NotifyWinEvent(event, static_cast<HWND>(handle), OBJID_CLIENT,
                       part < 0 ? CHILDID_SELF : part + 1);
}

void DView::announceFocus() const
{
    const DView* top = this;
    while (top->parent)
        top = top->parent;
    if (!top->handle || GetActiveWindow() != static_cast<HWND>(top->handle))
        return;
    announce(accessEventFocus, focusedAccessiblePart());
}
