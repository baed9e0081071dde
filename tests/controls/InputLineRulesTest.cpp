// The input line's editing rules without a window: keys, typing, clipboard commands, mouse
// placement and scrolling, measured with fixed-width fake fonts.
#include "controls/InputLineRules.h"

#include "framework/InputRules.h"
#include "framework/KeyCodes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

const int kBackspace = keyBackspace, kTab = keyTab, kEnd = keyEnd, kHome = keyHome, kLeft = keyLeft,
          kUp = keyUp, kRight = keyRight, kDelete = keyDelete;
const int shift = modShift, ctrl = modCtrl;

// Every character 5 pixels wide, "*" 7 pixels, so password mode measures differently.
int fixedWidth(const char* text, int length)
{
    int w = 0;
    for (int i = 0; i < length; i++)
        w += text[i] == '*' ? 7 : 5;
    return w;
}
const DTextMeasure measure = fixedWidth;
// A font with no width at all.
const DTextMeasure zeroWidth = [](const char*, int) { return 0; };

std::string repeat(char c, int n)
{
    return std::string(static_cast<size_t>(n), c);
}

std::string str(const DString& s)
{
    return s.text();
}

// A field holding `text` with the caret at `caret` and no selection.
DInputLineRules field(const std::string& text, int caret)
{
    DInputLineRules r;
    r.setValue(DString(text.c_str()));
    r.keyDown(kHome, 0);
    for (int i = 0; i < caret; i++)
        r.keyDown(kRight, 0);
    return r;
}

struct Key {
    int key;
    int mods;
};

struct KeyCase {
    const char* name;
    const char* text;
    int caret;
    std::vector<Key> keys;
    const char* value;
    int caretAfter;
    int anchor;
    int selectionEnd;
};

// Each case's keys pressed in a field of its own, then its text, caret and selection checked.
template <size_t N> void runKeyCases(const KeyCase (&cases)[N])
{
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        DInputLineRules r = field(c.text, c.caret);
        for (const Key& k : c.keys)
            EXPECT_TRUE(r.keyDown(k.key, k.mods).redraw);
        EXPECT_EQ(str(r.getValue()), c.value);
        EXPECT_EQ(r.getCaret(), c.caretAfter);
        EXPECT_EQ(r.getAnchor(), c.anchor);
        EXPECT_EQ(r.getSelectionEnd(), c.selectionEnd);
    }
}

}  // namespace

TEST(InputLineRules, KeysMoveTheCaretSelectAndErase)
{
    const KeyCase cases[] = {
        {"backspace at the start changes nothing", "abc", 0, {{kBackspace, 0}}, "abc", 0, 0, 0},
        {"backspace erases before the caret", "abc", 2, {{kBackspace, 0}}, "ac", 1, 0, 0},
        {"backspace removes a selection", "abcdef", 4, {{kLeft, shift}, {kLeft, shift}, {kBackspace, 0}},
         "abef", 2, 0, 0},
        {"delete erases after the caret", "abc", 1, {{kDelete, 0}}, "ac", 1, 0, 0},
        {"delete at the end changes nothing", "abc", 3, {{kDelete, 0}}, "abc", 3, 0, 0},
        {"delete removes a selection", "abcdef", 1, {{kRight, shift}, {kRight, shift}, {kDelete, 0}},
         "adef", 1, 0, 0},
        {"shift+left anchors after the caret", "abcdef", 4, {{kLeft, shift}}, "abcdef", 3, 5, 4},
        {"shift+left at the start selects nothing", "abc", 0, {{kLeft, shift}}, "abc", 0, 0, 0},
        {"shift+right anchors at the caret", "abcdef", 1, {{kRight, shift}, {kRight, shift}},
         "abcdef", 3, 2, 4},
        {"shift+right at the end selects nothing", "abc", 3, {{kRight, shift}}, "abc", 3, 0, 0},
        {"shift+end from inside", "abcdef", 2, {{kEnd, shift}}, "abcdef", 6, 3, 7},
        {"shift+end at the end selects nothing", "abc", 3, {{kEnd, shift}}, "abc", 3, 0, 0},
        {"shift+home from inside", "abcdef", 4, {{kHome, shift}}, "abcdef", 0, 5, 1},
        {"shift+end after shift+left keeps that selection", "abcdef", 4,
         {{kLeft, shift}, {kEnd, shift}}, "abcdef", 6, 5, 4},
        {"shift+home after shift+right keeps that selection", "abcdef", 2,
         {{kRight, shift}, {kHome, shift}}, "abcdef", 0, 3, 4},
        {"a key without shift clears the selection", "abcdef", 4, {{kLeft, shift}, {kLeft, 0}},
         "abcdef", 2, 0, 0},
        {"end without shift clears", "abcdef", 4, {{kLeft, shift}, {kEnd, 0}}, "abcdef", 6, 0, 0},
        {"left stops at the start", "ab", 0, {{kLeft, 0}, {kLeft, 0}}, "ab", 0, 0, 0},
        {"right stops at the end", "ab", 2, {{kRight, 0}}, "ab", 2, 0, 0},
        {"ctrl+left goes to the start of the word", "abc", 2, {{kLeft, ctrl}}, "abc", 0, 0, 0},
        {"tab and up change nothing", "abc", 1, {{kTab, 0}, {kUp, 0}}, "abc", 1, 0, 0},
    };
    runKeyCases(cases);
}

