#include "framework/InputRules.h"

#include "framework/KeyCodes.h"

int keyModifiers(bool shift, bool ctrl, bool alt)
{
    int mods = shift ? modShift : 0;
    if (ctrl && alt)
        return mods;  // AltGr
    if (ctrl)
        mods |= modCtrl;
    if (alt)
        mods |= modAlt;
    return mods;
}

int mouseModifiers(bool shift, bool ctrl, bool alt)
{
    return (shift ? modShift : 0) | (ctrl ? modCtrl : 0) | (alt ? modAlt : 0);
}

bool systemKeyReachesViews(int key, int mods)
{
    if (mods == modAlt)
        return true;
    return key == keyF10 && mods == modShift;
}

bool isModifierKey(int virtualKey)
{
    return virtualKey == keyShift || virtualKey == keyControl || virtualKey == keyAlt;
}

int normalizedKey(int virtualKey)
{
    if (virtualKey >= 0x60 && virtualKey <= 0x69)
        return virtualKey - 0x30;
    return virtualKey;
}

bool keyTypesNoCharacter(int key, int mods)
{
    if (mods & modCtrl)
        return true;
    switch (key) {
    case keyBackspace: case keyTab: case keyEnter: case keyEscape: case keyInsert:
    case keyDelete:
        return true;
    default:
        break;
    }
    return (key >= keyPageUp && key <= keyDown) || (key >= keyF1 && key <= keyF12);
}

bool translatesFromKeyValue(int key)
{
    return (key >= 0x30 && key <= 0x39) || key == 0x6E || key == 0x6F;
}

bool DClickTracker::release(unsigned now)
{
    if (!pending) {
        pending = true;
        last = now;
        return false;
    }
    // Unsigned subtraction keeps the rule right across the tick counter's wrap-around.
    bool quick = now - last < doubleClickTime;
    last = now;
    pending = false;
    return quick;
}
