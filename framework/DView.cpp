#include "framework/DView.h"

#include "foundation/DList.h"
#include "framework/DApplication.h"
#include "framework/DLiveRegistry.h"
#include "framework/DViewBase.h"
#include "framework/DWindow.h"
#include "framework/WindowGeometry.h"
#include "graphics/DCanvas.h"
#include "framework/DTheme.h"

#include <windows.h>

#include <vector>

namespace {

// Every live view with its native window: timer threads look up where a view's tick goes.
DLiveRegistry& liveViews()
{
    static DLiveRegistry* registry = new DLiveRegistry;  // kept to the end of the process
    return *registry;
}

// Views destroyed while a message was being handled wait here until the handling unwinds.
std::vector<DView*>& deferredViews()
{
    static std::vector<DView*>* views = new std::vector<DView*>;
    return *views;
}

}  // namespace

DView::DView()
{
    children = new DList;
    liveViews().add(this);
}

DView::~DView()
{
    liveViews().remove(this);
    if (children) {
        // A view deleted without destroy(): its children still belong to it.
        while (children->count() > 0) {
            DView* child = static_cast<DView*>(children->get(0));
            children->remove(0);
            child->parent = nullptr;
            delete child;
        }
        delete children;
    }
    if (host) {
        host->detachHost();
        delete host;
    }
    delete ownCanvas;
}

bool DView::isLive(const DView* view)
{
    return view && liveViews().contains(view);
}

void* DView::tickHandleFor(const DView* view)
{
    return liveViews().handleOf(view);
}

void DView::releaseDeferred()
{
    std::vector<DView*> pending;
    pending.swap(deferredViews());
    for (DView* view : pending)
        delete view;
}

bool DView::init(int newX, int newY, int newWidth, int newHeight)
{
    x = newX;
    y = newY;
    width = newWidth;
    height = newHeight;
    palette = DPalette();
    focusable = wantsTab = wantsEnter = wantsEscape = false;
    enabled = visible = true;
    hot = isDefault = isCancel = false;
    cursor = 0;
    keyGrab = nullptr;
    acceptsDoubleClick = false;
    theme = DApplication::currentTheme();
    applyTheme();
    onCreate();
    return true;
}

void DView::addChild(DView* child)
{
    if (!child || destroyed)
        return;
    children->add(child);
    child->parent = this;
    if (child->scale != scale)
        child->setDisplayScale(scale);
    if (handle)
        child->attach(handle);
    if (child->focusable)
        setFocus(child);
    childAdded(child);
}

void DView::attach(void* parentHandle)
{
    if (!host) {
        host = new DViewBase(this);
        int absoluteX, absoluteY;
        absolutePosition(absoluteX, absoluteY);
        const int parentX = absoluteX - x;
        const int parentY = absoluteY - y;
        if (!host->createFor(static_cast<HWND>(parentHandle),
                             scale.toDevice(absoluteX) - scale.toDevice(parentX),
                             scale.toDevice(absoluteY) - scale.toDevice(parentY),
                             scale.toDeviceSpan(absoluteX, width),
                             scale.toDeviceSpan(absoluteY, height))) {
            delete host;
            host = nullptr;
            return;
        }
        handle = host->getHandle();
        canvas = host->getCanvas();
        canvas->setScale(scale, absoluteX, absoluteY);
        liveViews().setHandle(this, handle);
        ShowWindow(static_cast<HWND>(handle), visible ? SW_SHOWNA : SW_HIDE);
    }
    for (int i = 0; i < childCount(); i++)
        childAt(i)->attach(handle);
}

void DView::bindToWindow(void* windowHandle)
{
    handle = windowHandle;
    delete ownCanvas;
    ownCanvas = new DCanvas(static_cast<HWND>(windowHandle));
    ownCanvas->setScale(scale, x, y);
    canvas = ownCanvas;
    liveViews().setHandle(this, handle);
    for (int i = 0; i < childCount(); i++)
        childAt(i)->attach(handle);
}

