// The demonstration window in a real window under the test application: every control is
// made, attached and laid out without overlaps inside its parent, and the window's wiring
// works - the wait bar runs from its timer, the menu button opens the menu, choices reach
// the status line, the tool tip is asked for while the pointer rests on its button.
#include "MenuTestKit.h"

#include "controls/DButton.h"
#include "controls/DCheckBox.h"
#include "controls/DComboBox.h"
#include "controls/DGroup.h"
#include "controls/DInputLine.h"
#include "controls/DListView.h"
#include "controls/DMenu.h"
#include "controls/DMenuItem.h"
#include "controls/DScrollBar.h"
#include "controls/DStaticText.h"
#include "controls/DToolTip.h"
#include "controls/DWaitBar.h"
#include "framework/DWinInterior.h"
#include "framework/SystemUtils.h"
#include "system/DTimer.h"
#include "tools/demo/DemoWindow.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace windowtest;

namespace {

void collect(DView* view, std::vector<DView*>& out)
{
    for (int i = 0; i < view->childCount(); ++i) {
        out.push_back(view->childAt(i));
        collect(view->childAt(i), out);
    }
}

template <typename T>
int countOf(const std::vector<DView*>& views)
{
    int n = 0;
    for (DView* v : views)
        if (dynamic_cast<T*>(v))
            ++n;
    return n;
}

std::string text(const DView* view)
{
    return view ? std::string(view->getText().text()) : std::string("(none)");
}

class Demo : public ::testing::Test {
protected:
    void SetUp() override
    {
        releaseKeys();
        parkPointer();
        ASSERT_TRUE(window.make(false));
        window.moveTo(20, 20);
        window.show(true);
        pumpMessages();
    }
    void TearDown() override
    {
        window.close();
        pumpMessages();
    }
    // A click at the centre of `view`, sent to the window in client pixels.
    void clickOn(DView* view)
    {
        int x = 0, y = 0;
        view->absolutePosition(x, y);
        x += view->getWidth() / 2;
        y += view->getHeight() / 2;
        HWND h = window.getHandle();
        SendMessageA(h, WM_MOUSEMOVE, 0, point(x, y));
        SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point(x, y));
        SendMessageA(h, WM_LBUTTONUP, 0, point(x, y));
    }
    void moveOnto(DView* view)
    {
        int x = 0, y = 0;
        view->absolutePosition(x, y);
        SendMessageA(window.getHandle(), WM_MOUSEMOVE, 0,
                     point(x + view->getWidth() / 2, y + view->getHeight() / 2));
    }

    DemoWindow window;
};

TEST_F(Demo, EveryControlIsMadeAttachedAndShown)
{
    std::vector<DView*> named = {
        window.nameField(), window.passwordField(), window.mailboxList(),
        window.freeScrollBar(), window.scrollLabel(), window.intervalCombo(),
        window.soundCheck(), window.activityBar(), window.animationButton(),
        window.menuButton(), window.tipButton(), window.disabledButton(), window.statusLine(),
    };
    for (int i = 0; i < DemoWindow::alignedCount; ++i)
        named.push_back(window.alignedText(i));
    for (DView* v : named) {
        ASSERT_NE(v, nullptr);
        EXPECT_NE(v->getHandle(), nullptr) << text(v) << " has no window";
        EXPECT_TRUE(v->isVisible()) << text(v);
        EXPECT_TRUE(IsWindowVisible(static_cast<HWND>(v->getHandle()))) << text(v);
    }
    EXPECT_FALSE(window.nameField()->isPasswordMode());
    EXPECT_TRUE(window.passwordField()->isPasswordMode());
    EXPECT_FALSE(window.disabledButton()->isEnabled());
    EXPECT_TRUE(window.nameField()->isFocused());

    std::vector<DView*> all;
    collect(window.getInterior(), all);
    EXPECT_GE(countOf<DGroup>(all), 5);
    EXPECT_EQ(countOf<DInputLine>(all), 2);
    EXPECT_EQ(countOf<DListView>(all), 1);
    EXPECT_EQ(countOf<DComboBox>(all), 1);
    EXPECT_EQ(countOf<DWaitBar>(all), 1);
    EXPECT_EQ(countOf<DCheckBox>(all), 1);
    // The free bar and the list's two.
    EXPECT_EQ(countOf<DScrollBar>(all), 3);

    // The static texts show every alignment: left, centred and right, top, middle, bottom.
    std::set<int> formats;
    for (int i = 0; i < DemoWindow::alignedCount; ++i)
        formats.insert(window.alignedText(i)->getFormat());
    EXPECT_EQ(formats.size(), size_t(DemoWindow::alignedCount));
    std::set<int> horizontal, vertical;
    for (int f : formats) {
        horizontal.insert(f & 0x7);
        vertical.insert(f & 0x60);
    }
    EXPECT_EQ(horizontal, (std::set<int>{1, 2, 4}));
    EXPECT_EQ(vertical, (std::set<int>{0, 0x20, 0x40}));

    // The windows the controls open are made.
    ASSERT_NE(window.mainMenu(), nullptr);
    ASSERT_NE(window.toolTip(), nullptr);
    EXPECT_NE(window.mainMenu()->getHandle(), nullptr);
    EXPECT_NE(window.toolTip()->getHandle(), nullptr);
}

