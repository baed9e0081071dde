// The input line in a real window, driven with real key and mouse messages, with the real
// clipboard.
#include "framework/WindowTestKit.h"

#include "controls/DButton.h"
#include "controls/DInputLine.h"
#include "controls/DMenu.h"
#include "controls/DMenuItem.h"
#include "controls/MenuTestKit.h"
#include "framework/DTheme.h"
#include "framework/SystemUtils.h"
#include "graphics/DCanvas.h"

#include <string>

#include <gtest/gtest.h>

using namespace windowtest;

namespace {

// The field sits at (20, 30) in the window; field pixels are window pixels minus that.
const int fieldX = 20;
const int fieldY = 30;

class InputLine : public OneWindowTest {
protected:
    DInputLine* field(const char* text, int w = 150, int hgt = 21)
    {
        auto* f = new DInputLine;
        f->init(fieldX, fieldY, w, hgt);
        f->setValue(DString(text));
        window.addView(f);
        return f;
    }
    void type(const std::string& keys)
    {
        for (char c : keys)
            key(c);
    }
    void keyWith(int modifierKey, int virtualKey)
    {
        holdKeys({modifierKey});
        key(virtualKey);
        releaseKeys();
    }
    void mouse(UINT message, int fx, int fy, WPARAM buttons = 0)
    {
        SendMessageA(h, message, buttons, point(fieldX + fx, fieldY + fy));
    }
    void click(int fx, int fy = 10)
    {
        mouse(WM_MOUSEMOVE, fx, fy);
        mouse(WM_LBUTTONDOWN, fx, fy, MK_LBUTTON);
        mouse(WM_LBUTTONUP, fx, fy);
    }
    int textWidth(DInputLine* f, const char* text)
    {
        return f->getCanvas()->textExtent(DString(text)).width();
    }
    static std::string value(DInputLine* f) { return f->getValue().text(); }
    static std::string clipboard() { return clipboardText().text(); }
    void putOnClipboard(const char* text) { setClipboardText(DString(text), h); }
    // Shows the window on top so its pixels can be read back.
    void showOnTop()
    {
        window.show(true);
        SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        pumpMessages();
    }
    void rightClick(int fx, int fy = 10)
    {
        mouse(WM_MOUSEMOVE, fx, fy);
        mouse(WM_RBUTTONDOWN, fx, fy, MK_RBUTTON);
        mouse(WM_RBUTTONUP, fx, fy);
    }
    // Opens the field's menu with a right click and chooses item `index`.
    void chooseFromMenu(DInputLine* f, int index)
    {
        rightClick(10);
        DMenu* menu = f->getContextMenu();
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(menu->isOpen());
        menutest::clickItem(*menu, index);
        pumpMessages();
        EXPECT_FALSE(menu->isOpen());
    }
    static bool itemEnabled(DInputLine* f, int id)
    {
        DMenu* menu = f->getContextMenu();
        for (int i = 0; i < menu->itemCount(); i++)
            if (menu->itemAt(i)->id == id)
                return menu->itemAt(i)->enabled;
        ADD_FAILURE() << "no menu item " << id;
        return false;
    }
    COLORREF pixel(DInputLine* f, int fx, int fy)
    {
        f->paintNow();
        HWND child = static_cast<HWND>(f->getHandle());
        HDC dc = GetDC(child);
        COLORREF c = GetPixel(dc, fx, fy);
        ReleaseDC(child, dc);
        return c;
    }
};

}  // namespace

TEST_F(InputLine, TypedKeysGoInAtTheCaretAndTheFieldKeepsTheFocus)
{
    DInputLine* f = field("");
    ASSERT_TRUE(f->isFocused());
    EXPECT_TRUE(f->isFocusable());
    type("MAIL");
    EXPECT_EQ(value(f), "mail");
    key(VK_LEFT);
    key(VK_LEFT);
    type("12");
    EXPECT_EQ(value(f), "ma12il");
    EXPECT_EQ(f->getEditor().getCaret(), 4);
    key(VK_BACK);
    key(VK_DELETE);
    EXPECT_EQ(value(f), "ma1l");
    key(VK_HOME);
    key(VK_BACK);
    EXPECT_EQ(value(f), "ma1l");
    // The arrows never move the focus out of the field; Tab does.
    DButton* other = new DButton;
    other->create(20, 100, 80, 25, DString("Other"));
    window.addView(other);
    window.setFocus(f);
    key(VK_RIGHT);
    key(VK_DOWN);
    EXPECT_TRUE(f->isFocused());
    key(VK_TAB);
    EXPECT_TRUE(other->isFocused());
    type("x");
    EXPECT_EQ(value(f), "ma1l");  // typing goes to the focused control only
}

