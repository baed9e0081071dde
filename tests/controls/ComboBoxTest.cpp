// The combo box and its drop-down list in a real window, driven with real mouse and key
// messages: how the list opens, how big it is, and what a choice reports.
#include "controls/MenuTestKit.h"

#include "controls/DCBDropBtn.h"
#include "controls/DCBDropMenu.h"
#include "controls/DComboBox.h"
#include "controls/DScrollBar.h"
#include "framework/SystemUtils.h"

#include <gtest/gtest.h>

#include <string>

using namespace windowtest;
using namespace menutest;

namespace {

class Combos : public ::testing::Test {
protected:
    void SetUp() override
    {
        releaseKeys();
        parkPointer();
        ASSERT_TRUE(owner.make(300, 200));
        h = owner.getHandle();
    }
    void TearDown() override
    {
        owner.close();
        pumpMessages();
    }
    // A combo at (20, 30) of 120 x 21 with `count` items "Item 0" ... and item 0 selected.
    DComboBox* combo(int count)
    {
        auto* c = new DComboBox;
        c->init(20, 30, 120, 21);
        for (int i = 0; i < count; i++)
            c->addItem(DString(("Item " + std::to_string(i)).c_str()));
        c->setSelected(0);
        owner.addView(c);
        return c;
    }
    void clickWindow(int x, int y)
    {
        SendMessageA(h, WM_MOUSEMOVE, 0, point(x, y));
        SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point(x, y));
        SendMessageA(h, WM_LBUTTONUP, 0, point(x, y));
    }
    void key(int virtualKey) { pressKey(h, virtualKey); }
    // The middle of row `row` of an open list, in the list's client pixels.
    POINT rowCentre(DCBDropMenu* list, int row)
    {
        int y = dropListRowY(row, list->firstShownRow(), list->lineHeight());
        return POINT{10, y + list->lineHeight() / 2};
    }
    int changesFrom(DView* source) const
    {
        int n = 0;
        for (const Event& e : owner.events)
            if (e.name == "change" && e.source == source)
                n++;
        return n;
    }

    MenuOwner owner;
    HWND h = nullptr;
};

}  // namespace

TEST_F(Combos, TenItemsShowSixRowsAndAnActiveScrollBar)
{
    DComboBox* c = combo(10);
    c->dropDown();
    DCBDropMenu* list = c->getDropMenu();
    ASSERT_TRUE(list->isOpen());
    int lh = list->lineHeight();
    ASSERT_GT(lh, 0);
    DRect at = list->bounds();
    EXPECT_EQ(at.height, 6 * lh + 4);
    EXPECT_EQ(at.width, 120);
    EXPECT_EQ(list->pageSize(), 6);
    EXPECT_FALSE(list->getScrollBar()->isInactive());
    EXPECT_TRUE(list->getScrollBar()->isVisible());
    EXPECT_EQ(list->getScrollBar()->getTotal(), 10u);
    // The scroll bar keeps to the right edge of the list.
    EXPECT_EQ(list->getScrollBar()->getX(), 120 - 19);
    EXPECT_EQ(list->getScrollBar()->getHeight(), at.height - 2);
    // Below the combo: its bottom-left corner (0, height + 1) on the screen.
    POINT corner{0, 22};
    ClientToScreen(static_cast<HWND>(c->getHandle()), &corner);
    EXPECT_EQ(at.x, corner.x);
    EXPECT_EQ(at.y, corner.y);
}

TEST_F(Combos, ThreeItemsShowThreeRowsAndNoScrollBar)
{
    DComboBox* c = combo(3);
    c->dropDown();
    DCBDropMenu* list = c->getDropMenu();
    ASSERT_TRUE(list->isOpen());
    EXPECT_EQ(list->bounds().height, 3 * list->lineHeight() + 4);
    EXPECT_TRUE(list->getScrollBar()->isInactive());
    EXPECT_FALSE(list->getScrollBar()->isVisible());
}

