// DListView: rows of text in columns under a DHeader, with a vertical DScrollBar and, only
// while the columns are wider than their room beside it, a horizontal one with a plain
// corner piece between them. One row at most is selected (-1: none).
// The list takes the focus; a click selects the row under the mouse, Page Up/Down, Home,
// End and the Up and Down arrows move the selection, and the selected row is scrolled into
// view. The wheel and the vertical bar scroll by rows, the horizontal bar by pixels.
//
// The owner learns of clicks through the general notifications (activated, context click,
// double click, key down) with the list view as sender, and reads getSelected. Screen
// readers see a list named by its label or group whose rows are its parts, and hear every
// change of the selection (as the focus too while the list has it).
// Coordinates are the list's own pixels; rows are drawn below the header, one line of the
// current font each. Owns its rows (DListViewItem); the header, bars and corner are child
// views, owned through the view tree.
#pragma once

#include "controls/ListGeometry.h"
#include "framework/DView.h"

class DHeader;
class DListViewItem;
class DScrollBar;

class DListView : public DView {
public:
    DListView();
    ~DListView() override;

    bool create(int x, int y, int width, int height);

    // Appends a column; every row gets an empty cell for it.
    void addColumn(const DString& title, int columnWidth);
    int columnCount() const;
    int rowCount() const;
    // Appends a row with `text` in its first cell and empty other cells; its index, or -1
    // (and nothing added) while the list has no column.
    int addRow(const DString& text);
    // Ignored for a row or column that does not exist.
    void setCell(int row, int column, const DString& text);
    DString getCell(int row, int column) const;  // the empty text when there is none
    // Deletes the row, clears the selection and scrolls to the top; ignored for an invalid
    // index.
    void removeRow(int index);
    int getSelected() const { return selected; }
    // Selects `index` (-1 or an invalid index: none) and scrolls it into view.
    void setSelected(int index);
    int getTopRow() const { return topRow; }
    int getHorizontalScroll() const { return horizontalScroll; }

    // With auto update on (the default) every change sets the scroll bars and redraws; off,
    // changes wait for update() or for turning it on again.
    void setAutoUpdate(bool flag);
    bool getAutoUpdate() const { return autoUpdate; }
    // Sets the scroll bars from the rows and columns and redraws (only once attached; a
    // list filled before it was attached sets its bars when it is first painted or used).
    void update();

    DHeader* getHeader() const { return header; }
    DScrollBar* getVerticalBar() const { return verticalBar; }
    DScrollBar* getHorizontalBar() const { return horizontalBar; }
    // The line height of the current font (1 before the list is attached).
    int lineHeight() const;
    // The width column `index` needs to show its title whole (columnWidthFor of the title
    // measured in the list's font); 0 before the list is attached or for no such column.
    int titleNeed(int index) const;
    // Gives every column a new width (missing ones keep theirs) and updates.
    void setColumnWidths(const std::vector<int>& widths);
    bool isHorizontalBarShown() const { return horizontalShown; }

    void applyTheme() override;
    void onDestroy() override;
    void paint() override;
    bool keyDown(int key, int mods) override;
    bool leftButtonDown(int x, int y, int mods) override;
    bool wheelUp(int x, int y, int mods) override;
    bool wheelDown(int x, int y, int mods) override;
    bool childChanged(DView* sender, int what, int detail1, int detail2, int detail3) override;
    void resized(int newWidth, int newHeight) override;

    DAccessibleInfo accessibleInfo() const override;
    int accessiblePartCount() const override { return rowCount(); }
    DAccessibleInfo accessiblePart(int index) const override;
    // The selected row while the list has the focus.
    int focusedAccessiblePart() const override;
    // Selecting a row is a row's default action, too.
    bool doAccessibleAction(int part) override;
    bool selectAccessiblePart(int part) override;

private:
    // Tells screen readers that the selection moved from `before`.
    void reportSelection(int before);
    DListViewItem* row(int index) const;
    DListFrame frame() const;
    void keepSelectionVisible();
    // Sets both bars from the rows and columns, without redrawing the list; false (and
    // nothing set) before the list is attached or while auto update is off.
    bool setBars();
    // Sets the bars when no update has reached them since the list was attached.
    void setBarsIfBehind();
    // Shows the horizontal bar and the corner only while the columns are wider than their
    // room, and places both bars to match.
    void placeBars();
    void setBar(DScrollBar* bar, unsigned total, unsigned position, unsigned page);
    // Moves the rows after the vertical bar moved (step as for listTopRowAfterStep).
    void followVerticalBar(int step);
    void paintRow(int index, const DListFrame& f, bool active);
    void deleteRows();

    DList* rows;                       // owned list of owned rows
    DHeader* header = nullptr;         // not owned: a child view
    DScrollBar* verticalBar = nullptr;     // not owned: a child view
    DScrollBar* horizontalBar = nullptr;   // not owned: a child view
    DView* corner = nullptr;           // not owned: a child view
    int topRow = 0;
    int horizontalScroll = 0;
    int selected = -1;
    int headerHeight = listHeaderHeight;
    bool autoUpdate = true;
    // No update has set the bars yet: rows added before the list had a window wait here.
    bool barsBehind = true;
    bool horizontalShown = true;
};
