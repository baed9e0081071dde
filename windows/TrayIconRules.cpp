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

DTrayEvent DTrayEventFilter::take(unsigned message)
{
    bool rightRelease = afterRightRelease;
    afterRightRelease = message == 0x205;
    if (message == trayKeySelectMessage)
        return trayKeySelect;
    if (message == trayContextMenuMessage)
        return rightRelease ? trayNoEvent : trayContextMenu;
    // A mouse move between the release and the shell's WM_CONTEXTMENU keeps the pair.
    if (message == 0x200 && rightRelease)
        afterRightRelease = true;
    return trayEventFor(message);
}

DString trayTipText(const DString& text)
{
    if (text.length() <= trayTipLimit)
        return text;
    return DString(text.text(), trayTipLimit);
}
