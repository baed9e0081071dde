#include "windows/DNotificationBox.h"

#include "controls/AccessibleRules.h"
#include "controls/ToolTipGeometry.h"

void DNotificationBox::placeAtCorner()
{
    DRect r = bounds();
    int areaWidth, areaHeight;
    screenArea(areaWidth, areaHeight);
    DTipPlace place = bottomRightPlace(r.width, r.height, areaWidth, areaHeight, cornerMargin);
    moveTo(place.x, place.y);
}

void DNotificationBox::show(bool flag)
{
    showNow(flag);
    if (flag)
        announce(accessEventAlert);
}

DAccessibleInfo DNotificationBox::accessibleInfo() const
{
    return accessibleAlert(title(), handle && IsWindowVisible(handle));
}

void DNotificationBox::onMouseUp(int, int, int)
{
    show(false);
}
