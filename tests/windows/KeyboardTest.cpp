// Pellaro driven with keys alone, in English and Hungarian: Alt with a window's access
// letters, Escape, menus and submenus, a field's menu and editing keys, and the boxes
// opened from the tray taking the keys.
#include "AccessibilityFixture.h"

#include "controls/DButton.h"
#include "controls/DCheckBox.h"
#include "controls/DComboBox.h"
#include "controls/DInputLine.h"
#include "controls/DListView.h"
#include "controls/DMenu.h"
#include "framework/DView.h"
#include "framework/DWinInterior.h"
#include "framework/InputRules.h"
#include "framework/InputSources.h"
#include "framework/SystemUtils.h"
#include "framework/WindowTestKit.h"
#include "windows/AccessKeyTables.h"
#include "windows/DMailBoxWindow.h"
#include "windows/DMainWindow.h"
#include "windows/DTrayIcon.h"

#include <set>
#include <utility>
#include <vector>

using a11ytest::Run;

namespace {

// The pixels of a view's native window, as they are on its surface now.
std::vector<COLORREF> pixelsOf(DView* view)
{
    HWND window = static_cast<HWND>(view->getHandle());
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(window);
    for (int y = 0; y < view->getHeight(); y++)
        for (int x = 0; x < view->getWidth(); x++)
            pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(window, dc);
    return pixels;
}

class Keys : public Run, public ::testing::WithParamInterface<bool> {
protected:
    bool inHungarian() const { return GetParam(); }
    int mainKey(const char* caption) const
    {
        return accessKeyOf(mainWindowAccessKeys(), caption, inHungarian());
    }
    int formKey(const char* caption) const
    {
        return accessKeyOf(mailboxWindowAccessKeys(), caption, inHungarian());
    }
};

}  // namespace

TEST_P(Keys, AltWithALetterMovesToOrPressesItsControl)
{
    startWith(inHungarian());
    showMainWindow();
    HWND h = window->getHandle();
    press(h, mainKey("Interval"), modAlt);
    EXPECT_EQ(DView::focusedIn(window->getInterior()), window->getIntervalCombo());
    press(h, mainKey("Mailboxes"), modAlt);
    EXPECT_EQ(DView::focusedIn(window->getInterior()), window->getMailboxList());
    // A group leads to the first control in it; a check box toggles.
    bool notify = window->getNotifyCheck()->isChecked();
    press(h, mainKey("Options"), modAlt);
    EXPECT_EQ(DView::focusedIn(window->getInterior()), window->getNotifyCheck());
    EXPECT_EQ(window->getNotifyCheck()->isChecked(), notify);
    bool connection = window->getConnectionCheck()->isChecked();
    press(h, mainKey("Check internet connection"), modAlt);
    EXPECT_EQ(window->getConnectionCheck()->isChecked(), !connection);
    EXPECT_EQ(DView::focusedIn(window->getInterior()), window->getConnectionCheck());
    // A letter no control has does nothing; a button's letter presses it.
    press(h, 'Q', modAlt);
    EXPECT_EQ(DView::focusedIn(window->getInterior()), window->getConnectionCheck());
    ASSERT_TRUE(window->isShown());
    press(h, mainKey("Hide"), modAlt);
    EXPECT_FALSE(window->isShown());
}

TEST_P(Keys, EscapeHidesTheMainWindow)
{
    startWith(inHungarian());
    showMainWindow();
    press(window->getHandle(), VK_ESCAPE);
    EXPECT_FALSE(window->isShown());
}

TEST_P(Keys, AltLeadsThroughTheMailboxWindowAndCancelsIt)
{
    startWith(inHungarian());
    showMainWindow();
    int rows = window->getMailboxList()->rowCount();
    bool closedByCancel = false;
    insideModal([&] { press(window->getHandle(), mainKey("Add"), modAlt); },
                [&](DWindow* box) {
                    auto* form = static_cast<DMailBoxWindow*>(box);
                    HWND h = box->getHandle();
                    press(h, formKey("Password:"), modAlt);
                    EXPECT_EQ(DView::focusedIn(form->getInterior()), form->getPasswordInput());
                    press(h, formKey("Security:"), modAlt);
                    EXPECT_EQ(DView::focusedIn(form->getInterior()), form->getSecurityCombo());
                    press(h, formKey("Open web site"), modAlt);
                    EXPECT_TRUE(form->getWebSiteCheck()->isChecked());
                    EXPECT_TRUE(form->getUrlInput()->isEnabled());
                    press(h, formKey("Server (POP3):"), modAlt);
                    EXPECT_EQ(DView::focusedIn(form->getInterior()), form->getServerInput());
                    press(h, formKey("Cancel"), modAlt);
                    closedByCancel = !IsWindow(h);
                    if (!closedByCancel)
                        box->close();
                });
    EXPECT_TRUE(closedByCancel);
    EXPECT_EQ(window->getMailboxList()->rowCount(), rows);
}

