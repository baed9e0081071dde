// DCBDropMenu: the drop-down list of a combo box - a DMenu turned into a scrolling list of
// the combo's texts with a vertical DScrollBar at its right. It opens below its combo
// (dropBelow), holds the capture and the combo's key grab like any menu, and closes on a
// choice, Escape, Enter, F4, Alt+Up, Alt+Down or a click (Enter, F4 and Alt with an arrow
// choose the highlighted row). `hotRow` is the highlighted row (-1 none); screen readers
// hear it as the focus and the selection.
//
// Coordinates are the list window's client pixels; row r is drawn at
// y = 2 + (r - scroll position) x line height (MenuGeometry.h). The scroll bar is a view
// of the window, owned through its view tree; the list of texts and the combo are not
// owned.
#pragma once

#include "controls/DMenu.h"

class DComboBox;
class DScrollBar;
class DStringList;

class DCBDropMenu : public DMenu {
public:
    DCBDropMenu() = default;

    // Takes the combo's texts and the combo; the hot row is the row of the combo's
    // caption (-1 when the caption is not in the list).
    void setList(DStringList* texts, DComboBox* owner);
    // Opens for the combo whose bottom-left corner is at screen point (x, y), at most
    // `maxRows` rows high, as wide as the combo, and scrolls the hot row into view.
    void dropBelow(DComboBox* owner, int x, int y, int maxRows);
    // Puts the scroll bar's total, position and page to the list and shows it only when
    // it has something to scroll.
    void layoutList();

    int getHotRow() const { return hotRow; }
    DScrollBar* getScrollBar() const { return scrollBar; }
    int lineHeight() const;
    int pageSize() const;
    int firstShownRow() const;

    void applyThemeColors() override;
    void onCreate() override;
    void onSize(int width, int height) override;
    void onPaint() override;
    void onMouseMove(int x, int y, int mods) override;
    void onMouseUp(int x, int y, int mods) override;
    void onKeyDown(int key, int mods) override;
    void onWheelForward(int x, int y, int mods) override;
    void onWheelBackward(int x, int y, int mods) override;
    void onChange(DView* source, int what, int detail1, int detail2, int detail3) override;

    // A list named like its combo box; its rows are its parts.
    DAccessibleInfo accessibleInfo() const override;
    int accessiblePartCount() const override { return rowCount(); }
    DAccessibleInfo accessiblePart(int index) const override;
    int focusedAccessiblePart() const override { return shown ? hotRow : -1; }
    bool doAccessibleAction(int part) override;
    bool selectAccessiblePart(int part) override;

protected:
    // The combo box hears that its list closed.
    void closed() override;

private:
    // Tells screen readers which row is highlighted now.
    void announceHotRow();
    int rowCount() const;
    int rowAt(int y) const;
    void setHotRow(int row);
    void scrollHotRowIntoView();
    // Closes the list and then, when `row` is a row, hands it to the combo as its choice;
    // nothing of this object is touched after that.
    void closeAndChoose(int row);

    DScrollBar* scrollBar = nullptr;  // not owned: a view of this window
    DStringList* list = nullptr;      // not owned: the combo's texts
    DComboBox* combo = nullptr;       // not owned
    int hotRow = -1;
};