TEST(InputLineRules, ShiftEndAfterShiftLeftKeepsTheSelectedTextAndOnlyMovesTheCaret)
{
    DInputLineRules r = field("hello world", 5);
    r.keyDown(kLeft, shift);
    r.keyDown(kLeft, shift);
    ASSERT_EQ(str(r.selectedText()), "lo");
    r.keyDown(kEnd, shift);
    EXPECT_EQ(str(r.selectedText()), "lo");
    EXPECT_EQ(r.getCaret(), 11);
}

TEST(InputLineRules, ClipboardKeysNeedCtrlAndAreRefusedInPasswordMode)
{
    DInputLineRules r = field("secret", 3);
    EXPECT_EQ(r.keyDown('C', ctrl).command, inputCommandCopy);
    EXPECT_EQ(r.keyDown('X', ctrl).command, inputCommandCut);
    EXPECT_EQ(r.keyDown('V', ctrl).command, inputCommandPaste);
    EXPECT_EQ(r.keyDown('V', ctrl | shift).command, inputCommandPaste);
    // Without Ctrl the letters are only redrawn (their characters come as typing).
    DInputKeyResult plain = r.keyDown('V', 0);
    EXPECT_EQ(plain.command, inputCommandNone);
    EXPECT_TRUE(plain.redraw);
    // Other Ctrl combinations do nothing at all.
    DInputKeyResult other = r.keyDown('B', ctrl);
    EXPECT_EQ(other.command, inputCommandNone);
    EXPECT_FALSE(other.redraw);

    r.setPasswordMode(true);
    for (int key : {'C', 'X', 'V'})
        EXPECT_EQ(r.keyDown(key, ctrl).command, inputCommandNone) << char(key);
    r.keyDown(kLeft, shift);
    DString out("untouched");
    EXPECT_FALSE(r.copy(out));
    EXPECT_FALSE(r.cut(out));
    EXPECT_FALSE(r.paste(DString("xyz")));
    EXPECT_EQ(str(out), "untouched");
    EXPECT_EQ(str(r.getValue()), "secret");
    EXPECT_TRUE(r.hasSelection());
}

