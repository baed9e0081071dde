// DView: the base of every control and of each window's root view. A view is a rectangle
// (x, y, width, height in pixels, relative to its parent view's origin) with a caption,
// five colours, a theme, state flags, a parent and an ordered list of child views that it
// owns. Input enters a window's view tree at the root as a view event (direction 1) and
// travels down to the view under the mouse or with the focus; what a view reports travels
// up the parent chain as a notification (direction 2) until a view consumes it. Event
// coordinates arrive in window-client pixels and are made local to the view before its
// handler is called.
//
// Each attached view shows itself through a native child window of its own, a DViewBase,
// created disabled so that every mouse message reaches the top-level window and is routed
// through the tree. The root view of a window (DWinInterior) has no such child window: it
// draws straight on the window it is bound to.
//
// Positions, sizes and event coordinates are units of the window's display scale (pixels
// of a 96-dpi display). The tree carries its window's scale: each native child window is
// placed on the device pixels of its view's units, and each canvas draws at the scale from
// its view's place, so neighbouring views meet exactly. A view never needs the scale to lay
// itself out or to draw; only the window sets it.
//
// framework/README.md explains the words used here (event, notification, hot, focus, key
// grab, interior, top bar, suspended modal) and the rules that let a handler close its own
// window. Throughout, `mods` holds the modifier flags of InputRules.h (modShift, modCtrl,
// modAlt) and `key` a key code of KeyCodes.h.
#pragma once

#include "foundation/DObject.h"
#include "foundation/DString.h"
#include "framework/Accessible.h"
#include "framework/DPalette.h"
#include "graphics/DisplayScale.h"

#include <vector>

class DCanvas;
class DList;
class DTheme;
class DTimer;
class DViewBase;
class DWindow;

// View event kinds (direction 1, from the window down) and notification kinds
// (direction 2, from a view up to its parents).
enum DViewEvent : int {
    eventKeyDown = 1, eventKeyUp = 2, eventMouseMove = 3, eventLeftDown = 4, eventLeftUp = 5,
    eventRightDown = 6, eventRightUp = 7, eventPaint = 8, eventDefaultAction = 11,
    eventCancelAction = 12, eventWheelForward = 13, eventWheelBackward = 14, eventChar = 15,
    eventDoubleClick = 16,
};
enum DViewNotification : int {
    notifyKeyDown = 1, notifyKeyUp = 2, notifyMouseMove = 3, notifyLeftDown = 4,
    notifyLeftUp = 5, notifyRightDown = 6, notifyRightUp = 7, notifyActivated = 8,
    notifyContextClick = 9, notifyChanged = 10, notifyWheelUp = 11, notifyWheelDown = 12,
    notifyDoubleClick = 13,
};
enum : int { directionEvent = 1, directionNotification = 2 };
// What a change notification reports as `what`: the sender's value (a scroll position, the
// chosen item of a combo box) changed.
enum : int { changedValue = 1 };

class DView : public DObject, public DAccessibleSource {
public:
    DView();
    ~DView() override;
    DView(const DView&) = delete;
    DView& operator=(const DView&) = delete;

    virtual void setCursor(int id);
    virtual void applyTheme();
    // The dispatcher: returns true when the event or notification was consumed. `kind` is a
    // DViewEvent or DViewNotification by `direction`; a, b, c, d are the kind's values as the
    // operation it ends in names them: key and mods; character; x, y and mods; or the
    // change's what and details.
    virtual bool handleEvent(DView* sender, int direction, int kind, int a, int b, int c, int d);
    virtual void onCreate() {}
    virtual void onDestroy() {}
    virtual void paint();
    virtual void mouseEnter() {}
    virtual void mouseLeave() {}
    virtual bool keyDown(int key, int mods);
    virtual bool keyUp(int key, int mods);
    virtual bool charInput(int character);
    virtual bool mouseMove(int x, int y, int mods);
    virtual bool leftButtonUp(int x, int y, int mods);
    virtual bool leftButtonDown(int x, int y, int mods);
    virtual bool rightButtonUp(int x, int y, int mods);
    virtual bool rightButtonDown(int x, int y, int mods);
    virtual bool doubleClick(int x, int y, int mods);
    virtual bool wheelUp(int x, int y, int mods);
    virtual bool wheelDown(int x, int y, int mods);
    virtual bool childKeyDown(DView* sender, int key, int mods);
    virtual bool childKeyUp(DView* sender, int key, int mods);
    virtual bool childMouseMove(DView* sender, int x, int y, int mods);
    virtual bool childLeftButtonUp(DView* sender, int x, int y, int mods);
    virtual bool childLeftButtonDown(DView* sender, int x, int y, int mods);
    virtual bool childRightButtonUp(DView* sender, int x, int y, int mods);
    virtual bool childRightButtonDown(DView* sender, int x, int y, int mods);
    virtual bool childActivated(DView* sender);
    virtual bool childContextClick(DView* sender);
    virtual bool childDoubleClick(DView* sender, int x, int y, int mods);
    // `what` changed in `sender` (changedValue: its value); the details are the sender's.
    virtual bool childChanged(DView* sender, int what, int detail1, int detail2, int detail3);
    virtual bool childWheelUp(DView* sender, int x, int y, int mods);
    virtual bool childWheelDown(DView* sender, int x, int y, int mods);
    virtual void resized(int width, int height);
    virtual void moved(int x, int y);
    virtual void command(int id);
    virtual void timerTick(DTimer* timer);
    virtual void childAdded(DView* child);
    virtual void themeChanged(DTheme* theme);
    virtual void setKeyGrab(DWindow* window);

