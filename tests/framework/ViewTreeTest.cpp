// The view tree inside a real window: routing, focus and Tab order, hot tracking, paint
// order, native child windows, and views destroyed while their own event is handled.
#include "WindowTestKit.h"

#include "framework/DWinInterior.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>

using namespace windowtest;

namespace {

std::string paintLog;

// A plain view that records what reaches it.
class ProbeView : public DView {
public:
    explicit ProbeView(const char* viewName, bool takesFocus = false, bool* deletedFlag = nullptr)
        : name(viewName), deleted(deletedFlag)
    {
        init(0, 0, 10, 10);
        focusable = takesFocus;
    }
    ~ProbeView() override
    {
        if (deleted)
            *deleted = true;
    }
    void place(int px, int py, int w, int h) { setBounds(px, py, w, h); }
    void setWantsDoubleClick(bool flag) { acceptsDoubleClick = flag; }
    void paint() override
    {
        paintLog += name;
        paintLog += ' ';
    }
    bool keyDown(int key, int mods) override
    {
        keys += key;
        return DView::keyDown(key, mods);
    }
    void mouseEnter() override { enters++; }
    void mouseLeave() override { leaves++; }
    bool leftButtonDown(int x, int y, int) override
    {
        lastX = x;
        lastY = y;
        return true;
    }
    bool doubleClick(int, int, int) override
    {
        doubleClicks++;
        return true;
    }

    std::string name;
    bool* deleted;
    int keys = 0;
    int enters = 0;
    int leaves = 0;
    int lastX = -1;
    int lastY = -1;
    int doubleClicks = 0;
};

// How many times `name` was painted since paintLog was last cleared.
int paints(const std::string& name)
{
    int n = 0;
    size_t at = 0;
    while (at < paintLog.size()) {
        size_t end = paintLog.find(' ', at);
        if (end == std::string::npos)
            end = paintLog.size();
        if (paintLog.compare(at, end - at, name) == 0)
            n++;
        at = end + 1;
    }
    return n;
}

class ViewTree : public OneWindowTest {
protected:
    // Shows the window where no other test puts one, on top of other programs' windows, and
    // lets its first paint happen.
    void showOnTop()
    {
        window.moveTo(600, 40);
        window.show(true);
        SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        pumpMessages();
    }

    ProbeView* add(const char* name, int x, int y, int w, int hgt, bool focusable = false)
    {
        auto* view = new ProbeView(name, focusable);
        view->place(x, y, w, hgt);
        window.addView(view);
        return view;
    }
};

}  // namespace

TEST_F(ViewTree, EachAttachedViewHasADisabledNativeChildWindow)
{
    ProbeView* a = add("a", 10, 20, 50, 30);
    HWND child = static_cast<HWND>(a->getHandle());
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), h);
    EXPECT_FALSE(IsWindowEnabled(child));
    DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    EXPECT_EQ(style & 0x46000000u, 0x46000000u);  // child, clip siblings, clip children
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION), 0u);
    RECT r;
    GetWindowRect(child, &r);
    POINT topLeft{r.left, r.top};
    ScreenToClient(h, &topLeft);
    EXPECT_EQ(topLeft.x, 10);
    EXPECT_EQ(topLeft.y, 20);
    EXPECT_EQ(r.right - r.left, 50);
    // A nested view sits under its parent's own window.
    auto* inner = new ProbeView("inner");
    inner->place(5, 5, 10, 10);
    a->addChild(inner);
    EXPECT_EQ(GetParent(static_cast<HWND>(inner->getHandle())), child);
    a->setVisible(false);
    EXPECT_FALSE(IsWindowVisible(child));
}

TEST_F(ViewTree, MouseEventsArriveInTheViewsOwnCoordinates)
{
    ProbeView* group = add("group", 50, 40, 100, 100);
    auto* inner = new ProbeView("inner");
    inner->place(10, 20, 30, 30);
    group->addChild(inner);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point(65, 65));
    EXPECT_EQ(inner->lastX, 5);
    EXPECT_EQ(inner->lastY, 5);
    EXPECT_EQ(group->lastX, -1);
    ASSERT_NE(window.last("viewMouseDown"), nullptr);
    EXPECT_EQ(window.last("viewMouseDown")->source, inner);
    EXPECT_EQ(window.count("mouseDown"), 0);  // consumed by the view
}

TEST_F(ViewTree, PaintingGoesParentFirstThenChildrenInOrder)
{
    ProbeView* a = add("a", 0, 0, 100, 100);
    add("b", 100, 0, 50, 50);
    auto* a1 = new ProbeView("a1");
    auto* a2 = new ProbeView("a2");
    a->addChild(a1);
    a->addChild(a2);
    paintLog.clear();
    window.getInterior()->paintNow();
    EXPECT_EQ(paintLog, "a a1 a2 b ");
    a2->setVisible(false);
    paintLog.clear();
    a->paintNow();
    EXPECT_EQ(paintLog, "a a1 ");
}

