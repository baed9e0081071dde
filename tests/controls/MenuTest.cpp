// Popup menus in real windows, driven with real mouse and key messages: what a choice
// sends, what closes a menu and its parents, where menus and submenus open.
#include "controls/MenuTestKit.h"

#include "controls/DMenuItem.h"
#include "framework/DTheme.h"
#include "framework/DWinInterior.h"
#include "framework/SystemUtils.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace windowtest;
using namespace menutest;

namespace {

enum : int { idOpen = 101, idSave = 102, idExit = 103, idEnglish = 106, idMagyar = 107 };

class Menus : public ::testing::Test {
protected:
    void SetUp() override
    {
        releaseKeys();
        parkPointer();
        ASSERT_TRUE(owner.make(300, 200));
        ASSERT_TRUE(menu.create());
        ASSERT_TRUE(language.create());
        // 0 Open, 1 Save (disabled), 2 separator, 3 Language >, 4 Exit
        menu.addItem(DString("Open"), idOpen);
        menu.addItem(DString("Save"), idSave);
        menu.setItemEnabled(idSave, false);
        menu.addSeparator();
        menu.addSubmenu(DString("Language"), &language);
        menu.addItem(DString("Exit"), idExit);
        language.addItem(DString("English"), idEnglish);
        language.addItem(DString("Magyar"), idMagyar);
        language.setItemChecked(idEnglish, true);
    }
    void TearDown() override
    {
        menu.close();
        language.close();
        owner.close();
        pumpMessages();
    }
    int commands() const { return owner.count("menu"); }
    int lastCommand() const { return owner.last("menu") ? owner.last("menu")->a : 0; }
    // Opens the Language submenu by clicking its item.
    void openLanguage()
    {
        menu.popupForWindow(&owner, 100, 100);
        clickItem(menu, 3);
        ASSERT_TRUE(language.isOpen());
    }

    MenuOwner owner;
    DMenu menu;
    DMenu language;
};

}  // namespace

TEST_F(Menus, OpeningTakesTheCaptureAndTheOwnersKeys)
{
    menu.popupForWindow(&owner, 100, 100);
    EXPECT_TRUE(menu.isOpen());
    EXPECT_TRUE(IsWindowVisible(menu.getHandle()));
    EXPECT_EQ(GetCapture(), menu.getHandle());
    EXPECT_EQ(owner.getKeyTarget(), &menu);
    EXPECT_EQ(menu.getHotIndex(), -1);
    // The owner is hidden (as the window behind the tray icon is): the menu comes to the
    // front so that it gets the keyboard and every click.
    EXPECT_EQ(GetForegroundWindow(), menu.getHandle());
    DRect at = menu.bounds();
    EXPECT_EQ(at.x, 100);
    EXPECT_EQ(at.y, 100);
    EXPECT_EQ(at.width, menu.getLayout().width);
    EXPECT_EQ(at.height, menu.getLayout().height);
    EXPECT_EQ(menu.itemAt(4)->top, menu.getLayout().tops[4]);
}

TEST_F(Menus, AChoiceByMouseSendsExactlyOneCommand)
{
    menu.popupForWindow(&owner, 100, 100);
    POINT exit = itemCentre(menu, 4);
    moveOver(menu, exit.x, exit.y);
    EXPECT_EQ(menu.getHotIndex(), 4);
    SendMessageA(menu.getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(exit.x, exit.y));
    EXPECT_EQ(commands(), 0);  // the press chooses nothing yet
    SendMessageA(menu.getHandle(), WM_LBUTTONUP, 0, MAKELPARAM(exit.x, exit.y));
    pumpMessages();
    EXPECT_EQ(commands(), 1);
    EXPECT_EQ(lastCommand(), idExit);
    EXPECT_FALSE(menu.isOpen());
    EXPECT_FALSE(IsWindowVisible(menu.getHandle()));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(owner.getKeyTarget(), nullptr);
}

