#include "controls/InputLineRules.h"

#include "framework/InputRules.h"
#include "framework/KeyCodes.h"

#include <algorithm>
#include <string>

namespace {

// `count` characters of `text` from boundary `from` (0-based).
DString slice(const DString& text, int from, int count)
{
    return text.subString(from + 1, count);
}

}  // namespace

void DInputLineRules::setValue(const DString& text)
{
    value = text.length() > maxLength ? slice(text, 0, maxLength) : text;
    clamp();
}

void DInputLineRules::setMaxLength(int limit)
{
    maxLength = std::max(0, limit);
    if (value.length() > maxLength)
        value = slice(value, 0, maxLength);
    clamp();
}

void DInputLineRules::clamp()
{
    const int len = value.length();
    caret = std::clamp(caret, 0, len);
    scrollOffset = std::clamp(scrollOffset, 0, len);
    anchor = std::clamp(anchor, 0, len + 1);
    selectionEnd = std::clamp(selectionEnd, 0, len + 1);
}

bool DInputLineRules::hasSelection() const
{
    return anchor != 0 && selectionEnd != 0 && anchor != selectionEnd;
}

int DInputLineRules::selectionFirst() const
{
    return hasSelection() ? std::min(anchor, selectionEnd) - 1 : caret;
}

int DInputLineRules::selectionLast() const
{
    return hasSelection() ? std::max(anchor, selectionEnd) - 1 : caret;
}

DString DInputLineRules::selectedText() const
{
    if (!hasSelection())
        return DString();
    return slice(value, selectionFirst(), selectionLast() - selectionFirst());
}

void DInputLineRules::clearSelection()
{
    anchor = 0;
    selectionEnd = 0;
}

bool DInputLineRules::removeSelection()
{
    if (!hasSelection())
        return false;
    const int first = selectionFirst();
    value.erase(first + 1, selectionLast() - first);
    clearSelection();
    caret = first;
    clamp();
    return true;
}

void DInputLineRules::selectLeft(bool shift)
{
    if (!shift)
        clearSelection();
    else if (anchor == 0) {
        if (caret > 0) {
            anchor = caret + 1;
            selectionEnd = caret;
        } else {
            clearSelection();
        }
    } else if (caret > 0) {
        selectionEnd = caret;
    }
    if (caret > 0)
        caret--;
}

void DInputLineRules::selectRight(bool shift)
{
    const int len = value.length();
    if (!shift)
        clearSelection();
    else if (anchor != 0) {
        if (caret < len)
            selectionEnd = caret + 2;
    } else if (caret < len) {
        anchor = caret + 1;
        selectionEnd = caret + 2;
    } else {
        clearSelection();
    }
    if (caret < len)
        caret++;
}

void DInputLineRules::selectToEnd(bool shift, bool toStart)
{
    const int target = toStart ? 0 : value.length();
    // A selection already under way keeps both its ends; only the caret moves.
    if (!shift)
        clearSelection();
    else if (anchor == 0) {
        if (caret != target) {
            anchor = caret + 1;
            selectionEnd = target + 1;
        } else {
            clearSelection();
        }
    }
    caret = target;
}

namespace {

bool isWordBlank(char c)
{
    return c == ' ' || c == '\t';
}

}  // namespace

int DInputLineRules::wordBoundaryBefore(int from) const
{
    from = std::clamp(from, 0, value.length());
    if (passwordMode)
        return 0;
    const char* s = value.text();
    while (from > 0 && isWordBlank(s[from - 1]))
        from--;
    while (from > 0 && !isWordBlank(s[from - 1]))
        from--;
    return from;
}

int DInputLineRules::wordBoundaryAfter(int from) const
{
    const int len = value.length();
    from = std::clamp(from, 0, len);
    if (passwordMode)
        return len;
    const char* s = value.text();
    while (from < len && !isWordBlank(s[from]))
        from++;
    while (from < len && isWordBlank(s[from]))
        from++;
    return from;
}