TEST_F(InputLine, ShiftArrowsSelectAndTypingReplacesTheSelection)
{
    DInputLine* f = field("pop.example.com");
    key(VK_END);
    holdKeys({VK_SHIFT});
    key(VK_LEFT);
    key(VK_LEFT);
    key(VK_LEFT);
    releaseKeys();
    EXPECT_EQ(std::string(f->getEditor().selectedText().text()), "com");
    type("NET");
    EXPECT_EQ(value(f), "pop.example.net");
    // Shift+End after Shift+Left keeps what Shift+Left selected.
    key(VK_HOME);
    key(VK_RIGHT);
    key(VK_RIGHT);
    key(VK_RIGHT);
    keyWith(VK_SHIFT, VK_LEFT);
    keyWith(VK_SHIFT, VK_END);
    EXPECT_EQ(std::string(f->getEditor().selectedText().text()), "p");
    EXPECT_EQ(f->getEditor().getCaret(), 15);
}

TEST_F(InputLine, DraggingTheMouseSelectsAndAClickInsideACharacterGoesBeforeIt)
{
    DInputLine* f = field("abcdef");
    const int ab = textWidth(f, "ab");
    const int abcd = textWidth(f, "abcd");
    const int a = textWidth(f, "a");
    ASSERT_GT(a, 2);
    click(2 + a - 1);  // inside the "a"
    EXPECT_EQ(f->getEditor().getCaret(), 0);
    click(2 + ab + 1);
    EXPECT_EQ(f->getEditor().getCaret(), 2);
    EXPECT_FALSE(f->getEditor().hasSelection());
    // Press after "ab", drag to after "abcd", release.
    mouse(WM_MOUSEMOVE, 2 + ab + 1, 10);
    mouse(WM_LBUTTONDOWN, 2 + ab + 1, 10, MK_LBUTTON);
    mouse(WM_MOUSEMOVE, 2 + abcd + 1, 10, MK_LBUTTON);
    mouse(WM_LBUTTONUP, 2 + abcd + 1, 10);
    EXPECT_EQ(std::string(f->getEditor().selectedText().text()), "cd");
    EXPECT_EQ(f->getEditor().getCaret(), 4);
    // A move without the button changes nothing.
    mouse(WM_MOUSEMOVE, 2, 10);
    EXPECT_EQ(std::string(f->getEditor().selectedText().text()), "cd");
    // Clicking past the end puts the caret at the end and clears the selection.
    click(140);
    EXPECT_EQ(f->getEditor().getCaret(), 6);
    EXPECT_FALSE(f->getEditor().hasSelection());
}

TEST_F(InputLine, TheMouseLeavingEndsADrag)
{
    DInputLine* f = field("abcdef");
    DButton* other = new DButton;
    other->create(20, 100, 80, 25, DString("Other"));
    window.addView(other);
    mouse(WM_MOUSEMOVE, 3, 10);
    mouse(WM_LBUTTONDOWN, 3, 10, MK_LBUTTON);
    EXPECT_TRUE(f->getEditor().isDragging());
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, point(30, 110));  // over the button
    EXPECT_FALSE(f->getEditor().isDragging());
}

TEST_F(InputLine, CutCopyAndPasteGoThroughTheClipboard)
{
    DInputLine* f = field("user@example.org");
    key(VK_END);
    for (int i = 0; i < 3; i++)
        keyWith(VK_SHIFT, VK_LEFT);
    keyWith(VK_CONTROL, 'C');
    EXPECT_EQ(clipboard(), "org");
    EXPECT_EQ(value(f), "user@example.org");
    keyWith(VK_CONTROL, 'X');
    EXPECT_EQ(clipboard(), "org");
    EXPECT_EQ(value(f), "user@example.");
    putOnClipboard("net");
    keyWith(VK_CONTROL, 'V');
    EXPECT_EQ(value(f), "user@example.net");
    EXPECT_EQ(f->getEditor().getCaret(), 16);
    // The commands of the context menu do the same.
    key(VK_HOME);
    for (int i = 0; i < 4; i++)
        keyWith(VK_SHIFT, VK_RIGHT);
    f->command(inputCommandCopy);
    EXPECT_EQ(clipboard(), "user");
    f->command(inputCommandDelete);
    EXPECT_EQ(value(f), "@example.net");
    f->command(inputCommandPaste);
    EXPECT_EQ(value(f), "user@example.net");
    f->command(inputCommandCut);  // nothing selected: the clipboard keeps its text
    EXPECT_EQ(clipboard(), "user");
    EXPECT_EQ(value(f), "user@example.net");
}

