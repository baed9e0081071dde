// Push buttons and check boxes in a real window, driven with real mouse and key messages.
#include "framework/RecordingTheme.h"
#include "framework/WindowTestKit.h"

#include "controls/DButton.h"
#include "controls/DCheckBox.h"
#include "framework/DTheme.h"
#include "framework/DWinInterior.h"
#include "graphics/DCanvas.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace windowtest;

namespace {

class Buttons : public OneWindowTest {
protected:
    DButton* button(const char* caption, int x, int y, int w = 80, int hgt = 25)
    {
        auto* b = new DButton;
        b->create(x, y, w, hgt, DString(caption));
        window.addView(b);
        return b;
    }
    DCheckBox* checkBox(const char* caption, int x, int y)
    {
        auto* c = new DCheckBox;
        c->create(x, y, 120, 20, DString(caption));
        window.addView(c);
        return c;
    }
    void click(int x, int y)
    {
        SendMessageA(h, WM_MOUSEMOVE, 0, point(x, y));
        SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point(x, y));
        SendMessageA(h, WM_LBUTTONUP, 0, point(x, y));
    }
    int clicksOn(DView* view) const
    {
        int n = 0;
        for (const Event& e : window.events)
            if (e.name == "click" && e.source == view)
                n++;
        return n;
    }
};

}  // namespace

TEST_F(Buttons, AClickOnTheExactRightAndBottomEdgeStillHits)
{
    DButton* ok = button("OK", 20, 30, 80, 25);
    click(100, 55);  // x + width, y + height
    EXPECT_EQ(clicksOn(ok), 1);
    click(20, 30);
    EXPECT_EQ(clicksOn(ok), 2);
    click(101, 55);
    click(100, 56);
    EXPECT_EQ(clicksOn(ok), 2);
}

TEST_F(Buttons, ADisabledButtonNeitherTakesTheFocusNorActivates)
{
    DButton* other = button("Other", 150, 30);
    DButton* off = button("Off", 20, 30);
    window.setFocus(other);
    off->setEnabled(false);
    click(40, 40);
    EXPECT_EQ(clicksOn(off), 0);
    EXPECT_FALSE(off->isFocused());
    EXPECT_TRUE(other->isFocused());
    EXPECT_EQ(window.count("mouseUp"), 1);  // the bare window got the release
    // Nor does a disabled button take keys when it was given the focus.
    window.setFocus(off);
    key(VK_SPACE);
    EXPECT_EQ(clicksOn(off), 0);
    EXPECT_EQ(off->getState(), 0);
}

TEST_F(Buttons, PressMoveOffAndReleaseElsewhereDoesNotActivate)
{
    DButton* ok = button("OK", 20, 30);
    SendMessageA(h, WM_MOUSEMOVE, 0, point(30, 40));
    EXPECT_EQ(ok->getState(), 2);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point(30, 40));
    EXPECT_EQ(ok->getState(), 1);
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, point(200, 150));
    EXPECT_EQ(ok->getState(), 0);
    SendMessageA(h, WM_LBUTTONUP, 0, point(200, 150));
    EXPECT_EQ(clicksOn(ok), 0);
    EXPECT_EQ(window.count("click"), 0);
}

TEST_F(Buttons, StateFollowsEntryPressAndRelease)
{
    DButton* ok = button("OK", 20, 30);
    EXPECT_EQ(ok->getState(), 0);
    SendMessageA(h, WM_MOUSEMOVE, 0, point(30, 40));
    EXPECT_EQ(ok->getState(), 2);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point(30, 40));
    EXPECT_EQ(ok->getState(), 1);
    EXPECT_TRUE(ok->isFocused());
    SendMessageA(h, WM_LBUTTONUP, 0, point(30, 40));
    EXPECT_EQ(ok->getState(), 2);
    SendMessageA(h, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(ok->getState(), 0);
}