void DInputLineRules::moveCaret(int target, bool shift)
{
    if (!shift) {
        clearSelection();
    } else if (anchor == 0) {
        if (target != caret) {
            anchor = caret + 1;
            selectionEnd = target + 1;
        }
    } else {
        selectionEnd = target + 1;
    }
    caret = target;
}

void DInputLineRules::eraseTo(int to)
{
    if (removeSelection())
        return;
    const int first = std::min(caret, to);
    const int last = std::max(caret, to);
    value.erase(first + 1, last - first);
    caret = first;
    clamp();
}

void DInputLineRules::selectAll()
{
    caret = value.length();
    if (caret == 0) {
        clearSelection();
        return;
    }
    anchor = 1;
    selectionEnd = caret + 1;
}

DInputKeyResult DInputLineRules::keyDown(int key, int mods)
{
    clamp();
    const bool shift = (mods & modShift) != 0;
    const bool ctrl = (mods & modCtrl) != 0;
    DInputKeyResult result;
    result.redraw = true;
    // The keys that work by words, and the clipboard keys of the Insert and Delete block.
    if (ctrl) {
        switch (key) {
        case keyLeft:
            moveCaret(wordBoundaryBefore(caret), shift);
            return result;
        case keyRight:
            moveCaret(wordBoundaryAfter(caret), shift);
            return result;
        case keyBackspace:
            eraseTo(wordBoundaryBefore(caret));
            return result;
        case keyDelete:
            eraseTo(wordBoundaryAfter(caret));
            return result;
        case 'A':
            selectAll();
            return result;
        case keyInsert:
            result.redraw = false;
            if (!passwordMode)
                result.command = inputCommandCopy;
            return result;
        default:
            break;
        }
    } else if (shift && key == keyInsert) {
        result.redraw = false;
        if (!passwordMode)
            result.command = inputCommandPaste;
        return result;
    } else if (shift && key == keyDelete && !passwordMode) {
        result.redraw = false;
        result.command = inputCommandCut;
        return result;
    }
    switch (key) {
    case keyBackspace:
        if (!removeSelection() && caret > 0) {
            value.erase(caret, 1);
            caret--;
        }
        clamp();
        return result;
    case keyEnd:
        selectToEnd(shift, false);
        return result;
    case keyHome:
        selectToEnd(shift, true);
        return result;
    case keyLeft:
        selectLeft(shift);
        return result;
    case keyRight:
        selectRight(shift);
        return result;
    case keyDelete:
        deleteSelection();
        return result;
    default:
        break;
    }
    if (!ctrl)
        return result;  // Tab, Enter, Page keys, letters ...: a redraw only
    result.redraw = false;
    if (passwordMode)
        return result;
    if (key == 'C')
        result.command = inputCommandCopy;
    else if (key == 'X')
        result.command = inputCommandCut;
    else if (key == 'V')
        result.command = inputCommandPaste;
    return result;
}

bool DInputLineRules::typeCharacter(int character)
{
    clamp();
    if (value.length() >= maxLength || character < 1 || character > 255)
        return false;
    removeSelection();
    value = slice(value, 0, caret) + fromChar(character) +
            slice(value, caret, value.length() - caret);
    caret++;
    return true;
}

bool DInputLineRules::paste(const DString& text)
{
    if (passwordMode)
        return false;
    // One line: what comes after the first line break is not the field's. A user name
    // copied with its line end would otherwise be saved with it and fail every login.
    int lineLength = 0;
    const char* s = text.text();
    while (lineLength < text.length() && s[lineLength] != '\r' && s[lineLength] != '\n')
        lineLength++;
    // Nothing to insert (an empty clipboard, or one that starts with a line break) leaves
    // the selection alone.
    if (lineLength == 0)
        return false;
    clamp();
    removeSelection();
    const int room = std::max(0, maxLength - value.length());
    const DString inserted = slice(text, 0, std::min(lineLength, room));
    value = slice(value, 0, caret) + inserted + slice(value, caret, value.length() - caret);
    caret += inserted.length();
    clamp();
    return true;
}

bool DInputLineRules::copy(DString& out) const
{
    if (passwordMode || !hasSelection())
        return false;
    out = selectedText();
    return true;
}