TEST_P(Keys, AccessKeysAreUnderlinedOnlyOnceAltWasPressed)
{
    // As Windows is set by default: no underlines until the keyboard is used. (Wine's
    // default shows them always.)
    setKeyboardCuesSource([] { return false; });
    startWith(inHungarian());
    showMainWindow();
    DButton* exit = window->getExitButton();
    exit->paintNow();
    std::vector<COLORREF> before = pixelsOf(exit);
    exit->paintNow();
    ASSERT_EQ(pixelsOf(exit), before) << "the button does not draw the same twice";
    pressAlt(window->getHandle());
    exit->paintNow();
    std::vector<COLORREF> after = pixelsOf(exit);
    // The difference is one short line under one letter of the caption.
    std::set<int> rows;
    int changed = 0;
    int w = exit->getWidth();
    for (size_t i = 0; i < after.size(); i++) {
        if (after[i] != before[i]) {
            changed++;
            rows.insert(static_cast<int>(i) / w);
        }
    }
    EXPECT_GT(changed, 1);
    EXPECT_LT(changed, w / 4);
    EXPECT_EQ(rows.size(), 1u);
    if (!rows.empty()) {
        EXPECT_GT(*rows.begin(), exit->getHeight() / 2 - 2);
        EXPECT_LT(*rows.begin(), exit->getHeight() - 4);
    }
    setKeyboardCuesSource(nullptr);
}

TEST_P(Keys, AccessKeysAreAlwaysUnderlinedWhenTheSystemAsksForIt)
{
    startWith(inHungarian());
    showMainWindow();
    DButton* exit = window->getExitButton();
    setKeyboardCuesSource([] { return false; });
    exit->paintNow();
    std::vector<COLORREF> plain = pixelsOf(exit);
    setKeyboardCuesSource([] { return true; });
    exit->paintNow();
    std::vector<COLORREF> underlined = pixelsOf(exit);
    setKeyboardCuesSource(nullptr);
    EXPECT_NE(plain, underlined);
}

TEST_P(Keys, MenusOpenAndCloseTheirSubmenusLevelByLevel)
{
    startWith(inHungarian());
    DMenu* tray = window->getTrayMenu();
    DMenu* language = window->getLanguageMenu();
    window->onEvent(window->getStateTrayIcon(), 7, 0, 0, 0);
    ASSERT_TRUE(tray->isOpen());
    HWND h = window->getHandle();
    press(h, VK_DOWN);  // Check Now!
    press(h, VK_DOWN);  // over the separator: Options...
    press(h, VK_DOWN);  // Language
    ASSERT_EQ(tray->getHotIndex(), 3);
    press(h, VK_RIGHT);
    ASSERT_TRUE(language->isOpen());
    EXPECT_EQ(language->getHotIndex(), 0);
    press(h, VK_DOWN);
    EXPECT_EQ(language->getHotIndex(), 1);
    // Left closes the submenu only; the menu keeps its hot item and the keys.
    press(h, VK_LEFT);
    EXPECT_FALSE(language->isOpen());
    ASSERT_TRUE(tray->isOpen());
    EXPECT_EQ(tray->getHotIndex(), 3);
    press(h, VK_DOWN);
    EXPECT_EQ(tray->getHotIndex(), 4);
    press(h, VK_UP);
    press(h, VK_RETURN);
    ASSERT_TRUE(language->isOpen());
    EXPECT_EQ(language->getHotIndex(), 0);
    // Escape closes one level at a time.
    press(h, VK_ESCAPE);
    EXPECT_FALSE(language->isOpen());
    EXPECT_TRUE(tray->isOpen());
    press(h, VK_ESCAPE);
    EXPECT_FALSE(tray->isOpen());
    EXPECT_FALSE(window->isShown());
}