TEST(InputLineRules, CtrlWithArrowsBackspaceAndDeleteWorksByWords)
{
    const KeyCase cases[] = {
        {"ctrl+left from inside a word", "one two  three", 6, {{kLeft, ctrl}}, "one two  three", 4, 0, 0},
        {"ctrl+left over blanks to the word before", "one two  three", 9, {{kLeft, ctrl}},
         "one two  three", 4, 0, 0},
        {"ctrl+left twice", "one two  three", 14, {{kLeft, ctrl}, {kLeft, ctrl}},
         "one two  three", 4, 0, 0},
        {"ctrl+left at the start", "one", 0, {{kLeft, ctrl}}, "one", 0, 0, 0},
        {"ctrl+right to the next word", "one two  three", 1, {{kRight, ctrl}}, "one two  three", 4, 0, 0},
        {"ctrl+right over the blanks after a word", "one two  three", 4, {{kRight, ctrl}},
         "one two  three", 9, 0, 0},
        {"ctrl+right after the last word", "one two", 5, {{kRight, ctrl}}, "one two", 7, 0, 0},
        {"ctrl+shift+right selects a word", "one two", 0, {{kRight, ctrl | shift}}, "one two", 4, 1, 5},
        {"ctrl+shift+left extends a selection", "one two", 7,
         {{kLeft, shift}, {kLeft, ctrl | shift}}, "one two", 4, 8, 5},
        {"ctrl+shift+left to where it began selects nothing", "one", 0, {{kLeft, ctrl | shift}},
         "one", 0, 0, 0},
        {"ctrl+backspace erases the word before", "one two three", 7, {{kBackspace, ctrl}},
         "one  three", 4, 0, 0},
        {"ctrl+backspace with blanks before the caret", "one two  three", 9, {{kBackspace, ctrl}},
         "one three", 4, 0, 0},
        {"ctrl+backspace takes a selection only", "one two", 7, {{kLeft, shift}, {kBackspace, ctrl}},
         "one tw", 6, 0, 0},
        {"ctrl+delete erases to the next word", "one two three", 4, {{kDelete, ctrl}},
         "one three", 4, 0, 0},
        {"ctrl+a selects everything", "abc def", 2, {{'A', ctrl}}, "abc def", 7, 1, 8},
        {"ctrl+a in an empty field selects nothing", "", 0, {{'A', ctrl}}, "", 0, 0, 0},
    };
    runKeyCases(cases);

    // A password is one word: Ctrl+Left and Ctrl+Right go to its ends, and Ctrl+Backspace
    // leaves no part of it behind for anyone to count.
    DInputLineRules password = field("my secret", 5);
    password.setPasswordMode(true);
    password.keyDown(kLeft, ctrl);
    EXPECT_EQ(password.getCaret(), 0);
    password.keyDown(kRight, ctrl);
    EXPECT_EQ(password.getCaret(), 9);
    password.keyDown(kBackspace, ctrl);
    EXPECT_EQ(str(password.getValue()), "");
}

TEST(InputLineRules, TheInsertAndDeleteKeysReachTheClipboard)
{
    DInputLineRules r = field("abcdef", 2);
    r.keyDown(kRight, shift);
    EXPECT_EQ(r.keyDown(keyInsert, shift).command, inputCommandPaste);
    EXPECT_EQ(r.keyDown(keyInsert, ctrl).command, inputCommandCopy);
    EXPECT_EQ(r.keyDown(kDelete, shift).command, inputCommandCut);
    // The commands are the field's to run: the text is untouched by the rules themselves.
    EXPECT_EQ(str(r.getValue()), "abcdef");
    EXPECT_EQ(r.keyDown(keyInsert, 0).command, inputCommandNone);

    // A password never goes near the clipboard: Shift+Delete only erases.
    r.setPasswordMode(true);
    EXPECT_EQ(r.keyDown(keyInsert, shift).command, inputCommandNone);
    EXPECT_EQ(r.keyDown(keyInsert, ctrl).command, inputCommandNone);
    DInputKeyResult erased = r.keyDown(kDelete, shift);
    EXPECT_EQ(erased.command, inputCommandNone);
    EXPECT_EQ(str(r.getValue()), "abdef");
}

TEST(InputLineRules, TypingInsertsAtTheCaretAndReplacesTheSelection)
{
    DInputLineRules r = field("acd", 1);
    EXPECT_TRUE(r.typeCharacter('b'));
    EXPECT_EQ(str(r.getValue()), "abcd");
    EXPECT_EQ(r.getCaret(), 2);
    r.keyDown(kRight, shift);
    r.keyDown(kRight, shift);
    EXPECT_TRUE(r.typeCharacter('X'));
    EXPECT_EQ(str(r.getValue()), "abX");
    EXPECT_EQ(r.getCaret(), 3);
    EXPECT_FALSE(r.hasSelection());
    // Accented letters of the code page arrive as codes above 127.
    EXPECT_TRUE(r.typeCharacter(0xE1));
    EXPECT_EQ(static_cast<unsigned char>(r.getValue().text()[3]), 0xE1);
    // No code outside a byte, and no NUL, enters the text.
    EXPECT_FALSE(r.typeCharacter(0));
    EXPECT_FALSE(r.typeCharacter(300));
    EXPECT_FALSE(r.typeCharacter(-5));
    EXPECT_EQ(r.length(), 4);
    EXPECT_EQ(r.getCaret(), 4);
}