TEST_F(InputLine, CuttingALongSelectionTakesAllOfItNotJustWhatIsInView)
{
    std::string text;
    for (int i = 0; i < 120; i++)
        text += static_cast<char>('a' + i % 26);
    DInputLine* f = field(text.c_str(), 80);
    key(VK_HOME);
    keyWith(VK_SHIFT, VK_END);
    ASSERT_GT(f->getEditor().getScrollOffset(), 0);  // painting scrolled the caret into view
    keyWith(VK_CONTROL, 'X');
    EXPECT_EQ(clipboard(), text);
    EXPECT_EQ(value(f), "");
    keyWith(VK_CONTROL, 'V');
    EXPECT_EQ(value(f), text);
}

TEST_F(InputLine, PastingIntoANearlyFullFieldStopsAtFourThousand)
{
    std::string full(3998, 'q');
    DInputLine* f = field(full.c_str());
    EXPECT_EQ(f->getMaxLength(), 4000);
    key(VK_END);
    putOnClipboard("12345");
    keyWith(VK_CONTROL, 'V');
    EXPECT_EQ(f->getValue().length(), 4000);
    EXPECT_EQ(value(f).substr(3996), "qq12");
    EXPECT_EQ(f->getEditor().getCaret(), 4000);
    type("9");
    EXPECT_EQ(f->getValue().length(), 4000);
    // setValue keeps the limit too.
    f->setValue(DString(std::string(4100, 'z').c_str()));
    EXPECT_EQ(f->getValue().length(), 4000);
}

TEST_F(InputLine, PasswordModeShowsStarsAndKeepsTheTextOffTheClipboard)
{
    DInputLine* f = field("secret");
    f->setPasswordMode(true);
    EXPECT_TRUE(f->isPasswordMode());
    putOnClipboard("before");
    key(VK_END);
    keyWith(VK_SHIFT, VK_HOME);
    ASSERT_TRUE(f->getEditor().hasSelection());
    keyWith(VK_CONTROL, 'C');
    keyWith(VK_CONTROL, 'X');
    EXPECT_EQ(clipboard(), "before");
    keyWith(VK_CONTROL, 'V');
    f->cut();
    f->copy();
    f->paste();
    EXPECT_EQ(clipboard(), "before");
    EXPECT_EQ(value(f), "secret");
    EXPECT_EQ(std::string(f->getEditor().visibleText().text()), "******");
    // The caret goes by the widths of the stars.
    const int stars = textWidth(f, "***");
    click(2 + stars + 1);
    EXPECT_EQ(f->getEditor().getCaret(), 3);
    // A right click opens no menu, and typing still works.
    rightClick(10);
    ASSERT_NE(f->getContextMenu(), nullptr);
    EXPECT_FALSE(f->getContextMenu()->isOpen());
    EXPECT_EQ(value(f), "secret");
    type("X");
    EXPECT_EQ(value(f), "secxret");
}

TEST_F(InputLine, TheFieldIsWhiteWithTheCaretOnlyWhileFocused)
{
    DInputLine* f = field("", 150, 21);
    DButton* other = new DButton;
    other->create(20, 100, 80, 25, DString("Other"));
    window.addView(other);
    showOnTop();
    window.setFocus(f);
    const COLORREF white = RGB(255, 255, 255);
    EXPECT_EQ(pixel(f, 60, 10), white);
    EXPECT_NE(pixel(f, 2, 10), white);  // the caret line at the text's left end
    window.setFocus(other);
    EXPECT_EQ(pixel(f, 2, 10), white);
    // A disabled field shows no caret either.
    window.setFocus(f);
    f->setEnabled(false);
    EXPECT_NE(pixel(f, 2, 10), RGB(0, 0, 0));
}

TEST_F(InputLine, TheSelectionIsDrawnInTheSelectionColour)
{
    DInputLine* f = field("a          b", 150, 21);
    showOnTop();
    const int before = textWidth(f, "a  ");
    const COLORREF white = RGB(255, 255, 255);
    key(VK_HOME);
    EXPECT_EQ(pixel(f, 2 + before, 10), white);
    key(VK_RIGHT);
    for (int i = 0; i < 10; i++)
        keyWith(VK_SHIFT, VK_RIGHT);
    EXPECT_EQ(pixel(f, 2 + before, 10), f->getTheme()->color(4).value());
}

