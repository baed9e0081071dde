// The program's windows on a display of the dpi the test's Wine prefix gives (96, 120, 144
// and 192 in four runs, scripts/wine-at-dpi.sh): every view on the device pixels of its
// units and inside its parent, in English and in Hungarian; a click at each button's
// scaled centre presses it; the tray icon's picture has the size the system asks for.
#include "ScaledWindowsKit.h"

#include "controls/DButton.h"
#include "controls/DCheckBox.h"
#include "controls/DComboBox.h"
#include "controls/DGroup.h"
#include "controls/DListView.h"
#include "controls/DMenu.h"
#include "framework/AccessibleObject.h"
#include "framework/DWinInterior.h"
#include "framework/DisplayDpi.h"
#include "framework/WindowTestKit.h"
#include "foundation/DPellaroDictionary.h"
#include "windows/DAboutBox.h"
#include "windows/DLangMsgBox.h"
#include "windows/DMailBoxWindow.h"
#include "windows/DNotificationBox.h"
#include "windows/DTrayIcon.h"
#include "windows/DUserGuideBox.h"
#include "windows/MailboxForm.h"
#include "windows/MainWindowLayout.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace scaledtest;

namespace {

::testing::AssertionResult sameRect(DView* view, const DLayoutRect& r)
{
    if (view->getX() == r.x && view->getY() == r.y && view->getWidth() == r.width &&
        view->getHeight() == r.height)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << nameOf(view) << " instead of " << r.x << ", " << r.y
                                         << " (" << r.width << " x " << r.height << ")";
}

// Every push button is pressed by a left button going down at its scaled centre (and
// let go again away from it, so nothing runs); every check box changes with a whole click.
void pressEveryButton(DWindow& window)
{
    std::vector<DButton*> buttons;
    forEachView(window, [&](DView* view) {
        if (auto* button = dynamic_cast<DButton*>(view))
            buttons.push_back(button);
    });
    ASSERT_FALSE(buttons.empty());
    for (DButton* button : buttons) {
        if (auto* box = dynamic_cast<DCheckBox*>(button)) {
            const bool before = box->isChecked();
            clickCentre(window, box, true);
            EXPECT_NE(box->isChecked(), before) << nameOf(box);
            clickCentre(window, box, true);
            EXPECT_EQ(box->isChecked(), before) << nameOf(box);
            continue;
        }
        clickCentre(window, button, false);
        EXPECT_EQ(button->getState(), DStatePressed) << nameOf(button);
        SendMessageA(window.getHandle(), WM_MOUSEMOVE, 0, windowtest::point(0, 0));
        SendMessageA(window.getHandle(), WM_LBUTTONUP, 0, windowtest::point(0, 0));
        EXPECT_NE(button->getState(), DStatePressed) << nameOf(button);
    }
}

// What a screen reader is told of `view`: its place on the screen, in device pixels, and
// whether the window's hit test at the place's centre finds something of the window there (a
// child object or a child's number). False when the view gives no object.
bool readerPlace(DWindow& owner, DView* view, RECT& place, bool& hit)
{
    IAccessible* object = accessibleObjectOf(view);
    if (!object)
        return false;
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    LONG x = 0, y = 0, width = 0, height = 0;
    bool told = object->accLocation(&x, &y, &width, &height, self) == S_OK;
    place = RECT{x, y, x + width, y + height};
    object->Release();
    VARIANT found;
    VariantInit(&found);
    hit = false;
    IAccessible* window = accessibleObjectOf(&owner);
    if (told && window && window->accHitTest(x + width / 2, y + height / 2, &found) == S_OK)
        hit = (found.vt == VT_DISPATCH && found.pdispVal) ||
              (found.vt == VT_I4 && found.lVal != CHILDID_SELF);
    VariantClear(&found);
    if (window)
        window->Release();
    return told;
}

using ScaledMainWindow = ScaledMainWindowTest;
using ScaledDialogs = ScaledDialogTest;

}  // namespace