TEST(InputLineRules, AFullFieldTakesNoTypingEvenOverASelection)
{
    DInputLineRules r = field(repeat('a', 4000), 4000);
    EXPECT_EQ(r.getMaxLength(), 4000);
    EXPECT_FALSE(r.typeCharacter('b'));
    r.keyDown(kLeft, shift);
    r.keyDown(kLeft, shift);
    ASSERT_TRUE(r.hasSelection());
    EXPECT_FALSE(r.typeCharacter('b'));
    EXPECT_EQ(r.length(), 4000);
    EXPECT_TRUE(r.hasSelection());  // the selection was not replaced either
    EXPECT_EQ(r.getCaret(), 3998);
}

TEST(InputLineRules, PastingIntoANearlyFullFieldStopsAtTheLimit)
{
    DInputLineRules atEnd = field(repeat('a', 3998), 3998);
    EXPECT_TRUE(atEnd.paste(DString("bcdef")));
    EXPECT_EQ(atEnd.length(), 4000);
    EXPECT_EQ(str(atEnd.getValue()).substr(3996), "aabc");
    EXPECT_EQ(atEnd.getCaret(), 4000);

    // In the middle only what fits goes in: the text after the caret is never pushed out.
    DInputLineRules middle = field(repeat('a', 3997) + "xyz", 10);
    EXPECT_TRUE(middle.paste(DString("12345")));
    EXPECT_EQ(middle.length(), 4000);
    std::string v = str(middle.getValue());
    EXPECT_EQ(v.substr(0, 10), repeat('a', 10));
    EXPECT_EQ(v.substr(10, 4), "aaaa");  // nothing of the clipboard fitted
    EXPECT_EQ(v.substr(3997), "xyz");
    EXPECT_EQ(middle.getCaret(), 10);

    // A selection makes room before the text goes in.
    DInputLineRules full = field(repeat('a', 3996) + "wxyz", 3996);
    full.keyDown(kRight, shift);
    full.keyDown(kRight, shift);
    EXPECT_TRUE(full.paste(DString("123")));
    EXPECT_EQ(str(full.getValue()).substr(3996), "12yz");
    EXPECT_EQ(full.getCaret(), 3998);
    EXPECT_LE(full.getCaret(), full.length());

}

TEST(InputLineRules, APasteTakesOnlyTheFirstLineAndNothingLeavesTheSelectionAlone)
{
    // A user name copied with its line end: only the name goes in.
    DInputLineRules name = field("", 0);
    EXPECT_TRUE(name.paste(DString("joe\r\n")));
    EXPECT_EQ(str(name.getValue()), "joe");
    EXPECT_EQ(name.getCaret(), 3);
    DInputLineRules lines = field("[]", 1);
    EXPECT_TRUE(lines.paste(DString("one\ntwo\r\nthree")));
    EXPECT_EQ(str(lines.getValue()), "[one]");
    EXPECT_TRUE(lines.paste(DString("x\ry")));
    EXPECT_EQ(str(lines.getValue()), "[onex]");

    // An empty clipboard, or one that starts with a line break, changes nothing: the
    // selection stays selected and the text whole.
    const char* nothing[] = {"", "\r\n", "\nabc", "\r"};
    for (const char* clip : nothing) {
        DInputLineRules r = field("abcdef", 1);
        r.keyDown(kRight, shift);
        r.keyDown(kRight, shift);
        ASSERT_TRUE(r.hasSelection());
        EXPECT_FALSE(r.paste(DString(clip)));
        EXPECT_EQ(str(r.getValue()), "abcdef");
        EXPECT_TRUE(r.hasSelection());
        EXPECT_EQ(str(r.selectedText()), "bc");
        EXPECT_EQ(r.getCaret(), 3);
    }
}

