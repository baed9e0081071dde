#include "controls/ButtonLayout.h"

#include <gtest/gtest.h>

TEST(ButtonLayout, CaptionIsCentredAndShiftsRightWhilePressed)
{
    DLayoutRect r = buttonCaptionRect(75, 23, 30, 13, false);
    EXPECT_EQ(r.x, 22);  // 45 / 2 truncated
    EXPECT_EQ(r.y, 5);
    DLayoutRect pressed = buttonCaptionRect(75, 23, 30, 13, true);
    EXPECT_EQ(pressed.x, 24);
    EXPECT_EQ(pressed.y, 5);
    DLayoutRect wide = buttonCaptionRect(20, 10, 31, 13, false);  // text wider than the button
    EXPECT_EQ(wide.x, -5);
    EXPECT_EQ(wide.y, -1);
}

TEST(ButtonLayout, FocusRectangleSitsFourPixelsInside)
{
    DLayoutRect f = buttonFocusRect(75, 23);
    EXPECT_EQ(f.x, 4);
    EXPECT_EQ(f.y, 4);
    EXPECT_EQ(f.width, 67);
    EXPECT_EQ(f.height, 15);
}

TEST(CheckBoxLayout, GlyphCaptionAndFocusPlaces)
{
    DLayoutRect glyph = checkBoxGlyphRect(20);
    EXPECT_EQ(glyph.x, 4);
    EXPECT_EQ(glyph.y, 3);
    EXPECT_EQ(glyph.width, 13);
    EXPECT_EQ(glyph.height, 13);
    EXPECT_EQ(checkBoxGlyphRect(13).y, 0);
    EXPECT_EQ(checkBoxGlyphRect(10).y, -1);  // (10 - 13) / 2 truncates toward zero

    DLayoutRect caption = checkBoxCaptionRect(20, 50, 13);
    EXPECT_EQ(caption.x, 24);
    EXPECT_EQ(caption.y, 3);

    DLayoutRect focus = checkBoxFocusRect(120, 20);
    EXPECT_EQ(focus.x, 21);
    EXPECT_EQ(focus.y, 1);
    EXPECT_EQ(focus.width, 98);
    EXPECT_EQ(focus.height, 18);
}
