// What a screen reader hears while the user works: a win-event hook records the program's
// events while Tab goes through every window, a check box toggles, a field changes, a
// combo box and a menu open, the status line changes and the notification box shows; each
// event leads a screen reader to the node it is about.
#include "AccessibilityFixture.h"

#include "controls/DCBDropMenu.h"
#include "controls/DCheckBox.h"
#include "controls/DComboBox.h"
#include "controls/DInputLine.h"
#include "controls/DMenu.h"
#include "controls/DStaticText.h"
#include "framework/DView.h"
#include "framework/DWinInterior.h"
#include "framework/InputRules.h"
#include "framework/WindowTestKit.h"
#include "windows/DMailBoxWindow.h"
#include "windows/DMainWindow.h"
#include "windows/DTrayIcon.h"
#include "windows/DNotificationBox.h"

#include <algorithm>
#include <vector>

using a11ytest::Run;

namespace {

// The views of the tree under `top` that Tab visits.
void focusable(DView* top, std::vector<DView*>& out)
{
    if (top->isFocusable() && top->isVisible() && top->isEnabled())
        out.push_back(top);
    for (int i = 0; i < top->childCount(); i++)
        focusable(top->childAt(i), out);
}

class Events : public Run {
protected:
    // Presses Tab once for every control the window has, and expects each press to move
    // the focus and to be heard as a focus event that leads to the focused control.
    void tabThrough(DWindow* target)
    {
        std::vector<DView*> stops;
        focusable(target->getInterior(), stops);
        ASSERT_GE(stops.size(), 2u);
        std::vector<DView*> visited;
        for (size_t i = 0; i < stops.size(); i++) {
            recorder.clear();
            press(target->getHandle(), VK_TAB);
            DView* now = DView::focusedIn(target->getInterior());
            ASSERT_NE(now, nullptr);
            visited.push_back(now);
            std::vector<AccessibleEvent> focus = recorder.of(EVENT_OBJECT_FOCUS);
            ASSERT_EQ(focus.size(), 1u) << "Tab " << i;
            EXPECT_EQ(focus[0].window, static_cast<HWND>(now->getHandle())) << "Tab " << i;
            AccessibleNode node;
            ASSERT_TRUE(EventRecorder::nodeOf(focus[0], node));
            EXPECT_TRUE(node.has(STATE_SYSTEM_FOCUSED)) << node.name;
            EXPECT_EQ(node.role, now->accessibleInfo().role);
        }
        // Every stop was visited once.
        for (DView* stop : stops)
            EXPECT_EQ(std::count(visited.begin(), visited.end(), stop), 1);
    }

    EventRecorder recorder;
};

}  // namespace

TEST_F(Events, TabThroughTheMainWindowIsHeardControlByControl)
{
    ASSERT_TRUE(recorder.ok());
    startWith(false);
    showMainWindow();
    tabThrough(window);
}

TEST_F(Events, ACheckBoxToggledFromTheKeyboardIsHeardWithItsNewState)
{
    startWith(false);
    showMainWindow();
    DCheckBox* check = window->getConnectionCheck();
    check->getParent()->setFocus(check);
    bool before = check->isChecked();
    recorder.clear();
    press(window->getHandle(), VK_SPACE);
    ASSERT_NE(check->isChecked(), before);
    std::vector<AccessibleEvent> changes = recorder.of(EVENT_OBJECT_STATECHANGE);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].window, static_cast<HWND>(check->getHandle()));
    AccessibleNode node;
    ASSERT_TRUE(EventRecorder::nodeOf(changes[0], node));
    EXPECT_EQ(node.has(STATE_SYSTEM_CHECKED), check->isChecked());
    EXPECT_EQ(node.name, shown("Check internet connection"));
}

TEST_F(Events, TheStatusLineAndTheNotificationBoxAreReadOut)
{
    startWith(false, 3);
    DNotificationBox* box = window->getNotificationBox();
    ASSERT_TRUE(boxShown());
    box->show(false);
    recorder.clear();
    server.setCount("ann", 5);
    ASSERT_TRUE(checkAgain());
    // The status line went to "Checking..." and back: two name changes of the status text.
    HWND status = static_cast<HWND>(window->getStatusText()->getHandle());
    std::vector<AccessibleEvent> names = recorder.of(EVENT_OBJECT_NAMECHANGE);
    int statusChanges = 0;
    for (const AccessibleEvent& e : names)
        statusChanges += e.window == status ? 1 : 0;
    EXPECT_GE(statusChanges, 2);
    // The box came up with the news: an alert that reads its text.
    ASSERT_TRUE(boxShown());
    std::vector<AccessibleEvent> alerts = recorder.of(EVENT_SYSTEM_ALERT);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].window, box->getHandle());
    AccessibleNode node;
    ASSERT_TRUE(EventRecorder::nodeOf(alerts[0], node));
    EXPECT_EQ(node.role, ROLE_SYSTEM_ALERT);
    EXPECT_EQ(node.name, std::string(box->getText().text()));
    EXPECT_NE(node.name.find("ann@127.0.0.1"), std::string::npos);
}

