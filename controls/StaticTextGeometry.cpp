#include "controls/StaticTextGeometry.h"

int effectiveStaticTextFormat(int format)
{
    return format == 0 ? staticTextDefaultFormat : format;
}

int staticTextTop(int format, int height, int textHeight)
{
    if (format & staticTextBottom)
        return height - textHeight;
    if (format & staticTextMiddle)
        return (height - textHeight) / 2;
    return 0;
}

int groupWidthFor(int captionWidth)
{
    return groupCaptionX + captionWidth + 1 + 10 + 4;
}
