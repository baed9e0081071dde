// DWindow: the base of every window of the program. It owns one native window of the
// class "DWindow" whose client area is covered by one root view, the DWinInterior, under
// which all controls live. The window procedure turns native messages into calls of the
// virtual operations below and offers key and mouse input to the view tree first.
//
// A captioned top-level window is an owned popup whose task-bar presence is a hidden
// "TBButton" window; a frameless top-level window (option 0x1) is owned by a hidden "Dummy"
// window and has no task-bar button; a window given a parent handle is a child window.
// Sizes given to create and the geometry operations are client sizes, positions those of
// the outer top-left corner (on the screen, or in the parent's client area for a child
// window), all in units of the window's display scale: pixels of a 96-dpi display, which
// the window turns into the device pixels of the display it is on (DisplayScale.h). So are
// mouse positions, the screen's size and the pointer's place as the window reports them,
// and its view tree and canvases draw at the same scale: no view or control ever deals
// with a dpi. The scale is the window's monitor's, asked of the system at creation and
// changed by the system's WM_DPICHANGED (see changeScale).
//
// The object outlives its native windows: closing destroys them and the view tree, and
// whoever created the object deletes it.
#pragma once

#include "foundation/DObject.h"
#include "foundation/DString.h"
#include "framework/Accessible.h"
#include "framework/InputRules.h"
#include "framework/DPalette.h"
#include "graphics/DColor.h"
#include "graphics/DisplayScale.h"

#include <windows.h>

class DCanvas;
class DIcon;
class DList;
class DTheme;
class DTimer;
class DView;
class DWinInterior;

// Creation options.
enum : unsigned {
    windowFrameless = 0x1,
    windowSizable = 0x2,
    windowMinimizeBox = 0x80,
};

// One modal run of a window (runModal). The window may be deleted while its run goes on,
// by its own onClose or by any handler; the run then ends without touching it again.
struct DModalRun {
    bool alive = true;          // the window object still exists
    bool quitPosted = false;    // closing the window posted the quit message of this run
    DModalRun* outer = nullptr; // an earlier run of the same window still on the stack
};

struct DRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class DWindow : public DObject, public DAccessibleSource {
public:
    DWindow();
    ~DWindow() override;
    DWindow(const DWindow&) = delete;
    DWindow& operator=(const DWindow&) = delete;

