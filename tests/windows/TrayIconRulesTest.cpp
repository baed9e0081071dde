// The mouse messages that become tray events, and tooltip cutting.
#include "windows/TrayIconRules.h"

#include <gtest/gtest.h>

#include <string>

TEST(TrayIconRules, ButtonsAndMovesBecomeEventsAndEverythingElseNothing)
{
    EXPECT_EQ(trayEventFor(0x200), trayMouseMove);
    EXPECT_EQ(trayEventFor(0x201), trayLeftDown);
    EXPECT_EQ(trayEventFor(0x202), trayLeftUp);
    EXPECT_EQ(trayEventFor(0x204), trayRightDown);
    EXPECT_EQ(trayEventFor(0x205), trayRightUp);
    // Double clicks (left and right) and the middle button are swallowed.
    EXPECT_EQ(trayEventFor(0x203), trayNoEvent);
    EXPECT_EQ(trayEventFor(0x206), trayNoEvent);
    EXPECT_EQ(trayEventFor(0x207), trayNoEvent);
    EXPECT_EQ(trayEventFor(0x208), trayNoEvent);
    EXPECT_EQ(trayEventFor(0x209), trayNoEvent);
    EXPECT_EQ(trayEventFor(0), trayNoEvent);
    EXPECT_EQ(trayEventFor(0x10202), trayNoEvent);
}

TEST(TrayIconRules, TheKeyboardsNotificationsBecomeEventsAndTheMousesRepeatsNothing)
{
    DTrayEventFilter filter;
    // Enter or Space on the icon; its menu key.
    EXPECT_EQ(filter.take(0x401), trayKeySelect);
    EXPECT_EQ(filter.take(0x7B), trayContextMenu);
    EXPECT_EQ(filter.take(0x7B), trayContextMenu);
    // A left click: the release, then the shell's NIN_SELECT, which repeats it.
    EXPECT_EQ(filter.take(0x201), trayLeftDown);
    EXPECT_EQ(filter.take(0x202), trayLeftUp);
    EXPECT_EQ(filter.take(0x400), trayNoEvent);
    // A right click: the release, then the shell's WM_CONTEXTMENU, which repeats it, also
    // with a move between them.
    EXPECT_EQ(filter.take(0x204), trayRightDown);
    EXPECT_EQ(filter.take(0x205), trayRightUp);
    EXPECT_EQ(filter.take(0x7B), trayNoEvent);
    EXPECT_EQ(filter.take(0x205), trayRightUp);
    EXPECT_EQ(filter.take(0x200), trayMouseMove);
    EXPECT_EQ(filter.take(0x7B), trayNoEvent);
    // Only the one that follows: the keyboard's next menu key counts again.
    EXPECT_EQ(filter.take(0x7B), trayContextMenu);
    // Anything else between the release and the menu key breaks the pair.
    EXPECT_EQ(filter.take(0x205), trayRightUp);
    EXPECT_EQ(filter.take(0x401), trayKeySelect);
    EXPECT_EQ(filter.take(0x7B), trayContextMenu);
}

TEST(TrayIconRules, TooltipsLongerThan63CharactersAreCut)
{
    std::string sixtyThree(63, 'x');
    EXPECT_EQ(std::string(trayTipText(DString(sixtyThree.c_str())).text()), sixtyThree);
    std::string long100 = "Pellaro: " + std::string(91, 'y');
    DString cut = trayTipText(DString(long100.c_str()));
    EXPECT_EQ(cut.length(), 63);
    EXPECT_EQ(std::string(cut.text()), long100.substr(0, 63));
    EXPECT_EQ(trayTipText(DString("")).length(), 0);
    // Hungarian letters are single bytes of the ANSI code page and count as one each.
    std::string accented(70, '\xE9');
    EXPECT_EQ(trayTipText(DString(accented.c_str())).length(), 63);
}
