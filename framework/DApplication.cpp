#include "framework/DApplication.h"

#include "foundation/DList.h"
#include "framework/DView.h"
#include "framework/DWindow.h"
#include "framework/SystemUtils.h"
#include "system/DMutex.h"
#include "system/DTimer.h"
#include "system/DrawingLock.h"

#include <atomic>

namespace {

std::atomic<bool> initialized{false};
DMutex* applicationLock = nullptr;  // owned by the application object
std::atomic<DTheme*> theme{nullptr};
UINT creatorMessage = 0;
HWND creatorWindow = nullptr;

LRESULT CALLBACK creatorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (creatorMessage != 0 && message == creatorMessage && wParam != 0) {
        DCreateRecord* r = reinterpret_cast<DCreateRecord*>(wParam);
        r->result = CreateWindowExA(r->exStyle, r->className, r->windowName, r->style, r->x, r->y,
                                    r->width, r->height, r->parent, r->menu, r->instance,
                                    r->parameter);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Where timer threads send a window's or a view's tick; none once the owner is gone.
void* timerWindowHandle(DWindow* owner)
{
    return DWindow::tickHandleFor(owner);
}

void* timerViewHandle(DView* owner)
{
    return DView::tickHandleFor(owner);
}

bool isModalInput(UINT message)
{
    switch (message) {
    case WM_KEYDOWN: case WM_KEYUP: case WM_SYSKEYDOWN: case WM_SYSKEYUP:
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: case WM_MOUSEWHEEL: case WM_MOUSELEAVE:
        return true;
    default:
        return false;
    }
}

// Whether `target` belongs to `window`: the window itself, its task-bar window, or one of
// its native child windows.
bool belongsTo(HWND target, const DWindow* window)
{
    if (!window || !window->getHandle() || !target)
        return false;
    return target == window->getHandle() || target == window->getTaskbarButton() ||
           IsChild(window->getHandle(), target);
}

}  // namespace

DApplication::DApplication()
{
    initialized.store(true);
    applicationLock = new DMutex;
    installDrawingLock(applicationLock);
    loadSystemCursors();
    setTimerRouting(timerWindowHandle, timerViewHandle);

    creatorMessage = RegisterWindowMessageA("WindowCreator");
    if (creatorMessage == 0)
        return;
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = creatorProcedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "WindowCreator";
    RegisterClassA(&wc);
    creatorWindow = CreateWindowExA(0, "WindowCreator", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                    nullptr, nullptr, wc.hInstance, nullptr);
}

DApplication::~DApplication()
{
    setTimerRouting(nullptr, nullptr);
    installDrawingLock(nullptr);
    delete applicationLock;
    applicationLock = nullptr;
    initialized.store(false);
}

bool DApplication::isInitialized()
{
    return initialized.load();
}

DTheme* DApplication::currentTheme()
{
    return theme.load();
}

void DApplication::setTheme(DTheme* newTheme)
{
    theme.store(newTheme);
}

HWND DApplication::createNativeWindow(DCreateRecord& record)
{
    record.result = nullptr;
    if (!creatorWindow)
        return nullptr;
    SendMessageA(creatorWindow, creatorMessage, reinterpret_cast<WPARAM>(&record), 0);
    return record.result;
}

void DApplication::showCursor(int type)
{
    setCursor(nullptr, type);
}

int DApplication::run()
{
    if (!initialized.load())
        return 0;
    return messageLoop(nullptr);
}

int DApplication::messageLoop(DWindow* modal, const DModalRun* run)
{
    MSG msg;
    for (;;) {
        // A modal window deleted while its loop ran: no quit message will come for it.
        if (run && !run->alive && !run->quitPosted)
            return 0;
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0)
            break;
        if (got == -1)
            return -1;
        DDrawingLockHolder hold;
        if (modal && !DWindow::isLive(modal))
            modal = nullptr;  // deleted while its loop ran: nothing left to protect
        DWindow* owner = modal ? modal->modalOwner : nullptr;
        if (owner && !DWindow::isLive(owner))
            owner = nullptr;
        bool toOwner = belongsTo(msg.hwnd, owner);
        if (!toOwner && owner && owner->suspendedModals) {
            for (int i = 0; i < owner->suspendedModals->count() && !toOwner; i++)
                toOwner = belongsTo(msg.hwnd, static_cast<DWindow*>(owner->suspendedModals->get(i)));
        }
        if (toOwner) {
            if (modal->handle)
                ShowWindow(modal->handle, SW_SHOWNA);
            if (isModalInput(msg.message))
                continue;
        }
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
