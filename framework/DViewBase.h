// DViewBase: the native child window that shows one view. It is a "DWindow" window with
// no interior of its own, created disabled so that it never takes input itself (mouse
// messages go to the top-level window and through the view tree); the system's paint
// request for it paints the host view. Owned by its view.
#pragma once

#include "framework/DWindow.h"

class DView;

class DViewBase : public DWindow {
public:
    explicit DViewBase(DView* host);
    ~DViewBase() override;

    // Creates the child window under `parent` at the view's place, given in device pixels of
    // the parent's client area (the view works them out at its window's scale, so this
    // window itself stays at the base scale); false on failure.
    bool createFor(HWND parent, int x, int y, int width, int height);
    DView* getHostView() const { return hostView; }
    // The view is going away: paint requests no longer reach it.
    void detachHost() { hostView = nullptr; }
    // Destroys the native window without running the close protocol.
    void destroyNative();

    void onPaint() override;

private:
    DView* hostView;  // not owned: the view owns this object
    DCanvas* ownCanvas = nullptr;  // owned canvas on the child window
};