void DView::detachTree()
{
    parent = nullptr;
    visible = false;
    enabled = false;
    hot = false;
    focusedChild = nullptr;
    for (int i = 0; i < childCount(); i++)
        childAt(i)->detachTree();
}

void DView::destroy()
{
    if (destroyed)
        return;
    onDestroy();
    destroyed = true;
    liveViews().remove(this);
    if (parent) {
        int index = parent->children->indexOf(this);
        if (index >= 0)
            parent->children->remove(index);
        if (parent->focusedChild == this)
            parent->focusedChild = nullptr;
    }
    detachTree();
    while (children->count() > 0) {
        DView* child = static_cast<DView*>(children->get(0));
        children->remove(0);
        child->destroy();
    }
    if (host) {
        host->detachHost();
        host->destroyNative();
    }
    handle = nullptr;
    canvas = nullptr;
    if (DWindow::isDispatching())
        deferredViews().push_back(this);
    else
        delete this;
}

int DView::childCount() const
{
    return children ? children->count() : 0;
}

DView* DView::childAt(int index) const
{
    return children ? static_cast<DView*>(children->get(index)) : nullptr;
}

DView* DView::root()
{
    DView* view = this;
    while (view->parent)
        view = view->parent;
    return view;
}

void DView::setCursor(int id)
{
    cursor = id;
    if (hot && isEnabled())
        DApplication::showCursor(id);
}

void DView::applyTheme()
{
    if (!theme)
        return;
    palette = theme->palette();
}

void DView::paint()
{
    if (!canvas)
        return;
    if (theme) {
        theme->setBackground(palette.background);
        theme->drawBackground(canvas, width, height, false);
    } else {
        canvas->pen()->setColor(palette.background);
        canvas->brush()->setColor(palette.background);
        canvas->drawRect(0, 0, width, height);
    }
}

bool DView::keyDown(int key, int)
{
    if (key == VK_LEFT || key == VK_UP) {
        focusPrevious();
        return true;
    }
    if (key == VK_RIGHT || key == VK_DOWN) {
        focusNext();
        return true;
    }
    return false;
}

bool DView::keyUp(int, int) { return false; }
bool DView::charInput(int) { return false; }
bool DView::mouseMove(int, int, int) { return true; }
bool DView::leftButtonUp(int, int, int) { return true; }
bool DView::leftButtonDown(int, int, int) { return true; }
bool DView::rightButtonUp(int, int, int) { return true; }
bool DView::rightButtonDown(int, int, int) { return true; }
bool DView::doubleClick(int, int, int) { return true; }
bool DView::wheelUp(int, int, int) { return true; }
bool DView::wheelDown(int, int, int) { return true; }
bool DView::childKeyDown(DView*, int, int) { return false; }
bool DView::childKeyUp(DView*, int, int) { return false; }
bool DView::childMouseMove(DView*, int, int, int) { return false; }
bool DView::childLeftButtonUp(DView*, int, int, int) { return false; }
bool DView::childLeftButtonDown(DView*, int, int, int) { return false; }
bool DView::childRightButtonUp(DView*, int, int, int) { return false; }
bool DView::childRightButtonDown(DView*, int, int, int) { return false; }
bool DView::childActivated(DView*) { return false; }
bool DView::childContextClick(DView*) { return false; }
bool DView::childDoubleClick(DView*, int, int, int) { return false; }
bool DView::childChanged(DView*, int, int, int, int) { return false; }
bool DView::childWheelUp(DView*, int, int, int) { return false; }
bool DView::childWheelDown(DView*, int, int, int) { return false; }
void DView::resized(int, int) {}
void DView::moved(int, int) {}
void DView::timerTick(DTimer*) {}
void DView::childAdded(DView*) {}
void DView::themeChanged(DTheme*) {}

void DView::command(int id)
{
    if (parent)
        parent->command(id);
}

