#include "controls/ListGeometry.h"

#include "foundation/DStringList.h"
#include "framework/KeyCodes.h"

#include <climits>

namespace {

// Below the header: the header, a 2-pixel edge, and for the whole-row test the 18-pixel
// horizontal bar at the bottom, or the 2-pixel edge where it is hidden.
const int edge = 2;

int bottomOf(const DListFrame& frame)
{
    return frame.horizontalBar ? listBarThickness : edge;
}

unsigned clampUnsigned(long long value)
{
    if (value < 0)
        return 0;
    return value > static_cast<long long>(UINT_MAX) ? UINT_MAX : static_cast<unsigned>(value);
}

int clampRow(long long value)
{
    if (value < 0)
        return 0;
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

// Whole rows that fit between the header and the bottom bar; 0 when not even one does.
long long wholeRowsFitting(const DListFrame& frame)
{
    long long room =
        static_cast<long long>(frame.height) - bottomOf(frame) - edge - frame.headerHeight;
    return room < 0 ? 0 : room / listLineHeight(frame);
}

}  // namespace

long long listLineHeight(const DListFrame& frame)
{
    return frame.lineHeight < 1 ? 1 : frame.lineHeight;
}

long long listRowY(const DListFrame& frame, int topRow, int row)
{
    return static_cast<long long>(frame.headerHeight) + edge +
           (static_cast<long long>(row) - topRow) * listLineHeight(frame);
}

int listRowAt(const DListFrame& frame, int topRow, int rowCount, int y)
{
    long long lh = listLineHeight(frame);
    long long below = static_cast<long long>(y) - frame.headerHeight - edge;
    if (below <= 0 || below % lh == 0)
        return -1;
    long long row = static_cast<long long>(topRow) + below / lh;
    if (row < 0 || row >= rowCount)
        return -1;
    return static_cast<int>(row);
}

DRowRange listVisibleRows(const DListFrame& frame, int topRow, int rowCount)
{
    DRowRange range;
    // A row is inside while its top is no lower than the room above the bottom bar.
    long long room = static_cast<long long>(frame.height) - bottomOf(frame) - frame.headerHeight;
    if (room < 0 || topRow < 0 || topRow >= rowCount)
        return range;
    long long last = static_cast<long long>(topRow) + room / listLineHeight(frame);
    range.first = topRow;
    range.last = last >= rowCount ? rowCount - 1 : static_cast<int>(last);
    return range;
}

unsigned listPageSize(const DListFrame& frame)
{
    long long rows = (static_cast<long long>(frame.height) - frame.headerHeight) /
                     listLineHeight(frame);
    return rows < 1 ? 1 : clampUnsigned(rows);
}

DListBars listBarValues(const DListFrame& frame, int rowCount, int topRow,
                        long long columnsWidthPixels, int horizontalScroll)
{
    DListBars bars;
    bars.verticalTotal = rowCount <= 0 ? 0 : clampUnsigned(static_cast<long long>(rowCount) + 1);
    bars.verticalPosition = clampUnsigned(topRow);
    bars.verticalPage = listPageSize(frame);
    bars.horizontalTotal = clampUnsigned(columnsWidthPixels);
    bars.horizontalPosition = clampUnsigned(horizontalScroll);
    bars.horizontalPage = clampUnsigned(listColumnRoom(frame.width));
    return bars;
}

bool listSelectionVisible(const DListFrame& frame, int topRow, int selected)
{
    if (selected < topRow)
        return false;
    long long bottom = (static_cast<long long>(selected) - topRow + 1) * listLineHeight(frame) +
                       frame.headerHeight + edge;
    return bottom <= static_cast<long long>(frame.height) - bottomOf(frame);
}

int listTopRowShowing(const DListFrame& frame, int topRow, int selected)
{
    if (listSelectionVisible(frame, topRow, selected))
        return topRow;
    if (selected < topRow)
        return clampRow(selected);
    long long fitting = wholeRowsFitting(frame);
    if (fitting == 0)
        return clampRow(selected);
    return clampRow(static_cast<long long>(selected) + 1 - fitting);
}

int listTopRowAfterStep(int topRow, unsigned position, unsigned lastPosition, int step)
{
    long long top = topRow < 0 ? 0 : topRow;
    long long moved = position;
    if (step == 0) {
        long long stood = top < lastPosition ? top : static_cast<long long>(lastPosition);
        step = moved > stood ? 1 : (moved < stood ? -1 : 0);
    }
    if (step > 0)
        return clampRow(moved > top ? moved : top);
    if (step < 0)
        return clampRow(moved < top ? moved : top);
    return clampRow(top);
}

bool listTakesKey(int key)
{
    switch (key) {
    case keyPageUp: case keyPageDown: case keyEnd: case keyHome: case keyUp: case keyDown:
        return true;
    default:
        return false;
    }
}

int listKeyTarget(int key, int selected, int rowCount, unsigned pageSize)
{
    if (rowCount <= 0)
        return selected;
    const long long last = rowCount - 1;
    long long target = selected;
    switch (key) {
    case keyPageUp:
        target = static_cast<long long>(selected) - pageSize;
        if (target < 0)
            target = 0;
        break;
    case keyPageDown:
        target = static_cast<long long>(selected) + pageSize;
        if (target > last)
            target = last;
        break;
    case keyEnd:
        target = last;
        break;
    case keyHome:
        target = 0;
        break;
    case keyUp:
        if (selected >= 1)
            target = selected - 1;
        break;
    case keyDown:
        if (selected < last)
            target = static_cast<long long>(selected) + 1;
        break;
    default:
        break;
    }
    return static_cast<int>(target);
}

long long columnLeft(const DStringList& widths, int index)
{
    long long left = 0;
    int n = index < widths.count() ? index : widths.count();
    for (int i = 0; i < n; i++)
        left += widths.get(i).toInt();
    return left;
}

long long columnsWidth(const DStringList& widths)
{
    return columnLeft(widths, widths.count());
}

int listColumnRoom(int width)
{
    return width - edge - listBarThickness - edge;
}

bool listNeedsHorizontalBar(int width, long long columnsWidthPixels)
{
    return columnsWidthPixels > listColumnRoom(width);
}

int columnWidthFor(int titleWidth)
{
    return titleWidth + 2 * edge;
}

std::vector<int> fitColumnWidths(const std::vector<int>& given, const std::vector<int>& needed,
                                 int room)
{
    std::vector<int> widths(given);
    long long total = 0;
    for (size_t i = 0; i < widths.size(); i++) {
        const int need = i < needed.size() ? needed[i] : 0;
        if (widths[i] < need)
            widths[i] = need;
        total += widths[i];
    }
    if (!widths.empty() && total > room) {
        const int need = needed.empty() ? 0 : needed[0];
        const long long spare = widths[0] - (need > 0 ? need : 0);
        const long long giveBack = total - room < spare ? total - room : spare;
        if (giveBack > 0)
            widths[0] -= static_cast<int>(giveBack);
    }
    return widths;
}

DString fitColumnText(const DString& text, int width,
                      const std::function<int(const DString&)>& measure)
{
    if (measure(text) <= width)
        return text;
    static const int suffixLength = 4;
    DString fitted = text + "... ";
    // Remove the character just before the suffix while the text is too wide and more
    // than the suffix is left. Positions count from 1.
    while (fitted.length() > suffixLength && measure(fitted) > width)
        fitted.erase(fitted.length() - suffixLength, 1);
    if (measure(fitted) > width)
        return DString();
    return fitted;
}