TEST(InputLineRules, CutAndCopyTakeTheWholeSelectionEvenWhenScrolled)
{
    std::string text;
    for (int i = 0; i < 60; i++)
        text += static_cast<char>('a' + i % 26);
    DInputLineRules r = field(text, 0);
    r.keyDown(kEnd, shift);
    r.scrollToCaret(100, measure);
    ASSERT_GT(r.getScrollOffset(), 0);  // most of the selection is out of view
    DString copied;
    EXPECT_TRUE(r.copy(copied));
    EXPECT_EQ(str(copied), text);
    EXPECT_EQ(str(r.getValue()), text);
    DString cutText;
    EXPECT_TRUE(r.cut(cutText));
    EXPECT_EQ(str(cutText), text);
    EXPECT_EQ(r.length(), 0);
    EXPECT_EQ(r.getCaret(), 0);
    EXPECT_FALSE(r.hasSelection());
    // Nothing selected: nothing to take.
    DString none("kept");
    EXPECT_FALSE(r.copy(none));
    EXPECT_FALSE(r.cut(none));
    EXPECT_EQ(str(none), "kept");
}

TEST(InputLineRules, AClickPlacesTheCaretBeforeTheCharacterItFallsIn)
{
    DInputLineRules r = field("abcdef", 0);
    // Text starts at x = 2; each character is 5 wide: "a" covers 2..6.
    EXPECT_EQ(r.caretForX(0, measure), 0);
    EXPECT_EQ(r.caretForX(2, measure), 0);
    EXPECT_EQ(r.caretForX(6, measure), 0);  // inside the first character
    EXPECT_EQ(r.caretForX(7, measure), 1);
    EXPECT_EQ(r.caretForX(16, measure), 2);
    EXPECT_EQ(r.caretForX(500, measure), 6);

    // Scrolled: positions count from the first visible character.
    DInputLineRules s = field(repeat('x', 40), 40);
    s.scrollToCaret(50, measure);
    const int offset = s.getScrollOffset();
    ASSERT_GT(offset, 0);
    EXPECT_EQ(s.caretForX(3, measure), offset);
    EXPECT_EQ(s.caretForX(12, measure), offset + 2);

    // Password mode measures the stars: 7 pixels a character.
    DInputLineRules p = field("abcdef", 0);
    EXPECT_EQ(p.caretForX(23, measure), 4);
    p.setPasswordMode(true);
    EXPECT_EQ(str(p.displayText()), "******");
    EXPECT_EQ(p.caretForX(23, measure), 3);
    EXPECT_EQ(p.caretForX(15, measure), 1);
}

TEST(InputLineRules, DraggingSelectsAndAClickWithoutMovingSelectsNothing)
{
    DInputLineRules r = field("abcdefgh", 0);
    r.pressAt(12, measure);
    EXPECT_TRUE(r.isDragging());
    EXPECT_EQ(r.getCaret(), 2);
    EXPECT_EQ(r.getAnchor(), 3);
    EXPECT_TRUE(r.dragTo(27, measure));
    EXPECT_EQ(r.getCaret(), 5);
    EXPECT_EQ(str(r.selectedText()), "cde");
    r.release();
    EXPECT_FALSE(r.isDragging());
    EXPECT_EQ(str(r.selectedText()), "cde");
    // A move without the button does nothing.
    EXPECT_FALSE(r.dragTo(40, measure));
    EXPECT_EQ(r.getCaret(), 5);
    // Dragging backwards selects the same way.
    r.pressAt(32, measure);
    EXPECT_FALSE(r.hasSelection());
    r.dragTo(8, measure);
    EXPECT_EQ(r.getCaret(), 1);
    EXPECT_EQ(str(r.selectedText()), "bcdef");
    r.release();
    // A plain click leaves no selection behind.
    r.pressAt(20, measure);
    r.release();
    EXPECT_EQ(r.getAnchor(), 0);
    EXPECT_EQ(r.getSelectionEnd(), 0);
    // Back to the start of the drag: a selection of nothing is cleared on release.
    r.pressAt(20, measure);
    r.dragTo(30, measure);
    r.dragTo(20, measure);
    r.release();
    EXPECT_EQ(r.getAnchor(), 0);
}

namespace {

// The scrolling rule stepped one character at a time, as the field is meant to behave.
int referenceScroll(int offset, int caret, int width, const std::string& text)
{
    auto w = [&](int from) { return caret > from ? fixedWidth(text.c_str() + from, caret - from) : 0; };
    for (int guard = 0; guard < 100000; guard++) {
        if (w(offset) > width - 6 && offset < caret)
            offset++;
        else if (w(offset) <= 0 && offset > 0)
            offset = offset > 2 ? offset - 2 : 0;
        else
            return offset;
    }
    return -1;
}

}  // namespace