TEST_F(Buttons, EnterOnAFocusedPushButtonActivatesThatButton)
{
    DButton* def = button("Default", 20, 30);
    def->setDefault(true);
    DButton* other = button("Other", 150, 30);
    ASSERT_TRUE(other->isFocused());
    key(VK_RETURN);
    EXPECT_EQ(clicksOn(other), 1);
    EXPECT_EQ(clicksOn(def), 0);
}

TEST_F(Buttons, EnterOnAFocusedCheckBoxRunsTheDefaultButton)
{
    DButton* def = button("Default", 20, 30);
    def->setDefault(true);
    DCheckBox* box = checkBox("Option", 20, 80);
    ASSERT_TRUE(box->isFocused());
    key(VK_RETURN);
    EXPECT_EQ(clicksOn(def), 1);
    EXPECT_EQ(clicksOn(box), 0);
    EXPECT_FALSE(box->isChecked());
}

TEST_F(Buttons, EscapeRunsTheCancelButton)
{
    DButton* cancel = button("Cancel", 20, 30);
    cancel->setCancel(true);
    button("Other", 150, 30);
    key(VK_ESCAPE);
    EXPECT_EQ(clicksOn(cancel), 1);
}

TEST_F(Buttons, SpacePressesAndReleasesTheFocusedButton)
{
    DButton* ok = button("OK", 20, 30);
    key(VK_SPACE, false);
    EXPECT_EQ(ok->getState(), 1);
    EXPECT_EQ(clicksOn(ok), 0);
    SendMessageA(h, WM_KEYUP, VK_SPACE, keyData(VK_SPACE, true));
    EXPECT_EQ(ok->getState(), 0);
    EXPECT_EQ(clicksOn(ok), 1);
}

TEST_F(Buttons, CheckBoxTogglesOnClickAndOnSpace)
{
    DCheckBox* box = checkBox("Option", 20, 80);
    click(30, 90);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(clicksOn(box), 1);
    key(VK_SPACE);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(clicksOn(box), 2);
    box->setChecked(true);
    EXPECT_TRUE(box->isChecked());
}

TEST_F(Buttons, ClickOnASecondButtonMovesTheFocus)
{
    DButton* a = button("A", 20, 30);
    DButton* b = button("B", 150, 30);
    window.setFocus(a);
    click(160, 40);
    EXPECT_TRUE(b->isFocused());
    EXPECT_FALSE(a->isFocused());
    EXPECT_EQ(clicksOn(b), 1);
}

TEST_F(Buttons, ButtonsAreFocusableAndWantEnter)
{
    DButton* a = button("A", 20, 30);
    EXPECT_TRUE(a->isFocusable());
    EXPECT_TRUE(a->getText() == "A");
    EXPECT_NE(a->getFont(), nullptr);
    EXPECT_EQ(a->getTheme(), DApplication::currentTheme());
}

TEST_F(Buttons, ButtonsPaintThroughTheirOwnWindowWithoutFault)
{
    DButton* ok = button("OK", 20, 30);
    ok->setDefault(true);
    checkBox("Option", 20, 80)->setChecked(true);
    DButton* off = button("Off", 150, 30);
    off->setEnabled(false);
    window.show(true);
    SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    window.redraw();
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pumpMessages();
    // The window's interior paints its background in the window colour.
    HDC dc = GetDC(h);
    COLORREF background = GetPixel(dc, 290, 190);
    ReleaseDC(h, dc);
    EXPECT_EQ(background, window.getBackColor().value());
}