    // ---- Accessibility and access keys (DViewAccess.cpp) ----
    // The view as a node of its window's accessible tree; a plain view has no role, so its
    // children take its place.
    DAccessibleInfo accessibleInfo() const override;
    // True for views whose caption names the control after them (static texts, check
    // boxes); a control without a caption of its own is read with that caption.
    virtual bool labelsNext() const { return false; }
    // Alt with the view's access key: a label or a group moves the focus to the control it
    // names, a focusable view takes the focus; buttons and check boxes also press
    // themselves. False when nothing could take the key.
    virtual bool runAccessKey();

    // Sets the defaults, takes the application's theme, applyTheme, then onCreate.
    bool init(int x, int y, int width, int height);
    void addChild(DView* child);
    // Creates this view's native child window under `parentHandle` and attaches the
    // subtree under it.
    void attach(void* parentHandle);
    // Binds a root view to an existing window: draws on it through a canvas of its own.
    void bindToWindow(void* windowHandle);
    // Ends the view and its subtree. While a window message is being handled the objects
    // are only freed once that handling has unwound, so code up the stack never runs on
    // freed memory; they are detached, hidden and disabled at once.
    void destroy();

    int childCount() const;
    DView* childAt(int index) const;
    DView* getParent() const { return parent; }
    DView* getFocusedChild() const { return focusedChild; }
    DCanvas* getCanvas() const { return canvas; }
    DTheme* getTheme() const { return theme; }
    const DPalette& getPalette() const { return palette; }
    DString getText() const { return text; }
    void* getHandle() const { return handle; }
    DWindow* getKeyGrab() const { return keyGrab; }

