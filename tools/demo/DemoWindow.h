// DemoWindow: one window that shows every control of the widget library working, for
// looking at and trying by hand (not part of the product): two text fields (one in password
// mode), a list view with enough rows to scroll, a free scroll bar, a combo box, a check box,
// an animated wait bar, static texts in each alignment, groups around them, a button that
// opens a menu with a submenu, a check mark, a disabled item and separators, and a button
// with a tool tip. A status line at the bottom tells what the last action did.
//
// Coordinates are client pixels of the window (controls inside a group: the group's
// pixels). The views are owned by the window's view tree; the menus, the tool tip and the
// animation timer are owned by this object.
#pragma once

#include "framework/DWindow.h"

class DButton;
class DCheckBox;
class DComboBox;
class DGroup;
class DInputLine;
class DListView;
class DMenu;
class DScrollBar;
class DStaticText;
class DTimer;
class DToolTip;
class DWaitBar;

// Menu commands of the demo window.
enum DemoCommand : int {
    demoCheckNow = 1, demoPlaySound = 2, demoDisabled = 3, demoEnglish = 10, demoMagyar = 11,
    demoExit = 99,
};

class DemoWindow : public DWindow {
public:
    static constexpr int clientWidth = 640;
    static constexpr int clientHeight = 470;
    static constexpr int rowCount = 40;
    static constexpr int animationInterval = 100;  // milliseconds between wait-bar steps

    DemoWindow() = default;
    ~DemoWindow() override;

    // Makes the window, its controls, menus, tool tip and timer; the window stays hidden.
    // `quitOnClose`: closing it ends the message loop (the program's main window).
    bool make(bool quitOnClose);

    DInputLine* nameField() const { return name; }
    DInputLine* passwordField() const { return password; }
    DListView* mailboxList() const { return list; }
    DScrollBar* freeScrollBar() const { return scrollBar; }
    DStaticText* scrollLabel() const { return scrollText; }
    DComboBox* intervalCombo() const { return combo; }
    DCheckBox* soundCheck() const { return sound; }
    DWaitBar* activityBar() const { return waitBar; }
    DButton* animationButton() const { return animate; }
    DButton* menuButton() const { return menuOpener; }
    DButton* tipButton() const { return tipped; }
    DButton* disabledButton() const { return disabled; }
    DStaticText* statusLine() const { return status; }
    DStaticText* alignedText(int index) const;  // 0 .. alignedCount - 1, else none
    DMenu* mainMenu() const { return menu; }
    DMenu* languageMenu() const { return language; }
    DToolTip* toolTip() const { return tip; }
    DTimer* animationTimer() const { return timer; }

    static constexpr int alignedCount = 5;
    static const int alignedFormats[alignedCount];

    void onCreate() override;
    void onClose() override;
    void onClick(DView* source) override;
    void onChange(DView* source, int a, int b, int c, int d) override;
    void onMenuItem(int id) override;
    void onTimer(DTimer* source) override;

private:
    // A group box on the window; the controls of a section go inside it.
    DGroup* addGroup(int x, int y, int width, int height, const char* caption);
    void buildFields(int x, int y, int width);
    void buildChoices(int x, int y, int width);
    void buildAlignments(int x, int y, int width);
    void buildActivity(int x, int y, int width);
    void buildList(int x, int y, int width, int height);
    void buildButtons(int y);
    void buildMenus();
    void setStatus(const DString& text);
    // Opens the menu under the menu button.
    void openMenu();

    DInputLine* name = nullptr;         // the views: not owned (the view tree owns them)
    DInputLine* password = nullptr;
    DListView* list = nullptr;
    DScrollBar* scrollBar = nullptr;
    DStaticText* scrollText = nullptr;
    DComboBox* combo = nullptr;
    DCheckBox* sound = nullptr;
    DWaitBar* waitBar = nullptr;
    DButton* animate = nullptr;
    DButton* menuOpener = nullptr;
    DButton* tipped = nullptr;
    DButton* disabled = nullptr;
    DButton* exit = nullptr;
    DStaticText* status = nullptr;
    DStaticText* aligned[alignedCount] = {};
    DMenu* menu = nullptr;              // owned
    DMenu* language = nullptr;          // owned
    DToolTip* tip = nullptr;            // owned
    DTimer* timer = nullptr;            // owned
    bool quits = false;
};
