#include "windows/TrayIconRules.h"

DTrayEvent trayEventFor(unsigned mouseMessage)
{
    switch (mouseMessage) {
    case 0x200: return trayMouseMove;
    case 0x201: return trayLeftDown;
    case 0x202: return trayLeftUp;
    case 0x204: return trayRightDown;
    case 0x205: return trayRightUp;
    default: return trayNoEvent;
    }
}

DString trayTipText(const DString& text)
{
    if (text.length() <= trayTipLimit)
        return text;
    return DString(text.text(), trayTipLimit);
}