    void setText(const DString& caption);
    void setDefault(bool flag);
    void setCancel(bool flag);
    bool getDefault() const { return isDefault; }
    bool getCancel() const { return isCancel; }
    void moveTo(int newX, int newY);
    void resize(int newWidth, int newHeight);
    void setBounds(int newX, int newY, int newWidth, int newHeight);
    void setVisible(bool flag);
    void setEnabled(bool flag);
    // Effective states: the view and every ancestor.
    bool isEnabled() const;
    bool isVisible() const;
    void getBounds(int& outX, int& outY, int& outWidth, int& outHeight) const;
    int getX() const { return x; }
    int getY() const { return y; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    // Position in window-client units: the sum of the offsets of the view and its ancestors.
    void absolutePosition(int& outX, int& outY) const;
    // The point (localX, localY) of this view as a point of the screen, in units of its
    // window's scale (where a pop-up opened at it belongs); unchanged outside a window.
    void screenPoint(int localX, int localY, int& screenX, int& screenY) const;
    // The display scale of the view's window: what its units are in device pixels.
    const DScale& displayScale() const { return scale; }
    bool isFocused() const;
    bool isHot() const { return hot; }
    bool isFocusable() const { return focusable; }
    void setFocus(DView* child);
    void focusNext();
    void focusPrevious();
    void setTheme(DTheme* newTheme);
    void centerInParent();
    void centerHorizontally();
    // Asks for the view and its subtree to be painted again. The painting itself happens on
    // the next turn of the message loop, when the system hands out its paint requests: every
    // change made until then is painted at once, once, and a window that is not on the
    // screen is not painted at all (the system paints it whole when it is shown).
    void redraw();
    // Paints the view and its subtree at once, on the calling thread, visible window or
    // not: for a caller that needs the picture now rather than soon.
    void paintNow();
    // An event of `kind` into this view's subtree, and a notification of `kind` with this
    // view as sender to its parents; the values as for handleEvent.
    bool sendEvent(int kind, int a = 0, int b = 0, int c = 0, int d = 0);
    bool notifyParent(int kind, int a = 0, int b = 0, int c = 0, int d = 0);
    // The mouse left the window: every view of this tree loses `hot`.
    void clearHot();
    DView* root();

    // The children a screen reader sees, in Tab order: the child views with a role, and in
    // place of a child without one, its own such children.
    void accessibleChildren(std::vector<DView*>& out) const;
    // The view of the tree under `top` that has the focus; none when none has it.
    static DView* focusedIn(DView* top);
    // The nearest ancestor with a role; none when only the interior is above.
    DView* accessibleParent() const;
    // The name of a control without a caption: the caption of the label just before it,
    // else the title of the group it lies in (empty when there is neither).
    DString accessibleLabel() const;
    // The caption of the nearest enclosing group that has one.
    DString groupTitle() const;
    // What every control's description starts from: enabled, focusable, focused, shown.
    DControlFacts controlFacts() const;
    // The view a label or group names: the next focusable control after a label, the
    // first one inside a group; none when there is none.
    DView* labelledView() const;
    // The access key that reaches this view: its own, or that of the label or group that
    // names it; 0 none.
    char reachingAccessKey() const;
    // An upper-case letter or a digit (a lower-case letter is raised); 0 none.
    void setAccessKey(char key);
    char getAccessKey() const { return accessKey; }
    // The first visible and enabled view of the tree under `top` with that access key.
    static DView* findAccessKey(DView* top, char key);
    // Whether the window shows the access keys underlined now: once the user pressed Alt
    // in it, or always when the system asks for keyboard cues.
    bool accessKeysShown() const;
    // Tells screen readers of an event of the view itself (part -1) or of one of its
    // parts; nothing before the view has its native window.
    void announce(DAccessibleEvent event, int part = -1) const;
    // The focus event of this view (or its focused part), when its window is the active
    // one: a screen reader follows the focus only in the window the user works in.
    void announceFocus() const;

    // True while `view` is a live view object (not destroyed); safe from any thread.
    static bool isLive(const DView* view);
    // The native window a tick for `view` goes to, or none; safe from any thread.
    static void* tickHandleFor(const DView* view);
    // Frees views whose destruction was deferred; called when message handling unwinds.
    static void releaseDeferred();

protected:
    void* handle = nullptr;           // native child window (a root view: its window)
    DView* parent = nullptr;          // not owned
    DView* focusedChild = nullptr;    // not owned; one of `children`
    DList* children = nullptr;        // owned list of owned views
    DViewBase* host = nullptr;        // owned native child window object
    DCanvas* canvas = nullptr;        // the host's canvas, or `ownCanvas`
    DCanvas* ownCanvas = nullptr;     // owned canvas of a root view bound to a window
    DString text;
    DPalette palette;                 // the theme's colours once applyTheme ran
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool focusable = false;
    bool wantsTab = false;
    bool wantsEnter = false;
    bool wantsEscape = false;
    bool enabled = true;
    bool visible = true;
    bool hot = false;
    bool isDefault = false;
    bool isCancel = false;
    int cursor = 0;
    DWindow* keyGrab = nullptr;       // not owned
    DTheme* theme = nullptr;          // not owned
    bool acceptsDoubleClick = false;
    char accessKey = 0;

private:
    friend class DWindow;
    // The window's display scale for this view and its subtree: canvases, fonts and native
    // windows follow at once.
    void setDisplayScale(const DScale& newScale);
    // Places the native windows of the subtree on their device pixels again, and gives the
    // canvases their places: after a move changed where the units fall.
    void placeNativeTree();
    bool handleKeyEvent(int kind, int key, int mods);
    bool handleMouseEvent(int kind, int px, int py, int mods);
    bool offerToChildren(int kind, int a, int b, int c, int d);
    void dropDeadKeyGrab();
    bool dispatchNotification(DView* sender, int kind, int a, int b, int c, int d);
    void becomeHot();
    void collectFocusable(DList& out);
    void clearFocusTree();
    void detachTree();
    void moveFocus(bool forward);
    void updateNativeBounds();

    bool destroyed = false;
    DScale scale;  // the window's; the base until the view joins a window at another
};