    virtual void setTheme(DTheme* newTheme);
    virtual void applyThemeColors();
    virtual bool isMenu() const { return false; }
    virtual void onCreate() {}
    virtual void onClose() {}
    virtual void onMouseEnter() {}
    virtual void onMouseLeave() {}
    // Input in client pixels, `mods` as in DView.h. Mouse input arrives when no view
    // consumed it; keys and characters arrive after the views saw them, taken or not.
    virtual void onKeyDown(int key, int mods);
    virtual void onKeyUp(int key, int mods);
    virtual void onChar(int character);
    virtual void onMouseMove(int x, int y, int mods);
    virtual void onMouseUp(int x, int y, int mods);
    virtual void onMouseDown(int x, int y, int mods);
    virtual void onRightMouseUp(int x, int y, int mods);
    virtual void onRightMouseDown(int x, int y, int mods);
    virtual void onDoubleClick(int x, int y, int mods);
    virtual void onWheelForward(int x, int y, int mods);
    virtual void onWheelBackward(int x, int y, int mods);
    // View notifications that no view of the interior consumed; `source` reported them, and
    // x, y are in its own pixels.
    virtual void onViewKeyDown(DView* source, int key, int mods);
    virtual void onViewKeyUp(DView* source, int key, int mods);
    virtual void onViewMouseMove(DView* source, int x, int y, int mods);
    virtual void onViewMouseUp(DView* source, int x, int y, int mods);
    virtual void onViewMouseDown(DView* source, int x, int y, int mods);
    virtual void onViewRightMouseUp(DView* source, int x, int y, int mods);
    virtual void onViewRightMouseDown(DView* source, int x, int y, int mods);
    virtual void onClick(DView* source);       // the view was activated
    virtual void onRightClick(DView* source);  // the view was right-clicked
    // Default: a double click on a view that accepts them runs the default action.
    virtual void onViewDoubleClick(DView* source, int x, int y, int mods);
    // `what` changed in `source` (changedValue: its value); the details are the sender's.
    virtual void onChange(DView* source, int what, int detail1, int detail2, int detail3);
    virtual void onViewWheelForward(DView* source, int x, int y, int mods);
    virtual void onViewWheelBackward(DView* source, int x, int y, int mods);
    virtual bool canClose() { return true; }
    virtual void onPaint();
    // The outer top-left corner moved to x, y (on the screen, in units); the client area is now
    // width x height.
    virtual void onMove(int x, int y);
    virtual void onSize(int width, int height);
    virtual void onMenuItem(int id);
    virtual void onActivate() {}
    virtual void onDeactivate() {}
    // A tick of a timer owned by this window (never after the window closed).
    virtual void onTimer(DTimer* timer);
    // Not sent by the framework itself; kept for windows that signal one another.
    virtual void onEvent(DObject* sender, int kind, int value1, int value2, int value3);
    virtual void onThemeChanged(DTheme* newTheme);
    // The window now draws at another display scale (it went to a monitor of another dpi):
    // its views, their canvases and fonts are already at the new scale and the window has
    // its size in units again. Texts measure a little differently at every scale, so a
    // window that sizes controls to their texts lays them out again here.
    virtual void onScaleChanged() {}
    // A pop-up that only makes sense where its owner window stood (an open menu) goes away;
    // called on the window holding the key grab when the owner's scale changes.
    virtual void dismiss() {}
    // Native messages the window procedure does not handle itself; true = handled.
    virtual bool handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // ---- Accessibility and access keys (DWindowAccess.cpp) ----
    // The client area as a node of the accessible tree, named by the title; its children
    // are the interior's views.
    DAccessibleInfo accessibleInfo() const override;
    // Tells screen readers of an event of the client area (part -1) or of one of its parts.
    void announce(DAccessibleEvent event, int part = -1) const;
    // The focus event of the focused view, or of the client area when no view has it;
    // raised when the window becomes active.
    virtual void announceFocus() const;
    // Access keys are underlined once the user pressed Alt in the window, or always when
    // the system asks for keyboard cues.
    bool accessKeysShown() const;
    void showAccessKeys();
    // Alt with a letter or digit: the view with that access key acts. False when no view
    // has it, or while a menu or drop-down list holds the keys.
    bool runAccessKey(int key);
    // The system's colours or settings changed: the theme follows high contrast on or off,
    // and the window and its views take its colours again and repaint.
    void followSystemLook();

    bool create(HWND parent, int x, int y, int width, int height, const DString& title,
                unsigned creationOptions);
    void show(bool visible);
    void runModal(DWindow* owner);
    void close();
    void setTitle(const DString& text);
    DString title() const;
    void setIcon(DIcon* image);
    void setSmallIcon(DIcon* image);
    DRect bounds() const;
    void moveTo(int x, int y);
    void setBounds(int x, int y, int width, int height);
    void resize(int width, int height);
    void center();
    void redraw();
    void addView(DView* view);
    void setFocus(DView* view);
    void setKeyTarget(DWindow* window) { keyTarget = window; }
    void setTopBar(DView* view);

    HWND getHandle() const { return handle; }
    HWND getParentHandle() const { return parentHandle; }
    HWND getTaskbarButton() const { return taskbarButton; }
    DCanvas* getCanvas() const { return canvas; }
    // None once the view was destroyed.
    DView* getTopBar() const;
    DWinInterior* getInterior() const { return interior; }
    DWindow* getKeyTarget() const { return keyTarget; }
    DWindow* getModalChild() const { return modalChild; }
    DWindow* getModalOwner() const { return modalOwner; }
    DTheme* getTheme() const { return theme; }
    const DScale& getScale() const { return scale; }
    // The primary screen's size and the mouse pointer's position, in this window's units:
    // what pop-ups are placed and kept on the screen with.
    void screenArea(int& width, int& height) const;
    void cursorPoint(int& x, int& y) const;
    // A point of the client area as the same point on the screen, both in units.
    void clientToScreenPoint(int& x, int& y) const;
    bool isShown() const { return shown; }
    bool isSuspendedModal(const DWindow* window) const;
    const DPalette& getPalette() const { return palette; }
    DColor getBackColor() const { return palette.background; }
    DColor getFaceColor() const { return palette.face; }
    DColor getLightColor() const { return palette.light; }
    DColor getShadowColor() const { return palette.shadow; }
    DColor getSelectColor() const { return palette.selection; }