TEST_F(ViewTree, RedrawsArePaintedOnTheNextTurnOfTheLoopOnceForAllOfThem)
{
    ProbeView* a = add("a", 0, 0, 100, 100);
    ProbeView* b = add("b", 100, 0, 50, 50);
    auto* a1 = new ProbeView("a1");
    a->addChild(a1);
    showOnTop();
    paintLog.clear();
    a->redraw();
    b->redraw();
    a->redraw();
    a1->redraw();
    a->redraw();
    EXPECT_EQ(paintLog, "");  // nothing is painted while the changes are made
    ASSERT_TRUE(pumpUntil([] { return paints("a") && paints("a1") && paints("b"); }, 10000))
        << "painted: " << paintLog;
    pumpMessages();
    EXPECT_EQ(paints("a"), 1);
    EXPECT_EQ(paints("a1"), 1);  // a view's redraw takes its subtree along
    EXPECT_EQ(paints("b"), 1);
}

TEST_F(ViewTree, AViewInAHiddenWindowIsPaintedOnlyOnceTheWindowIsShown)
{
    ProbeView* a = add("a", 0, 0, 100, 100);
    pumpMessages();
    paintLog.clear();
    a->setText("changed");
    a->redraw();
    pumpMessages();
    EXPECT_EQ(paintLog, "");
    showOnTop();
    EXPECT_TRUE(pumpUntil([] { return paints("a") > 0; }, 10000));
}

TEST_F(ViewTree, AddingAFocusableViewMovesTheFocusToIt)
{
    ProbeView* first = add("first", 0, 0, 20, 20, true);
    EXPECT_TRUE(first->isFocused());
    add("plain", 30, 0, 20, 20);
    EXPECT_TRUE(first->isFocused());
    ProbeView* second = add("second", 60, 0, 20, 20, true);
    EXPECT_TRUE(second->isFocused());
    EXPECT_FALSE(first->isFocused());
}

TEST_F(ViewTree, TabWithOneFocusableViewDoesNothing)
{
    ProbeView* only = add("only", 0, 0, 20, 20, true);
    add("plain", 30, 0, 20, 20);
    key(VK_TAB);
    EXPECT_TRUE(only->isFocused());
    EXPECT_EQ(window.getInterior()->getFocusedChild(), only);
}

TEST_F(ViewTree, TabCyclesAndShiftTabFromTheFirstGoesToTheLast)
{
    ProbeView* a = add("a", 0, 0, 20, 20, true);
    ProbeView* group = add("group", 0, 30, 100, 50);
    auto* b = new ProbeView("b", true);
    group->addChild(b);
    ProbeView* c = add("c", 0, 90, 20, 20, true);
    ProbeView* hidden = add("hidden", 30, 90, 20, 20, true);
    hidden->setVisible(false);
    window.setFocus(a);
    ASSERT_TRUE(a->isFocused());
    holdKeys({VK_SHIFT});
    key(VK_TAB);
    releaseKeys();
    EXPECT_TRUE(c->isFocused());
    EXPECT_FALSE(a->isFocused());
    key(VK_TAB);
    EXPECT_TRUE(a->isFocused());
    key(VK_TAB);
    EXPECT_TRUE(b->isFocused());  // pre-order: into the group
    EXPECT_FALSE(a->isFocused());
    key(VK_TAB);
    EXPECT_TRUE(c->isFocused());
    EXPECT_FALSE(b->isFocused());
}

TEST_F(ViewTree, ArrowKeysOfAFocusedViewMoveTheFocus)
{
    ProbeView* a = add("a", 0, 0, 20, 20, true);
    ProbeView* b = add("b", 30, 0, 20, 20, true);
    window.setFocus(a);
    key(VK_RIGHT);
    EXPECT_TRUE(b->isFocused());
    EXPECT_EQ(a->keys, VK_RIGHT);
    key(VK_UP);
    EXPECT_TRUE(a->isFocused());
}

TEST_F(ViewTree, DisablingTheFocusedViewLeavesNoViewFocused)
{
    ProbeView* a = add("a", 0, 0, 20, 20, true);
    ASSERT_TRUE(a->isFocused());
    a->setEnabled(false);
    EXPECT_FALSE(a->isFocused());
    EXPECT_EQ(window.getInterior()->getFocusedChild(), nullptr);
    a->setEnabled(true);
    EXPECT_FALSE(a->isFocused());
}

