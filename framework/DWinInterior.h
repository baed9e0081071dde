// DWinInterior: the root view of a window, covering its whole client area at (0, 0). It
// draws on the window itself (no child window of its own) through the window's onPaint,
// lets mouse input over bare client area through to the window's own handlers, and hands
// every notification that reaches it to the window's view-notification operations.
#pragma once

#include "framework/DView.h"

class DWindow;

class DWinInterior : public DView {
public:
    explicit DWinInterior(DWindow* owner);

    DWindow* getOwnerWindow() const { return ownerWindow; }
    // The window closed: no further call may reach it.
    void detachOwner() { ownerWindow = nullptr; }

    void onCreate() override { acceptsDoubleClick = true; }
    void paint() override;
    bool mouseMove(int x, int y, int mods) override;
    bool leftButtonUp(int x, int y, int mods) override;
    bool leftButtonDown(int x, int y, int mods) override;
    bool rightButtonUp(int x, int y, int mods) override;
    bool rightButtonDown(int x, int y, int mods) override;
    bool doubleClick(int x, int y, int mods) override;
    bool wheelUp(int x, int y, int mods) override;
    bool wheelDown(int x, int y, int mods) override;
    bool childKeyDown(DView* sender, int key, int mods) override;
    bool childKeyUp(DView* sender, int key, int mods) override;
    bool childMouseMove(DView* sender, int x, int y, int mods) override;
    bool childLeftButtonUp(DView* sender, int x, int y, int mods) override;
    bool childLeftButtonDown(DView* sender, int x, int y, int mods) override;
    bool childRightButtonUp(DView* sender, int x, int y, int mods) override;
    bool childRightButtonDown(DView* sender, int x, int y, int mods) override;
    bool childActivated(DView* sender) override;
    bool childContextClick(DView* sender) override;
    bool childDoubleClick(DView* sender, int x, int y, int mods) override;
    bool childChanged(DView* sender, int what, int detail1, int detail2, int detail3) override;
    bool childWheelUp(DView* sender, int x, int y, int mods) override;
    bool childWheelDown(DView* sender, int x, int y, int mods) override;
    void resized(int width, int height) override;
    void command(int id) override;
    void setKeyGrab(DWindow* window) override;

private:
    DWindow* ownerWindow;  // not owned
};