TEST_F(Menus, AChoiceByKeyboardSendsExactlyOneCommand)
{
    menu.popupForWindow(&owner, 100, 100);
    // Keys reach the menu through its owner's key grab.
    pressKey(owner.getHandle(), VK_DOWN);
    EXPECT_EQ(menu.getHotIndex(), 0);
    pressKey(owner.getHandle(), VK_DOWN);  // over Save (disabled) and the separator
    EXPECT_EQ(menu.getHotIndex(), 3);
    pressKey(owner.getHandle(), VK_DOWN);
    pressKey(owner.getHandle(), VK_DOWN);  // stays on the last item
    EXPECT_EQ(menu.getHotIndex(), 4);
    pressKey(owner.getHandle(), VK_UP);
    pressKey(owner.getHandle(), VK_UP);
    EXPECT_EQ(menu.getHotIndex(), 0);  // Open; Save (disabled) was passed on the way
    pressKey(owner.getHandle(), VK_RETURN);
    pumpMessages();
    EXPECT_EQ(commands(), 1);
    EXPECT_EQ(lastCommand(), idOpen);
    EXPECT_FALSE(menu.isOpen());
    // The owner's own key handlers saw none of it.
    EXPECT_EQ(owner.count("keyDown"), 0);
}

TEST_F(Menus, KeysSentToTheMenuInFrontWorkAlike)
{
    menu.popupForWindow(&owner, 100, 100);
    pressKey(menu.getHandle(), VK_DOWN);
    pressKey(menu.getHandle(), VK_RETURN);
    pumpMessages();
    EXPECT_EQ(commands(), 1);
    EXPECT_EQ(lastCommand(), idOpen);
}

TEST_F(Menus, EscapeClosesWithNoCommandAndUpFromNothingSelectsNothing)
{
    menu.popupForWindow(&owner, 100, 100);
    pressKey(owner.getHandle(), VK_UP);
    EXPECT_EQ(menu.getHotIndex(), -1);
    pressKey(owner.getHandle(), VK_DOWN);
    pressKey(owner.getHandle(), VK_ESCAPE);
    pumpMessages();
    EXPECT_FALSE(menu.isOpen());
    EXPECT_EQ(commands(), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(owner.getKeyTarget(), nullptr);
    // The owner gets its keys back.
    pressKey(owner.getHandle(), VK_DOWN);
    EXPECT_EQ(owner.count("keyDown"), 1);
}

TEST_F(Menus, ADisabledItemOrASeparatorSendsNoCommand)
{
    menu.popupForWindow(&owner, 100, 100);
    clickItem(menu, 1);  // Save, disabled
    EXPECT_FALSE(menu.isOpen());
    EXPECT_EQ(commands(), 0);

    menu.popupForWindow(&owner, 100, 100);
    POINT open = itemCentre(menu, 0);
    moveOver(menu, open.x, open.y);  // Open is hot ...
    const DMenuLayout& layout = menu.getLayout();
    int separatorY = menuItemY(layout, 2) + 3;
    ASSERT_EQ(menuItemAt(layout, 30, separatorY), 2);
    moveOver(menu, 30, separatorY);
    EXPECT_EQ(menu.getHotIndex(), 0);  // ... and a separator never becomes hot,
    clickAt(menu, 30, separatorY);     // so a click on it must not choose Open
    EXPECT_FALSE(menu.isOpen());
    EXPECT_EQ(commands(), 0);

    // Enter on a disabled item, hot by the mouse, does nothing: the menu stays open for
    // the keyboard user to move on.
    menu.popupForWindow(&owner, 100, 100);
    POINT save = itemCentre(menu, 1);
    moveOver(menu, save.x, save.y);
    EXPECT_EQ(menu.getHotIndex(), 1);
    pressKey(owner.getHandle(), VK_RETURN);
    EXPECT_TRUE(menu.isOpen());
    EXPECT_EQ(commands(), 0);
    pressKey(owner.getHandle(), VK_UP);
    EXPECT_EQ(menu.getHotIndex(), 0);
    pressKey(owner.getHandle(), VK_ESCAPE);
    EXPECT_FALSE(menu.isOpen());
    pumpMessages();
    EXPECT_EQ(commands(), 0);
}

TEST_F(Menus, AClickOutsideClosesTheMenu)
{
    menu.popupForWindow(&owner, 100, 100);
    // Left of and above the menu: the capture delivers negative coordinates as 16 bits.
    clickAt(menu, -20 & 0xFFFF, -5 & 0xFFFF);
    EXPECT_FALSE(menu.isOpen());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(owner.getKeyTarget(), nullptr);

    menu.popupForWindow(&owner, 100, 100);
    DRect at = menu.bounds();
    SendMessageA(menu.getHandle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.width + 30, 10));
    SendMessageA(menu.getHandle(), WM_RBUTTONUP, 0, MAKELPARAM(at.width + 30, 10));
    EXPECT_FALSE(menu.isOpen());

    // A right click inside does nothing.
    menu.popupForWindow(&owner, 100, 100);
    POINT open = itemCentre(menu, 0);
    SendMessageA(menu.getHandle(), WM_RBUTTONUP, 0, MAKELPARAM(open.x, open.y));
    EXPECT_TRUE(menu.isOpen());
    pumpMessages();
    EXPECT_EQ(commands(), 0);
}

