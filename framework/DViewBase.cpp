#include "framework/DViewBase.h"

#include "framework/DView.h"
#include "graphics/DCanvas.h"

DViewBase::DViewBase(DView* host) : hostView(host)
{
}

DViewBase::~DViewBase()
{
    destroyNative();
    canvas = nullptr;
    delete ownCanvas;
}

bool DViewBase::createFor(HWND parent, int x, int y, int width, int height)
{
    if (!createNative(parent, x, y, width, height, DString(""), 0, true))
        return false;
    ownCanvas = new DCanvas(handle);
    canvas = ownCanvas;
    return true;
}

void DViewBase::destroyNative()
{
    if (!handle)
        return;
    HWND window = handle;
    handle = nullptr;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
}

void DViewBase::onPaint()
{
    if (hostView)
        hostView->paint();
}