TEST(ScaledDisplay, WindowsTakeTheDpiOfThePrefix)
{
    EXPECT_EQ(systemDpi(), expectedDpi());
    windowtest::RecordingWindow window;
    ASSERT_TRUE(window.make(200, 100));
    EXPECT_EQ(window.getScale().dpi(), expectedDpi());
    EXPECT_EQ(windowDpi(window.getHandle()), expectedDpi());
    RECT client = {};
    GetClientRect(window.getHandle(), &client);
    EXPECT_EQ(client.right, DScale(expectedDpi()).toDevice(200));
    window.close();
}

TEST_F(ScaledMainWindow, TheEnglishWindowHasItsWrittenPlacesOnItsDevicePixels)
{
    startIn(false);
    EXPECT_TRUE(placedAtScale(*window));
    // English fits the written sizes at every scale: nothing grew.
    const DMainWindowLayout l = mainWindowLayout(DMainWindowNeeds());
    EXPECT_EQ(window->getInterior()->getWidth(), l.width);
    EXPECT_EQ(window->getInterior()->getHeight(), l.height);
    EXPECT_TRUE(sameRect(window->getMailboxList(), l.mailboxList));
    EXPECT_TRUE(sameRect(window->getCheckNowButton(), l.checkNowButton));
    EXPECT_TRUE(sameRect(window->getHideButton(), l.hideButton));
    EXPECT_TRUE(sameRect(window->getExitButton(), l.exitButton));
    EXPECT_TRUE(sameRect(window->getAddButton(), l.addButton));
    EXPECT_TRUE(sameRect(window->getEditButton(), l.editButton));
    EXPECT_TRUE(sameRect(window->getRemoveButton(), l.removeButton));
    EXPECT_TRUE(sameRect(window->getNotifyAtStartupCheck(), l.notifyAtStartupCheck));
    EXPECT_TRUE(sameRect(window->getIntervalCombo(), l.intervalCombo));
    EXPECT_TRUE(sameRect(window->getMailboxGroup(), l.mailboxGroup));
    // The columns fit beside the vertical bar: no horizontal bar.
    EXPECT_FALSE(window->getMailboxList()->isHorizontalBarShown());
    pressEveryButton(*window);
}

TEST_F(ScaledMainWindow, TheHungarianWindowGrowsWhereItsTextsNeedAndStaysOnItsPixels)
{
    startIn(true);
    EXPECT_TRUE(placedAtScale(*window));
    const DMainWindowLayout written = mainWindowLayout(DMainWindowNeeds());
    EXPECT_GE(window->getInterior()->getWidth(), written.width);
    // "Ellenorzes most!" needs more than the written 100 at every scale; the buttons keep
    // their rows.
    EXPECT_GT(window->getCheckNowButton()->getWidth(), written.checkNowButton.width);
    EXPECT_EQ(window->getCheckNowButton()->getX(), written.checkNowButton.x);
    EXPECT_EQ(window->getCheckNowButton()->getY(), written.checkNowButton.y);
    EXPECT_FALSE(window->getMailboxList()->isHorizontalBarShown());
    pressEveryButton(*window);
}

// A screen reader draws its focus frame and routes its clicks by the places it is told: they
// must be the device pixels the control covers on the screen at every scale.
TEST_F(ScaledMainWindow, AScreenReaderIsToldWhereEachControlIsOnTheScreen)
{
    startIn(false);
    int checked = 0;
    forEachView(*window, [&](DView* view) {
        HWND own = static_cast<HWND>(view->getHandle());
        if (!own || view == window->getInterior() || !view->isVisible())
            return;
        RECT place{};
        bool hit = false;
        ASSERT_TRUE(readerPlace(*window, view, place, hit)) << nameOf(view);
        RECT actual{};
        GetWindowRect(own, &actual);
        EXPECT_EQ(place.left, actual.left) << nameOf(view);
        EXPECT_EQ(place.top, actual.top) << nameOf(view);
        EXPECT_EQ(place.right, actual.right) << nameOf(view);
        EXPECT_EQ(place.bottom, actual.bottom) << nameOf(view);
        // The window's hit test at the control's centre reaches it or the group around it.
        EXPECT_TRUE(hit) << nameOf(view);
        checked++;
    });
    EXPECT_GE(checked, 10);
}