void DView::setKeyGrab(DWindow* window)
{
    keyGrab = window;
    if (parent)
        parent->setKeyGrab(window);
}

void DView::setText(const DString& caption)
{
    bool changed = text != caption;
    text = caption;
    redraw();
    // The caption is the name screen readers read: the status line's changes are heard.
    if (changed)
        announce(accessEventNameChange);
}

void DView::setDefault(bool flag)
{
    isDefault = flag;
    redraw();
}

void DView::setCancel(bool flag)
{
    isCancel = flag;
    redraw();
}

void DView::updateNativeBounds()
{
    if (!host || !handle)
        return;
    // The native window covers the device pixels of the view's units in its window; its
    // parent's native window starts at the device pixel of the parent's place.
    int absoluteX, absoluteY;
    absolutePosition(absoluteX, absoluteY);
    const int parentX = absoluteX - x;
    const int parentY = absoluteY - y;
    MoveWindow(static_cast<HWND>(handle), scale.toDevice(absoluteX) - scale.toDevice(parentX),
               scale.toDevice(absoluteY) - scale.toDevice(parentY),
               scale.toDeviceSpan(absoluteX, width), scale.toDeviceSpan(absoluteY, height), TRUE);
    if (canvas)
        canvas->setScale(scale, absoluteX, absoluteY);
}

void DView::placeNativeTree()
{
    if (host) {
        updateNativeBounds();
    } else if (canvas) {
        int absoluteX, absoluteY;
        absolutePosition(absoluteX, absoluteY);
        canvas->setScale(scale, absoluteX, absoluteY);
    }
    for (int i = 0; i < childCount(); i++)
        childAt(i)->placeNativeTree();
}

void DView::setDisplayScale(const DScale& newScale)
{
    // The whole subtree takes the scale first, then is placed once from its top.
    std::vector<DView*> pending{this};
    while (!pending.empty()) {
        DView* view = pending.back();
        pending.pop_back();
        view->scale = newScale;
        for (int i = 0; i < view->childCount(); i++)
            pending.push_back(view->childAt(i));
    }
    placeNativeTree();
}

void DView::screenPoint(int localX, int localY, int& screenX, int& screenY) const
{
    int absoluteX, absoluteY;
    absolutePosition(absoluteX, absoluteY);
    screenX = absoluteX + localX;
    screenY = absoluteY + localY;
    const DView* top = this;
    while (top->parent)
        top = top->parent;
    DWindow* window = DWindow::fromHandle(static_cast<HWND>(top->handle));
    if (window)
        window->clientToScreenPoint(screenX, screenY);
}

void DView::moveTo(int newX, int newY)
{
    setBounds(newX, newY, width, height);
}

void DView::resize(int newWidth, int newHeight)
{
    setBounds(x, y, newWidth, newHeight);
}

void DView::setBounds(int newX, int newY, int newWidth, int newHeight)
{
    bool movedNow = newX != x || newY != y;
    bool resizedNow = newWidth != width || newHeight != height;
    x = newX;
    y = newY;
    width = newWidth;
    height = newHeight;
    // Away from the base scale a view's units fall on other device pixels once it moved,
    // and so do those of every view inside it.
    if (movedNow && !scale.isBase())
        placeNativeTree();
    else
        updateNativeBounds();
    redraw();
    if (movedNow)
        moved(x, y);
    if (resizedNow)
        resized(width, height);
    if (parent)
        parent->redraw();
}

void DView::setVisible(bool flag)
{
    visible = flag;
    if (host && handle)
        ShowWindow(static_cast<HWND>(handle), flag ? SW_SHOWNA : SW_HIDE);
}

void DView::setEnabled(bool flag)
{
    enabled = flag;
    // A focused view loses the focus whatever the flag: enabling never takes it.
    if (parent && parent->focusedChild == this)
        parent->focusedChild = nullptr;
    redraw();
}