TEST_F(Demo, ControlsLieInsideTheirParentsWithoutOverlapping)
{
    // The window's own views and those inside groups; the inner parts of the list and the
    // combo are theirs to place.
    std::vector<DView*> parents = {window.getInterior()};
    std::vector<DView*> all;
    collect(window.getInterior(), all);
    for (DView* v : all)
        if (dynamic_cast<DGroup*>(v))
            parents.push_back(v);
    for (DView* parent : parents) {
        const int count = parent->childCount();
        ASSERT_GT(count, 0);
        for (int i = 0; i < count; ++i) {
            DView* a = parent->childAt(i);
            EXPECT_GE(a->getX(), 0) << text(a);
            EXPECT_GE(a->getY(), 0) << text(a);
            EXPECT_LE(a->getX() + a->getWidth(), parent->getWidth()) << text(a) << " in " << text(parent);
            EXPECT_LE(a->getY() + a->getHeight(), parent->getHeight()) << text(a) << " in " << text(parent);
            for (int j = i + 1; j < count; ++j) {
                DView* b = parent->childAt(j);
                const bool apart = a->getX() + a->getWidth() <= b->getX() ||
                                   b->getX() + b->getWidth() <= a->getX() ||
                                   a->getY() + a->getHeight() <= b->getY() ||
                                   b->getY() + b->getHeight() <= a->getY();
                EXPECT_TRUE(apart) << text(a) << " overlaps " << text(b);
            }
        }
    }
}

TEST_F(Demo, TheListHasMoreRowsThanItShowsAndScrolls)
{
    DListView* list = window.mailboxList();
    EXPECT_EQ(list->rowCount(), DemoWindow::rowCount);
    EXPECT_EQ(list->columnCount(), 3);
    DScrollBar* bar = list->getVerticalBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isInactive());
    EXPECT_GE(bar->getTotal(), unsigned(DemoWindow::rowCount));
    EXPECT_LT(bar->getPageSize(), bar->getTotal());
    // The columns are wider than the list: the sideways bar has something to scroll too.
    EXPECT_FALSE(list->getHorizontalBar()->isInactive());
    list->setSelected(DemoWindow::rowCount - 1);
    EXPECT_GT(list->getTopRow(), 0);
}

TEST_F(Demo, TheWaitBarRunsFromTheTimerAndTheButtonStopsIt)
{
    DWaitBar* bar = window.activityBar();
    EXPECT_TRUE(bar->isRunning());
    ASSERT_TRUE(window.animationTimer()->isEnabled());
    const int start = bar->getPosition();
    EXPECT_TRUE(pumpUntil([&] { return bar->getPosition() != start; }, 5000));

    clickOn(window.animationButton());
    EXPECT_FALSE(bar->isRunning());
    EXPECT_FALSE(window.animationTimer()->isEnabled());
    EXPECT_EQ(text(window.animationButton()), "Start");
    clickOn(window.animationButton());
    EXPECT_TRUE(bar->isRunning());
    EXPECT_TRUE(window.animationTimer()->isEnabled());

    window.close();
    EXPECT_FALSE(window.animationTimer()->isEnabled());
}

