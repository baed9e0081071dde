// Where popup menus and the combo box's drop-down list put their parts, with no platform
// calls: item places and sizes, which item or row is under a point, keyboard movement,
// and where a popup opens near the screen edges. Painting and mouse handling both call
// these functions, so what is drawn is what is hit.
//
// Menu coordinates are the menu window's client pixels, (0, 0) at its top-left corner; an
// item's `top` is its offset in the stack of items, which starts 2 pixels below the
// window's top edge. Screen positions are screen pixels. Every function accepts any
// integer input (zero or negative text heights, huge item counts) without dividing by zero
// or overflowing: sizes that would not fit an int are held at the largest int.
#pragma once

#include <vector>

// What the layout needs to know of one menu item.
struct DMenuEntryShape {
    bool separator = false;
    int textWidth = 0;  // pixels of the item's text in the menu's font
    bool enabled = true;
};

struct DMenuLayout {
    int lineHeight = 0;        // the height of a text item
    std::vector<int> tops;     // each item's offset in the stack, the first at 0
    std::vector<int> heights;  // each item's height without the 3-pixel gap
    int width = 0;             // the menu window's client size
    int height = 0;
};

// A rectangle in pixels.
struct DMenuBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The stack of items begins this far below the menu's top edge.
const int menuStackTop = 2;

// The height of a text item: the sample text's height, at least 20 pixels.
int menuLineHeight(int sampleTextHeight);
// Separators are 5 pixels high; text items take the line height.
int menuItemHeight(bool separator, int lineHeight);
// Each item takes its height + 3 pixels; the menu is the widest text (a separator counts
// 10) + 50 wide and the sum of the item heights + 6 high.
DMenuLayout layoutMenu(const std::vector<DMenuEntryShape>& items, int lineHeight);

// The item whose band contains the point: item i covers y strictly between
// 2 + top_i and 2 + top_i + height_i + 4, so each band ends where the next begins. -1 when the point is outside the menu (x outside 0..width, y outside
// 0..height) or over no item. Separators are reported too; callers decide what they do.
int menuItemAt(const DMenuLayout& layout, int x, int y);

// The y of item `index` in the window: 2 + its top (-1 for an index out of range).
int menuItemY(const DMenuLayout& layout, int index);
// The highlight of a hot item: 3 pixels in from the sides, from one pixel below the item's
// y, the item's height + 3 high.
DMenuBox menuHighlightBox(const DMenuLayout& layout, int index);
// The space of a separator's line: one pixel in from the sides, from the item's y down
// to the next item (the theme draws the line across its middle).
DMenuBox menuSeparatorBox(const DMenuLayout& layout, int index);
// Where an item's text starts: x 27, centred vertically in the highlight.
DMenuBox menuTextBox(const DMenuLayout& layout, int index, int textWidth, int textHeight);
// The 18 x 18 frame of a check mark, 4 pixels from the left, centred in the highlight.
DMenuBox menuCheckBox(const DMenuLayout& layout, int index);
// The submenu arrow: 8 pixels wide, 10 pixels from the right edge, the highlight's height.
DMenuBox menuArrowBox(const DMenuLayout& layout, int index);

// Keyboard movement over the items. Down goes to the next item that is neither a separator
// nor disabled (from -1 to the first one); Up to the previous one, and not at all from the
// first item or from -1. With no such item the index stays. An index outside the items
// counts as -1.
int menuNextIndex(const std::vector<DMenuEntryShape>& items, int current, bool down);

// Where a popup of the given size opens for the point (x, y): to the left of the point,
// less `extraLeft`, when it would pass the right screen edge; above the point, less
// `extraUp`, when it would pass the bottom edge; at 0 along a side where it is larger than
// the screen; never at a negative position. `extraLeft` is the parent menu's width for a
// submenu (which then opens on the parent's left side); `extraUp` is the height of the
// view a popup drops from.
DMenuBox popupPlacement(int x, int y, int width, int height, int screenWidth,
                        int screenHeight, int extraLeft, int extraUp);

// ---- The combo box's drop-down list ----

// The list's place and size for a combo whose bottom-left corner (0, height + 1) lies at
// the screen point (x, y): as wide as the combo, min(maxRows, itemCount) rows of
// `lineHeight` + 4 high; moved to end at the right screen edge when it would pass it,
// above the combo when it would pass the bottom; 0 when larger than the screen; never
// negative.
DMenuBox dropListPlacement(int x, int y, int comboWidth, int comboHeight, int itemCount,
                           int maxRows, int lineHeight, int screenWidth, int screenHeight);
// The rows that fit the list's client height (2 pixels of border above and below); 0 when
// the line height is not positive.
int dropListPageSize(int clientHeight, int lineHeight);
// The row under the point's y: row r is drawn at y = 2 + (r - position) x lineHeight and
// holds the points strictly inside its band. Only the `pageSize` rows on show and rows
// below `rowCount` count; -1 otherwise.
int dropListRowAt(int y, int position, int lineHeight, int pageSize, int rowCount);
// The y of row r in the list (it may lie outside the list when r is not on show).
int dropListRowY(int row, int position, int lineHeight);

// The narrowest combo box that shows an item `textWidth` pixels wide: the text 2 pixels
// in, 2 clear of the drop button, which takes the last 20 pixels.
int comboWidthFor(int textWidth);
// The width of a row's highlight: the list less its borders and, when shown, the scroll bar.
int dropListRowWidth(int clientWidth, bool scrollBarShown);
// The hot row after a key: Page Up and Page Down move by a page, End and Home to the last
// and the first row, Up and Down by one (Down from -1 to the first row). Other keys, and
// every key with no rows, leave it.
int dropListKeyMove(int key, int hotRow, int rowCount, int pageSize);
// The first row on show after scrolling `row` into view: unchanged when the row is already
// on show (or is -1), the row itself when it lies above, the position that shows it last
// when it lies below; kept within 0 .. rowCount - pageSize.
int dropListScrollToShow(int row, int position, int pageSize, int rowCount);