TEST_F(Combos, OpensByClickDownAndF4)
{
    DComboBox* c = combo(4);
    DCBDropMenu* list = c->getDropMenu();
    clickWindow(40, 40);
    EXPECT_TRUE(list->isOpen());
    EXPECT_TRUE(c->isFocused());
    EXPECT_EQ(GetCapture(), list->getHandle());
    EXPECT_EQ(owner.getKeyTarget(), list);
    key(VK_ESCAPE);
    EXPECT_FALSE(list->isOpen());
    EXPECT_EQ(owner.getKeyTarget(), nullptr);
    EXPECT_EQ(c->getKeyGrab(), nullptr);

    key(VK_DOWN);
    EXPECT_TRUE(list->isOpen());
    key(VK_ESCAPE);
    key(VK_F4);
    EXPECT_TRUE(list->isOpen());
    key(VK_ESCAPE);
    EXPECT_FALSE(list->isOpen());

    // With a modifier, or another key, nothing opens.
    holdKeys({VK_LSHIFT});
    key(VK_F4);
    releaseKeys();
    key(VK_UP);
    key('A');
    EXPECT_FALSE(list->isOpen());
    pumpMessages();
    EXPECT_EQ(changesFrom(c), 0);
    EXPECT_EQ(c->getSelected(), 0);
}

TEST_F(Combos, OtherArrowsChooseInPlaceAndNeverMoveTheFocus)
{
    DComboBox* c = combo(3);
    auto* other = new DComboBox;
    other->init(20, 80, 120, 21);
    owner.addView(other);
    owner.setFocus(c);
    key(VK_RIGHT);
    EXPECT_EQ(c->getSelected(), 1);
    key(VK_RIGHT);
    key(VK_RIGHT);  // at the last item: nothing more, the focus stays
    EXPECT_EQ(c->getSelected(), 2);
    EXPECT_TRUE(c->getText() == "Item 2");
    EXPECT_EQ(changesFrom(c), 2);
    key(VK_LEFT);
    key(VK_UP);
    key(VK_UP);
    key(VK_LEFT);
    EXPECT_EQ(c->getSelected(), 0);
    EXPECT_EQ(changesFrom(c), 4);
    EXPECT_TRUE(c->isFocused());
    EXPECT_FALSE(other->isFocused());
    EXPECT_FALSE(c->getDropMenu()->isOpen());
}

TEST_F(Combos, TheDropButtonFocusesTheComboAndOpensTheList)
{
    DComboBox* c = combo(4);
    owner.setFocus(nullptr);
    ASSERT_FALSE(c->isFocused());
    DCBDropBtn* button = c->getDropButton();
    EXPECT_EQ(button->getX(), 100);
    EXPECT_EQ(button->getHeight(), 17);
    SendMessageA(h, WM_MOUSEMOVE, 0, point(128, 40));
    EXPECT_EQ(button->getState(), 2);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point(128, 40));
    EXPECT_EQ(button->getState(), 1);
    SendMessageA(h, WM_LBUTTONUP, 0, point(128, 40));
    EXPECT_TRUE(c->getDropMenu()->isOpen());
    EXPECT_TRUE(c->isFocused());
    c->getDropMenu()->close();
}

TEST_F(Combos, ChoosingARowByMouseNotifiesTheParentOnce)
{
    DComboBox* c = combo(10);
    DCBDropMenu* list = c->getDropMenu();
    c->dropDown();
    EXPECT_EQ(list->getHotRow(), 0);  // the caption's row
    POINT row2 = rowCentre(list, 2);
    moveOver(*list, row2.x, row2.y);
    EXPECT_EQ(list->getHotRow(), 2);
    SendMessageA(list->getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(row2.x, row2.y));
    SendMessageA(list->getHandle(), WM_LBUTTONUP, 0, MAKELPARAM(row2.x, row2.y));
    pumpMessages();
    EXPECT_FALSE(list->isOpen());
    EXPECT_EQ(c->getSelected(), 2);
    EXPECT_TRUE(c->getText() == "Item 2");
    EXPECT_EQ(changesFrom(c), 1);
    EXPECT_EQ(owner.last("change")->a, 1);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(owner.getKeyTarget(), nullptr);
}