TEST_F(Events, TheMailboxWindowIsHeardThroughTabAndTyping)
{
    startWith(false);
    showMainWindow();
    std::vector<AccessibleEvent> typed;
    std::string valueAfter;
    insideModal([&] { window->getAddButton()->notifyParent(notifyActivated); },
                [&](DWindow* box) {
                    DMailBoxWindow* form = static_cast<DMailBoxWindow*>(box);
                    tabThrough(box);
                    // Back to the server field, and a letter typed into it.
                    form->setFocus(form->getServerInput());
                    recorder.clear();
                    press(box->getHandle(), 'M');
                    typed = recorder.of(EVENT_OBJECT_VALUECHANGE);
                    AccessibleNode node;
                    if (!typed.empty() && EventRecorder::nodeOf(typed[0], node))
                        valueAfter = node.value;
                    EXPECT_EQ(typed.empty() ? nullptr : typed[0].window,
                              static_cast<HWND>(form->getServerInput()->getHandle()));
                    box->close();
                });
    ASSERT_EQ(typed.size(), 1u);
    EXPECT_EQ(valueAfter, "m");
}

TEST_F(Events, ABoxOpenedTakesTheFocusAndIsHeard)
{
    startWith(false);
    showMainWindow();
    std::vector<AccessibleEvent> focus;
    HWND ok = nullptr;
    insideModal([&] { window->onMenuItem(commandAbout); },
                [&](DWindow* box) {
                    settle();
                    focus = recorder.of(EVENT_OBJECT_FOCUS);
                    ok = static_cast<HWND>(DView::focusedIn(box->getInterior())->getHandle());
                    EXPECT_EQ(GetActiveWindow(), box->getHandle());
                    box->close();
                });
    ASSERT_FALSE(focus.empty());
    EXPECT_EQ(focus.back().window, ok);
}

TEST_F(Events, AComboBoxListAndItsChoiceAreHeard)
{
    startWith(false);
    showMainWindow();
    DComboBox* combo = window->getIntervalCombo();
    combo->getParent()->setFocus(combo);
    recorder.clear();
    press(window->getHandle(), VK_DOWN, modAlt);
    DCBDropMenu* list = combo->getDropMenu();
    ASSERT_TRUE(list->isOpen());
    std::vector<AccessibleEvent> starts = recorder.of(EVENT_SYSTEM_MENUPOPUPSTART);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].window, list->getHandle());
    press(window->getHandle(), VK_DOWN);
    std::vector<AccessibleEvent> focus = recorder.of(EVENT_OBJECT_FOCUS);
    ASSERT_FALSE(focus.empty());
    EXPECT_EQ(focus.back().window, list->getHandle());
    EXPECT_EQ(focus.back().child, 3);  // the row after "5 minutes"
    AccessibleNode row;
    ASSERT_TRUE(EventRecorder::nodeOf(focus.back(), row));
    EXPECT_EQ(row.name, shown("10 minutes"));
    EXPECT_TRUE(row.has(STATE_SYSTEM_SELECTED));
    // Alt+Up closes the list and keeps the highlighted row.
    press(window->getHandle(), VK_UP, modAlt);
    EXPECT_FALSE(list->isOpen());
    EXPECT_EQ(combo->getSelected(), 2);
    EXPECT_EQ(recorder.of(EVENT_SYSTEM_MENUPOPUPEND).size(), 1u);
    std::vector<AccessibleEvent> values = recorder.of(EVENT_OBJECT_VALUECHANGE);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].window, static_cast<HWND>(combo->getHandle()));
    AccessibleNode node;
    ASSERT_TRUE(EventRecorder::nodeOf(values[0], node));
    EXPECT_EQ(node.value, shown("10 minutes"));
}

TEST_F(Events, ATrayMenuOpenedAndWalkedIsHeard)
{
    startWith(false);
    DMenu* menu = window->getTrayMenu();
    recorder.clear();
    window->onEvent(window->getStateTrayIcon(), 7, 0, 0, 0);
    settle();
    ASSERT_TRUE(menu->isOpen());
    ASSERT_EQ(recorder.of(EVENT_SYSTEM_MENUPOPUPSTART).size(), 1u);
    press(menu->getHandle(), VK_DOWN);
    std::vector<AccessibleEvent> focus = recorder.of(EVENT_OBJECT_FOCUS);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].window, menu->getHandle());
    EXPECT_EQ(focus[0].child, 1);
    AccessibleNode item;
    ASSERT_TRUE(EventRecorder::nodeOf(focus[0], item));
    EXPECT_EQ(item.name, shown("Check Now!"));
    EXPECT_TRUE(item.has(STATE_SYSTEM_FOCUSED));
    press(menu->getHandle(), VK_ESCAPE);
    EXPECT_FALSE(menu->isOpen());
    EXPECT_EQ(recorder.of(EVENT_SYSTEM_MENUPOPUPEND).size(), 1u);
}
