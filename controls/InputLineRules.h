// DInputLineRules: the editing state of a single-line text field and every rule that changes
// it - typing, keys with modifiers, clicks and drags, clipboard commands - with no drawing
// and no platform calls, so the field's painting and its input handling share one model.
//
// Positions are character boundaries: 0 is before the first character, length() after the
// last. The selection is kept as two stored boundaries plus one (`anchor` where it started,
// `selectionEnd` where it ends), 0 meaning unset; it exists when both are set and differ.
// Pixel positions are relative to the left end of the visible text (the field adds its own
// margin). Widths come from a measuring function, applied to the *display text*: the value
// itself, or one "*" per character in password mode. Measures must not shrink as text grows
// (true of every font: widths are sums of non-negative advances); the searches rely on it.
// Owns its text; holds no pointers.
#pragma once

#include "foundation/DString.h"
#include "graphics/TextWrap.h"

// The editing commands; also the command ids of the field's context menu.
enum DInputLineCommand : int {
    inputCommandNone = 0,
    inputCommandCut = 1,
    inputCommandCopy = 2,
    inputCommandPaste = 3,
    inputCommandDelete = 4,
};

// What a key press asks of the field: a redraw, and a clipboard command to run (the
// clipboard lives outside these rules).
struct DInputKeyResult {
    bool redraw = false;
    int command = inputCommandNone;
};

// The visible part of the selection: where it starts after the visible text's left end,
// its width and its characters (display text).
struct DInputSelectionSpan {
    bool visible = false;
    int x = 0;
    int width = 0;
    DString text;
};

// The field's pixel layout, shared by its painting and its mouse handling.
namespace inputLineLayout {
const int textLeft = 2;     // the visible text starts here; so does the clip rectangle
const int rightMargin = 6;  // the caret never comes closer to the right edge than this
const int frameInset = 2;   // the clip and the caret line stay this far inside the frame
// Top of the text line: the line centred vertically, halves truncated toward zero.
inline int textTop(int fieldHeight, int lineHeight)
{
    return (fieldHeight - lineHeight) / 2;
}
}  // namespace inputLineLayout

class DInputLineRules {
public:
    static const int defaultMaxLength = 4000;

    // Stores at most maxLength characters. The caret and the selection stay where they are
    // unless the new text is shorter than they reach; then they are drawn back into it.
    void setValue(const DString& text);
    const DString& getValue() const { return value; }
    int length() const { return value.length(); }
    void setPasswordMode(bool flag) { passwordMode = flag; }
    bool isPasswordMode() const { return passwordMode; }
    // A negative limit counts as 0. A shorter limit cuts the text at once.
    void setMaxLength(int limit);
    int getMaxLength() const { return maxLength; }

    int getCaret() const { return caret; }
    int getScrollOffset() const { return scrollOffset; }
    int getAnchor() const { return anchor; }
    int getSelectionEnd() const { return selectionEnd; }
    bool isDragging() const { return dragging; }

    bool hasSelection() const;
    // The selection's first and last boundary (equal when there is none).
    int selectionFirst() const;
    int selectionLast() const;
    // The selected characters of the value (not the display text).
    DString selectedText() const;
    void clearSelection();
    // Erases the selected characters and puts the caret at the selection's first boundary;
    // nothing without a selection. True when something was erased.
    bool removeSelection();

    // A key press. Every key is the field's; Shift and Ctrl are read from `mods`. Besides
    // the plain editing keys: Ctrl+A selects everything; Ctrl+Left and Ctrl+Right move by
    // words (with Shift they select), Ctrl+Backspace and Ctrl+Delete erase a word;
    // Shift+Insert pastes, Ctrl+Insert copies and Shift+Delete cuts, as Ctrl+V, C and X do.
    DInputKeyResult keyDown(int key, int mods);
    // Where Ctrl+Left and Ctrl+Right take the caret from `from`: back to the start of the
    // word before it, or on to the start of the next word (the end of the text after the
    // last one). Words are runs of characters other than blanks; a password is one word.
    int wordBoundaryBefore(int from) const;
    int wordBoundaryAfter(int from) const;
    // A typed character (1 to 255). Nothing once the text is at its limit, not even the
    // replacement of a selection; other codes are ignored. True when the text changed.
    bool typeCharacter(int character);
    // Inserts as much of the first line of `text` (up to its first CR or LF) as fits under
    // the limit at the caret, replacing the selection; the text already in the field is
    // never pushed out. The caret ends after the inserted part. Refused in password mode,
    // and with an empty first line, which leaves the selection alone (false).
    bool paste(const DString& text);
    // The whole selection, for the clipboard; false (and nothing) without a selection or in
    // password mode. cut also erases it.
    bool copy(DString& out) const;
    bool cut(DString& out);
    // Erases the selection, or without one the character after the caret.
    void deleteSelection();

    // The caret position for a click at pixel x: after the last visible character that ends
    // at least 2 pixels left of x (the text margin), else before the first visible one.
    int caretForX(int x, const DTextMeasure& measure) const;
    // Left button down at x: starts a drag with the selection anchored at the new caret.
    void pressAt(int x, const DTextMeasure& measure);
    // Mouse move to x: while dragging, moves the caret and the selection's end. True when
    // dragging (the field redraws).
    bool dragTo(int x, const DTextMeasure& measure);
    // Left button up or the mouse leaving: ends a drag; a selection of nothing is cleared.
    void release();

    // The value, or one "*" per character in password mode.
    DString displayText() const;
    // The display text from the scroll offset on.
    DString visibleText() const;
    // Scrolls so the caret is visible in a field `fieldWidth` pixels wide: at least
    // rightMargin pixels from the right edge and, once scrolled, never at the left edge.
    // Returns the caret's pixel offset within the visible text.
    int scrollToCaret(int fieldWidth, const DTextMeasure& measure);
    // Where the selection lies in the visible text, if any of it does.
    DInputSelectionSpan visibleSelection(const DTextMeasure& measure) const;

private:
    // Keeps the caret, the scroll offset and the selection inside the text.
    void clamp();
    void selectLeft(bool shift);
    void selectRight(bool shift);
    void selectToEnd(bool shift, bool toStart);
    // Moves the caret to `target`; with Shift the selection follows it from where it was
    // anchored (or from the caret, when none was).
    void moveCaret(int target, bool shift);
    // Erases the selection, or without one the characters between the caret and `to`.
    void eraseTo(int to);
    void selectAll();
    int measureDisplay(const DString& display, int from, int count,
                       const DTextMeasure& measure) const;

    DString value;
    int scrollOffset = 0;  // leading characters scrolled out of view to the left
    int caret = 0;
    bool passwordMode = false;
    int maxLength = defaultMaxLength;
    int anchor = 0;        // boundary + 1; 0 = unset
    int selectionEnd = 0;  // boundary + 1; 0 = unset
    bool dragging = false;
};
