#include "windows/DNotificationBox.h"

#include "controls/ToolTipGeometry.h"

void DNotificationBox::placeAtCorner()
{
    DRect r = bounds();
    int areaWidth, areaHeight;
    screenArea(areaWidth, areaHeight);
    DTipPlace place = bottomRightPlace(r.width, r.height, areaWidth, areaHeight, cornerMargin);
    moveTo(place.x, place.y);
}

void DNotificationBox::onMouseUp(int, int, int)
{
    show(false);
}
