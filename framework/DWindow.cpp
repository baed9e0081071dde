#include "framework/DWindow.h"

#include "foundation/DList.h"
#include "framework/DApplication.h"
#include "framework/DLiveRegistry.h"
#include "framework/DTheme.h"
#include "framework/DView.h"
#include "framework/DWinInterior.h"
#include "framework/DisplayDpi.h"
#include "graphics/GdiHolders.h"
#include "graphics/DCanvas.h"
#include "graphics/DIcon.h"
#include "graphics/SystemIcon.h"

namespace {

// Every live window object with its native window, for timer threads.
DLiveRegistry& liveWindows()
{
    static DLiveRegistry* registry = new DLiveRegistry;  // kept to the end of the process
    return *registry;
}

void registerClasses()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    // Registering again fails harmlessly once a class exists.
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DWindow::windowProcedure;
    wc.cbWndExtra = 8;
    wc.hInstance = instance;
    wc.lpszClassName = "DWindow";
    RegisterClassA(&wc);

    WNDCLASSA dummy = {};
    dummy.lpfnWndProc = DefWindowProcA;
    dummy.hInstance = instance;
    dummy.lpszClassName = "Dummy";
    RegisterClassA(&dummy);

    WNDCLASSA taskbar = {};
    taskbar.lpfnWndProc = DWindow::taskbarProcedure;
    taskbar.hInstance = instance;
    taskbar.lpszClassName = "TBButton";
    RegisterClassA(&taskbar);
}

HWND makeWindow(DWORD exStyle, const char* className, const DString& title, DWORD style, int x,
                int y, int width, int height, HWND parent)
{
    DCreateRecord record;
    record.exStyle = exStyle;
    record.className = className;
    record.windowName = title.text();
    record.style = style;
    record.x = x;
    record.y = y;
    record.width = width;
    record.height = height;
    record.parent = parent;
    record.instance = GetModuleHandleA(nullptr);
    return DApplication::createNativeWindow(record);
}

}  // namespace

DWindow::DWindow()
{
    liveWindows().add(this);
}

DWindow::~DWindow()
{
    liveWindows().remove(this);
    // Deleted while its own modal loop runs (from its onClose, or by a handler): the loop
    // must end, and nothing may reach this object through the owner's bookkeeping.
    for (DModalRun* run = modalRun; run; run = run->outer)
        run->alive = false;
    if (modalRun && !modalRun->quitPosted)
        PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);  // wakes the waiting loop
    modalRun = nullptr;
    if (modalOwner && isLive(modalOwner) && modalOwner->suspendedModals) {
        int index = modalOwner->suspendedModals->indexOf(this);
        if (index >= 0)
            modalOwner->suspendedModals->remove(index);
    }
    // An object deleted while its native windows still exist must not stay reachable from
    // them: the window procedure would call into freed memory.
    destroyNativeWindows();
    if (bigIcon && bigIconSource)
        DestroyIcon(bigIcon);
    if (smallIcon && smallIconSource)
        DestroyIcon(smallIcon);
    delete suspendedModals;
}

bool DWindow::isLive(const DWindow* window)
{
    return window && liveWindows().contains(window);
}

void* DWindow::tickHandleFor(const DWindow* window)
{
    return liveWindows().handleOf(window);
}