bool DInputLineRules::cut(DString& out)
{
    clamp();
    if (!copy(out))
        return false;
    removeSelection();
    return true;
}

void DInputLineRules::deleteSelection()
{
    clamp();
    if (!removeSelection() && caret < value.length())
        value.erase(caret + 1, 1);
    clamp();
}

DString DInputLineRules::displayText() const
{
    if (!passwordMode)
        return value;
    return DString(std::string(static_cast<size_t>(value.length()), '*').c_str());
}

DString DInputLineRules::visibleText() const
{
    DString display = displayText();
    const int from = std::clamp(scrollOffset, 0, display.length());
    return slice(display, from, display.length() - from);
}

int DInputLineRules::measureDisplay(const DString& display, int from, int count,
                                    const DTextMeasure& measure) const
{
    from = std::clamp(from, 0, display.length());
    count = std::clamp(count, 0, display.length() - from);
    if (count == 0 || !measure)
        return 0;
    return measure(display.text() + from, count);
}

int DInputLineRules::caretForX(int x, const DTextMeasure& measure) const
{
    const DString display = displayText();
    const int first = std::clamp(scrollOffset, 0, display.length());
    // The largest i with w(i) + textLeft <= x; widths only grow with i, so a binary search
    // finds the same i as trying every one.
    int low = 0;
    int high = display.length() - first;
    while (low < high) {
        const int mid = low + (high - low + 1) / 2;
        if (measureDisplay(display, first, mid, measure) + inputLineLayout::textLeft <= x)
            low = mid;
        else
            high = mid - 1;
    }
    return std::min(first + low, value.length());
}

void DInputLineRules::pressAt(int x, const DTextMeasure& measure)
{
    clamp();
    dragging = true;
    clearSelection();
    caret = caretForX(x, measure);
    anchor = caret + 1;
}

bool DInputLineRules::dragTo(int x, const DTextMeasure& measure)
{
    if (!dragging)
        return false;
    clamp();
    caret = caretForX(x, measure);
    selectionEnd = caret + 1;
    return true;
}

void DInputLineRules::release()
{
    dragging = false;
    if (anchor == selectionEnd || selectionEnd == 0)
        clearSelection();
}

int DInputLineRules::scrollToCaret(int fieldWidth, const DTextMeasure& measure)
{
    clamp();
    const DString display = displayText();
    auto caretWidth = [&](int offset) {
        return measureDisplay(display, offset, caret - offset, measure);
    };
    // Back to the left, two characters at a time, while the caret sits at the left edge
    // (or left of it), so some text before the caret stays in view.
    while (scrollOffset > 0 && caretWidth(scrollOffset) <= 0)
        scrollOffset = std::max(0, scrollOffset - 2);
    // Then to the right, one character at a time, until the caret keeps its margin from
    // the right edge. Going no further than the caret ends this even in a field too narrow
    // for one character. The width before the caret only shrinks as the offset grows, so
    // a binary search finds the first offset that fits.
    const int limit = fieldWidth - inputLineLayout::rightMargin;
    if (scrollOffset < caret && caretWidth(scrollOffset) > limit) {
        int low = scrollOffset + 1;
        int high = caret;
        while (low < high) {
            const int mid = low + (high - low) / 2;
            if (caretWidth(mid) > limit)
                low = mid + 1;
            else
                high = mid;
        }
        scrollOffset = low;
    }
    return caretWidth(scrollOffset);
}

DInputSelectionSpan DInputLineRules::visibleSelection(const DTextMeasure& measure) const
{
    DInputSelectionSpan span;
    if (!hasSelection())
        return span;
    const DString display = displayText();
    const int len = display.length();
    const int first = std::clamp(scrollOffset, 0, len);
    const int last = std::min(selectionLast(), len);
    const int start = std::max(selectionFirst(), first);
    if (last <= start)
        return span;
    span.visible = true;
    span.x = measureDisplay(display, first, start - first, measure);
    span.width = measureDisplay(display, start, last - start, measure);
    span.text = slice(display, start, last - start);
    return span;
}