TEST_F(Buttons, ARealMouseClickOverTheButtonsOwnWindowReachesTheButton)
{
    // The system input path: the button's native child window is disabled, so the click
    // must arrive at the top-level window and travel through the view tree.
    DButton* ok = button("OK", 20, 30);
    window.moveTo(100, 100);
    window.show(true);
    // Other test programs may share the display: keep this window on top of theirs.
    SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    pumpMessages();
    POINT at{40, 40};
    ClientToScreen(h, &at);
    // A program sharing the display may move the cursor in between; try a few times.
    for (int attempt = 0; attempt < 3 && clicksOn(ok) == 0; attempt++) {
        SetCursorPos(at.x, at.y);
        INPUT inputs[2] = {};
        inputs[0].type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].type = INPUT_MOUSE;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ASSERT_EQ(SendInput(2, inputs, sizeof(INPUT)), 2u);
        pumpUntil([&] { return clicksOn(ok) > 0; }, 3000);
    }
    EXPECT_EQ(clicksOn(ok), 1);
    EXPECT_TRUE(ok->isFocused());
}

TEST_F(Buttons, APushButtonHandsItsStateAndDefaultFlagToTheTheme)
{
    RecordingTheme theme;
    DButton* ok = button("OK", 20, 30, 80, 25);
    ok->setTheme(&theme);
    ok->setDefault(true);
    ok->paintNow();
    const RecordingTheme::Part* face = theme.last("button");
    ASSERT_NE(face, nullptr);
    EXPECT_TRUE(face->enabled);
    EXPECT_TRUE(face->flag);
    EXPECT_EQ(face->width, 80);
    EXPECT_EQ(face->height, 25);
    EXPECT_EQ(face->state, 0);
    EXPECT_EQ(face->background, theme.color(1).value());  // the button's background colour
    SendMessageA(h, WM_MOUSEMOVE, 0, point(30, 40));
    ok->paintNow();
    EXPECT_EQ(theme.last("button")->state, 2);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point(30, 40));
    ok->paintNow();
    EXPECT_EQ(theme.last("button")->state, 1);
    ok->setDefault(false);
    ok->paintNow();
    EXPECT_FALSE(theme.last("button")->flag);
    // A button inside a disabled parent is drawn disabled.
    window.getInterior()->setEnabled(false);
    ok->paintNow();
    EXPECT_FALSE(theme.last("button")->enabled);
    window.getInterior()->setEnabled(true);
    window.close();  // the views go before the theme they draw with
}

TEST_F(Buttons, ACheckBoxLightensItsFaceWhileHotAndDrawsTheGlyphAtItsLeft)
{
    RecordingTheme theme;
    DCheckBox* box = checkBox("Option", 20, 80);  // 120 x 20
    box->setTheme(&theme);
    box->setChecked(true);
    box->paintNow();
    const RecordingTheme::Part* face = theme.last("background");
    ASSERT_NE(face, nullptr);
    EXPECT_FALSE(face->flag);
    EXPECT_EQ(face->width, 120);
    EXPECT_EQ(face->height, 20);
    const RecordingTheme::Part* glyph = theme.last("check");
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(glyph->originX, 4);
    EXPECT_EQ(glyph->originY, 3);  // (20 - 13) / 2
    EXPECT_TRUE(glyph->flag);
    EXPECT_TRUE(glyph->enabled);
    EXPECT_EQ(glyph->state, 0);

    SendMessageA(h, WM_MOUSEMOVE, 0, point(30, 90));
    box->paintNow();
    EXPECT_TRUE(theme.last("background")->flag);
    EXPECT_EQ(theme.last("check")->state, 2);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point(30, 90));
    box->paintNow();
    EXPECT_TRUE(theme.last("background")->flag);
    EXPECT_EQ(theme.last("check")->state, 1);
    SendMessageA(h, WM_LBUTTONUP, 0, point(30, 90));
    box->paintNow();
    EXPECT_FALSE(theme.last("check")->flag);  // toggled off
    // Disabled: no lightened face even with the mouse over it, and a disabled glyph.
    box->setEnabled(false);
    box->paintNow();
    EXPECT_FALSE(theme.last("background")->flag);
    EXPECT_FALSE(theme.last("check")->enabled);
    // The glyph origin is put back afterwards.
    int x = -1, y = -1;
    box->getCanvas()->getOrigin(&x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    window.close();
}
