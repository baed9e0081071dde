// DComboBox: a drop-down choice box - a field showing the selected text (the view's
// caption), a DCBDropBtn arrow at its right, and a DCBDropMenu list that drops below it on
// a click, Down, F4, Alt+Down or Alt+Up (F4, Alt+Down and Alt+Up close it again, keeping
// the highlighted row); Up and Left choose the previous item, Right the next, in place.
// Choosing a row in the list or by those keys selects it and reports a changed notification
// (kind 10, a = 1) to the parent, once per choice; setSelected from code reports nothing to
// the parent. Screen readers hear every change of the shown text and the list opening and
// closing. Coordinates are the combo's own pixels.
//
// Built like every control: construct, init (or create) with its bounds, then addItem for
// each entry and setSelected. Owns its item list and its drop-down list window; the drop
// button is a child view, owned through the view tree.
#pragma once

#include "framework/DView.h"

class DCBDropBtn;
class DCBDropMenu;
class DStringList;

class DComboBox : public DView {
public:
    DComboBox() = default;
    ~DComboBox() override;

    bool create(int x, int y, int width, int height) { return init(x, y, width, height); }

    void addItem(const DString& text);
    // Selects an item; an index outside the items selects none and clears the caption.
    void setSelected(int index);
    int getSelected() const { return selectedIndex; }
    int itemCount() const;
    DString itemText(int index) const;
    // The narrowest width that shows every item whole, measured on its canvas; 0 before the
    // combo is in a window.
    int fittingWidth();
    void setMaxVisibleRows(int rows) { maxVisibleRows = rows; }
    int getMaxVisibleRows() const { return maxVisibleRows; }
    // Opens the list below the combo (above it near the bottom of the screen).
    void dropDown();
    bool isOpen() const;
    // Opens the list when it is closed, closes it (choosing nothing) when it is open.
    void toggleList();
    // The list chose `row`: selects it and tells the parent. May be the last thing that
    // runs for this combo: the parent's handler may take the window apart.
    void chooseFromList(int row);

    DCBDropMenu* getDropMenu() const { return dropMenu; }
    DCBDropBtn* getDropButton() const { return dropButton; }

    void applyTheme() override;
    void onCreate() override;
    void onDestroy() override;
    void paint() override;
    bool keyDown(int key, int mods) override;
    bool leftButtonUp(int x, int y, int mods) override;
    bool childActivated(DView* sender) override;
    void resized(int newWidth, int newHeight) override;
    void themeChanged(DTheme* newTheme) override;

    // A combo box named by its label; its value is the shown text.
    DAccessibleInfo accessibleInfo() const override;
    // Opens or closes the list.
    bool doAccessibleAction(int part) override;

private:
    void placeDropButton();

    DCBDropBtn* dropButton = nullptr;  // not owned: a child view
    DStringList* items = nullptr;      // owned
    DCBDropMenu* dropMenu = nullptr;   // owned window
    int selectedIndex = -1;
    int maxVisibleRows = 6;
};