TEST_F(ViewTree, HotFollowsTheMouseAndLeavingTheWindowClearsIt)
{
    ProbeView* a = add("a", 0, 0, 50, 50);
    ProbeView* b = add("b", 100, 0, 50, 50);
    SendMessageA(h, WM_MOUSEMOVE, 0, point(10, 10));
    EXPECT_TRUE(a->isHot());
    EXPECT_EQ(a->enters, 1);
    SendMessageA(h, WM_MOUSEMOVE, 0, point(11, 10));
    EXPECT_EQ(a->enters, 1);
    SendMessageA(h, WM_MOUSEMOVE, 0, point(110, 10));
    EXPECT_FALSE(a->isHot());
    EXPECT_EQ(a->leaves, 1);
    EXPECT_TRUE(b->isHot());
    SendMessageA(h, WM_MOUSEMOVE, 0, point(200, 150));  // bare interior
    EXPECT_FALSE(b->isHot());
    EXPECT_EQ(b->leaves, 1);
    EXPECT_TRUE(window.getInterior()->isHot());
    SendMessageA(h, WM_MOUSEMOVE, 0, point(10, 10));
    SendMessageA(h, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(a->isHot());
    EXPECT_FALSE(window.getInterior()->isHot());
    EXPECT_EQ(a->leaves, 2);
}

TEST_F(ViewTree, DoubleClicksGoOnlyToViewsThatAcceptThem)
{
    ProbeView* plain = add("plain", 0, 0, 50, 50);
    ProbeView* list = add("list", 100, 0, 50, 50);
    list->setWantsDoubleClick(true);
    SendMessageA(h, WM_LBUTTONUP, 0, point(10, 10));
    fakeTick += 100;
    SendMessageA(h, WM_LBUTTONUP, 0, point(10, 10));
    EXPECT_EQ(plain->doubleClicks, 0);
    EXPECT_EQ(window.count("doubleClick"), 0);  // swallowed by the view
    SendMessageA(h, WM_LBUTTONUP, 0, point(110, 10));
    fakeTick += 100;
    SendMessageA(h, WM_LBUTTONUP, 0, point(110, 10));
    EXPECT_EQ(list->doubleClicks, 1);
    EXPECT_EQ(window.count("doubleClick"), 0);
}

TEST_F(ViewTree, AReleaseOverAnyViewReportsItActivated)
{
    ProbeView* label = add("label", 20, 20, 60, 15);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point(25, 25));
    SendMessageA(h, WM_LBUTTONUP, 0, point(25, 25));
    ASSERT_EQ(window.count("click"), 1);
    EXPECT_EQ(window.last("click")->source, label);
    EXPECT_EQ(window.count("mouseUp"), 0);
    // Over the bare interior the window's own handler gets it and nothing is activated.
    SendMessageA(h, WM_LBUTTONUP, 0, point(200, 150));
    EXPECT_EQ(window.count("click"), 1);
    EXPECT_EQ(window.count("mouseUp"), 1);
}

TEST_F(ViewTree, ClosingTheWindowFromAViewsClickFreesTheViewsAfterwards)
{
    bool deleted = false;
    auto* view = new ProbeView("closer", false, &deleted);
    view->place(10, 10, 40, 20);
    window.addView(view);
    bool deletedDuringHandler = true;
    window.clickAction = [&](DView*) {
        window.close();
        deletedDuringHandler = deleted;
    };
    SendMessageA(h, WM_LBUTTONUP, 0, point(20, 20));
    EXPECT_EQ(window.closeCount, 1);
    EXPECT_FALSE(deletedDuringHandler);  // still allocated while the handler unwinds
    EXPECT_TRUE(deleted);                // freed once the message was handled
    EXPECT_EQ(window.getHandle(), nullptr);
}

TEST_F(ViewTree, ViewTimerTicksStopOnceTheViewIsDestroyed)
{
    ProbeView* a = add("a", 0, 0, 20, 20);
    EXPECT_TRUE(DView::isLive(a));
    EXPECT_EQ(DView::tickHandleFor(a), a->getHandle());
    a->destroy();
    EXPECT_FALSE(DView::isLive(a));
    EXPECT_EQ(DView::tickHandleFor(a), nullptr);
    EXPECT_EQ(window.getInterior()->childCount(), 0);
}