DWindow* DWindow::fromHandle(HWND window)
{
    if (!window)
        return nullptr;
    return reinterpret_cast<DWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool DWindow::create(HWND parent, int x, int y, int width, int height, const DString& title,
                     unsigned creationOptions)
{
    return createNative(parent, x, y, width, height, title, creationOptions, false);
}

bool DWindow::createNative(HWND parent, int x, int y, int width, int height, const DString& title,
                           unsigned creationOptions, bool asViewBase)
{
    if (handle)
        return false;  // a window object makes its native windows once
    modalChild = modalOwner = nullptr;
    bigIconSource = smallIconSource = nullptr;
    taskbarButton = ownerHandle = nullptr;
    modalMark = mouseInside = selfPaint = shown = hiddenByMinimize = false;
    clicks.reset();
    parentHandle = parent;
    options = creationOptions;
    delete suspendedModals;
    suspendedModals = new DList;

    registerClasses();
    if (parent)
        style = asViewBase ? 0x46000000 : (WS_CHILD | WS_CLIPSIBLINGS);
    else if (options & windowFrameless)
        style = WS_POPUP | WS_CLIPCHILDREN;
    else {
        style = WS_POPUP | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;
        if (options & windowSizable)
            style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
        if (options & windowMinimizeBox)
            style |= WS_MINIMIZEBOX;
    }
    // A view's native window is placed by its view in device pixels; any other window
    // starts at its parent's scale, or the system's until it can be asked for its own.
    scale = asViewBase ? DScale() : DScale(parent ? windowDpi(parent) : systemDpi());
    SIZE outer = outerSizeFor(scale.toDevice(width), scale.toDevice(height), scale.dpi());
    const int left = scale.toDevice(x);
    const int top = scale.toDevice(y);

    if (parent) {
        handle = makeWindow(0, "DWindow", title, style, left, top, outer.cx, outer.cy, parent);
    } else if (options & windowFrameless) {
        ownerHandle = makeWindow(0, "Dummy", title, WS_OVERLAPPEDWINDOW, left, top, outer.cx,
                                 outer.cy, nullptr);
        handle = makeWindow(0, "DWindow", title, style, left, top, outer.cx, outer.cy,
                            ownerHandle);
    } else {
        taskbarButton = makeWindow(0, "TBButton", title, WS_OVERLAPPEDWINDOW, left, top,
                                   outer.cx, outer.cy, nullptr);
        handle = makeWindow(WS_EX_DLGMODALFRAME, "DWindow", title, style, left, top, outer.cx,
                            outer.cy, taskbarButton);
    }
    if (!handle) {
        if (taskbarButton)
            DestroyWindow(taskbarButton);
        if (ownerHandle)
            DestroyWindow(ownerHandle);
        taskbarButton = ownerHandle = nullptr;
        return false;
    }
    if (!asViewBase && windowDpi(handle) != scale.dpi()) {
        // Made on a monitor of another dpi: the same size in units there. The object is not
        // attached yet, so the resizing reaches no handler.
        scale = DScale(windowDpi(handle));
        outer = outerSizeFor(scale.toDevice(width), scale.toDevice(height), scale.dpi());
        SetWindowPos(handle, nullptr, 0, 0, outer.cx, outer.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (taskbarButton)
        SetWindowLongPtrA(taskbarButton, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(handle));
    liveWindows().setHandle(this, handle);

    keyTarget = nullptr;
    topBar = nullptr;
    theme = DApplication::currentTheme();
    if (asViewBase) {
        selfPaint = true;
    } else {
        interior = new DWinInterior(this);
        interior->init(0, 0, width, height);
        interior->setDisplayScale(scale);
        interior->bindToWindow(handle);
        canvas = interior->getCanvas();
        theme = interior->getTheme();
    }
    palette = DPalette();
    applyThemeColors();
    onCreate();
    if (asViewBase && handle)
        EnableWindow(handle, FALSE);
    return true;
}

void DWindow::destroyNativeWindows()
{
    if (interior) {
        DWinInterior* tree = interior;
        interior = nullptr;
        canvas = nullptr;
        topBar = nullptr;
        tree->detachOwner();
        tree->destroy();
    }
    if (handle) {
        HWND window = handle;
        handle = nullptr;
        if (fromHandle(window) == this)
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    if (taskbarButton) {
        SetWindowLongPtrA(taskbarButton, GWLP_USERDATA, 0);
        DestroyWindow(taskbarButton);
        taskbarButton = nullptr;
    }
    if (ownerHandle) {
        DestroyWindow(ownerHandle);
        ownerHandle = nullptr;
    }
    liveWindows().setHandle(this, nullptr);
    shown = false;
}

void DWindow::show(bool visible)
{
    if (!handle)
        return;
    if (!visible) {
        ShowWindow(handle, SW_HIDE);
        shown = false;
        if (taskbarButton)
            ShowWindow(taskbarButton, SW_HIDE);
        return;
    }
    if (!parentHandle && (options & windowFrameless)) {
        ShowWindow(handle, SW_SHOWNA);
        shown = true;
    } else {
        if (taskbarButton)
            ShowWindow(taskbarButton, modalMark ? SW_HIDE : SW_SHOWMINIMIZED);
        ShowWindow(handle, SW_SHOWNORMAL);
        shown = true;
        if (taskbarButton) {
            SetForegroundWindow(taskbarButton);
            SetActiveWindow(taskbarButton);
        }
    }
    if (handle)
        UpdateWindow(handle);
}

bool DWindow::isSuspendedModal(const DWindow* window) const
{
    return suspendedModals && window && suspendedModals->indexOf(window) >= 0;
}

void DWindow::runModal(DWindow* owner)
{
    if (!owner || !handle)
        return;
    modalMark = true;
    show(true);
    if (owner->modalChild && owner->suspendedModals)
        owner->suspendedModals->add(owner->modalChild);
    owner->modalChild = this;
    modalOwner = owner;

    DModalRun run;
    run.outer = modalRun;
    modalRun = &run;
    DApplication::messageLoop(this, &run);

    // From here on `this` may be gone: only the run record tells.
    if (run.alive) {
        modalRun = run.outer;
        modalOwner = nullptr;
    }
    if (!DWindow::isLive(owner))
        return;
    int suspended = owner->suspendedModals ? owner->suspendedModals->count() : 0;
    if (suspended == 0) {
        if (run.alive)
            modalMark = false;
        owner->modalChild = nullptr;
    } else {
        owner->modalChild = static_cast<DWindow*>(owner->suspendedModals->get(suspended - 1));
        owner->suspendedModals->remove(suspended - 1);
    }
}

void DWindow::close()
{
    if (handle && interior && interior->isEnabled())
        SendMessageA(handle, WM_CLOSE, 0, 0);
}

void DWindow::setTitle(const DString& text)
{
    if (handle)
        SetWindowTextA(handle, text.text());
    if (taskbarButton)
        SetWindowTextA(taskbarButton, text.text());
}

DString DWindow::title() const
{
    char buffer[4000];
    buffer[0] = 0;
    if (handle)
        GetWindowTextA(handle, buffer, sizeof buffer);
    buffer[sizeof buffer - 1] = 0;
    return DString(buffer);
}

HICON DWindow::makeIcon(DIcon* image, int metric) const
{
    const int size = systemMetricForDpi(metric, scale.dpi());
    return makeSystemIcon(image, size, size);
}

void DWindow::setIcon(DIcon* image)
{
    if (bigIcon && bigIconSource)
        DestroyIcon(bigIcon);
    if (smallIcon && smallIconSource)
        DestroyIcon(smallIcon);
    bigIcon = smallIcon = nullptr;
    bigIconSource = smallIconSource = image;
    HICON big = nullptr;
    HICON little = nullptr;
    if (image) {
        big = makeIcon(image, SM_CXICON);
        little = makeIcon(image, SM_CXSMICON);
        bigIcon = big;
        smallIcon = little;
    } else {
        little = LoadIconA(nullptr, IDI_APPLICATION);  // shared, never destroyed
    }
    HWND targets[2] = {handle, taskbarButton};
    for (HWND target : targets) {
        if (!target)
            continue;
        SendMessageA(target, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
        SendMessageA(target, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(little));
    }
}

void DWindow::setSmallIcon(DIcon* image)
{
    if (smallIcon && smallIconSource)
        DestroyIcon(smallIcon);
    smallIcon = nullptr;
    smallIconSource = image;
    HICON little = image ? makeIcon(image, SM_CXSMICON) : LoadIconA(nullptr, IDI_APPLICATION);
    if (image)
        smallIcon = little;
    HWND targets[2] = {handle, taskbarButton};
    for (HWND target : targets)
        if (target)
            SendMessageA(target, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(little));
}

void DWindow::redraw()
{
    if (!handle)
        return;
    InvalidateRect(handle, nullptr, TRUE);
    UpdateWindow(handle);
}

void DWindow::addView(DView* view)
{
    if (interior)
        interior->addChild(view);
}

void DWindow::setFocus(DView* view)
{
    if (interior && view && view->getParent())
        view->getParent()->setFocus(view);
    else if (interior && !view)
        interior->setFocus(nullptr);
}

DView* DWindow::getTopBar() const
{
    // The window does not own its top bar; a destroyed one must not be reached through it.
    return DView::isLive(topBar) ? topBar : nullptr;
}

void DWindow::setTopBar(DView* view)
{
    topBar = view;
    if (view && interior) {
        if (view->getParent() != interior)
            interior->addChild(view);
        view->setBounds(0, 0, interior->getWidth(), 20);
    }
}

void DWindow::applyThemeColors()
{
    if (!theme)
        return;
    palette = theme->palette();
}

void DWindow::setTheme(DTheme* newTheme)
{
    theme = newTheme;
    if (theme) {
        applyThemeColors();
    } else {
        DTheme temporary;
        theme = &temporary;
        applyThemeColors();
        theme = nullptr;
    }
    if (interior)
        interior->setTheme(newTheme);
    DView* bar = getTopBar();
    if (bar && (!interior || bar->getParent() != interior))
        bar->setTheme(newTheme);
    onThemeChanged(newTheme);
}

void DWindow::onPaint()
{
    if (!canvas || !handle)
        return;
    DRect r = bounds();
    int width = interior ? interior->getWidth() : r.width;
    int height = interior ? interior->getHeight() : r.height;
    if (theme) {
        theme->setBackground(palette.background);
        theme->drawBackground(canvas, width, height, false);
    } else {
        canvas->pen()->setColor(palette.background);
        canvas->brush()->setColor(palette.background);
        canvas->drawRect(0, 0, width, height);
    }
}

// The defaults of the virtual operations: nothing happens, nothing is consumed.
void DWindow::onKeyDown(int, int) {}
void DWindow::onKeyUp(int, int) {}
void DWindow::onChar(int) {}
void DWindow::onMouseMove(int, int, int) {}
void DWindow::onMouseUp(int, int, int) {}
void DWindow::onMouseDown(int, int, int) {}
void DWindow::onRightMouseUp(int, int, int) {}
void DWindow::onRightMouseDown(int, int, int) {}
void DWindow::onDoubleClick(int, int, int) {}
void DWindow::onWheelForward(int, int, int) {}
void DWindow::onWheelBackward(int, int, int) {}
void DWindow::onViewKeyDown(DView*, int, int) {}
void DWindow::onViewKeyUp(DView*, int, int) {}
void DWindow::onViewMouseMove(DView*, int, int, int) {}
void DWindow::onViewMouseUp(DView*, int, int, int) {}
void DWindow::onViewMouseDown(DView*, int, int, int) {}
void DWindow::onViewRightMouseUp(DView*, int, int, int) {}
void DWindow::onViewRightMouseDown(DView*, int, int, int) {}
void DWindow::onClick(DView*) {}
void DWindow::onRightClick(DView*) {}
void DWindow::onChange(DView*, int, int, int, int) {}
void DWindow::onViewWheelForward(DView*, int, int, int) {}
void DWindow::onViewWheelBackward(DView*, int, int, int) {}
void DWindow::onMove(int, int) {}
void DWindow::onSize(int, int) {}
void DWindow::onMenuItem(int) {}
void DWindow::onTimer(DTimer*) {}
void DWindow::onEvent(DObject*, int, int, int, int) {}
void DWindow::onThemeChanged(DTheme*) {}
bool DWindow::handleMessage(HWND, UINT, WPARAM, LPARAM) { return false; }

void DWindow::onViewDoubleClick(DView*, int, int, int)
{
    if (interior)
        interior->sendEvent(eventDefaultAction);
}
