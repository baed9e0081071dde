#include "windows/DNotificationBox.h"

#include "controls/AccessibleRules.h"
#include "controls/ToolTipGeometry.h"

void DNotificationBox::placeAtCorner()
{
    DRect r = bounds();
    DTipPlace place = bottomRightPlace(r.width, r.height, GetSystemMetrics(SM_CXSCREEN),
                                       GetSystemMetrics(SM_CYSCREEN), cornerMargin);
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