TEST_F(Menus, AnOpenMenuClosesWhenItsOwnerOrItselfMovesToAnotherDpi)
{
    // Sent by hand as Windows sends them when a window goes to a monitor of another dpi.
    RECT suggested = {0, 0, 10, 10};
    const WPARAM twice = MAKEWPARAM(2 * owner.getScale().dpi(), 2 * owner.getScale().dpi());
    menu.popupForWindow(&owner, 100, 100);
    ASSERT_TRUE(menu.isOpen());
    SendMessageA(owner.getHandle(), WM_DPICHANGED, twice, reinterpret_cast<LPARAM>(&suggested));
    EXPECT_FALSE(menu.isOpen());
    EXPECT_EQ(owner.getKeyTarget(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);

    openLanguage();
    ASSERT_TRUE(language.isOpen());
    SendMessageA(language.getHandle(), WM_DPICHANGED, twice, reinterpret_cast<LPARAM>(&suggested));
    EXPECT_FALSE(language.isOpen());
    EXPECT_FALSE(menu.isOpen());  // with its whole chain
    pumpMessages();
    EXPECT_EQ(commands(), 0);
}

TEST_F(Menus, ASubmenuOpensBesideItsItemAndItsChoiceReachesTheFirstOwner)
{
    openLanguage();
    EXPECT_TRUE(menu.isOpen());
    EXPECT_EQ(language.getParentMenu(), &menu);
    EXPECT_EQ(language.getOwnerWindow(), &menu);
    EXPECT_EQ(GetCapture(), language.getHandle());
    DRect parent = menu.bounds();
    DRect sub = language.bounds();
    EXPECT_EQ(sub.x, parent.x + parent.width);
    EXPECT_EQ(sub.y, parent.y + menu.itemAt(3)->top);
    EXPECT_TRUE(language.isItemChecked(idEnglish));
    EXPECT_FALSE(language.isItemChecked(idMagyar));

    clickItem(language, 1);
    pumpMessages();
    EXPECT_EQ(commands(), 1);
    EXPECT_EQ(lastCommand(), idMagyar);
    EXPECT_FALSE(language.isOpen());
    EXPECT_FALSE(menu.isOpen());
    EXPECT_EQ(owner.getKeyTarget(), nullptr);
    EXPECT_EQ(menu.getKeyTarget(), nullptr);
}

TEST_F(Menus, KeysFollowTheOpenSubmenu)
{
    menu.popupForWindow(&owner, 100, 100);
    pressKey(owner.getHandle(), VK_END);  // other keys do nothing
    EXPECT_EQ(menu.getHotIndex(), -1);
    pressKey(owner.getHandle(), VK_DOWN);
    pressKey(owner.getHandle(), VK_DOWN);    // Open, then over Save and the separator
    pressKey(owner.getHandle(), VK_RETURN);  // Language
    ASSERT_TRUE(language.isOpen());
    EXPECT_EQ(menu.getKeyTarget(), &language);
    EXPECT_EQ(language.getHotIndex(), 0);    // opened from the keyboard: its first item
    pressKey(owner.getHandle(), VK_DOWN);
    pressKey(owner.getHandle(), VK_DOWN);
    EXPECT_EQ(language.getHotIndex(), 1);
    EXPECT_EQ(menu.getHotIndex(), 3);  // the parent's keys went to the submenu
    pressKey(owner.getHandle(), VK_RETURN);
    pumpMessages();
    EXPECT_EQ(commands(), 1);
    EXPECT_EQ(lastCommand(), idMagyar);
    EXPECT_FALSE(menu.isOpen());
}

TEST_F(Menus, EscapeClosesOneLevelAndAClickOutsideTheWholeChain)
{
    openLanguage();
    pressKey(owner.getHandle(), VK_ESCAPE);
    EXPECT_FALSE(language.isOpen());
    ASSERT_TRUE(menu.isOpen());
    EXPECT_EQ(owner.getKeyTarget(), &menu);
    EXPECT_EQ(menu.getKeyTarget(), nullptr);
    EXPECT_EQ(GetCapture(), menu.getHandle());
    pressKey(owner.getHandle(), VK_ESCAPE);
    EXPECT_FALSE(menu.isOpen());
    EXPECT_EQ(owner.getKeyTarget(), nullptr);

    openLanguage();
    DRect sub = language.bounds();
    clickAt(language, sub.width + 40, 5);
    EXPECT_FALSE(language.isOpen());
    EXPECT_FALSE(menu.isOpen());
    EXPECT_EQ(GetCapture(), nullptr);
    pumpMessages();
    EXPECT_EQ(commands(), 0);
}

TEST_F(Menus, ASubmenuNearTheRightEdgeOpensOnTheLeft)
{
    int screen = screenWidth();
    menu.popupForWindow(&owner, 100, 100);
    int parentWidth = menu.bounds().width;
    menu.close();
    // The parent just fits; its submenu does not fit on its right.
    int x = screen - parentWidth - 10;
    menu.popupForWindow(&owner, x, 100);
    ASSERT_EQ(menu.bounds().x, x);
    clickItem(menu, 3);
    ASSERT_TRUE(language.isOpen());
    DRect sub = language.bounds();
    EXPECT_EQ(sub.x, x - sub.width);
    EXPECT_LE(sub.x + sub.width, menu.bounds().x);
}

TEST_F(Menus, AMenuNearTheBottomRightCornerOpensLeftOfAndAboveThePoint)
{
    int w = screenWidth();
    int h = screenHeight();
    menu.popupForWindow(&owner, w - 5, h - 5);
    DRect at = menu.bounds();
    EXPECT_EQ(at.x, w - 5 - at.width);
    EXPECT_EQ(at.y, h - 5 - at.height);
}

TEST_F(Menus, AViewsMenuSendsItsCommandToTheViewAndGrabsItsKeys)
{
    struct CommandView : DView {
        std::vector<int> ids;
        void command(int id) override { ids.push_back(id); }
    };
    auto* view = new CommandView;
    view->init(10, 10, 100, 22);
    owner.addView(view);
    menu.popupForView(view, 150, 150);
    EXPECT_EQ(view->getKeyGrab(), &menu);
    EXPECT_EQ(owner.getKeyTarget(), &menu);
    EXPECT_EQ(menu.getOwnerWindow(), nullptr);
    pressKey(owner.getHandle(), VK_DOWN);
    pressKey(owner.getHandle(), VK_RETURN);
    pumpMessages();
    EXPECT_EQ(view->ids, std::vector<int>{idOpen});
    EXPECT_EQ(commands(), 0);  // the view took it; it did not climb to the window
    EXPECT_EQ(view->getKeyGrab(), nullptr);
    EXPECT_EQ(owner.getKeyTarget(), nullptr);

    // Near the bottom edge a view's menu opens above the view.
    int h = screenHeight();
    menu.popupForView(view, 150, h - 3);
    EXPECT_EQ(menu.bounds().y, h - 3 - menu.bounds().height - 22);
    menu.close();

    // Opened for the window afterwards, the view is no longer its owner.
    menu.popupForWindow(&owner, 100, 100);
    clickItem(menu, 0);
    pumpMessages();
    EXPECT_EQ(view->ids.size(), 1u);
    EXPECT_EQ(commands(), 1);
}

TEST_F(Menus, AnOwnerMayDeleteTheMenuFromItsCommand)
{
    DMenu* temporary = new DMenu;
    ASSERT_TRUE(temporary->create());
    temporary->addItem(DString("Mailbox"), 200);
    owner.onCommand = [&](int) {
        delete temporary;
        temporary = nullptr;
    };
    temporary->popupForWindow(&owner, 100, 100);
    clickItem(*temporary, 0);
    pumpMessages();
    EXPECT_EQ(temporary, nullptr);
    EXPECT_EQ(commands(), 1);
    EXPECT_EQ(owner.getKeyTarget(), nullptr);
}

TEST_F(Menus, ItemsAreAddedRemovedCheckedAndDisabledById)
{
    EXPECT_EQ(menu.itemCount(), 5);
    EXPECT_TRUE(menu.itemAt(2)->isSeparator());
    EXPECT_FALSE(menu.itemAt(3)->isSeparator());
    EXPECT_EQ(menu.itemAt(3)->submenu, &language);
    EXPECT_EQ(menu.itemAt(3)->id, 0);
    EXPECT_EQ(menu.itemAt(5), nullptr);
    EXPECT_EQ(menu.itemAt(-1), nullptr);
    // A command whose text is "-" is not a separator.
    menu.addItem(DString("-"), 300);
    EXPECT_FALSE(menu.itemAt(5)->isSeparator());
    menu.addItem(DString("Again"), 300);
    menu.setItemChecked(300, true);
    EXPECT_TRUE(menu.itemAt(5)->checked);
    EXPECT_TRUE(menu.itemAt(6)->checked);
    menu.setItemEnabled(300, false);
    EXPECT_FALSE(menu.itemAt(6)->enabled);
    menu.setItemChecked(300, false);
    EXPECT_FALSE(menu.isItemChecked(300));
    EXPECT_FALSE(menu.isItemChecked(999));
    menu.removeItem(300);  // the first of the two
    EXPECT_EQ(menu.itemCount(), 6);
    EXPECT_TRUE(menu.itemAt(5)->text == "Again");
    menu.removeItemAt(0);
    EXPECT_TRUE(menu.itemAt(0)->text == "Save");
    menu.removeItemAt(17);
    EXPECT_EQ(menu.itemCount(), 5);
    menu.clear();
    EXPECT_EQ(menu.itemCount(), 0);
    // An empty menu opens and closes again on a click with no command.
    menu.popupForWindow(&owner, 100, 100);
    EXPECT_EQ(menu.bounds().width, 50);
    clickAt(menu, 10, 3);
    EXPECT_FALSE(menu.isOpen());
    pumpMessages();
    EXPECT_EQ(commands(), 0);
}

TEST_F(Menus, TheMenuTakesTheThemesMenuColours)
{
    DTheme* theme = DApplication::currentTheme();
    ASSERT_NE(theme, nullptr);
    EXPECT_EQ(menu.getFaceColor().value(), theme->color(5).value());
    EXPECT_EQ(menu.getLightColor().value(), theme->color(6).value());
    EXPECT_EQ(menu.getShadowColor().value(), theme->color(7).value());
    EXPECT_EQ(menu.getSelectColor().value(), theme->color(8).value());
    EXPECT_TRUE(menu.isMenu());
    EXPECT_FALSE(owner.isMenu());
    // The theme reaches the submenus.
    menu.setTheme(nullptr);
    EXPECT_EQ(language.getTheme(), nullptr);
    menu.setTheme(theme);
    EXPECT_EQ(language.getTheme(), theme);
}

TEST_F(Menus, TheHotItemIsPaintedWhereTheMouseHitsIt)
{
    menu.popupForWindow(&owner, 100, 100);
    POINT exit = itemCentre(menu, 4);
    int probeX = menu.getLayout().width - 20;  // right of the text, inside the highlight
    auto pixelAt = [&](int x, int y) {
        HDC dc = GetDC(menu.getHandle());
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(menu.getHandle(), dc);
        return c;
    };
    pumpMessages();
    COLORREF background = DApplication::currentTheme()->color(6).value();
    EXPECT_EQ(pixelAt(probeX, exit.y), background);
    moveOver(menu, exit.x, exit.y);
    pumpMessages();
    EXPECT_NE(pixelAt(probeX, exit.y), background);
    POINT open = itemCentre(menu, 0);
    EXPECT_EQ(pixelAt(probeX, open.y), background);
}

TEST_F(Menus, ARealClickOutsideClosesAMenuOpenedWhileTheOwnerIsHidden)
{
    // Through the system's input queue: only a menu that holds the capture of the
    // foreground thread sees a click outside itself.
    menu.popupForWindow(&owner, 200, 200);
    pumpMessages();
    for (int attempt = 0; attempt < 3 && menu.isOpen(); attempt++) {
        ASSERT_TRUE(systemClick(600, 500));
        pumpUntil([&] { return !menu.isOpen(); }, 3000);
    }
    EXPECT_FALSE(menu.isOpen());
    EXPECT_EQ(commands(), 0);
}

TEST_F(Menus, ARealEscapeClosesTheMenuAndARealClickChooses)
{
    menu.popupForWindow(&owner, 200, 200);
    pumpMessages();
    ASSERT_TRUE(systemKey(VK_ESCAPE));
    pumpUntil([&] { return !menu.isOpen(); }, 3000);
    EXPECT_FALSE(menu.isOpen());

    menu.popupForWindow(&owner, 200, 200);
    pumpMessages();
    POINT exit = itemCentre(menu, 4);
    ClientToScreen(menu.getHandle(), &exit);
    for (int attempt = 0; attempt < 3 && commands() == 0; attempt++) {
        if (!menu.isOpen())
            menu.popupForWindow(&owner, 200, 200);
        ASSERT_TRUE(systemClick(exit.x, exit.y));
        pumpUntil([&] { return commands() > 0; }, 3000);
    }
    EXPECT_EQ(commands(), 1);
    EXPECT_EQ(lastCommand(), idExit);
}

TEST_F(Menus, AMenuOpenedWhileAnotherThreadIsInFrontComesToTheFrontAndClosesOnAClickOutside)
{
    // Another thread's window is the foreground window, as another program's is when the
    // user right-clicks the tray icon; the owner itself is shown.
    owner.show(true);
    std::atomic<HWND> other{nullptr};
    std::atomic<bool> stop{false};
    std::thread elsewhere([&] {
        HWND w = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "Elsewhere", WS_POPUP | WS_VISIBLE, 500,
                                 420, 200, 150, nullptr, nullptr, GetModuleHandleA(nullptr),
                                 nullptr);
        SetForegroundWindow(w);
        other = w;
        while (!stop) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        DestroyWindow(w);
    });
    bool inFront = pumpUntil([&] { return other && GetForegroundWindow() == other; }, 5000);
    if (inFront) {
        menu.popupForWindow(&owner, 100, 100);
        EXPECT_EQ(GetForegroundWindow(), menu.getHandle());
        EXPECT_EQ(GetCapture(), menu.getHandle());
        // A click on the other thread's window reaches the menu and closes it.
        for (int attempt = 0; attempt < 3 && menu.isOpen(); attempt++) {
            EXPECT_TRUE(systemClick(600, 500));
            pumpUntil([&] { return !menu.isOpen(); }, 3000);
        }
        EXPECT_FALSE(menu.isOpen());
        EXPECT_EQ(commands(), 0);
    }
    stop = true;
    elsewhere.join();
    ASSERT_TRUE(inFront) << "the other thread's window never came to the front";
}