TEST(InputLineRules, ScrollingKeepsTheCaretInsideTheField)
{
    const std::string text = repeat('m', 100);
    DInputLineRules r = field(text, 0);
    std::mt19937 random(7);
    for (int step = 0; step < 400; step++) {
        int before = r.getScrollOffset();
        int key = (random() % 3 == 0) ? kLeft : kRight;
        if (random() % 25 == 0)
            key = random() % 2 ? kHome : kEnd;
        r.keyDown(key, 0);
        int w = r.scrollToCaret(120, measure);
        SCOPED_TRACE(step);
        EXPECT_EQ(r.getScrollOffset(), referenceScroll(before, r.getCaret(), 120, text));
        EXPECT_LE(w, 120 - 6);
        EXPECT_GE(w, 0);
        EXPECT_EQ(w, 5 * (r.getCaret() - r.getScrollOffset()));
        if (r.getScrollOffset() > 0) {
            EXPECT_GT(w, 0);  // once scrolled, the caret never sits at the left edge
        }
    }
    // From the end straight back to the start: all the way back.
    r.keyDown(kEnd, 0);
    r.scrollToCaret(120, measure);
    EXPECT_EQ(r.getScrollOffset(), 100 - 22);
    r.keyDown(kHome, 0);
    EXPECT_EQ(r.scrollToCaret(120, measure), 0);
    EXPECT_EQ(r.getScrollOffset(), 0);
}

TEST(InputLineRules, DegenerateFontsAndFieldsEndTheirScrolling)
{
    // A font with no width: nothing ever needs scrolling.
    DInputLineRules zero = field(repeat('a', 50), 50);
    EXPECT_EQ(zero.scrollToCaret(100, zeroWidth), 0);
    EXPECT_EQ(zero.getScrollOffset(), 0);
    EXPECT_EQ(zero.caretForX(1, zeroWidth), 0);
    EXPECT_EQ(zero.caretForX(2, zeroWidth), 50);
    // A field narrower than its margin, or than one character, stops at the caret.
    for (int width : {0, 3, 8, -20}) {
        SCOPED_TRACE(width);
        DInputLineRules narrow = field(repeat('a', 30), 30);
        narrow.scrollToCaret(width, measure);
        EXPECT_LE(narrow.getScrollOffset(), narrow.getCaret());
        narrow.keyDown(kLeft, 0);
        narrow.keyDown(kLeft, 0);
        narrow.scrollToCaret(width, measure);
        EXPECT_LE(narrow.getScrollOffset(), narrow.getCaret());
    }
    // No measure at all behaves as the font with no width.
    DInputLineRules none = field("abc", 3);
    EXPECT_EQ(none.scrollToCaret(100, DTextMeasure()), 0);
    // Empty text.
    DInputLineRules empty;
    EXPECT_EQ(empty.scrollToCaret(100, measure), 0);
    EXPECT_EQ(empty.caretForX(50, measure), 0);
    EXPECT_FALSE(empty.visibleSelection(measure).visible);
    EXPECT_TRUE(empty.keyDown(kBackspace, 0).redraw);
    empty.keyDown(kEnd, shift);
    empty.keyDown(kDelete, 0);
    EXPECT_EQ(empty.length(), 0);
    EXPECT_EQ(empty.getCaret(), 0);
}