TEST_F(Combos, ChoosingARowByKeyboardNotifiesTheParentOnce)
{
    DComboBox* c = combo(10);
    DCBDropMenu* list = c->getDropMenu();
    key(VK_DOWN);  // opens
    ASSERT_TRUE(list->isOpen());
    key(VK_DOWN);
    key(VK_DOWN);
    key(VK_UP);
    EXPECT_EQ(list->getHotRow(), 1);
    EXPECT_EQ(changesFrom(c), 0);  // moving the hot row chooses nothing
    key(VK_RETURN);
    pumpMessages();
    EXPECT_FALSE(list->isOpen());
    EXPECT_EQ(c->getSelected(), 1);
    EXPECT_TRUE(c->getText() == "Item 1");
    EXPECT_EQ(changesFrom(c), 1);
    // Escape after moving chooses nothing.
    key(VK_F4);
    key(VK_DOWN);
    key(VK_ESCAPE);
    pumpMessages();
    EXPECT_EQ(c->getSelected(), 1);
    EXPECT_EQ(changesFrom(c), 1);
}

TEST_F(Combos, KeysScrollTheHotRowIntoView)
{
    DComboBox* c = combo(10);
    DCBDropMenu* list = c->getDropMenu();
    c->dropDown();
    key(VK_END);
    EXPECT_EQ(list->getHotRow(), 9);
    EXPECT_EQ(list->firstShownRow(), 4);
    key(VK_PRIOR);
    EXPECT_EQ(list->getHotRow(), 3);
    EXPECT_EQ(list->firstShownRow(), 3);
    key(VK_HOME);
    EXPECT_EQ(list->getHotRow(), 0);
    EXPECT_EQ(list->firstShownRow(), 0);
    key(VK_NEXT);
    EXPECT_EQ(list->getHotRow(), 6);
    EXPECT_EQ(list->firstShownRow(), 1);
    key(VK_ESCAPE);
    // Opening again shows the selected row.
    c->setSelected(8);
    c->dropDown();
    EXPECT_EQ(list->getHotRow(), 8);
    EXPECT_EQ(list->firstShownRow(), 3);
    // The wheel moves the list one step.
    SendMessageA(h, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), point(0, 0));
    EXPECT_EQ(list->firstShownRow(), 2);
    SendMessageA(h, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), point(0, 0));
    EXPECT_EQ(list->firstShownRow(), 3);
    EXPECT_TRUE(list->isOpen());
    // A click on a row chooses what is shown there.
    POINT shown = rowCentre(list, 5);
    clickAt(*list, shown.x, shown.y);
    EXPECT_EQ(c->getSelected(), 5);
}

TEST_F(Combos, ACaptionNotInTheListOpensWithNoHotRow)
{
    DComboBox* c = combo(5);
    c->setText(DString("Elsewhere"));
    c->dropDown();
    EXPECT_EQ(c->getDropMenu()->getHotRow(), -1);
    key(VK_RETURN);  // nothing hot: nothing chosen
    pumpMessages();
    EXPECT_FALSE(c->getDropMenu()->isOpen());
    EXPECT_EQ(changesFrom(c), 0);
    EXPECT_EQ(c->getSelected(), 0);
}

TEST_F(Combos, SetSelectedPastTheLastItemClearsTheCaptionQuietly)
{
    DComboBox* c = combo(3);
    c->setSelected(2);
    EXPECT_TRUE(c->getText() == "Item 2");
    c->setSelected(3);
    EXPECT_EQ(c->getSelected(), -1);
    EXPECT_TRUE(c->getText() == "");
    c->setSelected(-4);
    EXPECT_EQ(c->getSelected(), -1);
    pumpMessages();
    EXPECT_EQ(changesFrom(c), 0);
    EXPECT_EQ(c->itemCount(), 3);
    EXPECT_TRUE(c->itemText(1) == "Item 1");
}

TEST_F(Combos, AClickOutsideOrBetweenRowsClosesWithoutAChoice)
{
    DComboBox* c = combo(10);
    DCBDropMenu* list = c->getDropMenu();
    c->dropDown();
    clickAt(*list, 400 & 0xFFFF, -30 & 0xFFFF);
    EXPECT_FALSE(list->isOpen());
    c->dropDown();
    POINT row3 = rowCentre(list, 3);
    moveOver(*list, row3.x, row3.y);
    int between = dropListRowY(4, list->firstShownRow(), list->lineHeight());
    clickAt(*list, row3.x, between);  // the line between rows 3 and 4
    EXPECT_FALSE(list->isOpen());
    pumpMessages();
    EXPECT_EQ(changesFrom(c), 0);
    EXPECT_EQ(c->getSelected(), 0);
}