TEST_P(Keys, ADisabledMenuItemIsPassedOverAndEnterOnItKeepsTheMenuOpen)
{
    startWith(inHungarian());
    DMenu* tray = window->getTrayMenu();
    tray->setItemEnabled(commandOptions, false);
    window->onEvent(window->getStateTrayIcon(), 7, 0, 0, 0);
    HWND h = window->getHandle();
    press(h, VK_DOWN);
    press(h, VK_DOWN);
    EXPECT_EQ(tray->getHotIndex(), 3) << "Options... is disabled";
    // The mouse may still rest on it; Enter there does nothing and the menu stays.
    ASSERT_TRUE(tray->selectAccessiblePart(2));
    press(h, VK_RETURN);
    EXPECT_TRUE(tray->isOpen());
    EXPECT_FALSE(window->isShown());
    press(h, VK_UP);
    EXPECT_EQ(tray->getHotIndex(), 0);
    press(h, VK_ESCAPE);
    EXPECT_FALSE(tray->isOpen());
    tray->setItemEnabled(commandOptions, true);
}

TEST_P(Keys, AFieldOpensItsMenuFromTheKeyboardAndEditsByWords)
{
    startWith(inHungarian());
    showMainWindow();
    std::string cutText;
    insideModal([&] { window->getAddButton()->notifyParent(notifyActivated); },
                [&](DWindow* box) {
                    auto* form = static_cast<DMailBoxWindow*>(box);
                    HWND h = box->getHandle();
                    DInputLine* server = form->getServerInput();
                    for (int key : {int('M'), int('A'), int('I'), int('L'), VK_SPACE, int('H'), int('O'), int('S'), int('T')})
                        press(h, key);
                    ASSERT_EQ(std::string(server->getValue().text()), "mail host");
                    press(h, VK_BACK, modCtrl);
                    EXPECT_EQ(std::string(server->getValue().text()), "mail ");
                    press(h, VK_LEFT, modCtrl | modShift);
                    press(h, VK_DELETE, modShift);  // cut
                    EXPECT_EQ(std::string(server->getValue().text()), "");
                    cutText = clipboardText().text();
                    press(h, VK_INSERT, modShift);  // paste
                    press(h, VK_INSERT, modShift);
                    EXPECT_EQ(std::string(server->getValue().text()), "mail mail ");
                    press(h, 'A', modCtrl);
                    EXPECT_EQ(server->getEditor().selectionLast() - server->getEditor().selectionFirst(), 10);

                    // Shift+F10 opens the field's menu with its first usable item hot.
                    DMenu* menu = server->getContextMenu();
                    press(h, VK_F10, modShift);
                    EXPECT_TRUE(menu->isOpen());
                    EXPECT_EQ(menu->getHotIndex(), 0);  // Cut: there is a selection
                    press(h, VK_ESCAPE);
                    EXPECT_FALSE(menu->isOpen());
                    EXPECT_TRUE(IsWindow(h)) << "Escape closed the menu, not the window";
                    press(h, VK_APPS);
                    EXPECT_TRUE(menu->isOpen());
                    press(h, VK_ESCAPE);
                    EXPECT_FALSE(menu->isOpen());
                    // The password field has no menu: the password never goes near it.
                    form->setFocus(form->getPasswordInput());
                    press(h, VK_F10, modShift);
                    EXPECT_FALSE(form->getPasswordInput()->getContextMenu()->isOpen());
                    box->close();
                });
    EXPECT_EQ(cutText, "mail ");
}

TEST_P(Keys, TheRestartBoxOpenedFromTheTrayTakesTheKeys)
{
    startWith(inHungarian());
    ASSERT_FALSE(window->isShown());
    DMenu* tray = window->getTrayMenu();
    window->onEvent(window->getStateTrayIcon(), 7, 0, 0, 0);
    ASSERT_TRUE(tray->isOpen());
    HWND h = window->getHandle();
    for (int i = 0; i < 3; i++)
        press(h, VK_DOWN);
    press(h, VK_RIGHT);
    HWND focusedInBox = nullptr;
    HWND boxWindow = nullptr;
    bool closedByReturn = false;
    insideModal([&] { press(h, VK_RETURN); },
                [&](DWindow* box) {
                    settle();
                    boxWindow = box->getHandle();
                    focusedInBox = GetFocus();
                    // Return goes where the keyboard's keys go: to the focus.
                    HWND target = GetFocus();
                    if (target) {
                        SendMessageA(target, WM_KEYDOWN, VK_RETURN, windowtest::keyData(VK_RETURN, false));
                        settle();
                    }
                    closedByReturn = !IsWindow(boxWindow);
                    if (!closedByReturn)
                        box->close();
                });
    EXPECT_EQ(focusedInBox, boxWindow);
    EXPECT_TRUE(closedByReturn);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, Keys, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Hungarian" : "English";
                         });
