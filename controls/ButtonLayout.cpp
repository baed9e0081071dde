#include "controls/ButtonLayout.h"

DLayoutRect buttonCaptionRect(int width, int height, int textWidth, int textHeight, bool pressed)
{
    DLayoutRect r{(width - textWidth) / 2, (height - textHeight) / 2, textWidth, textHeight};
    if (pressed)
        r.x += 2;
    return r;
}

DLayoutRect buttonFocusRect(int width, int height)
{
    return DLayoutRect{4, 4, width - 8, height - 8};
}

DLayoutRect checkBoxGlyphRect(int height)
{
    return DLayoutRect{4, (height - checkGlyphSize) / 2, checkGlyphSize, checkGlyphSize};
}

DLayoutRect checkBoxCaptionRect(int height, int textWidth, int textHeight)
{
    return DLayoutRect{24, (height - textHeight) / 2, textWidth, textHeight};
}

DLayoutRect checkBoxFocusRect(int width, int height)
{
    return DLayoutRect{21, 1, width - 22, height - 2};
}

int buttonWidthFor(int textWidth)
{
    return textWidth + 2 * (4 + 4);
}

int checkBoxWidthFor(int textWidth)
{
    return 24 + textWidth + 1 + 2;
}

int grownSize(int written, int needed)
{
    return needed > written ? needed : written;
}