TEST_F(InputLine, TypingPastTheRightEdgeScrollsTheCaretIntoView)
{
    DInputLine* f = field("", 60);
    type("0123456789012345678901234567890123456789");
    const DInputLineRules& e = f->getEditor();
    EXPECT_GT(e.getScrollOffset(), 0);
    std::string shown = std::string(f->getValue().text()).substr(
        static_cast<size_t>(e.getScrollOffset()));
    EXPECT_LE(textWidth(f, shown.c_str()), 60 - 6);
    key(VK_HOME);
    f->paintNow();
    EXPECT_EQ(e.getScrollOffset(), 0);
}

TEST_F(InputLine, TheContextMenuOffersCutCopyPasteAndDelete)
{
    DInputLine* f = field("mail.example.com");
    showOnTop();
    SetForegroundWindow(h);
    DMenu* menu = f->getContextMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->itemCount(), 5);
    const char* texts[] = {"Cut", "Copy", "Paste", "-", "Delete"};
    const int ids[] = {1, 2, 3, 0, 4};
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(std::string(menu->itemAt(i)->text.text()), texts[i]);
        EXPECT_EQ(menu->itemAt(i)->id, ids[i]);
    }
    EXPECT_TRUE(menu->itemAt(3)->isSeparator());

    // No selection: only Paste, and only while the clipboard holds text.
    putOnClipboard("pasted");
    rightClick(10);
    EXPECT_TRUE(menu->isOpen());
    EXPECT_EQ(menu->getOwnerView(), f);
    EXPECT_FALSE(itemEnabled(f, 1));
    EXPECT_FALSE(itemEnabled(f, 2));
    EXPECT_TRUE(itemEnabled(f, 3));
    EXPECT_FALSE(itemEnabled(f, 4));
    menu->close();

    // With a selection: Copy puts it on the clipboard, Delete erases it.
    key(VK_HOME);
    for (int i = 0; i < 5; i++)
        keyWith(VK_SHIFT, VK_RIGHT);
    rightClick(10);
    EXPECT_TRUE(itemEnabled(f, 1));
    EXPECT_TRUE(itemEnabled(f, 2));
    EXPECT_TRUE(itemEnabled(f, 4));
    menu->close();
    chooseFromMenu(f, 1);
    EXPECT_EQ(clipboard(), "mail.");
    EXPECT_EQ(value(f), "mail.example.com");
    chooseFromMenu(f, 4);
    EXPECT_EQ(value(f), "example.com");
    EXPECT_EQ(clipboard(), "mail.");
    // Paste puts it back at the caret.
    chooseFromMenu(f, 2);
    EXPECT_EQ(value(f), "mail.example.com");
    EXPECT_EQ(f->getEditor().getCaret(), 5);

    // An empty clipboard leaves nothing to paste.
    ASSERT_TRUE(OpenClipboard(h));
    EmptyClipboard();
    CloseClipboard();
    rightClick(10);
    EXPECT_FALSE(itemEnabled(f, 3));
    menu->close();
}

TEST_F(InputLine, CutFromTheMenuTakesTheWholeScrolledSelection)
{
    std::string text;
    for (int i = 0; i < 90; i++)
        text += static_cast<char>('A' + i % 26);
    DInputLine* f = field(text.c_str(), 70);
    key(VK_HOME);
    keyWith(VK_SHIFT, VK_END);
    ASSERT_GT(f->getEditor().getScrollOffset(), 0);
    chooseFromMenu(f, 0);
    EXPECT_EQ(clipboard(), text);
    EXPECT_EQ(value(f), "");
    // A choice the field does not know climbs to its window like any command.
    f->command(4242);
    EXPECT_EQ(value(f), "");
}

TEST_F(InputLine, ClosingTheWindowWithTheMenuOpenLetsGoOfTheMouse)
{
    DInputLine* f = field("text");
    rightClick(10);
    ASSERT_TRUE(f->getContextMenu()->isOpen());
    HWND menuWindow = f->getContextMenu()->getHandle();
    ASSERT_EQ(GetCapture(), menuWindow);
    window.close();
    pumpMessages();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(IsWindow(menuWindow));  // the menu went with the field
}
