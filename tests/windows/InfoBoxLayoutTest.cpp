// The About, user's guide and restart boxes' layouts at their own sizes and at others.
#include "windows/InfoBoxLayout.h"

#include <gtest/gtest.h>

namespace {

::testing::AssertionResult at(const DLayoutRect& r, int x, int y, int width, int height)
{
    if (r.x == x && r.y == y && r.width == width && r.height == height)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << r.x << ", " << r.y << ", " << r.width << ", "
                                         << r.height;
}

}  // namespace

TEST(InfoBoxLayout, TheAboutBoxAt300By200)
{
    DAboutBoxLayout l = aboutBoxLayout(aboutBoxWidth, aboutBoxHeight);
    EXPECT_TRUE(at(l.frame, 10, 10, 280, 135));
    EXPECT_TRUE(at(l.titleText, 10, 10, 260, 40));
    EXPECT_TRUE(at(l.freewareText, 10, 55, 260, 25));
    EXPECT_TRUE(at(l.creditText, 10, 105, 260, 25));
    EXPECT_TRUE(at(l.okButton, 110, 155, 80, 25));
}

TEST(InfoBoxLayout, TheAboutBoxFollowsItsSize)
{
    DAboutBoxLayout l = aboutBoxLayout(401, 300);
    EXPECT_TRUE(at(l.frame, 10, 10, 381, 235));
    EXPECT_TRUE(at(l.freewareText, 10, 105, 361, 25));
    EXPECT_TRUE(at(l.creditText, 10, 205, 361, 25));
    EXPECT_TRUE(at(l.okButton, 160, 255, 80, 25));  // (401 - 80) / 2, truncated
}

TEST(InfoBoxLayout, TheUserGuideAndRestartBoxes)
{
    DMessageBoxLayout guide = messageBoxLayout(userGuideBoxWidth, userGuideBoxHeight);
    EXPECT_TRUE(at(guide.text, 10, 10, 330, 185));
    EXPECT_TRUE(at(guide.okButton, 135, 215, 80, 25));
    DMessageBoxLayout restart = messageBoxLayout(langMsgBoxWidth, langMsgBoxHeight);
    EXPECT_TRUE(at(restart.text, 10, 10, 280, 35));
    EXPECT_TRUE(at(restart.okButton, 110, 65, 80, 25));
}

TEST(InfoBoxLayout, AMessageThatNeedsMoreLinesMakesTheBoxTaller)
{
    DMessageBoxNeeds needs;
    needs.textHeight = 30;  // two lines: the written 35 hold them
    DMessageBoxLayout restart = messageBoxLayout(langMsgBoxWidth, langMsgBoxHeight, needs);
    EXPECT_EQ(restart.height, 100);
    EXPECT_TRUE(at(restart.text, 10, 10, 280, 35));
    needs.textHeight = 45;  // three lines
    restart = messageBoxLayout(langMsgBoxWidth, langMsgBoxHeight, needs);
    EXPECT_EQ(restart.height, 110);
    EXPECT_TRUE(at(restart.text, 10, 10, 280, 45));
    EXPECT_TRUE(at(restart.okButton, 110, 75, 80, 25));
    needs.okButton = 91;
    restart = messageBoxLayout(langMsgBoxWidth, langMsgBoxHeight, needs);
    EXPECT_TRUE(at(restart.okButton, 104, 75, 91, 25));  // still centred
    EXPECT_EQ(messageBoxLayout(userGuideBoxWidth, userGuideBoxHeight).height, 250);
}
