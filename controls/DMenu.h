// DMenu: the library's popup menu, a frameless top-most window that lists DMenuItem
// entries - commands, submenus, separators, with check marks and disabled items. A menu is
// created once and reused: popupForWindow or popupForView opens it at a screen point for
// an owner window or view; while open it holds the mouse capture and the owner's key grab,
// so every click and key comes to it. Choosing an item closes the menu with its whole
// parent chain and sends the item's id, once, to the owner: the owner window's onMenuItem,
// or the owner view's command (which climbs to its window). A click outside the menu
// closes the chain with no command.
//
// Keys: Up and Down move over the items, passing over separators and disabled items; Enter
// chooses the hot item, and on a disabled item does nothing (the menu stays open); Right
// opens the hot item's submenu with its first item hot, Left closes a submenu, and Escape
// closes one level (the whole menu when it has no parent menu). Screen readers hear the
// menu open and close and the hot item as the focus.
//
// Coordinates: the popup point and the menu's bounds are screen positions, mouse positions
// the menu window's client area, all in the menu window's units (DWindow.h). Where items
// go is worked out by the functions of MenuGeometry.h, the same for painting and for the
// mouse.
//
// Owns its items; the submenus they open, the owner and the parent menu are not owned.
// `close` hides the menu (it is reused); the native window itself ends with the object,
// or with DWindow::close.
#pragma once

#include "controls/MenuGeometry.h"
#include "framework/DWindow.h"

class DList;
class DMenuItem;

class DMenu : public DWindow {
public:
    DMenu();
    ~DMenu() override;

    // Makes the hidden top-most menu window and applies the current theme; false when the
    // window cannot be made.
    bool create();

    void addItem(const DString& text, int id);
    void addSubmenu(const DString& text, DMenu* submenu);
    void addSeparator();
    int itemCount() const;
    DMenuItem* itemAt(int index) const;  // null outside 0 .. itemCount() - 1
    void removeItemAt(int index);
    void removeItem(int id);  // the first item with that id
    void clear();
    // For every item with that id.
    void setItemEnabled(int id, bool flag);
    void setItemChecked(int id, bool flag);
    bool isItemChecked(int id) const;  // of the first item with that id; false if none

    // Opens the menu at the screen point (x, y) for a window or for a view (Algorithms in
    // MenuGeometry.h: to the left of or above the point near the screen edges).
    void popupForWindow(DWindow* owner, int x, int y);
    void popupForView(DView* owner, int x, int y);
    // Hides the menu and its parent chain and gives back the owners' key grabs.
    void close();
    // Hides this menu only: a submenu gives the keys and the capture back to its parent.
    void closeLevel();
    // Makes the first item that can be chosen hot: a menu opened from the keyboard.
    void highlightFirst();
    // Sends a chosen id on to the owner window, or, with none, to the owner view.
    void command(int id);

    bool isOpen() const { return shown; }
    int getHotIndex() const { return hotIndex; }
    DMenu* getParentMenu() const { return parentMenu; }
    DWindow* getOwnerWindow() const { return ownerWindow; }
    DView* getOwnerView() const { return ownerView; }
    const DMenuLayout& getLayout() const { return layout; }

    bool isMenu() const override { return true; }
    void applyThemeColors() override;
    void onCreate() override;
    void onClose() override;
    void onPaint() override;
    void onMouseMove(int x, int y, int mods) override;
    void onMouseUp(int x, int y, int mods) override;
    void onRightMouseUp(int x, int y, int mods) override;
    void onKeyDown(int key, int mods) override;
    void onKeyUp(int key, int mods) override;
    // A submenu's choice climbs through its parent menus to the first owner.
    void onMenuItem(int id) override { command(id); }
    void onThemeChanged(DTheme* newTheme) override;
    // An open menu closes, with its parent chain, when its owner window or the menu itself
    // moves to a display of another dpi: it was measured and placed for the old one.
    void dismiss() override { close(); }
    void onScaleChanged() override { close(); }
    bool handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    // A popup menu to screen readers; its items are its parts.
    DAccessibleInfo accessibleInfo() const override;
    int accessiblePartCount() const override { return itemCount(); }
    DAccessibleInfo accessiblePart(int index) const override;
    int focusedAccessiblePart() const override { return shown ? hotIndex : -1; }
    // A menu is heard through its items: taking the foreground announces the hot item
    // only, not the menu itself.
    void announceFocus() const override;
    bool doAccessibleAction(int part) override;
    bool selectAccessiblePart(int part) override;

protected:
    // Called when `close` has hidden the menu that was open.
    virtual void closed() {}
    // Gives up the owners of an earlier opening and takes these (one of them null), with
    // no hot item and items measured in the current font.
    void takeOwners(DWindow* window, DView* view);
    // Shows the menu at `place` for its owner, takes the owner's key grab, and takes the
    // keyboard and the mouse capture.
    void open(const DMenuBox& place);
    // Chooses the hot item: opens its submenu, or closes and sends its command. The
    // submenu opened, if one was.
    DMenu* choose();
    // Works out the items' places (also each item's `top`), measuring only what has not
    // been measured in the current font: an item's text once, the line height once.
    void relayout();
    // True for client points with 0 <= x <= width and 0 <= y <= height.
    bool containsClientPoint(int x, int y) const;
    void setHotIndex(int index);
    // Gives back the mouse capture if this menu holds it, without closing on its loss.
    void releaseOwnCapture();
    // The window a view belongs to, none when the view is not in a window.
    static DWindow* windowOfView(DView* view);

    DWindow* ownerWindow = nullptr;  // not owned; set when opened for a window
    DView* ownerView = nullptr;      // not owned; set when opened for a view
    DList* items = nullptr;          // owned list of owned DMenuItem
    int hotIndex = -1;
    DMenu* parentMenu = nullptr;     // not owned: the menu that opened this one
    DMenuLayout layout;

private:
    void letGoOfOwners();
    std::vector<DMenuEntryShape> shapes() const;

    // Drops the measures when the canvas's font is not the one they were taken in.
    void keepMeasuresCurrent();

    void* measuredFont = nullptr;   // the font handle the measures below were taken in
    int sampleHeight = 0;           // the line height in it, 0 before it is measured
    bool releasingCapture = false;  // our own release: its capture loss does not close
    bool closing = false;           // guards the parent chain against cycles
    bool spreadingTheme = false;    // likewise for passing the theme to submenus
};
