// List-view geometry and arithmetic, with no window: which rows are where, what the scroll
// bars show, where the keys move the selection, and how a text is fitted into a column.
// Pixels are the list view's own (0, 0 at its top-left corner); rows are counted from 0.
// Painting, mouse handling and the keyboard all go through these functions.
//
// Every function takes any values (a list lower than one line, a font of height 0, up to
// 2^31 - 1 rows, huge column widths) without dividing by zero or overflowing: a line is
// at least one pixel high and row and pixel arithmetic is done in 64 bits.
#pragma once

#include "foundation/DString.h"

#include <functional>
#include <vector>

class DStringList;

const int listHeaderHeight = 18;
// The vertical bar stands at the right, the horizontal bar at the bottom, each this thick
// and 2 pixels inside the list's frame.
const int listBarThickness = 18;

// The list's size and the measures its rows depend on.
struct DListFrame {
    int width = 0;
    int height = 0;
    int headerHeight = listHeaderHeight;
    int lineHeight = 1;  // the font's line height; a height below 1 counts as 1
    // The horizontal bar is shown: the rows end above it, otherwise at the frame's edge.
    bool horizontalBar = true;
};

// A line is at least one pixel high, whatever the font says.
long long listLineHeight(const DListFrame& frame);
// Top of row `row` when `topRow` is the first visible row (rows above it give smaller y).
long long listRowY(const DListFrame& frame, int topRow, int row);
// The row strictly inside whose band `y` lies: a click on a boundary between two rows, above
// the first visible row or below the last row hits nothing (-1).
int listRowAt(const DListFrame& frame, int topRow, int rowCount, int y);

// The rows drawn: first..last, empty when last < first.
struct DRowRange {
    int first = 0;
    int last = -1;
    bool isEmpty() const { return last < first; }
};
DRowRange listVisibleRows(const DListFrame& frame, int topRow, int rowCount);

// Room for the columns: from 2 pixels inside the left edge to the vertical bar.
int listColumnRoom(int width);
// The horizontal bar is needed only when the columns are wider than their room.
bool listNeedsHorizontalBar(int width, long long columnsWidth);

// What the two scroll bars show. The vertical bar scrolls rows with one spare unit after
// the last row; the horizontal bar scrolls pixels of the columns, a page being the
// columns' room.
struct DListBars {
    unsigned verticalTotal = 0;
    unsigned verticalPosition = 0;
    unsigned verticalPage = 1;
    unsigned horizontalTotal = 0;
    unsigned horizontalPosition = 0;
    unsigned horizontalPage = 0;
};
DListBars listBarValues(const DListFrame& frame, int rowCount, int topRow,
                        long long columnsWidth, int horizontalScroll);
// Rows in one vertical page: the rows that fit below the header, at least 1.
unsigned listPageSize(const DListFrame& frame);

// The selection is visible when its whole row lies between the header and the bottom bar.
bool listSelectionVisible(const DListFrame& frame, int topRow, int selected);
// The top row that brings the selection into view: unchanged when it is visible; the
// selection's own row when it lies above; when it lies below, the smallest top row that
// shows it whole, or its own row when not even one row fits. Never negative.
int listTopRowShowing(const DListFrame& frame, int topRow, int selected);

// The top row once the vertical bar has moved to `position` by a step forward (step > 0: the
// wheel turned down), back (step < 0) or by the bar itself (step 0: read from where the bar
// stood, `topRow` limited to `lastPosition`). The rows follow the bar, but a page counts the
// rows the bottom bar half hides, so showing the last row whole can put the top row past the
// bar's last position; a forward step then never moves the rows back, nor a step back forward.
int listTopRowAfterStep(int topRow, unsigned position, unsigned lastPosition, int step);

// The keys a list takes: Page Up, Page Down, End, Home, Up and Down.
bool listTakesKey(int key);
// Where such a key moves the selection (-1: none) in a list of `rowCount` rows; a key
// the list does not take, or an empty list, leaves it where it is.
int listKeyTarget(int key, int selected, int rowCount, unsigned pageSize);

// Columns, their widths given as decimal texts.
long long columnLeft(const DStringList& widths, int index);  // sum of the earlier widths
long long columnsWidth(const DStringList& widths);

// The width a column needs for a title `titleWidth` pixels wide: drawn 2 pixels in, it keeps
// 2 clear of the next column.
int columnWidthFor(int titleWidth);
// Column widths that show their titles whole and fit in `room` where they can: each column
// takes the larger of its given width and its need (a missing need counts as 0); while the
// columns are wider than the room, the first column gives back width down to its own need.
// Their sum exceeds the room only when the needs alone do: the list must then be wider.
std::vector<int> fitColumnWidths(const std::vector<int>& given, const std::vector<int>& needed,
                                 int room);

// A text fitted into `width` pixels as measured by `measure`: as it is when it fits;
// otherwise shortened from its end, with "... " appended, until it fits (while more than the
// suffix is left); the empty text when not even that fits.
DString fitColumnText(const DString& text, int width,
                      const std::function<int(const DString&)>& measure);
