#include "controls/MenuGeometry.h"

#include "framework/KeyCodes.h"

#include <algorithm>
#include <climits>

namespace {

const int minimumLineHeight = 20;
const int separatorHeight = 5;
const int itemGap = 3;           // each item takes its height + 3
const int separatorTextWidth = 10;
const int extraWidth = 50;
const int extraHeight = 6;
const int textX = 27;
const int checkFrameSize = 18;
const int listBorder = 2;
const int scrollBarSpace = 19;  // the list's scroll bar sits 19 pixels from its right edge

int toInt(long long value)
{
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

bool validIndex(const DMenuLayout& layout, int index)
{
    return index >= 0 && index < static_cast<int>(layout.tops.size()) &&
           index < static_cast<int>(layout.heights.size());
}

// The band a hot item's highlight fills: from one pixel below the item's y, height + 3 high.
DMenuBox highlightBand(const DMenuLayout& layout, int index)
{
    if (!validIndex(layout, index))
        return DMenuBox{};
    int y = toInt(1LL + menuItemY(layout, index));
    return DMenuBox{3, y, toInt(static_cast<long long>(layout.width) - 6),
                    toInt(static_cast<long long>(layout.heights[index]) + itemGap)};
}

// A popup at (px, py) of the given size: at 0 along a side where it is larger than the
// screen, never at a negative position.
DMenuBox keptOnScreen(long long px, long long py, long long width, long long height,
                      int screenWidth, int screenHeight)
{
    if (width > screenWidth)
        px = 0;
    if (height > screenHeight)
        py = 0;
    return DMenuBox{toInt(std::max(0LL, px)), toInt(std::max(0LL, py)), toInt(width),
                    toInt(height)};
}

}  // namespace

int menuLineHeight(int sampleTextHeight)
{
    return std::max(sampleTextHeight, minimumLineHeight);
}

int menuItemHeight(bool separator, int lineHeight)
{
    return separator ? separatorHeight : lineHeight;
}

DMenuLayout layoutMenu(const std::vector<DMenuEntryShape>& items, int lineHeight)
{
    DMenuLayout layout;
    layout.lineHeight = lineHeight;
    layout.tops.reserve(items.size());
    layout.heights.reserve(items.size());
    long long running = 0;
    long long widest = 0;
    for (const DMenuEntryShape& item : items) {
        int height = menuItemHeight(item.separator, lineHeight);
        layout.tops.push_back(toInt(running));
        layout.heights.push_back(height);
        running = std::min<long long>(running + height + itemGap, INT_MAX);
        widest = std::max<long long>(widest, item.separator ? separatorTextWidth : item.textWidth);
    }
    layout.width = toInt(widest + extraWidth);
    layout.height = toInt(running + extraHeight);
    return layout;
}

int menuItemAt(const DMenuLayout& layout, int x, int y)
{
    if (x < 0 || x > layout.width || y < 0 || y > layout.height)
        return -1;
    int count = static_cast<int>(std::min(layout.tops.size(), layout.heights.size()));
    // The last item whose band starts above y; an earlier band ends at or above that start.
    long long local = static_cast<long long>(y) - menuStackTop;
    auto end = layout.tops.begin() + count;
    auto after = std::upper_bound(layout.tops.begin(), end, local - 1);
    if (after == layout.tops.begin())
        return -1;
    int index = static_cast<int>(after - layout.tops.begin()) - 1;
    long long bottom = static_cast<long long>(layout.tops[index]) + layout.heights[index] + 4;
    return local < bottom ? index : -1;
}

int menuItemY(const DMenuLayout& layout, int index)
{
    if (!validIndex(layout, index))
        return -1;
    return toInt(static_cast<long long>(layout.tops[index]) + menuStackTop);
}

DMenuBox menuHighlightBox(const DMenuLayout& layout, int index)
{
    return highlightBand(layout, index);
}

DMenuBox menuSeparatorBox(const DMenuLayout& layout, int index)
{
    if (!validIndex(layout, index))
        return DMenuBox{};
    return DMenuBox{1, menuItemY(layout, index), toInt(static_cast<long long>(layout.width) - 2),
                    toInt(static_cast<long long>(layout.heights[index]) + itemGap)};
}

DMenuBox menuTextBox(const DMenuLayout& layout, int index, int textWidth, int textHeight)
{
    DMenuBox band = highlightBand(layout, index);
    if (!validIndex(layout, index))
        return band;
    long long y = band.y + (static_cast<long long>(band.height) - textHeight) / 2;
    return DMenuBox{textX, toInt(y), textWidth, textHeight};
}

DMenuBox menuCheckBox(const DMenuLayout& layout, int index)
{
    DMenuBox band = highlightBand(layout, index);
    if (!validIndex(layout, index))
        return band;
    long long y = band.y + (static_cast<long long>(band.height) - checkFrameSize) / 2;
    return DMenuBox{4, toInt(y), checkFrameSize, checkFrameSize};
}

DMenuBox menuArrowBox(const DMenuLayout& layout, int index)
{
    DMenuBox band = highlightBand(layout, index);
    if (!validIndex(layout, index))
        return band;
    return DMenuBox{toInt(static_cast<long long>(layout.width) - 10), band.y, 8, band.height};
}

int menuNextIndex(const std::vector<DMenuEntryShape>& items, int current, bool down)
{
    int count = static_cast<int>(items.size());
    if (current < -1 || current >= count)
        current = -1;
    if (down) {
        for (int i = current + 1; i < count; i++)
            if (!items[i].separator && items[i].enabled)
                return i;
        return current;
    }
    if (current <= 0)
        return current;
    for (int i = current - 1; i >= 0; i--)
        if (!items[i].separator && items[i].enabled)
            return i;
    return current;
}

DMenuBox popupPlacement(int x, int y, int width, int height, int screenWidth,
                        int screenHeight, int extraLeft, int extraUp)
{
    long long px = x;
    long long py = y;
    if (px + width > screenWidth)
        px -= static_cast<long long>(width) + extraLeft;
    if (py + height > screenHeight)
        py -= static_cast<long long>(height) + extraUp;
    return keptOnScreen(px, py, width, height, screenWidth, screenHeight);
}

DMenuBox dropListPlacement(int x, int y, int comboWidth, int comboHeight, int itemCount,
                           int maxRows, int lineHeight, int screenWidth, int screenHeight)
{
    long long rows = std::max(0, std::min(maxRows, itemCount));
    long long height = rows * std::max(0, lineHeight) + 2 * listBorder;
    long long width = std::max(0, comboWidth);
    long long px = x;
    long long py = y;
    if (px + width > screenWidth)
        px = screenWidth - width;
    if (py + height > screenHeight)
        py = py - height - comboHeight;
    return keptOnScreen(px, py, width, height, screenWidth, screenHeight);
}

int dropListPageSize(int clientHeight, int lineHeight)
{
    if (lineHeight <= 0 || clientHeight <= 2 * listBorder)
        return 0;
    return (clientHeight - 2 * listBorder) / lineHeight;
}

int dropListRowAt(int y, int position, int lineHeight, int pageSize, int rowCount)
{
    if (lineHeight <= 0 || y <= listBorder)
        return -1;
    long long offset = static_cast<long long>(y) - listBorder;
    if (offset % lineHeight == 0)
        return -1;  // on the line between two rows
    long long shown = offset / lineHeight;
    if (shown >= pageSize)
        return -1;
    long long row = shown + position;
    if (row < 0 || row >= rowCount)
        return -1;
    return static_cast<int>(row);
}

int dropListRowY(int row, int position, int lineHeight)
{
    return toInt(listBorder + (static_cast<long long>(row) - position) * lineHeight);
}

int dropListRowWidth(int clientWidth, bool scrollBarShown)
{
    long long width = static_cast<long long>(clientWidth) -
                      (scrollBarShown ? scrollBarSpace + listBorder : 2 * listBorder);
    return toInt(std::max(0LL, width));
}

int dropListKeyMove(int key, int hotRow, int rowCount, int pageSize)
{
    if (rowCount <= 0)
        return hotRow;
    int last = rowCount - 1;
    long long page = std::max(0, pageSize);
    switch (key) {
    case keyPageUp:
        return toInt(std::max(0LL, hotRow - page));
    case keyPageDown:
        return toInt(std::min<long long>(last, hotRow + page));
    case keyEnd:
        return last;
    case keyHome:
        return 0;
    case keyUp:
        return hotRow >= 1 ? std::min(hotRow - 1, last) : hotRow;
    case keyDown:
        return hotRow < last ? std::max(hotRow + 1, 0) : hotRow;
    default:
        return hotRow;
    }
}

int dropListScrollToShow(int row, int position, int pageSize, int rowCount)
{
    long long first = position;
    if (row >= 0) {
        if (row < first)
            first = row;
        else if (pageSize <= 0)
            first = row;
        else if (row >= first + pageSize)
            first = static_cast<long long>(row) - pageSize + 1;
    }
    long long highest = std::max(0LL, static_cast<long long>(rowCount) - std::max(0, pageSize));
    first = std::min(first, highest);
    return toInt(std::max(0LL, first));
}

int comboWidthFor(int textWidth)
{
    return 2 + textWidth + 2 + 20;
}
