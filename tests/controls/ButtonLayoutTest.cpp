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

TEST(ButtonLayout, AButtonOrCheckBoxGrownToItsTextHoldsItInsideTheFocusRectangle)
{
    for (int text = 0; text <= 300; text += 7) {
        const int width = buttonWidthFor(text);
        const DLayoutRect caption = buttonCaptionRect(width, 25, text, 13, false);
        const DLayoutRect focus = buttonFocusRect(width, 25);
        // Centred, with at least 3 clear pixels inside the focus rectangle on both sides.
        EXPECT_GE(caption.x - focus.x, 3) << text;
        EXPECT_GE(focus.x + focus.width - (caption.x + caption.width), 3) << text;
        // Two pixels less would bring the caption within 3 of the focus rectangle.
        const int narrower = width - 2;
        const DLayoutRect tight = buttonCaptionRect(narrower, 25, text, 13, false);
        EXPECT_LT(tight.x - buttonFocusRect(narrower, 25).x, 4) << text;

        const int box = checkBoxWidthFor(text);
        const DLayoutRect boxCaption = checkBoxCaptionRect(20, text, 13);
        const DLayoutRect boxFocus = checkBoxFocusRect(box, 20);
        EXPECT_GE(boxFocus.x + boxFocus.width - (boxCaption.x + boxCaption.width), 2) << text;
    }
    EXPECT_EQ(grownSize(80, 96), 96);
    EXPECT_EQ(grownSize(80, 40), 80);
    EXPECT_EQ(grownSize(80, 0), 80);
}