    // The window object attached to a native window, none when it has none (not yet
    // created, or closed).
    static DWindow* fromHandle(HWND window);
    // True while `window` is a live window object; safe from any thread.
    static bool isLive(const DWindow* window);
    // The native window a tick for `window` goes to, none once it closed; any thread.
    static void* tickHandleFor(const DWindow* window);
    // True while the user-interface thread is inside a window procedure.
    static bool isDispatching();
    // Posts a "DVMessage" through the native window `via`: `target`'s handleMessage later
    // receives the first four values as window, message, wParam and lParam. False (and
    // nothing posted) when the message cannot be posted.
    static bool postRecord(HWND via, DWindow* target, int v0, int v1, int v2, int v3, int v4);

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK taskbarProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Shared by create and DViewBase's own creation.
    bool createNative(HWND parent, int x, int y, int width, int height, const DString& title,
                      unsigned creationOptions, bool asViewBase);
    // The outer size, in device pixels, of a client area of deviceWidth x deviceHeight
    // device pixels at `dpi`.
    SIZE outerSizeFor(int deviceWidth, int deviceHeight, int dpi) const;
    // Puts the outer corner at device pixel (left, top) of the screen (of the parent's client
    // area for a child window) with a client area of width x height units.
    void placeClient(int left, int top, int width, int height);
    // Takes the display scale of `dpi`: the view tree, its native windows, canvases and
    // fonts follow; the window keeps its client size in units and goes to the corner of
    // `suggested` (the system's rectangle for the new dpi; none: where it is); open menus
    // go away; then onScaleChanged, and everything is drawn again.
    void changeScale(int dpi, const RECT* suggested);

    DWinInterior* interior = nullptr;  // owned root view
    DCanvas* canvas = nullptr;         // the interior's canvas (a view base: its own)
    DPalette palette;                  // the theme's colours once applyThemeColors ran
    DScale scale;                      // of the display the window is on; the base for a
                                       // view's native window, which its view places
    DWindow* keyTarget = nullptr;      // not owned
    DTheme* theme = nullptr;           // not owned
    HWND handle = nullptr;
    HWND parentHandle = nullptr;
    HWND ownerHandle = nullptr;        // the hidden "Dummy" owner of a frameless window
    DWindow* modalChild = nullptr;     // not owned
    DWindow* modalOwner = nullptr;     // not owned
    DList* suspendedModals = nullptr;  // owned list; the windows in it are not owned
    bool modalMark = false;
    bool mouseInside = false;
    DWORD style = 0;
    unsigned options = 0;
    DView* topBar = nullptr;           // not owned; a view of the interior
    DIcon* bigIconSource = nullptr;    // not owned
    DIcon* smallIconSource = nullptr;  // not owned
    DClickTracker clicks;              // the last release that counted for double clicks
    bool selfPaint = false;
    bool shown = false;
    HICON bigIcon = nullptr;           // owned
    HICON smallIcon = nullptr;         // owned
    HWND taskbarButton = nullptr;
    bool hiddenByMinimize = false;
    DModalRun* modalRun = nullptr;     // not owned: the innermost running runModal, if any
    bool keyboardCues = false;         // the user pressed Alt here: access keys are shown

private:
    friend class DApplication;

    LRESULT dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void closeProtocol();
    void keyProtocol(UINT message, WPARAM wParam, LPARAM lParam);
    void deliverCharacter(int character);
    void mouseProtocol(UINT message, WPARAM wParam, LPARAM lParam);
    void wheel(WPARAM wParam, LPARAM lParam, int mods);
    void minimiseHandling(WPARAM kind);
    void destroyNativeWindows();
    void paintNow();
    // The system icon of `image` at the size of `metric` (SM_CXICON or SM_CXSMICON) for the
    // window's dpi.
    HICON makeIcon(DIcon* image, int metric) const;
    bool sendToInterior(int kind, int a = 0, int b = 0, int c = 0, int d = 0);
};
