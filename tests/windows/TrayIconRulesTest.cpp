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