TEST_F(ScaledMainWindow, TheTrayIconsPictureHasTheSizeTheSystemAsksFor)
{
    startIn(false);
    const int asked = GetSystemMetrics(SM_CXSMICON);
    EXPECT_EQ(asked, systemMetricForDpi(SM_CXSMICON, expectedDpi()));
    EXPECT_EQ(asked, DScale(expectedDpi()).toDevice(16));  // the small icon scales with the dpi
    SIZE picture = windowtest::iconSize(window->getStateTrayIcon()->getIconHandle());
    EXPECT_EQ(picture.cx, asked);
    EXPECT_EQ(picture.cy, GetSystemMetrics(SM_CYSMICON));
    // The window's own small icon likewise.
    SIZE small = windowtest::iconSize(reinterpret_cast<HICON>(
        SendMessageA(window->getHandle(), WM_GETICON, ICON_SMALL, 0)));
    EXPECT_EQ(small.cx, asked);
}

TEST_F(ScaledMainWindow, MenusAndTheNotificationBoxAreTheirUnitsOnTheDisplay)
{
    startIn(true);
    const DScale scale(expectedDpi());
    DMenu* menu = window->getTrayMenu();
    menu->popupForWindow(window, 100, 100);
    ASSERT_TRUE(menu->isOpen());
    RECT client = {};
    GetClientRect(menu->getHandle(), &client);
    EXPECT_EQ(client.right, scale.toDevice(menu->getLayout().width));
    EXPECT_EQ(client.bottom, scale.toDevice(menu->getLayout().height));
    RECT outer = {};
    GetWindowRect(menu->getHandle(), &outer);
    EXPECT_EQ(outer.left, scale.toDevice(100));  // the popup point, in the menu's units
    menu->close();

    DNotificationBox* box = window->getNotificationBox();
    box->setText(DString("one@127.0.0.1 has 3 new mails!\nthree@127.0.0.1 has 1 new mail!"));
    DRect units = box->bounds();
    GetClientRect(box->getHandle(), &client);
    EXPECT_EQ(client.right, scale.toDevice(units.width));
    EXPECT_EQ(client.bottom, scale.toDevice(units.height));
}

TEST_F(ScaledDialogs, TheMailboxWindowInBothLanguages)
{
    for (unsigned char language : {0, 1}) {
        dictionary->setLanguage(language);
        std::unique_ptr<DMailBoxWindow> box(new DMailBoxWindow);
        box->setEditMode(0);
        ASSERT_TRUE(box->create(nullptr, 0, 0, mailboxFormWidth, mailboxFormHeight,
                                DString("Add Mailbox"), 0));
        EXPECT_TRUE(placedAtScale(*box)) << "language " << int(language);
        EXPECT_GE(box->getInterior()->getWidth(), mailboxFormWidth);
        pressEveryButton(*box);
        box->close();
    }
}

TEST_F(ScaledDialogs, TheInformationBoxesInBothLanguagesAndOkClosesThem)
{
    for (unsigned char language : {0, 1}) {
        dictionary->setLanguage(language);
        std::unique_ptr<DInfoBox> boxes[] = {std::unique_ptr<DInfoBox>(new DAboutBox),
                                             std::unique_ptr<DInfoBox>(new DUserGuideBox),
                                             std::unique_ptr<DInfoBox>(new DLangMsgBox)};
        for (auto& box : boxes) {
            ASSERT_TRUE(box->createBox());
            EXPECT_TRUE(placedAtScale(*box)) << box->title().text();
            clickCentre(*box, box->getOkButton(), true);
            EXPECT_EQ(box->getHandle(), nullptr) << box->title().text();
        }
    }
}
