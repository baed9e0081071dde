// Where push buttons and check boxes put their parts, in the control's own pixels with
// (0, 0) at its top-left corner. Painting uses these and the tests check them without a
// window. Halves are truncated toward zero.
#pragma once

struct DLayoutRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Caption of a push button: centred, moved 2 pixels right while the button is pressed.
DLayoutRect buttonCaptionRect(int width, int height, int textWidth, int textHeight, bool pressed);
// Focus rectangle of a push button: 4 pixels inside its edges.
DLayoutRect buttonFocusRect(int width, int height);

// The check box glyph is always 13 x 13 pixels.
const int checkGlyphSize = 13;
// Glyph origin of a check box: 4 pixels from the left, centred vertically.
DLayoutRect checkBoxGlyphRect(int height);
// Caption of a check box: 24 pixels from the left, centred vertically.
DLayoutRect checkBoxCaptionRect(int height, int textWidth, int textHeight);
// Focus rectangle of a check box: around the caption, from x 21 to one pixel inside the
// right, top and bottom edges.
DLayoutRect checkBoxFocusRect(int width, int height);

// The narrowest push button that shows a caption `textWidth` pixels wide with room on both
// sides: 4 pixels of edge and focus rectangle and 4 clear inside it.
int buttonWidthFor(int textWidth);
// The narrowest check box whose caption, `textWidth` pixels wide at x 24, ends 2 pixels
// inside its focus rectangle.
int checkBoxWidthFor(int textWidth);
// The larger of a written size and what a text needs: a layout's size that holds its text.
int grownSize(int written, int needed);