TEST_F(Demo, TheMenuButtonOpensTheMenuAndAChoiceReachesTheWindow)
{
    DMenu* menu = window.mainMenu();
    clickOn(window.menuButton());
    ASSERT_TRUE(menu->isOpen());
    EXPECT_EQ(menu->getOwnerWindow(), &window);

    // A check mark, a disabled item, separators and a submenu with a check mark of its own.
    int separators = 0, checked = 0, disabled = 0;
    DMenu* submenu = nullptr;
    for (int i = 0; i < menu->itemCount(); ++i) {
        DMenuItem* item = menu->itemAt(i);
        separators += item->isSeparator();
        checked += item->checked;
        disabled += !item->enabled;
        if (item->submenu)
            submenu = item->submenu;
    }
    EXPECT_EQ(separators, 2);
    EXPECT_EQ(checked, 1);
    EXPECT_EQ(disabled, 1);
    ASSERT_EQ(submenu, window.languageMenu());
    EXPECT_TRUE(submenu->isItemChecked(demoEnglish));

    // Choosing "Play a sound" closes the menu and turns the check box off.
    ASSERT_TRUE(window.soundCheck()->isChecked());
    ASSERT_EQ(menu->itemAt(1)->id, int(demoPlaySound));
    menutest::clickItem(*menu, 1);
    EXPECT_FALSE(menu->isOpen());
    EXPECT_FALSE(window.soundCheck()->isChecked());
    EXPECT_EQ(text(window.statusLine()), "Menu: sound off.");

    // The next opening shows the check box's state.
    clickOn(window.menuButton());
    ASSERT_TRUE(menu->isOpen());
    EXPECT_FALSE(menu->isItemChecked(demoPlaySound));
    menutest::pressKey(menu->getHandle(), VK_ESCAPE);
    EXPECT_FALSE(menu->isOpen());
}

TEST_F(Demo, ChoicesReachTheStatusLineAndTheBarLabel)
{
    DScrollBar* bar = window.freeScrollBar();
    const unsigned before = bar->getPosition();
    bar->lineDown();
    EXPECT_EQ(bar->getPosition(), before + 1);
    EXPECT_EQ(text(window.scrollLabel()), "Position " + std::to_string(before + 1));

    DComboBox* combo = window.intervalCombo();
    ASSERT_GE(combo->itemCount(), 7);  // more than the drop list shows: it scrolls
    combo->chooseFromList(4);
    EXPECT_EQ(combo->getSelected(), 4);
    EXPECT_EQ(text(window.statusLine()), "Interval: " + std::string(combo->itemText(4).text()));

    clickOn(window.soundCheck());
    EXPECT_FALSE(window.soundCheck()->isChecked());
    EXPECT_EQ(text(window.statusLine()), "Sound off.");
}

TEST_F(Demo, TheToolTipIsAskedForWhileThePointerRestsOnItsButton)
{
    DToolTip* tip = window.toolTip();
    EXPECT_FALSE(tip->isShowRequested());
    moveOnto(window.tipButton());
    EXPECT_TRUE(tip->isShowRequested());
    // It is placed just below its button.
    int x = 0, y = window.tipButton()->getHeight();
    clientToScreen(static_cast<HWND>(window.tipButton()->getHandle()), x, y);
    EXPECT_EQ(tip->bounds().x, x);
    EXPECT_GE(tip->bounds().y, y);
    moveOnto(window.menuButton());
    EXPECT_FALSE(tip->isShowRequested());
    EXPECT_FALSE(IsWindowVisible(tip->getHandle()));
}

}  // namespace
