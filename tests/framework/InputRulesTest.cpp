#include "framework/InputRules.h"

#include <gtest/gtest.h>

TEST(KeyModifiers, AltGrCountsAsNeitherCtrlNorAlt)
{
    EXPECT_EQ(keyModifiers(false, true, true), 0);
    EXPECT_EQ(keyModifiers(true, true, true), modShift);
    EXPECT_EQ(keyModifiers(false, true, false), modCtrl);
    EXPECT_EQ(keyModifiers(false, false, true), modAlt);
    EXPECT_EQ(keyModifiers(true, false, true), modShift | modAlt);
}

TEST(MouseModifiers, EachKeyCountsByItself)
{
    EXPECT_EQ(mouseModifiers(true, true, true), 0x111);
    EXPECT_EQ(mouseModifiers(false, true, true), 0x110);
    EXPECT_EQ(mouseModifiers(false, false, false), 0);
}

TEST(KeyValues, KeypadDigitsBecomeDigitKeys)
{
    EXPECT_EQ(normalizedKey(0x60), 0x30);
    EXPECT_EQ(normalizedKey(0x65), 0x35);
    EXPECT_EQ(normalizedKey(0x69), 0x39);
    EXPECT_EQ(normalizedKey(0x5F), 0x5F);
    EXPECT_EQ(normalizedKey(0x6A), 0x6A);  // keypad multiply stays
    EXPECT_EQ(normalizedKey(0x6E), 0x6E);
    EXPECT_TRUE(isModifierKey(0x10));
    EXPECT_TRUE(isModifierKey(0x12));
    EXPECT_FALSE(isModifierKey(0x13));
}

TEST(KeyValues, KeysThatTypeNoCharacter)
{
    EXPECT_TRUE(keyTypesNoCharacter('A', modCtrl));
    EXPECT_TRUE(keyTypesNoCharacter('A', modCtrl | modShift));
    EXPECT_FALSE(keyTypesNoCharacter('A', modShift));
    EXPECT_FALSE(keyTypesNoCharacter('A', modAlt));
    for (int key : {8, 9, 13, 27, 33, 36, 40, 45, 46, 112, 116, 123})
        EXPECT_TRUE(keyTypesNoCharacter(key, 0)) << key;
    for (int key : {32, 41, 44, 47, 0x30, 0x5A, 111, 124})
        EXPECT_FALSE(keyTypesNoCharacter(key, 0)) << key;
}

TEST(KeyValues, SystemKeysReachTheViewsWithAltAloneAndAsShiftF10)
{
    EXPECT_TRUE(systemKeyReachesViews('S', modAlt));
    EXPECT_TRUE(systemKeyReachesViews(0x73, modAlt));   // Alt+F4
    EXPECT_TRUE(systemKeyReachesViews(0x28, modAlt));   // Alt+Down opens a combo box
    EXPECT_FALSE(systemKeyReachesViews(0x79, 0));       // F10 alone: no menu bar to open
    EXPECT_TRUE(systemKeyReachesViews(0x79, modShift)); // Shift+F10 opens a field's menu
    EXPECT_FALSE(systemKeyReachesViews(0x79, modCtrl));
    EXPECT_FALSE(systemKeyReachesViews('S', modAlt | modShift));
    EXPECT_FALSE(systemKeyReachesViews('S', 0));
    EXPECT_FALSE(systemKeyReachesViews(0x78, modShift)); // Shift+F9 is not a system key's
}

TEST(KeyValues, DigitsDecimalAndDivideTranslateFromTheKeyValue)
{
    EXPECT_TRUE(translatesFromKeyValue('0'));
    EXPECT_TRUE(translatesFromKeyValue('9'));
    EXPECT_TRUE(translatesFromKeyValue(0x6E));
    EXPECT_TRUE(translatesFromKeyValue(0x6F));
    EXPECT_FALSE(translatesFromKeyValue('A'));
    EXPECT_FALSE(translatesFromKeyValue(0x6D));
    EXPECT_FALSE(translatesFromKeyValue(0x2F));
}

TEST(ClickTracker, ReleasesLessThanASecondApartMakeADoubleClick)
{
    DClickTracker clicks;
    EXPECT_FALSE(clicks.release(5000));
    EXPECT_TRUE(clicks.isPending());
    EXPECT_TRUE(clicks.release(5999));
    EXPECT_FALSE(clicks.isPending());
    EXPECT_EQ(clicks.lastTime(), 5999u);
}

TEST(ClickTracker, ASecondApartIsTooSlowAndTheNextReleaseStartsAPair)
{
    DClickTracker clicks;
    EXPECT_FALSE(clicks.release(5000));
    EXPECT_FALSE(clicks.release(6000));
    EXPECT_FALSE(clicks.isPending());
    EXPECT_FALSE(clicks.release(6010));  // starts a new pair
    EXPECT_TRUE(clicks.release(6020));
}

TEST(ClickTracker, AMoveBetweenReleasesBreaksThePair)
{
    DClickTracker clicks;
    clicks.release(100);
    clicks.reset();
    EXPECT_FALSE(clicks.release(150));
    EXPECT_TRUE(clicks.release(160));
}

TEST(ClickTracker, WorksAcrossTheTickCounterWrapping)
{
    DClickTracker clicks;
    clicks.release(0xFFFFFF00u);
    EXPECT_TRUE(clicks.release(0x00000050u));  // 0x150 ms later
    clicks.release(0xFFFFFF00u);
    EXPECT_FALSE(clicks.release(0x00000300u));  // 1024 ms later
}