TEST_F(ViewTree, CentringTruncatesHalvesAndReportsMovesBeforeResizes)
{
    struct Tracking : ProbeView {
        Tracking() : ProbeView("tracking") {}
        void moved(int, int) override { order += "moved "; }
        void resized(int, int) override { order += "resized "; }
        std::string order;
    };
    auto* view = new Tracking;
    window.addView(view);
    view->order.clear();
    view->setBounds(1, 2, 101, 51);
    EXPECT_EQ(view->order, "moved resized ");
    view->centerInParent();  // interior 300 x 200
    EXPECT_EQ(view->getX(), 99);
    EXPECT_EQ(view->getY(), 74);
    view->setBounds(0, 0, 101, 51);
    view->centerHorizontally();
    EXPECT_EQ(view->getX(), 99);
    EXPECT_EQ(view->getY(), 0);
}

TEST_F(ViewTree, AWindowWithADisabledInteriorIgnoresClose)
{
    window.getInterior()->setEnabled(false);
    window.close();
    EXPECT_TRUE(IsWindow(h));
    EXPECT_EQ(window.closeCount, 0);
    // Input over a disabled interior is left to the window itself.
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point(5, 5));
    EXPECT_EQ(window.count("mouseDown"), 1);
    window.getInterior()->setEnabled(true);
}

TEST_F(ViewTree, AKeyGrabClimbsToTheWindowWhichSendsItsKeysToTheGrabbingWindow)
{
    RecordingWindow menu;
    ASSERT_TRUE(menu.make(80, 60, windowFrameless));
    ProbeView* a = add("a", 0, 0, 20, 20, true);
    a->setKeyGrab(&menu);
    EXPECT_EQ(window.getKeyTarget(), &menu);
    EXPECT_EQ(window.getInterior()->getKeyGrab(), &menu);
    key(VK_DOWN);
    EXPECT_EQ(menu.names(), "keyDown keyUp");
    EXPECT_EQ(a->keys, 0);
    EXPECT_EQ(window.count("keyDown"), 0);
    a->setKeyGrab(nullptr);
    EXPECT_EQ(window.getKeyTarget(), nullptr);
    key(VK_DOWN);
    EXPECT_EQ(a->keys, VK_DOWN);
    menu.close();
}

TEST_F(ViewTree, AKeyGrabOfADeletedWindowIsDroppedAndKeysGoTheirNormalWay)
{
    // The grabbing window lives in storage the test owns, so a call into it after its
    // deletion cannot go unnoticed.
    alignas(RecordingWindow) static unsigned char storage[sizeof(RecordingWindow)];
    auto* menu = new (storage) RecordingWindow;
    ASSERT_TRUE(menu->make(80, 60, windowFrameless));
    ProbeView* a = add("a", 0, 0, 20, 20, true);
    a->setKeyGrab(menu);
    menu->close();
    menu->~RecordingWindow();
    std::memset(storage, 0xA5, sizeof storage);
    key(VK_F2);
    EXPECT_EQ(a->keys, VK_F2);
    EXPECT_EQ(window.getInterior()->getKeyGrab(), nullptr);
    EXPECT_EQ(a->getKeyGrab(), nullptr);
    EXPECT_EQ(window.count("keyDown"), 1);

    // The same for a typed character reaching the views.
    alignas(RecordingWindow) static unsigned char other[sizeof(RecordingWindow)];
    menu = new (other) RecordingWindow;
    ASSERT_TRUE(menu->make(80, 60, windowFrameless));
    a->setKeyGrab(menu);
    window.setKeyTarget(nullptr);
    menu->close();
    menu->~RecordingWindow();
    std::memset(other, 0xA5, sizeof other);
    EXPECT_FALSE(window.getInterior()->sendEvent(eventChar, 'x'));
    EXPECT_EQ(window.getInterior()->getKeyGrab(), nullptr);
    EXPECT_EQ(a->getKeyGrab(), nullptr);
}

TEST_F(ViewTree, TheTopBarFollowsTheWidthAndIsForgottenOnceDestroyed)
{
    ProbeView* bar = add("bar", 5, 5, 10, 10);
    window.setTopBar(bar);
    EXPECT_EQ(bar->getX(), 0);
    EXPECT_EQ(bar->getWidth(), 300);
    EXPECT_EQ(bar->getHeight(), 20);
    window.resize(250, 180);
    EXPECT_EQ(bar->getWidth(), 250);
    int widthAfterDestroy = -1;
    window.postAction([&] {
        bar->destroy();  // freed only once this message has been handled
        window.resize(220, 150);
        widthAfterDestroy = bar->getWidth();
    });
    ASSERT_TRUE(pumpUntil([&] { return widthAfterDestroy != -1; }, 5000));
    EXPECT_EQ(widthAfterDestroy, 250);  // the window no longer reaches the destroyed bar
    EXPECT_EQ(window.getTopBar(), nullptr);
    EXPECT_EQ(window.getInterior()->getWidth(), 220);
}