TEST_F(Combos, AClickOnTheScrollBarScrollsAndKeepsTheListOpen)
{
    DComboBox* c = combo(10);
    DCBDropMenu* list = c->getDropMenu();
    c->dropDown();
    DRect at = list->bounds();
    // The lower arrow of the scroll bar.
    int x = at.width - 10;
    int y = at.height - 8;
    SendMessageA(list->getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(list->getHandle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    EXPECT_TRUE(list->isOpen());
    EXPECT_EQ(list->firstShownRow(), 1);
    list->close();
    pumpMessages();
    EXPECT_EQ(changesFrom(c), 0);
}

TEST_F(Combos, NearTheBottomOfTheScreenTheListOpensAboveTheCombo)
{
    DComboBox* c = combo(10);
    owner.moveTo(100, screenHeight() - 80);
    c->dropDown();
    DCBDropMenu* list = c->getDropMenu();
    ASSERT_TRUE(list->isOpen());
    POINT top{0, 0};
    ClientToScreen(static_cast<HWND>(c->getHandle()), &top);
    DRect at = list->bounds();
    EXPECT_EQ(at.y + at.height, top.y + 1);
}

TEST_F(Combos, ARealClickOnARowChoosesIt)
{
    DComboBox* c = combo(10);
    owner.moveTo(100, 100);
    owner.show(true);
    SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    pumpMessages();
    DCBDropMenu* list = c->getDropMenu();
    for (int attempt = 0; attempt < 3 && changesFrom(c) == 0; attempt++) {
        if (!list->isOpen())
            c->dropDown();
        pumpMessages();
        POINT row = rowCentre(list, 4);
        ClientToScreen(list->getHandle(), &row);
        ASSERT_TRUE(systemClick(row.x, row.y));
        pumpUntil([&] { return changesFrom(c) > 0; }, 3000);
    }
    EXPECT_EQ(changesFrom(c), 1);
    EXPECT_EQ(c->getSelected(), 4);
    EXPECT_FALSE(list->isOpen());
}

TEST_F(Combos, AParentMayCloseItsWindowOnTheChange)
{
    DComboBox* c = combo(4);
    c->dropDown();
    DCBDropMenu* list = c->getDropMenu();
    HWND listWindow = list->getHandle();
    POINT row = rowCentre(list, 1);
    // The list, the combo and the whole view tree go while the list's own mouse handling
    // is still on the stack.
    owner.onChangeAction = [&](DView*) { owner.close(); };
    SendMessageA(listWindow, WM_MOUSEMOVE, 0, MAKELPARAM(row.x, row.y));
    SendMessageA(listWindow, WM_LBUTTONUP, 0, MAKELPARAM(row.x, row.y));
    pumpMessages();
    EXPECT_EQ(owner.count("change"), 1);
    EXPECT_EQ(owner.getHandle(), nullptr);
    EXPECT_FALSE(IsWindow(listWindow));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Combos, TheHotRowIsPaintedWhereTheMouseHitsIt)
{
    DComboBox* c = combo(10);
    c->dropDown();
    DCBDropMenu* list = c->getDropMenu();
    pumpMessages();
    auto pixelAt = [&](int x, int y) {
        HDC dc = GetDC(list->getHandle());
        COLORREF color = GetPixel(dc, x, y);
        ReleaseDC(list->getHandle(), dc);
        return color;
    };
    // Right of every text, left of the scroll bar.
    int x = dropListRowWidth(list->bounds().width, true) - 2;
    POINT row0 = rowCentre(list, 0);
    POINT row3 = rowCentre(list, 3);
    EXPECT_EQ(pixelAt(x, row0.y), list->getSelectColor().value());  // the caption's row
    EXPECT_EQ(pixelAt(x, row3.y), list->getBackColor().value());
    moveOver(*list, row3.x, row3.y);
    pumpMessages();
    EXPECT_EQ(pixelAt(x, row3.y), list->getSelectColor().value());
    EXPECT_EQ(pixelAt(x, row0.y), list->getBackColor().value());
    // The list is white, not a menu's icon column grey.
    EXPECT_EQ(list->getBackColor().value(), 0xFFFFFFu);
}