TEST(InputLineRules, TheVisibleSelectionIsMeasuredFromTheFirstVisibleCharacter)
{
    DInputLineRules r = field(repeat('a', 10) + "SELECTED" + repeat('z', 30), 10);
    for (int i = 0; i < 8; i++)
        r.keyDown(kRight, shift);
    DInputSelectionSpan span = r.visibleSelection(measure);
    ASSERT_TRUE(span.visible);
    EXPECT_EQ(span.x, 50);
    EXPECT_EQ(span.width, 40);
    EXPECT_EQ(str(span.text), "SELECTED");
    // Scrolled past the selection, then back into it: only its visible part is shown.
    DInputLineRules s = field(repeat('a', 10) + "SELECTED" + repeat('z', 30), 18);
    for (int i = 0; i < 8; i++)
        s.keyDown(kLeft, shift);
    s.keyDown(kEnd, shift);  // the selection stays, the caret goes to the end
    s.scrollToCaret(100, measure);
    ASSERT_EQ(s.getScrollOffset(), 48 - 18);  // 18 characters of 5 fit before the margin
    span = s.visibleSelection(measure);
    EXPECT_FALSE(span.visible);  // scrolled past the whole selection
    s.keyDown(kLeft, shift);     // the caret leaves the end; the anchor stays
    EXPECT_EQ(s.getSelectionEnd(), 48);
    span = s.visibleSelection(measure);
    EXPECT_TRUE(span.visible);
    EXPECT_EQ(span.x, 0);
    // In password mode the span measures stars.
    DInputLineRules p = field("abcdef", 1);
    p.setPasswordMode(true);
    p.keyDown(kRight, shift);
    p.keyDown(kRight, shift);
    span = p.visibleSelection(measure);
    EXPECT_EQ(span.x, 7);
    EXPECT_EQ(span.width, 14);
    EXPECT_EQ(str(span.text), "**");
}

TEST(InputLineRules, SetValueKeepsTheLimitAndDrawsTheCaretBackIntoTheText)
{
    DInputLineRules r;
    r.setValue(DString(repeat('q', 4100).c_str()));
    EXPECT_EQ(r.length(), 4000);
    r.keyDown(kEnd, 0);
    r.keyDown(kLeft, shift);
    // The caret and selection stay where they are while the text still reaches them ...
    r.setValue(DString(repeat('r', 4000).c_str()));
    EXPECT_EQ(r.getCaret(), 3999);
    EXPECT_TRUE(r.hasSelection());
    // ... and are drawn back into a shorter one.
    r.setValue(DString("short"));
    EXPECT_EQ(r.getCaret(), 5);
    EXPECT_LE(r.selectionLast(), 5);
    EXPECT_TRUE(r.typeCharacter('!'));
    EXPECT_EQ(str(r.getValue()), "short!");
    // A smaller limit cuts the text.
    r.setMaxLength(3);
    EXPECT_EQ(str(r.getValue()), "sho");
    EXPECT_EQ(r.getCaret(), 3);
    EXPECT_FALSE(r.typeCharacter('x'));
    r.setMaxLength(-1);
    EXPECT_EQ(r.getMaxLength(), 0);
    EXPECT_EQ(r.length(), 0);
}

TEST(InputLineRules, RandomEditingNeverLeavesTheCaretOrSelectionOutsideTheText)
{
    std::mt19937 random(2024);
    const int keys[] = {kBackspace, kEnd, kHome, kLeft, kRight, kDelete, 'C', 'X', 'V', kTab};
    DInputLineRules r;
    r.setMaxLength(40);
    for (int step = 0; step < 20000; step++) {
        int what = static_cast<int>(random() % 8);
        if (what < 3)
            r.keyDown(keys[random() % 10], static_cast<int>(random() % 2 ? shift : 0));
        else if (what == 3)
            r.typeCharacter(static_cast<int>('a' + random() % 26));
        else if (what == 4)
            r.paste(DString(repeat('p', static_cast<int>(random() % 12)).c_str()));
        else if (what == 5) {
            DString out;
            if (random() % 2)
                r.cut(out);
            else
                r.deleteSelection();
        } else if (what == 6) {
            int x = static_cast<int>(random() % 200) - 10;
            if (random() % 2) {
                r.pressAt(x, measure);
            } else {
                r.dragTo(x, measure);
            }
            if (random() % 3 == 0)
                r.release();
        } else {
            r.setPasswordMode(random() % 4 == 0);
            r.scrollToCaret(static_cast<int>(random() % 120), measure);
            r.visibleSelection(measure);
        }
        ASSERT_LE(r.length(), 40);
        ASSERT_GE(r.getCaret(), 0);
        ASSERT_LE(r.getCaret(), r.length());
        ASSERT_LE(r.getScrollOffset(), r.length());
        ASSERT_LE(r.selectionLast(), r.length());
        ASSERT_EQ(static_cast<int>(str(r.getValue()).size()), r.length());
    }
}