bool DView::isEnabled() const
{
    for (const DView* view = this; view; view = view->parent)
        if (!view->enabled)
            return false;
    return true;
}

bool DView::isVisible() const
{
    for (const DView* view = this; view; view = view->parent)
        if (!view->visible)
            return false;
    return true;
}

void DView::getBounds(int& outX, int& outY, int& outWidth, int& outHeight) const
{
    outX = x;
    outY = y;
    outWidth = width;
    outHeight = height;
}

void DView::absolutePosition(int& outX, int& outY) const
{
    outX = 0;
    outY = 0;
    for (const DView* view = this; view; view = view->parent) {
        outX += view->x;
        outY += view->y;
    }
}

bool DView::isFocused() const
{
    return !parent || parent->focusedChild == this;
}

void DView::clearFocusTree()
{
    if (focusedChild) {
        DView* lost = focusedChild;
        focusedChild = nullptr;
        lost->redraw();
    }
    for (int i = 0; i < childCount(); i++)
        childAt(i)->clearFocusTree();
}

void DView::setFocus(DView* child)
{
    // Screen readers hear of a focus that moved, not of a click on the focused control.
    const bool already = child && focusedChild == child;
    root()->clearFocusTree();
    if (child && child->focusable && child->parent == this) {
        focusedChild = child;
        child->redraw();
        if (!already)
            child->announceFocus();
    }
}

void DView::collectFocusable(DList& out)
{
    if (focusable && isVisible() && isEnabled())
        out.add(this);
    for (int i = 0; i < childCount(); i++)
        childAt(i)->collectFocusable(out);
}

void DView::moveFocus(bool forward)
{
    DList candidates;
    root()->collectFocusable(candidates);
    int n = candidates.count();
    if (n < 2)
        return;
    int current = -1;
    for (int i = 0; i < n && current < 0; i++)
        if (static_cast<DView*>(candidates.get(i))->isFocused())
            current = i;
    int next = 0;
    if (current >= 0)
        next = forward ? (current + 1) % n : (current + n - 1) % n;
    DView* target = static_cast<DView*>(candidates.get(next));
    if (target->parent)
        target->parent->setFocus(target);
}

void DView::focusNext() { moveFocus(true); }
void DView::focusPrevious() { moveFocus(false); }

void DView::setTheme(DTheme* newTheme)
{
    theme = newTheme;
    applyTheme();
    for (int i = 0; i < childCount(); i++)
        childAt(i)->setTheme(newTheme);
    redraw();
    themeChanged(newTheme);
}

void DView::centerInParent()
{
    if (!parent)
        return;
    DPoint p = centeredPosition(parent->width, parent->height, width, height);
    moveTo(p.x, p.y);
}

void DView::centerHorizontally()
{
    if (!parent)
        return;
    DPoint p = centeredPosition(parent->width, parent->height, width, height);
    moveTo(p.x, y);
}

void DView::redraw()
{
    // Painting on every change cost a whole repaint of a control for each of its changes,
    // even in a hidden window: a check of 20 mailboxes repainted the list some 60 times.
    if (!visible || !handle)
        return;
    RedrawWindow(static_cast<HWND>(handle), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void DView::paintNow()
{
    sendEvent(eventPaint);
}

bool DView::sendEvent(int kind, int a, int b, int c, int d)
{
    return handleEvent(this, directionEvent, kind, a, b, c, d);
}

bool DView::notifyParent(int kind, int a, int b, int c, int d)
{
    if (!parent)
        return false;
    return parent->handleEvent(this, directionNotification, kind, a, b, c, d);
}

void DView::clearHot()
{
    if (hot) {
        hot = false;
        mouseLeave();
    }
    for (int i = 0; i < childCount(); i++)
        childAt(i)->clearHot();
}

void DView::becomeHot()
{
    root()->clearHot();
    hot = true;
    if (isEnabled())
        DApplication::showCursor(cursor);
    mouseEnter();
}
