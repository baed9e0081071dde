// Where a static text puts its caption, in the view's own pixels. The format value holds
// the horizontal alignment in its low bits (0x1 left, 0x2 right, 0x4 centred, as text
// boxes read them) and the vertical placement in 0x20 (bottom) and 0x40 (middle); 0x10
// plays no part in placement.
#pragma once

enum DStaticTextFormat {
    staticTextDefaultFormat = 0x11,  // top-left
    staticTextBottom = 0x20,
    staticTextMiddle = 0x40,
};

// The format a static text keeps: 0 stands for the default.
int effectiveStaticTextFormat(int format);

// Top of a caption `textHeight` pixels high in a view `height` pixels high: 0, centred
// with 0x40 (halves truncated toward zero), flush with the bottom with 0x20 (which wins
// when both are set).
int staticTextTop(int format, int height, int textHeight);

// A group draws its caption here, over the gap its frame leaves at the top.
const int groupCaptionX = 11;
const int groupCaptionY = 0;
// The narrowest group whose caption, `captionWidth` pixels wide, leaves 10 pixels of its
// frame's top edge before the frame's right corner, 4 pixels inside the group.
int groupWidthFor(int captionWidth);
